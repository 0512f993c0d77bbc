#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "domain/win5.hpp"

using namespace tovra;

namespace tovra {
void PrintTo(const Win5LineSettlement& s, std::ostream* os) {
  *os << s.points << " points, " << s.hits << " hits, " << s.refunds << " refunds, bought " << s.figures.bought
      << " refunded " << s.figures.refunded << " return " << s.figures.ret;
}
}  // namespace tovra

namespace {

Win5Line line(std::array<Horses, kWin5Legs> legs, int stake) { return {std::move(legs), stake}; }

Win5LineSettlement settled(std::int64_t points, std::int64_t hits, std::int64_t refunds, std::int64_t bought,
                           std::int64_t refunded, std::int64_t ret) {
  return {{bought, refunded, ret, hits > 0}, points, hits, refunds};
}

struct DayCase {
  const char* name;
  std::vector<Win5Line> lines;
  Win5Result result;
  std::vector<Win5LineSettlement> expected;
  BetFigures all;
};
void PrintTo(const DayCase& c, std::ostream* os) { *os << c.name; }

Win5Result won(std::vector<Win5Winner> w, std::array<Horses, kWin5Legs> scratched = {}, bool cancelled = false) {
  return {std::move(w), std::move(scratched), cancelled};
}

std::vector<DayCase> days() {
  return {
      {"OneCombinationHit",
       {line({{{3}, {2}, {5}, {1}, {4}}}, 1)},
       won({{{3, 2, 5, 1, 4}, 1234560}}),
       {settled(1, 1, 0, 100, 0, 1234560)},
       {100, 0, 1234560, true}},
      // 2 × 1 × 2 × 1 × 1 = 4 combinations at 200 yen.
      {"FourCombinationsOneHit",
       {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 2), line({{{1}, {2}, {5}, {1}, {4}}}, 1)},
       won({{{3, 2, 5, 1, 4}, 56780}}),
       {settled(4, 1, 0, 800, 0, 113560), settled(1, 0, 0, 100, 0, 0)},
       {900, 0, 113560, true}},
      // Dead heat in leg 3 between 5 and 7: both combinations are paid, each its own payout.
      {"DeadHeatPaysBoth",
       {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1), line({{{3}, {2}, {7}, {1}, {4}}}, 3)},
       won({{{3, 2, 5, 1, 4}, 30000}, {{3, 2, 7, 1, 4}, 28000}}),
       {settled(4, 2, 0, 400, 0, 58000), settled(1, 1, 0, 300, 0, 84000)},
       {700, 0, 142000, true}},
      // Horse 6 scratched in leg 2: the 4 combinations holding it are refunded. Horse 5
      // scratched in leg 1 leaves leg 3's horse 5 alone.
      {"ScratchIsPerLeg",
       {line({{{1, 3}, {2, 6}, {5, 7}, {1}, {4}}}, 1)},
       won({{{1, 2, 7, 1, 4}, 5000}}, {{{5}, {6}, {}, {}, {}}}),
       {settled(8, 1, 4, 800, 400, 5000)},
       {800, 400, 5000, true}},
      {"EveryHorseOfALegScratched",
       {line({{{1}, {2}, {5}, {1, 2}, {4}}}, 5)},
       won({{{1, 2, 5, 1, 4}, 5000}}, {{{}, {}, {}, {1, 2}, {}}}),
       {settled(2, 0, 2, 1000, 1000, 0)},
       {1000, 1000, 0, false}},
      {"CancelledRefundsEverything",
       {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 3)},
       won({{{3, 2, 5, 1, 4}, 56780}}, {}, true),
       {settled(4, 0, 4, 1200, 1200, 0)},
       {1200, 1200, 0, false}},
      {"NobodyWonCarriesOver",
       {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1)},
       won({}),
       {settled(4, 0, 0, 400, 0, 0)},
       {400, 0, 0, false}},
      // A winner entered twice is paid once.
      {"RepeatedWinnerPaysOnce",
       {line({{{3}, {2}, {5}, {1}, {4}}}, 1)},
       won({{{3, 2, 5, 1, 4}, 1000}, {{3, 2, 5, 1, 4}, 1000}}),
       {settled(1, 1, 0, 100, 0, 1000)},
       {100, 0, 1000, true}},
      // 16 × 16 × 16 × 16 × 15 combinations at 99,999 each; the largest payout.
      {"LargestLine",
       {line({{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}},
             99999)},
       won({{{16, 16, 16, 16, 15}, 999999990}}),
       {settled(983040, 1, 0, 9830301696000, 0, 99998999000010)},
       {9830301696000, 0, 99998999000010, true}},
      {"NoLines", {}, won({{{1, 1, 1, 1, 1}, 1000}}), {}, {0, 0, 0, false}},
  };
}

