// The race window's view of 馬単, 3連複 and 3連単: rows cut to the list's width, the marks
// on lines and results, and the 全式別 texts taken from the race's figures.
#include <gtest/gtest.h>

#include "features/main/race_bets_view.hpp"

using namespace tovra;

namespace tovra {
void PrintTo(const BetsRowView& r, std::ostream* os) {
  *os << "{\"" << r.text << "\", " << r.hit << ", " << r.refunded << "}";
}
}  // namespace tovra

namespace {

struct WrapCase {
  const char* text;
  int width, indent;
  std::vector<std::string> rows;
};

class WrapRows : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapRows, CutsAfterCommasWithinTheWidth) {
  const WrapCase& c = GetParam();
  EXPECT_EQ(wrapRows(c.text, c.width, c.indent), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, WrapRows,
                         ::testing::Values(WrapCase{"", 10, 0, {""}}, WrapCase{"3-7-12", 10, 2, {"3-7-12"}},
                                           WrapCase{"1,2,3,4,5,6", 6, 2, {"1,2,3,", "  4,5,", "  6"}},
                                           // Half-width kana take one byte, kanji two.
                                           WrapCase{"ﾎﾞｯｸｽ 1,2", 9, 1, {"ﾎﾞｯｸｽ 1,2"}},
                                           WrapCase{"ﾎﾞｯｸｽ 1,2", 8, 1, {"ﾎﾞｯｸｽ 1,", " 2"}},
                                           WrapCase{"軸 12,13", 5, 0, {"軸", "12,13"}},
                                           // No place to cut: cut where the width ends.
                                           WrapCase{"123456789", 4, 0, {"1234", "5678", "9"}}));

// A dead heat for second paid two 3連単 orders (the payouts of 2012-08-04 新潟5R).
StoredRace deadHeat() {
  StoredRace s;
  StoredLine box;  // 3連単 ﾎﾞｯｸｽ 1,4,14 at 100 yen: 6 points
  box.type = 2;
  box.method = 1;
  box.sets[0] = {1, 4, 14};
  box.stake = 1;
  box.points = 6;
  StoredLine scratched;  // 馬単 通常 4-9 at 200 yen, 9 scratched
  scratched.type = 0;
  scratched.method = 0;
  scratched.sets[0] = {4, 9};
  scratched.stake = 2;
  scratched.points = 1;
  s.lines = {box, scratched};
  s.winners = {{2, {4, 1, 14}, 29832950}, {2, {4, 14, 1}, 14916520}, {2, {4, 2, 1}, 500}};
  s.special[1] = 70;
  s.scratched = {9};
  return s;
}

TEST(RaceBetsView, DeadHeatScratchAndFigures) {
  const RaceBets bets = raceBets(RaceRecord{}, deadHeat());
  const RaceBetsView v = formatRaceBetsView(bets, 48);
  EXPECT_TRUE(v.holdsBets);
  const std::vector<BetsRowView> lines = {
      {" 1 3連単 ﾎﾞｯｸｽ    6点 ・ 合計 600円", true, false},
      {"   1,4,14", true, false},
      {"   的中 2点  44,749,470円", true, false},
      {" 2 馬単  通常     1点 ・ 合計 200円", false, true},
      {"   4-9", false, true},
      {"   返還 1点  200円", false, true},
  };
  EXPECT_EQ(v.lines, lines);
  const std::vector<BetsRowView> results = {
      {"3連複 特払               70円", false, false},
      {"3連単 4-1-14     29,832,950円  的中", true, false},
      {"3連単 4-14-1     14,916,520円  的中", true, false},
      {"3連単 4-2-1             500円", false, false},
      {"返還馬番  9", false, true},
  };
  EXPECT_EQ(v.results, results);
  // Bought 800, refunded 200: purchase 600, return 44,749,470.
  EXPECT_EQ(v.bought, "       800円");
  EXPECT_EQ(v.refunded, "       200円");
  EXPECT_EQ(v.purchase, "       600円");
  EXPECT_EQ(v.ret, "  44749470円");
  EXPECT_EQ(v.balance, "  44748870円");
  EXPECT_TRUE(v.plus);
}

TEST(RaceBetsView, NothingStoredShowsTheRecordsFigures) {
  RaceRecord race{};
  race.tanUma[0] = 5;
  race.tanGaku[0] = 1000;
  const RaceBetsView v = formatRaceBetsView(raceBets(race, StoredRace{}), 48);
  EXPECT_FALSE(v.holdsBets);
  EXPECT_TRUE(v.lines.empty() && v.results.empty());
  EXPECT_EQ(v.purchase, "      1000円");
  EXPECT_EQ(v.ret, "         0円");
  EXPECT_EQ(v.rate, "      0.0％");
  EXPECT_FALSE(v.plus);
}

// winnerBought against a plain model: a winner is marked when some line of its type holds it
// among the points it was not refunded for.
TEST(RaceBetsView, WinnerMarksMatchTheLinesPoints) {
  StoredRace s = deadHeat();
  const RaceBets bets = raceBets(RaceRecord{}, s);
  for (const StoredWinner& w : s.winners) {
    bool model = false;
    for (int a : s.lines[0].sets[0])
      for (int b : s.lines[0].sets[0])
        for (int c : s.lines[0].sets[0])
          if (a != b && b != c && a != c && std::array<int, 3>{a, b, c} == w.combo) model = true;
    EXPECT_EQ(winnerBought(bets, w), model) << w.combo[0] << "-" << w.combo[1] << "-" << w.combo[2];
  }
}

}  // namespace
