// The operations of the new bet types over a store: what each refuses (table-driven), the
// runners of the card, the stored line read back as bought, and the texts of lines.
#include <gtest/gtest.h>

#include "common/temp_dir.hpp"
#include "features/bets/bet_text.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "storage/bet_store.hpp"

namespace tovra {
namespace {

const RaceKey kKey{{2012, 3, 8, 4}, 5};

RaceRecord cardOf(int runners) {
  RaceRecord r;
  for (int i = 0; i < runners; ++i) r.shutsubaWaku[i] = static_cast<std::uint16_t>(1 + i / 2);
  return r;
}

TEST(RunnersOf, TheCardsEnteredHorsesOrNone) {
  EXPECT_TRUE(runnersOf(RaceRecord{}).empty());
  EXPECT_EQ(runnersOf(cardOf(3)), (Horses{1, 2, 3}));
  RaceRecord named;
  std::snprintf(named.shutsubaBamei[6], 25, "%s", "ABC");
  EXPECT_EQ(runnersOf(named), (Horses{7}));
}

struct LineCase {
  PurchaseLine line;
  int runners;          // 0: a blank card
  const char* refusal;  // nullptr: bought
  int points;
};

class BuyLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(BuyLine, IsCheckedAgainstTheCard) {
  const LineCase& c = GetParam();
  testing::RunDir dir;
  BetStore store(dir.path());
  const auto r = buyLine(store, kKey, cardOf(c.runners), c.line);
  if (c.refusal) {
    ASSERT_TRUE(r.refused());
    EXPECT_EQ(r.refusal().text, c.refusal);
    EXPECT_FALSE(store.exists());
    return;
  }
  ASSERT_TRUE(r) << r.refusal().text;
  EXPECT_EQ(r->points, c.points);
  const auto back = store.race(kKey);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->lines.size(), 1u);
  EXPECT_EQ(purchaseLineOf(back->lines[0]), c.line);
  EXPECT_EQ(back->lines[0].points, c.points);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuyLine,
    ::testing::Values(
        LineCase{PurchaseLine::box(NewBetType::Sanrentan,
                                   {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 1),
                 0, nullptr, 4896},
        LineCase{PurchaseLine::box(NewBetType::Sanrenpuku, {1, 2, 3, 4}, 2), 16, nullptr, 4},
        LineCase{PurchaseLine::box(NewBetType::Sanrenpuku, {1, 2, 3, 17}, 2), 16, msg::kNotARunner, 0},
        LineCase{PurchaseLine::normal(NewBetType::Umatan, {8, 2}, 5), 8, nullptr, 1},
        LineCase{PurchaseLine::normal(NewBetType::Umatan, {9, 2}, 5), 8, msg::kNotARunner, 0},
        LineCase{PurchaseLine::normal(NewBetType::Umatan, {2, 2}, 5), 8, msg::kLineHorseTwice, 0},
        LineCase{PurchaseLine::nagashi(NewBetType::Sanrentan, {3}, {1, 2, 4}, true, 1), 0, nullptr, 18},
        LineCase{PurchaseLine::formation(NewBetType::Sanrentan, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1), 6,
                 nullptr, 24},
        LineCase{PurchaseLine::formation(NewBetType::Sanrenpuku, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1), 6,
                 nullptr, 14},
        LineCase{PurchaseLine::box(NewBetType::Umatan, {1, 2}, 0), 0, msg::kLineStakeMissing, 0}));

struct WinnerCase {
  NewBetType type;
  Combination combo;
  std::int64_t payout;
  int runners;
  const char* refusal;  // nullptr: accepted
};

class CheckWinner : public ::testing::TestWithParam<WinnerCase> {};

TEST_P(CheckWinner, RefusesWhatCannotHaveWon) {
  const WinnerCase& c = GetParam();
  const auto bad = checkWinner(c.type, c.combo, c.payout, cardOf(c.runners));
  if (!c.refusal) {
    EXPECT_FALSE(bad) << bad->text;
  } else {
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->text, c.refusal);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CheckWinner,
                         ::testing::Values(WinnerCase{NewBetType::Umatan, {3, 7, 0}, 1230, 0, nullptr},
                                           WinnerCase{NewBetType::Umatan, {3, 7, 1}, 1230, 0, msg::kComboSize2},
                                           WinnerCase{NewBetType::Sanrentan, {3, 7, 0}, 1230, 0, msg::kComboSize3},
                                           WinnerCase{NewBetType::Sanrentan, {3, 7, 7}, 1230, 0, msg::kLineHorseTwice},
                                           WinnerCase{NewBetType::Sanrentan, {3, 7, 19}, 1230, 0, msg::kLineHorseRange},
                                           WinnerCase{NewBetType::Sanrentan, {3, 7, 12}, 1230, 10, msg::kNotARunner},
                                           WinnerCase{NewBetType::Sanrenpuku, {3, 7, 12}, 9, 0, msg::kPayoutRange},
                                           WinnerCase{NewBetType::Sanrenpuku, {3, 7, 12}, 10, 0, nullptr},
                                           WinnerCase{NewBetType::Sanrentan, {3, 7, 12}, 999'999'990, 0, nullptr},
                                           WinnerCase{
                                               NewBetType::Sanrentan, {3, 7, 12}, 999'999'991, 0, msg::kPayoutRange}));

TEST(Winners, SanrenpukuIsKeptAscendingAndNotTwice) {
  testing::RunDir dir;
  BetStore store(dir.path());
  ASSERT_TRUE(addWinner(store, kKey, RaceRecord{}, NewBetType::Sanrenpuku, {12, 3, 7}, 5000));
  const Status again = addWinner(store, kKey, RaceRecord{}, NewBetType::Sanrenpuku, {7, 12, 3}, 5000);
  ASSERT_TRUE(again.refused());
  EXPECT_EQ(again.refusal().text, msg::kWinnerTwice);
  // Ordered types keep the order: 1-3-2 is another combination than 1-2-3.
  ASSERT_TRUE(addWinner(store, kKey, RaceRecord{}, NewBetType::Sanrentan, {1, 2, 3}, 100));
  ASSERT_TRUE(addWinner(store, kKey, RaceRecord{}, NewBetType::Sanrentan, {1, 3, 2}, 100));
  const auto r = store.race(kKey);
  ASSERT_TRUE(r);
  ASSERT_EQ(r->winners.size(), 3u);
  EXPECT_EQ(r->winners[0].combo, (Combination{3, 7, 12}));
}

TEST(Scratch, ListsAreSortedDistinctAndEmptyClears) {
  testing::RunDir dir;
  BetStore store(dir.path());
  ASSERT_TRUE(setScratch(store, kKey, {9, 3, 9}, {4, 2}));
  auto r = store.race(kKey);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->scratched, (Horses{3, 9}));
  EXPECT_EQ(r->refundedFrames, (std::vector<int>{2, 4}));
  ASSERT_TRUE(setScratch(store, kKey, {}, {}));
  r = store.race(kKey);
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->empty());
}

