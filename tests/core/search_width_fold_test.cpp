// Name searches without regard to character width: a table of cases, and the folding
// checked against a model that works on Unicode code points over random names.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "features/search/search_rules.hpp"
#include "features/search/width_fold.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::search;

namespace {

bool contains(const std::string& nameUtf8, const std::string& textUtf8, std::size_t lastStart = kRaceMeiLastStart) {
  char field[61] = {};
  const std::string name = sj(nameUtf8);
  std::memcpy(field, name.data(), std::min(name.size(), sizeof field));
  return nameContains(field, sizeof field, sj(textUtf8), lastStart);
}

struct WidthCase {
  const char* name;
  const char* text;
  bool expected;
  friend void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name << " / " << c.text; }
};

class WidthFold : public ::testing::TestWithParam<WidthCase> {};

TEST_P(WidthFold, Matches) {
  const WidthCase& c = GetParam();
  EXPECT_EQ(contains(c.name, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WidthFold,
    ::testing::Values(
        // full-width text, half-width name and the other way round
        WidthCase{"ｷﾝｸﾞｶﾒﾊﾒﾊ", "キング", true}, WidthCase{"ｼﾞｬﾝｸﾞﾙﾎﾟｹｯﾄ", "ジャングルポケット", true},
        WidthCase{"ジャングルポケット", "ｼﾞｬﾝｸﾞﾙﾎﾟｹｯﾄ", true}, WidthCase{"ジャングルポケット", "ﾎﾟｹｯﾄ", true},
        // voiced marks as one character or two, in either width
        WidthCase{"ガリレオ", "ｶ゛ﾘ", true}, WidthCase{"ｶ゛ﾘﾚｵ", "ガリ", true}, WidthCase{"カ゛リレオ", "ｶﾞﾘ", true},
        WidthCase{"ﾊﾟﾝ", "ハ゜ン", true}, WidthCase{"ヴィクトリー", "ｳﾞｨｸﾄﾘｰ", true},
        // a voiced letter is its letter and its mark: ｶ finds ｶﾞ as before
        WidthCase{"ガリレオ", "ｶ", true}, WidthCase{"ガリレオ", "カリ", false}, WidthCase{"ﾊﾞﾝ", "パン", false},
        WidthCase{"ハン", "バン", false},
        // digits, letters, the long vowel mark and the imports' "-"
        WidthCase{"NHKﾏｲﾙｶｯﾌﾟ", "ＮＨＫ", true}, WidthCase{"ＮＨＫマイルカップ", "NHKﾏｲﾙ", true},
        WidthCase{"第１２回", "12", true}, WidthCase{"12ﾚｰｽ", "１２", true}, WidthCase{"nhk", "ＮＨＫ", false},
        WidthCase{"ｽﾍﾟｼｬﾙｳｨ-ｸ", "ウィーク", true}, WidthCase{"スペシャルウィーク", "ｳｨｰｸ", true},
        // other characters stand for themselves
        WidthCase{"有馬記念", "有馬", true}, WidthCase{"ひかり", "ヒカリ", false}, WidthCase{"ＧⅠ記念", "GⅠ", true},
        WidthCase{"ア", "", false}));

TEST(WidthFoldRules, StartPositionsCountBytesOfTheName) {
  // ガ at bytes 0-1, ﾘ at 2: a start at byte 2 is allowed only from lastStart 2 on.
  EXPECT_FALSE(contains("ガリ", "ﾘ", 1));
  EXPECT_TRUE(contains("ガリ", "ﾘ", 2));
  // the mark that comes from ガ starts where ガ starts
  EXPECT_TRUE(contains("ガリ", "ﾞﾘ", 0));
}

TEST(WidthFoldRules, NeverStartsOnASecondByte) {
  // ジ is 83 57: the text "W" (0x57) is not found inside it, whatever the width.
  EXPECT_FALSE(contains("ジャパン", "W"));
  EXPECT_FALSE(contains("ジャパン", "Ｗ"));
}

// --- the model: code points, a table in Unicode order, brute-force search ---

std::u32string codePoints(const std::string& utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (int k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + std::size_t(k)]) & 0x3F);
    out += cp;
    i += std::size_t(n);
  }
  return out;
}

