#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/settings_record.hpp"

using namespace tovra;
using namespace tovra::testing;

TEST(SettingsRecord, DefaultsWhenTheFileIsMissing) {
  TempDir dir;
  bool existed = true;
  SettingsRecord s = loadSettings(FileSystem::standard(), dir.path(), &existed);
  EXPECT_FALSE(existed);
  EXPECT_EQ(s.startCourse, 0);
  EXPECT_TRUE(s.confirmExit());
  EXPECT_EQ(s.racePage(), 0);
  EXPECT_FALSE(s.oldAgeLabels());
  EXPECT_EQ(s.colours[0], 0x008000);  // green background
  EXPECT_EQ(s.colours[1], 0xFF00FF);  // magenta course name
  EXPECT_EQ(s.colours[2], 0x0000FF);  // red in Windows' 0x00BBGGRR
  EXPECT_EQ(s.colours[3], 0x808000);
  EXPECT_EQ(s.colours[4], 0xFF00FF);
  EXPECT_EQ(s.colours[5], 0x0000FF);
  EXPECT_EQ(s.colours[6], 0xFF0000);  // blue
  EXPECT_EQ(s.colours[7], 0x808080);
  EXPECT_EQ(colourRed(s.colours[2]), 255);
  EXPECT_EQ(colourBlue(s.colours[6]), 255);
  EXPECT_TRUE(s.mainRect.isEmpty());
  EXPECT_TRUE(s.jyokenRect.isEmpty());
}

TEST(SettingsRecord, FileIsExactlyTheRecord) {
  TempDir dir;
  SettingsRecord s = SettingsRecord::defaults();
  s.startCourse = 4;
  s.optionDigits = 121;
  s.mainRect = {10, 20, 642, 474};
  s.rankRect = {1, 2, 3, 4};
  ASSERT_TRUE(saveSettings(FileSystem::standard(), dir.path(), s));
  auto b = readBytes(dir / "tovractm.dat");
  ASSERT_EQ(b.size(), 160u);
  EXPECT_EQ(bytes::getU16(b.data(), 0), 4);
  EXPECT_EQ(bytes::getU16(b.data(), 2), 121);
  EXPECT_EQ(bytes::getI32(b.data(), 4), 0x008000);
  EXPECT_EQ(bytes::getI32(b.data(), 4 + 7 * 4), 0x808080);
  for (int i = 36; i < 64; ++i) EXPECT_EQ(b[i], 0);
  EXPECT_EQ(bytes::getI32(b.data(), 64), 10);
  EXPECT_EQ(bytes::getI32(b.data(), 76), 474);
  EXPECT_EQ(bytes::getI32(b.data(), 128), 1);
  SettingsRecord back = loadSettings(FileSystem::standard(), dir.path());
  EXPECT_EQ(back.startCourse, 4);
  EXPECT_FALSE(back.confirmExit());
  EXPECT_EQ(back.racePage(), 2);
  EXPECT_TRUE(back.oldAgeLabels());
  EXPECT_EQ(back.mainRect.right, 642);
}

TEST(SettingsRecord, DamagedFileCannotPickACourseThatDoesNotExist) {
  TempDir dir;
  writeBytes(dir / "tovractm.dat", {0x30, 0x00, 0x01});
  SettingsRecord s = loadSettings(FileSystem::standard(), dir.path());
  EXPECT_EQ(s.startCourse, 0);
  EXPECT_EQ(s.optionDigits & 0xFF, 1);
  EXPECT_EQ(s.colours[0], 0x008000);  // short file: the rest keeps the defaults
}

// Headings on a background of the settings: black on light colours, white on dark ones,
// by the contrast of each against the background's relative luminance.
struct ContrastCase {
  const char* name;
  int r, g, b;
  bool white;  // white text expected
};

class HeadingContrast : public ::testing::TestWithParam<ContrastCase> {};

TEST_P(HeadingContrast, TextStandsOutFromTheBackground) {
  const ContrastCase& c = GetParam();
  const std::int32_t bg = colourFromRgb(c.r, c.g, c.b);
  const std::int32_t text = textColourOn(bg);
  EXPECT_EQ(text, c.white ? 0x00FFFFFF : 0x00000000);
  // Whichever was chosen contrasts at least as much as the other (WCAG ratio).
  const double l = relativeLuminance(bg);
  const double chosen = c.white ? 1.05 / (l + 0.05) : (l + 0.05) / 0.05;
  const double other = c.white ? (l + 0.05) / 0.05 : 1.05 / (l + 0.05);
  EXPECT_GE(chosen, other);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, HeadingContrast,
    ::testing::Values(ContrastCase{"White", 255, 255, 255, false}, ContrastCase{"Black", 0, 0, 0, true},
                      ContrastCase{"TallyGrey", 128, 128, 128, false}, ContrastCase{"DarkGrey", 100, 100, 100, true},
                      // Luminance 0.1791 is where both contrasts are equal: grey 117 is just below it.
                      ContrastCase{"Grey117", 117, 117, 117, true}, ContrastCase{"Grey118", 118, 118, 118, false},
                      ContrastCase{"Navy", 0, 0, 128, true}, ContrastCase{"PureBlue", 0, 0, 255, true},
                      ContrastCase{"PureRed", 255, 0, 0, false}, ContrastCase{"DarkRed", 128, 0, 0, true},
                      ContrastCase{"PureGreen", 0, 255, 0, false}, ContrastCase{"Teal", 0, 128, 128, true},
                      ContrastCase{"Yellow", 255, 255, 0, false}, ContrastCase{"Aqua", 0, 255, 255, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeadingContrastLuminance, EndsAndChannelWeights) {
  const struct {
    std::int32_t colour;
    double luminance;
  } cases[] = {{colourFromRgb(0, 0, 0), 0.0},      {colourFromRgb(255, 255, 255), 1.0},
               {colourFromRgb(255, 0, 0), 0.2126}, {colourFromRgb(0, 255, 0), 0.7152},
               {colourFromRgb(0, 0, 255), 0.0722}, {colourFromRgb(128, 128, 128), 0.2158605}};
  for (const auto& c : cases) EXPECT_NEAR(relativeLuminance(c.colour), c.luminance, 1e-6) << std::hex << c.colour;
}
