// Race results: payouts in units of 10 yen, per-type limits, deletion rules.
#include <gtest/gtest.h>

#include "common/scripted_port.hpp"
#include "core/support/entry_outcome.hpp"
#include "features/entry/results.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

class Results : public ::testing::Test {
 protected:
  RaceRecord race;
  ResultBook book{race};
  ScriptedPort port;
};

TEST_F(Results, PayoutBelowTenIsRefused) {
  EXPECT_FALSE(shown(port, book.add(BetType::Tan, 3, 0, "9")));
  EXPECT_EQ(port.lastText(), "配当金額が不適切です。");
  EXPECT_EQ(race.tanKeka[0], 0);
  EXPECT_FALSE(shown(port, book.add(BetType::Tan, 3, 0, "")));
  EXPECT_EQ(port.lastText(), "配当金額を入力して下さい。");
  ASSERT_TRUE(shown(port, book.add(BetType::Tan, 3, 0, "10")));
  EXPECT_EQ(race.tanKeka[0], 3);
  EXPECT_EQ(race.tanHaitou[0], 100);
}

TEST_F(Results, LimitsPerType) {
  ASSERT_TRUE(shown(port, book.add(BetType::Tan, 1, 0, "15")));
  ASSERT_TRUE(shown(port, book.add(BetType::Tan, 2, 0, "15")));
  EXPECT_FALSE(shown(port, book.add(BetType::Tan, 3, 0, "15")));
  EXPECT_EQ(port.lastText(), "登録出来る点数は 2点までです。");
  for (int h = 1; h <= 4; ++h) ASSERT_TRUE(shown(port, book.add(BetType::Fuku, h, 0, "11")));
  EXPECT_FALSE(shown(port, book.add(BetType::Fuku, 5, 0, "11")));
  EXPECT_EQ(port.lastText(), "登録出来る点数は 4点までです。");
  for (int h = 2; h <= 7; ++h) ASSERT_TRUE(shown(port, book.add(BetType::Wide, 1, h, "11")));
  EXPECT_FALSE(shown(port, book.add(BetType::Wide, 1, 8, "11")));
  EXPECT_EQ(port.lastText(), "登録出来る点数は 6点までです。");
  EXPECT_EQ(race.wideKeka[5], 107);
}

TEST_F(Results, PairCodes) {
  ASSERT_TRUE(shown(port, book.add(BetType::Waku, 4, 4, "120")));
  EXPECT_EQ(race.wakuKeka[0], 44);
  EXPECT_EQ(race.wakuHaitou[0], 1200);
  ASSERT_TRUE(shown(port, book.add(BetType::Uma, 12, 3, "560")));
  EXPECT_EQ(race.umaKeka[0], 312);
  EXPECT_FALSE(shown(port, book.add(BetType::Uma, 5, 5, "560")));
  EXPECT_EQ(port.lastText(), "馬番の組み合わせが不適切です。");
  EXPECT_FALSE(shown(port, book.add(BetType::Wide, 5, 5, "560")));
  EXPECT_EQ(port.lastText(), "馬番の組み合わせが不適切です。");
  EXPECT_EQ(race.wideKeka[0], 0);
}

TEST_F(Results, DeletingTheFirstOfTwoSlotResults) {
  shown(port, book.add(BetType::Tan, 3, 0, "25"));
  shown(port, book.add(BetType::Tan, 7, 0, "31"));
  ASSERT_TRUE(shown(port, book.remove(BetType::Tan, 0)));
  EXPECT_EQ(race.tanKeka[0], 7);
  EXPECT_EQ(race.tanHaitou[0], 310);
  EXPECT_EQ(race.tanKeka[1], 0);
  EXPECT_EQ(race.tanHaitou[1], 0);
  ASSERT_TRUE(shown(port, book.remove(BetType::Tan, 0)));
  EXPECT_EQ(race.tanKeka[0], 0);
  EXPECT_EQ(race.tanHaitou[0], 0);
  EXPECT_FALSE(shown(port, book.remove(BetType::Tan, -1)));
  EXPECT_EQ(port.lastText(), "削除する結果を選択して下さい。");
}

TEST_F(Results, DeletingTheSecondOfFourPlaceResults) {
  for (int h = 1; h <= 4; ++h) shown(port, book.add(BetType::Fuku, h, 0, std::to_string(10 + h)));
  ASSERT_TRUE(shown(port, book.remove(BetType::Fuku, 1)));
  EXPECT_EQ(race.fukuKeka[0], 1);
  EXPECT_EQ(race.fukuKeka[1], 3);
  EXPECT_EQ(race.fukuHaitou[1], 130);
  EXPECT_EQ(race.fukuKeka[2], 4);
  EXPECT_EQ(race.fukuKeka[3], 0);
  EXPECT_EQ(race.fukuHaitou[3], 0);
}

TEST_F(Results, LinesShowCodesWithoutHitMarks) {
  race.tanKeka[0] = 105;
  race.tanHaitou[0] = 320;
  race.umaKeka[0] = 10312;
  race.umaHaitou[0] = 5600;
  race.wakuKeka[0] = 144;
  race.wakuHaitou[0] = 1200;
  EXPECT_EQ(book.lines(BetType::Tan)[0], "   5          320円");
  EXPECT_EQ(book.lines(BetType::Uma)[0], "   3-12        5600円");
  EXPECT_EQ(book.lines(BetType::Waku)[0], "    4-4       1200円");
}

}  // namespace
}  // namespace tovra