TEST(Figures, ARaceWithoutRowsHasTheRecordsFiguresOnly) {
  RaceRecord race;
  race.tanUma[0] = 5;
  race.tanGaku[0] = 1000;
  race.tanKeka[0] = 5;
  race.tanHaitou[0] = 320;
  const RaceBets b = raceBets(race, StoredRace{});
  EXPECT_EQ(b.figures.all.bought, 1000);
  EXPECT_EQ(b.figures.fresh.all, BetFigures{});
}

TEST(Figures, AStoredLineTheRulesRefuseCountsNothing) {
  StoredRace s;
  StoredLine bad;
  bad.type = 2;
  bad.method = 1;
  bad.sets[0] = {1, 2};  // a 3連単 box of two horses
  bad.stake = 1;
  s.lines.push_back(bad);
  s.lines.push_back(storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, 1), 6));
  const RaceBets b = raceBets(RaceRecord{}, s);
  ASSERT_EQ(b.settlement.lines.size(), 2u);
  EXPECT_EQ(b.settlement.lines[0], LineSettlement{});
  EXPECT_EQ(b.figures.all.bought, 600);
}

struct TextCase {
  PurchaseLine line;
  const char* text;
};

TEST(BetText, SetsReadAsBought) {
  const TextCase cases[] = {
      {PurchaseLine::normal(NewBetType::Sanrentan, {3, 7, 12}, 1), "3-7-12"},
      {PurchaseLine::box(NewBetType::Umatan, {1, 4, 7}, 1), "1,4,7"},
      {PurchaseLine::nagashi(NewBetType::Umatan, {4}, {1, 9}, true, 1), "軸 4 ﾏﾙﾁ → 1,9"},
      {PurchaseLine::nagashi(NewBetType::Sanrentan, {4, 5}, {1, 9}, false, 1, {1, 3}), "軸 4,5 (1・3着) → 1,9"},
      {PurchaseLine::nagashi(NewBetType::Sanrenpuku, {4}, {1, 9, 10}, false, 1), "軸 4 → 1,9,10"},
      {PurchaseLine::formation(NewBetType::Umatan, {1}, {2, 3}, {}, 1), "1 / 2,3"},
      {PurchaseLine::formation(NewBetType::Sanrentan, {1}, {2, 3}, {4}, 1), "1 / 2,3 / 4"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(setsText(c.line), c.text);
}

TEST(BetText, NumbersAndNames) {
  const std::pair<std::int64_t, const char*> yen[] = {{0, "0"},
                                                      {999, "999"},
                                                      {1000, "1,000"},
                                                      {29832950, "29,832,950"},
                                                      {-1234567, "-1,234,567"},
                                                      {INT64_MIN, "-9,223,372,036,854,775,808"}};
  for (const auto& [v, t] : yen) EXPECT_EQ(groupedYen(v), t);
  EXPECT_EQ(pointsCostText(4896, 2), "4896点 ・ 合計 979,200円");
  const std::pair<const char*, std::optional<Horses>> combos[] = {
      {"3-7-12", Horses{3, 7, 12}}, {"3", Horses{3}},        {"3-", std::nullopt}, {"-3", std::nullopt},
      {"3-x", std::nullopt},        {"123-4", std::nullopt}, {"", std::nullopt}};
  for (const auto& [text, want] : combos) EXPECT_EQ(parseCombo(text), want) << text;
  EXPECT_EQ(newBetTypeFromText("3連単"), NewBetType::Sanrentan);
  EXPECT_EQ(newBetTypeFromText("umatan"), NewBetType::Umatan);
  EXPECT_EQ(newBetTypeFromText("uma"), std::nullopt);
  EXPECT_EQ(betMethodFromText("formation"), BetMethod::Formation);
  EXPECT_EQ(betMethodFromText("ﾎﾞｯｸｽ"), BetMethod::Box);
  EXPECT_EQ(betMethodFromText("round"), std::nullopt);
}

}  // namespace
}  // namespace tovra
