// ToHalfWidthKana and the fixed fields of the outside files.
#include <gtest/gtest.h>

#include <cstring>

#include "features/import/fields.hpp"
#include "features/import/halfwidth.hpp"
#include "storage/text.hpp"

using namespace tovra;

struct KanaCase {
  const char* fullUtf8;
  const char* halfUtf8;
};

class HalfWidth : public ::testing::TestWithParam<KanaCase> {};

TEST_P(HalfWidth, Converts) { EXPECT_EQ(cp932ToUtf8(ToHalfWidthKana(sj(GetParam().fullUtf8))), GetParam().halfUtf8); }

INSTANTIATE_TEST_SUITE_P(
    Cases, HalfWidth,
    ::testing::Values(KanaCase{"ガリレオ", "ｶﾞﾘﾚｵ"}, KanaCase{"ディープインパクト", "ﾃﾞｨ-ﾌﾟｲﾝﾊﾟｸﾄ"},
                      KanaCase{"ヴィクトワールピサ", "ｳﾞｨｸﾄﾜ-ﾙﾋﾟｻ"},  // ー is the ASCII "-"
                      KanaCase{"アーモンドアイ", "ｱ-ﾓﾝﾄﾞｱｲ"}, KanaCase{"ゴールドシップ", "ｺﾞ-ﾙﾄﾞｼｯﾌﾟ"},
                      KanaCase{"ヲン", "ｦﾝ"}, KanaCase{"ァィゥェォャュョッ", "ｧｨｩｪｫｬｭｮｯ"},
                      // The hiragana へ べ ぺ り look like their katakana.
                      KanaCase{"へべぺり", "ﾍﾍﾞﾍﾟﾘ"}, KanaCase{"０１２３４５６７８９", "0123456789"},
                      KanaCase{"１：３４．５", "1:34.5"}, KanaCase{"１／２", "1/2"},
                      // Blanks are dropped: full-width ones and pairs of ASCII ones.
                      KanaCase{"　５", "5"}, KanaCase{"ア　イ", "ｱｲ"}, KanaCase{"ア  イ", "ｱｲ"},
                      // The first other character ends the name.
                      KanaCase{"テイエム王者", "ﾃｲｴﾑ"}, KanaCase{"ア A", "ｱ"}, KanaCase{"ほ", ""},
                      KanaCase{"ザジズゼゾダヂヅデドバビブベボ", "ｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
                      KanaCase{"ギグゲゴパピプペポ", "ｷﾞｸﾞｹﾞｺﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"}));

TEST(HalfWidth, GaririeoIsFiveBytes) { EXPECT_EQ(ToHalfWidthKana(sj("ガリレオ")).size(), 5u); }

TEST(HalfWidth, AtMostTwentyTwoCharactersAndAnOddByteIsLeft) {
  const std::string a = sj("ア");
  std::string in;
  for (int i = 0; i < 30; ++i) in += a;
  EXPECT_EQ(ToHalfWidthKana(in).size(), 22u);
  EXPECT_EQ(cp932ToUtf8(ToHalfWidthKana(a + "\x83")), "ｱ");
  EXPECT_EQ(ToHalfWidthKana(""), "");
}

TEST(HalfWidth, FittingKeepsALetterWithItsVoicingMark) {
  // ｶﾞ is two bytes: with room for three only ｶﾞ fits, the next ｶﾞ is dropped whole.
  EXPECT_EQ(cp932ToUtf8(halfWidthFitting(sj("ガガ"), 3)), "ｶﾞ");
  std::string in;
  for (int i = 0; i < 22; ++i) in += sj("ガ");
  EXPECT_EQ(halfWidthFitting(in, 24).size(), 24u);
}

struct NumberCase {
  const char* field;
  int value;
};

class Numbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Numbers, DecimalFields) { EXPECT_EQ(fieldNumber(GetParam().field), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Cases, Numbers,
                         ::testing::Values(NumberCase{"0123", 123}, NumberCase{"  12", 12}, NumberCase{"12  ", 12},
                                           NumberCase{"    ", 0}, NumberCase{"", 0}, NumberCase{"1a", 0},
                                           NumberCase{"-5", 0}, NumberCase{"1 2", 0},
                                           NumberCase{"999999999", 999999999}, NumberCase{"9999999999", 0}));

TEST(Fields, TextLosesTrailingHalfAndFullWidthBlanksOnly) {
  EXPECT_EQ(cp932ToUtf8(fieldText(sj("有馬記念　　　  "))), "有馬記念");
  EXPECT_EQ(cp932ToUtf8(fieldText(sj(" 武　豊 "))), " 武　豊");
  EXPECT_EQ(fieldText(std::string("ab\0cd  ", 7)), "ab");
  // 0x81 0x40 after a lead byte is a character's second byte and an '@', not a blank.
  const std::string tricky = std::string("\x88\x81") + "\x40";
  EXPECT_EQ(fieldText(tricky), tricky);
  EXPECT_EQ(fieldText("        "), "");
}

TEST(Fields, StoreTextCutsBetweenCharactersAndFillsWithNul) {
  char buf[6];
  std::memset(buf, 'z', sizeof buf);
  storeText(buf, sj("あいう"));  // 6 bytes: only two characters fit before the NUL
  EXPECT_EQ(std::string(buf), sj("あい"));
  EXPECT_EQ(buf[4], 0);
  EXPECT_EQ(buf[5], 0);
}

TEST(Fields, RaceListText) {
  EXPECT_EQ(raceListText({1, 2, 11}), "  1R  2R 11R");
  EXPECT_EQ(raceListText({}), "");
}