class HandWorkedWin5 : public testing::TestWithParam<DayCase> {};

TEST_P(HandWorkedWin5, LinesAndDay) {
  const DayCase& c = GetParam();
  const Win5Settlement s = settleWin5(c.lines, c.result);
  ASSERT_EQ(s.lines.size(), c.expected.size());
  for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(s.lines[i], c.expected[i]) << i;
  EXPECT_EQ(s.figures, c.all);
}

INSTANTIATE_TEST_SUITE_P(Win5, HandWorkedWin5, testing::ValuesIn(days()),
                         [](const testing::TestParamInfo<DayCase>& i) { return std::string(i.param.name); });

struct CheckCase {
  Win5Line line;
  std::int64_t points;  // 0: refused with `refusal`
  const char* refusal;
};

TEST(Win5, LineChecks) {
  const Horses all16{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const CheckCase rows[] = {
      {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1), 4, nullptr},
      {line({{{18}, {1}, {1}, {1}, {1}}}, 99999), 1, nullptr},
      {line({{all16, all16, all16, all16, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}}, 1), 983040, nullptr},
      {line({{all16, all16, all16, all16, all16}}, 1), 0, msg::kWin5TooMany},
      {line({{{1}, {}, {1}, {1}, {1}}}, 1), 0, msg::kWin5LegEmpty},
      {line({{{1}, {0}, {1}, {1}, {1}}}, 1), 0, msg::kLineHorseRange},
      {line({{{1}, {1}, {1}, {1}, {19}}}, 1), 0, msg::kLineHorseRange},
      {line({{{1}, {1}, {4, 2, 4}, {1}, {1}}}, 1), 0, msg::kLineHorseTwice},
      {line({{{1}, {1}, {1}, {1}, {1}}}, 0), 0, msg::kLineStakeMissing},
      {line({{{1}, {1}, {1}, {1}, {1}}}, 100000), 0, msg::kLineStakeTooLarge},
  };
  for (const CheckCase& c : rows) {
    SCOPED_TRACE(win5LineText(c.line));
    const auto r = checkWin5Line(c.line);
    if (c.points > 0) {
      ASSERT_TRUE(r);
      EXPECT_EQ(*r, c.points);
      EXPECT_EQ(win5Points(c.line), c.points);
    } else {
      ASSERT_TRUE(r.refused());
      EXPECT_EQ(r.refusal().text, c.refusal);
    }
  }
}

TEST(Win5, PayoutAndWinnerChecks) {
  const std::pair<std::int64_t, bool> payouts[] = {{10, true},         {0, false},         {5, false},
                                                   {1235, false},      {999999990, true}, {1000000000, false},
                                                   {-10, false},       {562521610, true}};
  for (auto [p, ok] : payouts) EXPECT_EQ(static_cast<bool>(checkWin5Payout(p)), ok) << p;
  EXPECT_TRUE(checkWin5Winners({{{1, 2, 3, 4, 5}, 1000}, {{1, 2, 3, 4, 6}, 1000}}));
  EXPECT_EQ(checkWin5Winners({{{1, 2, 3, 4, 5}, 1000}, {{1, 2, 3, 4, 5}, 900}}).refusal().text,
            std::string(msg::kWin5WinnerTwice));
  EXPECT_EQ(checkWin5Winners({{{1, 2, 0, 4, 5}, 1000}}).refusal().text, std::string(msg::kLineHorseRange));
  EXPECT_TRUE(checkWin5Winners({{{1, 2, 3, 4, 5}, 15}}).refused());
}

