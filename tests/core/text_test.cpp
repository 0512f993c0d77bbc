#include <gtest/gtest.h>

#include "storage/text.hpp"

using namespace tovra;

TEST(Cp932Text, RoundTripsTheLedgerAlphabet) {
  for (const char* s :
       {"ｵｸﾞﾘｷｬｯﾌﾟ", "０１２３４５６７８９", "ＧⅠ ＧⅡ ＧⅢ", "有馬記念", "C:\\tovra", "未 勝 利", "ﾜｲﾄﾞ"}) {
    auto enc = utf8ToCp932(s);
    ASSERT_TRUE(enc.has_value()) << s;
    EXPECT_EQ(cp932ToUtf8(*enc), s);
  }
  // The backslash stays a backslash (no yen sign), half-width katakana are one byte.
  EXPECT_EQ(*utf8ToCp932("\\"), "\x5C");
  EXPECT_EQ(utf8ToCp932("ｱ")->size(), 1u);
  EXPECT_EQ(*utf8ToCp932("Ⅰ"), "\x87\x54");
}

TEST(Cp932Text, RefusesWhatCp932CannotHold) {
  EXPECT_FALSE(utf8ToCp932("馬😀").has_value());
  EXPECT_FALSE(utf8ToCp932("\xC3\xA9\xE2\x82").has_value());  // broken UTF-8
}

TEST(Cp932Text, DecodingNeverThrowsOnDamagedBytes) {
  EXPECT_EQ(cp932ToUtf8(std::string("A\x81", 2)), "A\xEF\xBF\xBD");
  EXPECT_FALSE(cp932ToUtf8(std::string("\xFF\xFF\x82", 3)).empty());
}

TEST(Cp932Text, CuttingNeverSplitsADoubleByteCharacter) {
  std::string s = sj("有馬記念");  // 8 bytes
  EXPECT_EQ(cutCp932(s, 8), s);
  EXPECT_EQ(cutCp932(s, 7), sj("有馬記"));
  EXPECT_EQ(cutCp932(s, 1), "");
  std::string mixed = sj("ｱ有");  // 1 + 2 bytes
  EXPECT_EQ(cutCp932(mixed, 2), sj("ｱ"));
  EXPECT_EQ(fitCp932(mixed, 2), sj("ｱ") + " ");
  EXPECT_EQ(fitCp932(mixed, 5).size(), 5u);
  // A lone lead byte at the end is taken as one byte, never read past the buffer.
  EXPECT_EQ(cutCp932(std::string("a\x88", 2), 5), std::string("a\x88", 2));
}

TEST(Cp932Text, FormatsCountShiftJisBytes) {
  std::string name = sj("東京");  // 4 bytes
  std::string line = sjprintf("%-18s|", name.c_str());
  EXPECT_EQ(line.size(), 19u);
  EXPECT_EQ(cp932ToUtf8(line), "東京              |");
  EXPECT_EQ(sjprintfUtf8("%10ld円%9.1f％%10ld円", 1000L, 320.0, 3200L), "      1000円    320.0％      3200円");
}

TEST(Cp932Text, FixedBuffers) {
  char buf[5];
  EXPECT_TRUE(setFixedText(buf, "abcd"));
  EXPECT_EQ(fixedText(buf), "abcd");
  EXPECT_FALSE(setFixedText(buf, "abcde"));  // no room for the NUL: refused, unchanged
  EXPECT_EQ(fixedText(buf), "abcd");
  char full[3] = {'x', 'y', 'z'};
  EXPECT_EQ(fixedText(full), "xyz");  // no NUL: stops at the buffer end
}
