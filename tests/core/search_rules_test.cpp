// The tests of the four searches on one race, edge cases as tables.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "common/scripted_port.hpp"
#include "features/search/search_input.hpp"
#include "features/search/search_rules.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::search;

namespace {

struct ContainsCase {
  const char* what;
  std::string name;  // CP932 bytes of the field's text
  std::string text;  // CP932
  std::size_t lastStart;
  bool expected;
  friend void PrintTo(const ContainsCase& c, std::ostream* os) { *os << c.what; }
};

class NameContains : public ::testing::TestWithParam<ContainsCase> {};

TEST_P(NameContains, WholeCharacters) {
  const ContainsCase& c = GetParam();
  char field[61] = {};
  std::memcpy(field, c.name.data(), std::min<std::size_t>(c.name.size(), sizeof field));
  EXPECT_EQ(nameContains(field, sizeof field, c.text, c.lastStart), c.expected) << c.what;
}

const std::string kJc = "\x83\x57\x83\x83\x83\x70\x83\x93\x83\x4a\x83\x62\x83\x76";  // ジャパンカップ
const std::string kA = "\x83\x41";                                                   // ア
const std::string kI = "\x83\x43";                                                   // イ

INSTANTIATE_TEST_SUITE_P(
    Cases, NameContains,
    ::testing::Values(ContainsCase{"the whole name", kJc, kJc, 59, true},
                      ContainsCase{"the end of the name", kJc, "\x83\x4a\x83\x62\x83\x76", 59, true},
                      ContainsCase{"the start of the name", kJc, "\x83\x57\x83\x83", 59, true},
                      ContainsCase{"one more byte than the name", kJc, kJc + "X", 59, false},
                      ContainsCase{"the last half-width character", "ABC", "C", 29, true},
                      ContainsCase{"a trail byte equal to a half-width character", kA + kI, "A", 29, false},
                      ContainsCase{"across a character boundary", kA + kA, "A" + kA, 59, false},
                      ContainsCase{"the same bytes at a character start", "A" + kA, "A" + kA, 59, true},
                      ContainsCase{"a half-width text after a double-byte one", kA + "A", "A", 29, true},
                      ContainsCase{"start position 59 is the last one", std::string(59, 'x') + "AB", "AB", 59, true},
                      ContainsCase{"start position 60 is not searched", std::string(60, 'x') + "A", "A", 59, false},
                      ContainsCase{"an empty text", kJc, "", 59, false},
                      ContainsCase{"an empty name", "", "A", 59, false},
                      ContainsCase{"not there", kJc, kA, 59, false}));

TEST(NameContainsField, AFieldWithoutNulEndsAtItsSize) {
  char bamei[25];
  std::memset(bamei, 'Z', sizeof bamei);
  bamei[24] = 'Q';
  EXPECT_TRUE(nameContains(bamei, sizeof bamei, "ZQ", 29));
  EXPECT_FALSE(nameContains(bamei, sizeof bamei, "QZ", 29));
}

struct JoutaiCase {
  int joutai;
  bool hitOnly, expected;
  friend void PrintTo(const JoutaiCase& c, std::ostream* os) { *os << c.joutai << (c.hitOnly ? " hit-only" : ""); }
};
class TakesPart : public ::testing::TestWithParam<JoutaiCase> {};
TEST_P(TakesPart, UnitsAndTensDigits) {
  EXPECT_EQ(raceTakesPart(std::uint16_t(GetParam().joutai), GetParam().hitOnly), GetParam().expected)
      << GetParam().joutai;
}
INSTANTIATE_TEST_SUITE_P(Cases, TakesPart,
                         ::testing::Values(JoutaiCase{0, false, false}, JoutaiCase{10, false, false},
                                           JoutaiCase{10, true, false}, JoutaiCase{1, false, true},
                                           JoutaiCase{2, false, true}, JoutaiCase{12, false, true},
                                           JoutaiCase{2, true, false}, JoutaiCase{12, true, true},
                                           JoutaiCase{11, true, true}, JoutaiCase{112, true, true},
                                           JoutaiCase{22, true, false}));

TEST(Grade, ClassDigitsOfTheItemsCode) {
  struct {
    std::uint32_t koumoku;
    int grade;
    bool expected;
  } cases[] = {{30911311, 0, true}, {30911311, 1, false}, {40811311, 1, true},
               {20711311, 2, true}, {20611311, 2, false}, {0, 0, false},
               {0, 2, false},       {1311311, 2, false},  {30911311, 3, false}};
  for (const auto& c : cases) EXPECT_EQ(raceHasGrade(c.koumoku, c.grade), c.expected) << c.koumoku << " " << c.grade;
}

TEST(Payout, SlotOrderAndHitFlags) {
  RaceRecord r;
  for (int k = 0; k < 4; ++k) r.fukuHaitou[k] = 100 + k;
  for (int k = 0; k < 2; ++k) r.tanHaitou[k] = 200 + k;
  for (int k = 0; k < 2; ++k) r.wakuHaitou[k] = 300 + k;
  for (int k = 0; k < 2; ++k) r.umaHaitou[k] = 400 + k;
  for (int k = 0; k < 6; ++k) r.wideHaitou[k] = 500 + k;
  r.fukuKeka[2] = 105;
  r.tanKeka[0] = 3;
  r.wakuKeka[1] = 112;
  r.umaKeka[0] = 10304;
  r.umaKeka[1] = 304;
  r.wideKeka[5] = 10506;
  const int payouts[16] = {100, 101, 102, 103, 200, 201, 300, 301, 400, 401, 500, 501, 502, 503, 504, 505};
  const bool hits[16] = {0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1};
  const auto s = payoutSlots(r);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(s[std::size_t(i)].payout, payouts[i]) << i;
    EXPECT_EQ(s[std::size_t(i)].hit, hits[i]) << i;
  }
}