TEST(Win5, DeadHeatSetsExpandToEveryCombination) {
  const auto w = win5WinnersOf({{{3, 4}, {2}, {5}, {1, 9}, {4}}}, 1200);
  const std::vector<Win5Winner> expected{
      {{3, 2, 5, 1, 4}, 1200}, {{3, 2, 5, 9, 4}, 1200}, {{4, 2, 5, 1, 4}, 1200}, {{4, 2, 5, 9, 4}, 1200}};
  EXPECT_EQ(w, expected);
  EXPECT_TRUE(win5WinnersOf({{{3}, {}, {5}, {1}, {4}}}, 1200).empty());
  EXPECT_EQ(win5LineText(line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1)), "1,3/2/5,7/1/4");
}

// Every combination of the line enumerated and looked up one by one.
Win5LineSettlement model(const Win5Line& l, const Win5Result& r) {
  Win5LineSettlement m;
  Win5Combination c{};
  auto visit = [&](auto&& self, std::size_t leg) -> void {
    if (leg == kWin5Legs) {
      ++m.points;
      bool scratched = r.cancelled;
      for (std::size_t i = 0; i < kWin5Legs; ++i)
        for (int h : r.scratched[i]) scratched = scratched || h == c[i];
      if (scratched) {
        ++m.refunds;
        return;
      }
      for (const Win5Winner& w : r.winners) {
        if (w.horses == c) {
          ++m.hits;
          m.figures.ret += w.payout * l.stake;
          return;
        }
      }
      return;
    }
    for (int h : l.legs[leg]) {
      c[leg] = h;
      self(self, leg + 1);
    }
  };
  visit(visit, 0);
  m.figures.bought = m.points * l.stake * 100;
  m.figures.refunded = m.refunds * l.stake * 100;
  m.figures.hit = m.hits > 0;
  return m;
}

TEST(Win5, RandomDaysAgreeWithTheModel) {
  std::mt19937 rng(20261210);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 400; ++round) {
    Win5Result r;
    r.cancelled = pick(0, 9) == 0;
    for (auto& s : r.scratched)
      if (pick(0, 2) == 0) s.push_back(pick(1, 6));
    const int winners = pick(0, 3);
    Win5Combination base{};
    for (int& h : base) h = pick(1, 6);
    for (int i = 0; i < winners; ++i) {
      Win5Combination c = base;
      if (i > 0) c[static_cast<std::size_t>(pick(0, 4))] = pick(1, 6);  // a dead heat in one leg
      r.winners.push_back({c, 10 * pick(1, 100000)});
    }
    std::vector<Win5Line> lines;
    for (int n = pick(0, 4); n > 0; --n) {
      Win5Line l;
      for (auto& leg : l.legs) {
        for (int h = 1; h <= 6; ++h)
          if (pick(0, 1) == 0) leg.push_back(h);
        if (leg.empty()) leg.push_back(pick(1, 6));
      }
      l.stake = pick(1, 20);
      lines.push_back(l);
    }
    const Win5Settlement s = settleWin5(lines, r);
    ASSERT_EQ(s.lines.size(), lines.size());
    BetFigures day;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const Win5LineSettlement m = model(lines[i], r);
      ASSERT_EQ(s.lines[i], m) << round << ' ' << win5LineText(lines[i]);
      day += m.figures;
    }
    EXPECT_EQ(s.figures, day) << round;
  }
}

}  // namespace
