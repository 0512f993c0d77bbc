// The WIN5 figures of a range: random WIN5 days in the store, added up by the range walk,
// checked against a plain list settled combination by combination; the course rule and
// the date choice table-driven.
#include <gtest/gtest.h>

#include <random>

#include "common/temp_dir.hpp"
#include "features/bets/win5_figures.hpp"
#include "storage/bet_store.hpp"
#include "storage/win5_store.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

struct PlainDay {
  Win5Date date;
  std::vector<StoredWin5Line> lines;
  std::vector<StoredWin5Winner> winners;
  std::array<std::vector<int>, kWin5LegCount> scratched;
  bool cancelled = false;
};

bool contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// Every combination of a line, one by one: refunded when cancelled or holding a scratched
// horse; else it pays stake × payout of each winner equal to it.
BetFigures plainFigures(const PlainDay& d) {
  BetFigures f;
  for (const StoredWin5Line& line : d.lines) {
    for (int a : line.legs[0])
      for (int b : line.legs[1])
        for (int c : line.legs[2])
          for (int e : line.legs[3])
            for (int g : line.legs[4]) {
              const std::array<int, 5> combo{a, b, c, e, g};
              f.bought += 100LL * line.stake;
              bool refunded = d.cancelled;
              for (std::size_t l = 0; l < 5; ++l) refunded = refunded || contains(d.scratched[l], combo[l]);
              if (refunded) {
                f.refunded += 100LL * line.stake;
                continue;
              }
              for (const StoredWin5Winner& w : d.winners)
                if (w.horses == combo) {
                  f.ret += std::int64_t{line.stake} * w.payout;
                  f.hit = true;
                }
            }
  }
  return f;
}

std::vector<int> distinctHorses(std::mt19937& rng, int n) {
  std::vector<int> all;
  for (int h = 1; h <= 6; ++h) all.push_back(h);
  std::shuffle(all.begin(), all.end(), rng);
  all.resize(static_cast<std::size_t>(n));
  std::sort(all.begin(), all.end());
  return all;
}

TEST(Win5Figures, RangeWalkAddsUpWhatAPlainListSettles) {
  RunDir dir;
  BetStore bets(dir.path());
  Win5Store store(bets);
  std::mt19937 rng(28);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<PlainDay> days;
  for (int i = 0; i < 40; ++i) {
    PlainDay d;
    d.date = {pick(2024, 2026), pick(1, 12), pick(1, 28)};
    bool seen = false;
    for (const PlainDay& o : days) seen = seen || o.date == d.date;
    if (seen) continue;
    ASSERT_TRUE(store.setLegs(d.date, {{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {4, 12}}}));
    for (int n = pick(0, 3); n > 0; --n) {
      StoredWin5Line line;
      line.points = 1;
      for (auto& leg : line.legs) {
        leg = distinctHorses(rng, pick(1, 3));
        line.points *= static_cast<std::int64_t>(leg.size());
      }
      line.stake = pick(1, 30);
      ASSERT_TRUE(store.addLine(d.date, line));
      d.lines.push_back(line);
    }
    if (pick(0, 3) > 0) {
      StoredWin5Winner w;
      for (int& h : w.horses) h = pick(1, 3);
      w.payout = 10 * pick(1, 100000);
      d.winners.push_back(w);
      if (pick(0, 3) == 0) {  // a dead heat in leg 2
        StoredWin5Winner x = w;
        x.horses[1] = w.horses[1] == 1 ? 2 : 1;
        x.payout = 10 * pick(1, 1000);
        d.winners.push_back(x);
      }
      ASSERT_TRUE(store.setWinners(d.date, d.winners));
    }
    if (pick(0, 3) == 0) {
      const int leg = pick(1, 5);
      d.scratched[static_cast<std::size_t>(leg - 1)] = {pick(1, 3)};
      ASSERT_TRUE(store.setScratch(d.date, leg, d.scratched[static_cast<std::size_t>(leg - 1)]));
    }
    if (pick(0, 7) == 0) {
      d.cancelled = true;
      ASSERT_TRUE(store.setCancelled(d.date, true));
    }
    days.push_back(d);
  }
  std::sort(days.begin(), days.end(), [](const PlainDay& a, const PlainDay& b) { return a.date < b.date; });

  const std::vector<std::vector<int>> yearChoices = {{}, {2025}, {2024, 2026}, {2023}};
  for (const auto& years : yearChoices) {
    std::vector<Win5DayFigures> want;
    BetFigures sum;
    for (const PlainDay& d : days) {
      if (!years.empty() && !contains(years, d.date.year)) continue;
      want.push_back({d.date, plainFigures(d)});
      sum += want.back().figures;
    }
    const auto got = win5DayFigures(bets, {years, {}, 0});
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, want) << years.size();
    const auto total = win5RangeFigures(bets, {years, {}, 0});
    ASSERT_TRUE(total);
    EXPECT_EQ(*total, sum);
  }
  // One date, as the main window asks.
  for (const PlainDay& d : days) {
    const auto on = win5FiguresOn(bets, d.date);
    ASSERT_TRUE(on);
    EXPECT_EQ(*on, plainFigures(d));
  }
  EXPECT_EQ(*win5FiguresOn(bets, {2030, 1, 1}), BetFigures{});
}

// Which choices of courses count WIN5: every course or none named.
struct CourseCase {
  std::vector<int> courses;
  bool counts;
};
class Win5CourseRule : public ::testing::TestWithParam<CourseCase> {};

TEST_P(Win5CourseRule, OnlyEveryCourseCountsIt) { EXPECT_EQ(win5CountsFor(GetParam().courses), GetParam().counts); }

INSTANTIATE_TEST_SUITE_P(Cases, Win5CourseRule,
                         ::testing::Values(CourseCase{{}, true}, CourseCase{{4}, false},
                                           CourseCase{{0, 1, 2, 3, 4, 5, 6, 7, 8}, false},
                                           CourseCase{{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, true},
                                           CourseCase{{0, 1, 2, 3, 4, 5, 6, 7, 8, 8}, false}));

// A date of the range alone, and a course filter, on a store of three days.
TEST(Win5Figures, MonthDayAndCoursesChooseTheDays) {
  RunDir dir;
  BetStore bets(dir.path());
  Win5Store store(bets);
  const Win5Date dates[] = {{2025, 10, 19}, {2025, 10, 26}, {2026, 10, 19}};
  for (const Win5Date& d : dates) {
    ASSERT_TRUE(store.setLegs(d, {{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {4, 12}}}));
    StoredWin5Line line;
    for (auto& leg : line.legs) leg = {1};
    line.stake = d.day;  // 1900 or 2600 yen
    line.points = 1;
    ASSERT_TRUE(store.addLine(d, line));
  }
  struct Case {
    Win5Range range;
    std::int64_t bought;
  };
  const Case cases[] = {
      {{{}, {}, 0}, 6400},
      {{{2025}, {}, 0}, 4500},
      {{{}, {}, 1019}, 3800},
      {{{2026}, {}, 1019}, 1900},
      {{{2025}, {}, 1020}, 0},
      {{{}, {4}, 0}, 0},
      {{{}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0}, 6400},
  };
  for (const Case& c : cases) {
    const auto f = win5RangeFigures(bets, c.range);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bought, c.bought) << c.range.monthDay;
  }
  // A store without a file holds no WIN5.
  RunDir empty;
  BetStore none(empty.path());
  const auto f = win5RangeFigures(none, {});
  ASSERT_TRUE(f);
  EXPECT_EQ(*f, BetFigures{});
  EXPECT_FALSE(none.exists());
}

}  // namespace