TEST(Payout, RangeBoundsAndManbaken) {
  const PayoutRange r{false, 100, 500};
  EXPECT_FALSE(payoutSelected(r, 99));
  EXPECT_TRUE(payoutSelected(r, 100));
  EXPECT_TRUE(payoutSelected(r, 500));
  EXPECT_FALSE(payoutSelected(r, 501));
  const PayoutRange m{true, 0, 0};
  EXPECT_FALSE(payoutSelected(m, 9990));
  EXPECT_TRUE(payoutSelected(m, 10000));
  EXPECT_FALSE(payoutSelected(m, 0));
}

// --- what the dialogs accept ---

struct TextCase {
  SearchType type;
  std::string utf8;
  const char* message;  // nullptr: accepted
  friend void PrintTo(const TextCase& c, std::ostream* os) { *os << int(c.type) << " \"" << c.utf8 << "\""; }
};
class NameText : public ::testing::TestWithParam<TextCase> {};
TEST_P(NameText, Validation) {
  ScriptedPort port;
  const auto got = acceptNameText(port, GetParam().type, GetParam().utf8);
  if (!GetParam().message) {
    ASSERT_TRUE(got.has_value()) << GetParam().utf8;
    EXPECT_EQ(*got, sj(GetParam().utf8));
    EXPECT_TRUE(port.messages.empty());
  } else {
    EXPECT_FALSE(got.has_value()) << GetParam().utf8;
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, GetParam().message);
    EXPECT_EQ(port.messages[0].title, "確認");
    EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  }
}
INSTANTIATE_TEST_SUITE_P(
    Cases, NameText,
    ::testing::Values(TextCase{SearchType::RaceMei, "", "検索させる文字列を入力して下さい。"},
                      TextCase{SearchType::RaceMei, "ｱ", "検索させる文字列を入力して下さい。"},
                      TextCase{SearchType::RaceMei, "ア", nullptr}, TextCase{SearchType::RaceMei, "AB", nullptr},
                      TextCase{SearchType::Bamei, "", "検索させる文字列を入力して下さい。"},
                      TextCase{SearchType::Bamei, "ｱ", nullptr},
                      TextCase{SearchType::Bamei, "😀", "検索する文字列に使えない文字が含まれています。"},
                      TextCase{SearchType::RaceMei, std::string(60, 'x'), nullptr},
                      TextCase{SearchType::RaceMei, std::string(61, 'x'),
                               "検索する文字列は 60ﾊﾞｲﾄ (全角 30文字) までです。"}));

struct AmountCase {
  const char *lower, *upper;
  const char* message;  // nullptr: accepted
  int lo, hi;
  friend void PrintTo(const AmountCase& c, std::ostream* os) { *os << "\"" << c.lower << "\" \"" << c.upper << "\""; }
};
class Amounts : public ::testing::TestWithParam<AmountCase> {};
TEST_P(Amounts, ValidationInOrder) {
  ScriptedPort port;
  const AmountCase& c = GetParam();
  const auto got = acceptPayoutAmounts(port, c.lower, c.upper);
  if (!c.message) {
    ASSERT_TRUE(got.has_value()) << c.lower << " " << c.upper;
    EXPECT_EQ(got->lower, c.lo);
    EXPECT_EQ(got->upper, c.hi);
    EXPECT_FALSE(got->manbaken);
  } else {
    EXPECT_FALSE(got.has_value());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, c.message) << c.lower << " " << c.upper;
  }
}
constexpr const char* kMissing = "検索させる配当金額を入力して下さい。";
constexpr const char* kBad = "入力された配当金額が不適切です。";
INSTANTIATE_TEST_SUITE_P(
    Cases, Amounts,
    ::testing::Values(AmountCase{"", "", kMissing, 0, 0}, AmountCase{"", "50", kMissing, 0, 0},
                      AmountCase{"99", "", kBad, 0, 0}, AmountCase{"100", "", kMissing, 0, 0},
                      AmountCase{"100", "99", kBad, 0, 0}, AmountCase{"100", "100", kBad, 0, 0},
                      AmountCase{"500", "100", kBad, 0, 0}, AmountCase{"100", "500", nullptr, 100, 500},
                      AmountCase{"0100", "9999", nullptr, 100, 9999}, AmountCase{"9500", "10000", nullptr, 9500, 10000},
                      AmountCase{"100", "20000", kBad, 0, 0}, AmountCase{"1x0", "500", kBad, 0, 0}));

}  // namespace
