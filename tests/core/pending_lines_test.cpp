// The purchase dialog's pending new-type lines: which stored and new lines each step of
// deletes and adds leaves, and that applying them leaves the store holding exactly those.
#include <gtest/gtest.h>

#include "common/temp_dir.hpp"
#include "features/bets/pending_lines.hpp"
#include "features/bets/race_bets.hpp"

namespace tovra {
namespace {

const RaceKey kKey{{2013, 5, 6, 2}, 11};
const RaceRecord kBlankCard{};

const PurchaseLine kA = PurchaseLine::box(NewBetType::Umatan, {1, 2}, 1);
const PurchaseLine kB = PurchaseLine::normal(NewBetType::Sanrenpuku, {1, 2, 3}, 2);
const PurchaseLine kC = PurchaseLine::normal(NewBetType::Umatan, {5, 6}, 3);
const PurchaseLine kD = PurchaseLine::formation(NewBetType::Umatan, {7}, {8, 9}, {}, 4);

// A step: delete row `row` of `type` as the page shows it, or add `line` (row -2).
struct Step {
  NewBetType type;
  int row;
  PurchaseLine line;
};

struct PendingCase {
  const char* name;
  std::vector<Step> steps;
  std::vector<PurchaseLine> after;  // the store's lines after apply, in order
};

class Pending : public ::testing::TestWithParam<PendingCase> {};

TEST_P(Pending, ApplyLeavesTheStoreHoldingWhatTheDialogShowed) {
  testing::RunDir dir;
  BetStore store(dir.path());
  for (const PurchaseLine& l : {kA, kB, kC}) ASSERT_TRUE(buyLine(store, kKey, kBlankCard, l));
  PendingLines pending(store.race(kKey)->lines);
  EXPECT_FALSE(pending.changed());
  for (const Step& s : GetParam().steps) {
    if (s.row == -2)
      ASSERT_TRUE(pending.add(s.line, kBlankCard));
    else
      ASSERT_TRUE(pending.remove(s.type, s.row));
  }
  EXPECT_EQ(pending.changed(), (GetParam().after != std::vector<PurchaseLine>{kA, kB, kC}));
  ASSERT_TRUE(pending.apply(store, kKey, kBlankCard));
  std::vector<PurchaseLine> now = purchaseLinesOf(*store.race(kKey));
  EXPECT_EQ(now, GetParam().after);
  // What the pages showed is what the store holds now.
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku})
    EXPECT_EQ(pending.texts(t), PendingLines(store.race(kKey)->lines).texts(t));
}

const NewBetType U = NewBetType::Umatan;
const NewBetType S = NewBetType::Sanrenpuku;

INSTANTIATE_TEST_SUITE_P(
    Cases, Pending,
    ::testing::Values(PendingCase{"nothing", {}, {kA, kB, kC}},
                      PendingCase{"second umatan deleted", {{U, 1, {}}}, {kA, kB}},
                      PendingCase{"first and last deleted", {{U, 0, {}}, {U, 0, {}}}, {kB}},
                      PendingCase{"added then deleted again", {{U, -2, kD}, {U, 2, {}}}, {kA, kB, kC}},
                      PendingCase{"deleted and added", {{S, 0, {}}, {U, -2, kD}, {S, -2, kB}}, {kA, kC, kD, kB}}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& c : n)
        if (c == ' ') c = '_';
      return n;
    });

TEST(PendingLines, RefusalsChangeNothing) {
  PendingLines pending({});
  EXPECT_EQ(pending.remove(U, -1).refusal().text, msg::kLineToDelete);
  EXPECT_EQ(pending.remove(U, 0).refusal().text, msg::kLineToDelete);
  RaceRecord card;
  card.shutsubaWaku[0] = card.shutsubaWaku[1] = 1;
  EXPECT_EQ(pending.add(kC, card).refusal().text, msg::kNotARunner);
  EXPECT_EQ(pending.add(PurchaseLine::box(S, {1, 2}, 1), kBlankCard).refusal().text, msg::kLineBox3);
  EXPECT_FALSE(pending.changed());
  EXPECT_TRUE(pending.texts(U).empty());
}

TEST(PendingLines, TextShowsTheSetsAboveThePointsAndCost) {
  EXPECT_EQ(purchaseLineText(
                PurchaseLine::formation(NewBetType::Sanrentan, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 10), 24),
            "ﾌｫｰﾒｰｼｮﾝ 1,2 / 1,2,3,4 / 1,2,3,4,5,6\n  24点 ・ 合計 24,000円");
}

}  // namespace
}  // namespace tovra
