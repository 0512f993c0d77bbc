// Bought tickets: adding by 通常, 流し and ﾎﾞｯｸｽ within the capacities, deleting, the
// amount field and its keypad.
#include <gtest/gtest.h>

#include "common/scripted_port.hpp"
#include "core/support/entry_outcome.hpp"
#include "features/entry/amount_field.hpp"
#include "features/entry/purchase.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

class Purchase : public ::testing::Test {
 protected:
  RaceRecord race;
  PurchaseBook book{race};
  ScriptedPort port;

  PairPick box(std::vector<int> members) {
    PairPick p;
    p.method = InputMethod::Box;
    p.ticked = std::move(members);
    return p;
  }
  PairPick nagashi(int axis, std::vector<int> partners) {
    PairPick p;
    p.method = InputMethod::Nagashi;
    p.first = axis;
    p.ticked = std::move(partners);
    return p;
  }
  PairPick single(int a, int b) {
    PairPick p;
    p.first = a;
    p.second = b;
    return p;
  }
};

TEST_F(Purchase, UmarenBoxOfTenAddsFortyFive) {
  AddOutcome r = shown(port, book.addPairs(BetType::Uma, box({10, 1, 2, 3, 4, 5, 6, 7, 8, 9}), "2"));
  EXPECT_EQ(r.added, 45);
  EXPECT_FALSE(r.overflow);
  EXPECT_TRUE(port.messages.empty());
  EXPECT_EQ(book.count(BetType::Uma), 45);
  // Pairs in the order (c0,c1), (c0,c2) ... (c1,c2) ...
  EXPECT_EQ(race.umaKumi[0], 102);
  EXPECT_EQ(race.umaKumi[8], 110);
  EXPECT_EQ(race.umaKumi[9], 203);
  EXPECT_EQ(race.umaKumi[44], 910);
  EXPECT_EQ(race.umaGaku[44], 200);
  EXPECT_EQ(book.remainingLabel(BetType::Uma), "あと 5点");
}

TEST_F(Purchase, BoxOverflowKeepsWhatFitted) {
  for (int i = 0; i < 10; ++i) ASSERT_FALSE(shown(port, book.addPairs(BetType::Uma, single(1, 2 + i), "1")).refused);
  AddOutcome r = shown(port, book.addPairs(BetType::Uma, box({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), "1"));
  EXPECT_EQ(r.added, 40);
  EXPECT_TRUE(r.overflow);
  EXPECT_FALSE(r.refused);
  EXPECT_EQ(book.count(BetType::Uma), 50);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.lastText(), "登録してあるﾃﾞｰﾀが 50点を超えたので、全てのﾎﾞｯｸｽ馬券を登録出来ませんでした。");
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Warning);
  EXPECT_EQ(book.remainingLabel(BetType::Uma), "あと 0点");
  // Full: the next add is refused before anything else.
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Uma, single(1, 2), "")).refused);
  EXPECT_EQ(port.lastText(), "登録出来る点数は 50点までです。");
}

TEST_F(Purchase, NagashiWithTheAxisAmongThePartners) {
  AddOutcome w = shown(port, book.addPairs(BetType::Waku, nagashi(3, {8, 3, 1}), "5"));
  EXPECT_EQ(w.added, 3);
  EXPECT_EQ(race.wakuKumi[0], 13);
  EXPECT_EQ(race.wakuKumi[1], 33);
  EXPECT_EQ(race.wakuKumi[2], 38);
  EXPECT_EQ(race.wakuGaku[2], 500);
  AddOutcome u = shown(port, book.addPairs(BetType::Uma, nagashi(3, {1, 3, 8}), "5"));
  EXPECT_EQ(u.added, 2);
  EXPECT_EQ(race.umaKumi[0], 103);
  EXPECT_EQ(race.umaKumi[1], 308);
  EXPECT_EQ(race.umaKumi[2], 0);
  EXPECT_TRUE(port.messages.empty());
}

TEST_F(Purchase, NagashiOverflowWarnsPerType) {
  for (int i = 0; i < 18; ++i) shown(port, book.addPairs(BetType::Wide, single(1, 2 + (i % 17)), "1"));
  ASSERT_EQ(book.count(BetType::Wide), 18);
  AddOutcome r = shown(port, book.addPairs(BetType::Wide, nagashi(5, {1, 2, 3, 4}), "1"));
  EXPECT_EQ(r.added, 2);
  EXPECT_TRUE(r.overflow);
  EXPECT_EQ(port.lastText(), "登録してあるﾃﾞｰﾀが 20点を超えたので、全ての流し馬券を登録出来ませんでした。");
  EXPECT_EQ(race.wideKumi[18], 105);
  EXPECT_EQ(race.wideKumi[19], 205);
}