// Katakana U+30A1..U+30F4 in Unicode order with their half-width writing ("" for the
// few that have none and stand for themselves).
const char* const kHalf[] = {"ｧ",  "ｱ",  "ｨ", "ｲ",  "ｩ",  "ｳ",  "ｪ",  "ｴ",  "ｫ",  "ｵ",  "ｶ",  "ｶﾞ", "ｷ",  "ｷﾞ",
                             "ｸ",  "ｸﾞ", "ｹ", "ｹﾞ", "ｺ",  "ｺﾞ", "ｻ",  "ｻﾞ", "ｼ",  "ｼﾞ", "ｽ",  "ｽﾞ", "ｾ",  "ｾﾞ",
                             "ｿ",  "ｿﾞ", "ﾀ", "ﾀﾞ", "ﾁ",  "ﾁﾞ", "ｯ",  "ﾂ",  "ﾂﾞ", "ﾃ",  "ﾃﾞ", "ﾄ",  "ﾄﾞ", "ﾅ",
                             "ﾆ",  "ﾇ",  "ﾈ", "ﾉ",  "ﾊ",  "ﾊﾞ", "ﾊﾟ", "ﾋ",  "ﾋﾞ", "ﾋﾟ", "ﾌ",  "ﾌﾞ", "ﾌﾟ", "ﾍ",
                             "ﾍﾞ", "ﾍﾟ", "ﾎ", "ﾎﾞ", "ﾎﾟ", "ﾏ",  "ﾐ",  "ﾑ",  "ﾒ",  "ﾓ",  "ｬ",  "ﾔ",  "ｭ",  "ﾕ",
                             "ｮ",  "ﾖ",  "ﾗ", "ﾘ",  "ﾙ",  "ﾚ",  "ﾛ",  "",   "ﾜ",  "",   "",   "ｦ",  "ﾝ",  "ｳﾞ"};

std::u32string modelFold(const std::string& utf8) {
  std::u32string out;
  for (char32_t c : codePoints(utf8)) {
    if (c >= 0x30A1 && c <= 0x30F4 && *kHalf[c - 0x30A1])
      out += codePoints(kHalf[c - 0x30A1]);
    else if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A))
      out += char32_t(c - 0xFEE0);
    else if (c == 0x3000)
      out += U' ';
    else if (c == 0x309B)
      out += char32_t(0xFF9E);
    else if (c == 0x309C)
      out += char32_t(0xFF9F);
    else if (c == 0x30FC || c == 0xFF70 || c == 0xFF0D)
      out += U'-';
    else
      out += c;
  }
  return out;
}

bool modelContains(const std::string& name, const std::string& text) {
  const std::u32string n = modelFold(name), t = modelFold(text);
  if (t.empty()) return false;
  for (std::size_t i = 0; i + t.size() <= n.size(); ++i)
    if (n.compare(i, t.size(), t) == 0) return true;
  return false;
}

TEST(WidthFoldModel, AgreesOnRandomNames) {
  const std::vector<std::string> alphabet = {"ｶ",  "ﾞ", "ﾟ",  "ガ", "カ", "゛", "゜", "ﾊ", "パ", "バ", "ハ", "ｰ",
                                             "ー", "-", "－", "A",  "Ａ", "a",  "ａ", "1", "１", "漢", "ｷ",  "キ",
                                             "ヴ", "ｳ", " ",  "　", "ｯ",  "ッ", "ヵ", "ｦ", "ヲ", "ギ"};
  std::mt19937 rng(20011125);
  auto word = [&](int least, int most) {
    std::string s;
    const int n = std::uniform_int_distribution<int>(least, most)(rng);
    for (int i = 0; i < n; ++i) s += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    return s;
  };
  int found = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string name = word(0, 12), text = word(1, 3);
    const bool want = modelContains(name, text);
    found += want;
    ASSERT_EQ(contains(name, text), want) << "name " << name << " text " << text;
  }
  EXPECT_GT(found, 1000);  // the alphabet is small enough for many hits
}

}  // namespace
