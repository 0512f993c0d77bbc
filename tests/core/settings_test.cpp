#include <gtest/gtest.h>

#include "ledger/bytes.hpp"
#include "ledger/fileio.hpp"
#include "settings/settings_record.hpp"
#include "common/ledger_builder.hpp"

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