TEST_F(Purchase, PairRefusals) {
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Uma, single(4, 4), "1")).refused);
  EXPECT_EQ(port.lastText(), "馬番の組み合わせが不適切です。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Waku, nagashi(2, {}), "1")).refused);
  EXPECT_EQ(port.lastText(), "相手の枠番を入力して下さい。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Wide, nagashi(2, {}), "1")).refused);
  EXPECT_EQ(port.lastText(), "相手の馬番を入力して下さい。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Waku, box({1, 2}), "1")).refused);
  EXPECT_EQ(port.lastText(), "枠番を 3つ以上入力して下さい。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Uma, box({1, 2, 2}), "1")).refused);
  EXPECT_EQ(port.lastText(), "馬番を 3つ以上入力して下さい。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Waku, single(1, 9), "1")).refused);
  EXPECT_EQ(port.lastText(), "枠番は 1～8 で指定して下さい。");
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Uma, single(1, 2), "")).refused);
  EXPECT_EQ(port.lastText(), "購入金額を入力して下さい。");
  for (const auto& m : port.messages) EXPECT_EQ(m.icon, MsgIcon::Error);
  EXPECT_TRUE(race.isBlank());
}

TEST_F(Purchase, SinglePairCodesSmallerFirst) {
  shown(port, book.addPairs(BetType::Uma, single(7, 2), "3"));
  EXPECT_EQ(race.umaKumi[0], 207);
  EXPECT_EQ(race.umaGaku[0], 300);
  shown(port, book.addPairs(BetType::Waku, single(4, 4), "3"));  // same-bracket pair
  EXPECT_EQ(race.wakuKumi[0], 44);
  EXPECT_EQ(book.lines(BetType::Uma)[0], "  2- 7         300円");
  EXPECT_EQ(book.lines(BetType::Waku)[0], "   4-4        300円");
}

TEST_F(Purchase, WinAndPlaceTickets) {
  EXPECT_EQ(shown(port, book.addSingle(BetType::Tan, 5, "10")).added, 1);
  EXPECT_EQ(shown(port, book.addSingle(BetType::Tan, 5, "10")).added, 1);  // the same horse twice: two tickets
  EXPECT_EQ(race.tanUma[1], 5);
  EXPECT_EQ(race.tanGaku[1], 1000);
  EXPECT_EQ(book.lines(BetType::Tan)[0], "   5         1000円");
  for (int h = 1; h <= 5; ++h) shown(port, book.addSingle(BetType::Fuku, h, "1"));
  EXPECT_TRUE(shown(port, book.addSingle(BetType::Fuku, 6, "1")).refused);
  EXPECT_EQ(port.lastText(), "登録出来る点数は 5点までです。");
  EXPECT_EQ(book.remainingLabel(BetType::Fuku), "あと 0点");
  EXPECT_EQ(book.remainingLabel(BetType::Tan), "あと 3点");
}

TEST_F(Purchase, StakeBeyondThe32BitFieldIsRefused) {
  EXPECT_TRUE(shown(port, book.addSingle(BetType::Tan, 1, "21474837")).refused);
  EXPECT_EQ(port.lastText(), "購入金額は 1点 21474836(00円) までです。");
  EXPECT_EQ(race.tanUma[0], 0);
  EXPECT_TRUE(shown(port, book.addPairs(BetType::Uma, box({1, 2, 3}), "99999999")).refused);
  EXPECT_EQ(race.umaKumi[0], 0);
  ASSERT_FALSE(shown(port, book.addSingle(BetType::Tan, 1, "21474836")).refused);
  EXPECT_EQ(race.tanGaku[0], 2147483600);
}

TEST_F(Purchase, DeletingMovesLaterTicketsForward) {
  shown(port, book.addPairs(BetType::Waku, single(1, 2), "1"));
  shown(port, book.addPairs(BetType::Waku, single(3, 4), "2"));
  shown(port, book.addPairs(BetType::Waku, single(5, 6), "3"));
  ASSERT_TRUE(shown(port, book.remove(BetType::Waku, 1)));
  EXPECT_EQ(race.wakuKumi[0], 12);
  EXPECT_EQ(race.wakuKumi[1], 56);
  EXPECT_EQ(race.wakuGaku[1], 300);
  EXPECT_EQ(race.wakuKumi[2], 0);
  EXPECT_EQ(race.wakuGaku[2], 0);
  EXPECT_EQ(book.count(BetType::Waku), 2);
  EXPECT_FALSE(shown(port, book.remove(BetType::Waku, -1)));
  EXPECT_EQ(port.lastText(), "削除する馬券を選択して下さい。");
}

TEST_F(Purchase, DeletingFromAFullListEmptiesTheLastSlot) {
  for (int h = 1; h <= 5; ++h) shown(port, book.addSingle(BetType::Tan, h, std::to_string(h)));
  ASSERT_TRUE(shown(port, book.remove(BetType::Tan, 0)));
  EXPECT_EQ(race.tanUma[0], 2);
  EXPECT_EQ(race.tanUma[3], 5);
  EXPECT_EQ(race.tanUma[4], 0);
  EXPECT_EQ(race.tanGaku[4], 0);
}

TEST(PairLayouts, CaptionsAndEnabledParts) {
  PairLayout t = pairLayout(BetType::Waku, InputMethod::Tsujo);
  EXPECT_EQ(t.group1Caption, "枠番");
  EXPECT_EQ(t.group2Caption, "枠番");
  EXPECT_TRUE(t.group1Enabled && t.group2Enabled && t.dashEnabled);
  EXPECT_FALSE(t.checksEnabled);
  EXPECT_EQ(t.checkCaption, "");
  PairLayout n = pairLayout(BetType::Uma, InputMethod::Nagashi);
  EXPECT_EQ(n.group1Caption, "軸");
  EXPECT_TRUE(n.group1Enabled);
  EXPECT_FALSE(n.group2Enabled);
  EXPECT_EQ(n.group2Caption, "");
  EXPECT_EQ(n.checkCaption, "相手");
  EXPECT_TRUE(n.checksEnabled && n.dashEnabled);
  PairLayout b = pairLayout(BetType::Wide, InputMethod::Box);
  EXPECT_FALSE(b.group1Enabled || b.group2Enabled || b.dashEnabled);
  EXPECT_EQ(b.checkCaption, "馬番");
  EXPECT_TRUE(b.checksEnabled);
}

TEST(AmountField, KeypadRules) {
  std::string f;
  EXPECT_FALSE(pressKeypad(f, 11));  // "00" on an empty field
  EXPECT_FALSE(pressKeypad(f, 10));  // "0" on an empty field
  EXPECT_EQ(f, "");
  EXPECT_TRUE(pressKeypad(f, 12));  // "<<<" on empty: nothing to remove
  for (int k = 1; k <= 7; ++k) EXPECT_TRUE(pressKeypad(f, k));
  EXPECT_EQ(f, "1234567");
  EXPECT_FALSE(pressKeypad(f, 11));  // "00" on seven characters
  EXPECT_EQ(f, "1234567");
  EXPECT_TRUE(pressKeypad(f, 10));
  EXPECT_EQ(f, "12345670");
  EXPECT_FALSE(pressKeypad(f, 9));  // eight characters: no more digits
  EXPECT_TRUE(pressKeypad(f, 12));
  EXPECT_EQ(f, "1234567");
  EXPECT_TRUE(pressKeypad(f, 13));
  EXPECT_EQ(f, "");
  EXPECT_TRUE(pressKeypad(f, 5));
  EXPECT_TRUE(pressKeypad(f, 11));
  EXPECT_EQ(f, "500");
  EXPECT_STREQ(keypadCaption(11), "00");
  EXPECT_STREQ(keypadCaption(12), "<<<");
}

TEST(AmountField, Values) {
  EXPECT_EQ(amountValue(""), 0);
  EXPECT_EQ(amountValue("0012"), 12);
  EXPECT_EQ(amountValue("12x3"), 12);
  EXPECT_GT(amountValue(std::string(40, '9')), 1LL << 35);  // saturates instead of wrapping
}

// The amount as typed and what it reads as: yen, or the refusal's text.
struct AmountCase {
  const char* typed;
  bool payout;  // payout (units of 10 yen), else stake (units of 100 yen)
  std::int32_t yen;
  const char* refusal;
};

TEST(AmountField, ReadAmounts) {
  const AmountCase cases[] = {
      {"10", true, 100, ""},
      {"9", true, 0, "配当金額が不適切です。"},
      {"0", true, 0, "配当金額を入力して下さい。"},
      {"", true, 0, "配当金額を入力して下さい。"},
      {"99999999", true, 999999990, ""},
      {"214748365", true, 0, "配当金額が不適切です。"},
      {"1", false, 100, ""},
      {"", false, 0, "購入金額を入力して下さい。"},
      {"21474836", false, 2147483600, ""},
      {"21474837", false, 0, "購入金額は 1点 21474836(00円) までです。"},
  };
  for (const AmountCase& c : cases) {
    const Result<std::int32_t> r = c.payout ? readPayout(c.typed) : readStake(c.typed);
    if (*c.refusal) {
      ASSERT_TRUE(r.refused()) << c.typed;
      EXPECT_EQ(r.refusal().text, c.refusal) << c.typed;
      EXPECT_EQ(r.refusal().icon, MsgIcon::Error);
    } else {
      ASSERT_TRUE(r) << c.typed;
      EXPECT_EQ(*r, c.yen) << c.typed;
    }
  }
}

}  // namespace
}  // namespace tovra
