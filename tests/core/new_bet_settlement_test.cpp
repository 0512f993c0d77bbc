#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "domain/new_bet_settlement.hpp"

using namespace tovra;

namespace tovra {
void PrintTo(const BetFigures& f, std::ostream* os) {
  *os << "bought " << f.bought << " refunded " << f.refunded << " return " << f.ret << (f.hit ? " hit" : "");
}
void PrintTo(const LineSettlement& s, std::ostream* os) {
  *os << s.points << " points, " << s.hits << " hits, " << s.refunds << " refunds, ";
  PrintTo(s.figures, os);
}
}  // namespace tovra

namespace {

constexpr auto U = NewBetType::Umatan;
constexpr auto F = NewBetType::Sanrenpuku;
constexpr auto T = NewBetType::Sanrentan;

struct Win {
  NewBetType type;
  Combination combo;
  std::int64_t payout;
};
struct Special {
  NewBetType type;
  std::int64_t payout;
};

NewBetResults results(const std::vector<Win>& wins, Horses scratched = {}, const std::vector<Special>& specials = {}) {
  NewBetResults r;
  for (const Win& w : wins) r.of(w.type).winners.push_back({w.combo, w.payout});
  for (const Special& s : specials) r.of(s.type).special = s.payout;
  r.scratched = std::move(scratched);
  return r;
}

// A line's expected settlement, worked by hand: bought, refunded and return in yen.
LineSettlement line(int points, int hits, int refunds, std::int64_t bought, std::int64_t refunded, std::int64_t ret) {
  return {{bought, refunded, ret, hits > 0}, points, hits, refunds};
}

struct RaceCase {
  const char* name;
  std::vector<PurchaseLine> lines;
  NewBetResults results;
  std::vector<LineSettlement> expected;  // one per line
  BetFigures all;
};
void PrintTo(const RaceCase& c, std::ostream* os) { *os << c.name; }

// Horse numbers below are the test's own; the payouts of the dead heat are those JRA paid
// on 2012-08-04 at 新潟, race 5 (a dead heat for second).
std::vector<RaceCase> races() {
  return {
      {"UmatanHit",
       {PurchaseLine::normal(U, {3, 7}, 2), PurchaseLine::normal(U, {7, 3}, 1)},
       results({{U, {3, 7, 0}, 1230}}),
       {line(1, 1, 0, 200, 0, 2460), line(1, 0, 0, 100, 0, 0)},
       {300, 0, 2460, true}},
      {"SanrenpukuHitAsSet",
       {PurchaseLine::normal(F, {12, 3, 7}, 1), PurchaseLine::normal(F, {3, 7, 11}, 4)},
       results({{F, {7, 12, 3}, 4560}}),
       {line(1, 1, 0, 100, 0, 4560), line(1, 0, 0, 400, 0, 0)},
       {500, 0, 4560, true}},
      {"SanrentanHit",
       {PurchaseLine::normal(T, {5, 1, 9}, 3), PurchaseLine::normal(T, {1, 5, 9}, 1)},
       results({{T, {5, 1, 9}, 123450}}),
       {line(1, 1, 0, 300, 0, 370350), line(1, 0, 0, 100, 0, 0)},
       {400, 0, 370350, true}},
      {"SanrentanBox",
       {PurchaseLine::box(T, {1, 2, 3, 4}, 1), PurchaseLine::box(T, {1, 2, 3}, 5)},
       results({{T, {4, 2, 1}, 8760}}),
       {line(24, 1, 0, 2400, 0, 8760), line(6, 0, 0, 3000, 0, 0)},
       {5400, 0, 8760, true}},
      // 1着{1,2} 2着{1-4} 3着{1-6}: 14 sets of 3連複 and 24 orders of 3連単; {1,3,6} is
      // among the sets, 6-1-3 not among the orders.
      {"FormationsMatchAsSetsOnlyFor3renpuku",
       {PurchaseLine::formation(F, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1),
        PurchaseLine::formation(T, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1)},
       results({{F, {6, 1, 3}, 15000}, {T, {6, 1, 3}, 98000}}),
       {line(14, 1, 0, 1400, 0, 15000), line(24, 0, 0, 2400, 0, 0)},
       {3800, 0, 15000, true}},
      // Dead heat for second between 4 and 9 behind 7: 7-4-9 and 7-9-4 are both paid.
      {"DeadHeatNiigata5R",
       {PurchaseLine::nagashi(T, {7}, {4, 9}, false, 1), PurchaseLine::normal(T, {7, 9, 4}, 5),
        PurchaseLine::nagashi(U, {7}, {4, 9, 12}, false, 2), PurchaseLine::normal(F, {9, 7, 4}, 1)},
       results({{T, {7, 4, 9}, 29832950},
                {T, {7, 9, 4}, 14916520},
                {U, {7, 4, 0}, 2450},
                {U, {7, 9, 0}, 1380},
                {F, {4, 7, 9}, 3210}}),
       {line(2, 2, 0, 200, 0, 44749470), line(1, 1, 0, 500, 0, 74582600), line(3, 2, 0, 600, 0, 7660),
        line(1, 1, 0, 100, 0, 3210)},
       {1400, 0, 119342940, true}},
      // Horse 2 scratched: of 24 orders of {1,2,3,4}, the 6 of {1,3,4} stay.
      {"ScratchRefundsThePointsHoldingTheHorse",
       {PurchaseLine::box(T, {1, 2, 3, 4}, 1), PurchaseLine::normal(F, {2, 5, 6}, 3),
        PurchaseLine::nagashi(U, {1}, {2, 3}, true, 2)},
       results({{T, {4, 3, 1}, 5000}, {U, {3, 1, 0}, 700}}, {2}),
       {line(24, 1, 18, 2400, 1800, 5000), line(1, 0, 1, 300, 300, 0), line(4, 1, 2, 800, 400, 1400)},
       {3500, 2500, 6400, true}},
      // A winning combination holding a scratched horse cannot be: the point is refunded.
      {"ScratchBeforeWin",
       {PurchaseLine::normal(T, {1, 2, 3}, 1)},
       results({{T, {1, 2, 3}, 5000}}, {3}),
       {line(1, 0, 1, 100, 100, 0)},
       {100, 100, 0, false}},
      // 特払 of 70 yen per 100: every point of the type returns it, none is a hit.
      {"SpecialPayout",
       {PurchaseLine::box(T, {1, 2, 3}, 2), PurchaseLine::nagashi(F, {4}, {5, 6, 7}, false, 1),
        PurchaseLine::normal(U, {1, 2}, 1)},
       results({}, {}, {{T, 70}, {F, 70}}),
       {line(6, 0, 0, 1200, 0, 840), line(3, 0, 0, 300, 0, 210), line(1, 0, 0, 100, 0, 0)},
       {1600, 0, 1050, false}},
      {"SpecialPayoutAndScratch",
       {PurchaseLine::box(T, {1, 2, 3, 4}, 2), PurchaseLine::box(T, {1, 2, 3}, 1)},
       results({}, {3}, {{T, 70}}),
       {line(24, 0, 18, 4800, 3600, 840), line(6, 0, 6, 600, 600, 0)},
       {5400, 4200, 840, false}},
      {"NoLines", {}, results({{T, {1, 2, 3}, 5000}}), {}, {0, 0, 0, false}},
      // 18 horses, 99,999 per point: 4,896 points; every point returns the largest payout.
      {"LargestLine",
       {PurchaseLine::box(T, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 99999),
        PurchaseLine::box(F, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 99999)},
       results({{F, {18, 17, 16}, 999999999}}, {}, {{T, 999999999}}),
       {line(4896, 0, 0, 48959510400, 0, 489595103510404896), line(816, 1, 0, 8159918400, 0, 99998999900001)},
       {57119428800, 0, 489695102510304897, true}},
  };
}

class HandWorkedRace : public testing::TestWithParam<RaceCase> {};

TEST_P(HandWorkedRace, LinesTypesAndRace) {
  const RaceCase& c = GetParam();
  const NewBetSettlement s = settleNewBets(c.lines, c.results);
  ASSERT_EQ(s.lines.size(), c.expected.size());
  std::array<BetFigures, 3> byType{};
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.lines[i], c.expected[i]);
    auto& t = byType[static_cast<std::size_t>(c.lines[i].type)];
    t.bought += c.expected[i].figures.bought;
    t.refunded += c.expected[i].figures.refunded;
    t.ret += c.expected[i].figures.ret;
    t.hit = t.hit || c.expected[i].figures.hit;
  }
  for (auto t : {U, F, T}) EXPECT_EQ(s.figures.of(t), byType[static_cast<std::size_t>(t)]) << newBetTypeAscii(t);
  EXPECT_EQ(s.figures.all, c.all);
}

INSTANTIATE_TEST_SUITE_P(NewBetSettlement, HandWorkedRace, testing::ValuesIn(races()),
                         [](const testing::TestParamInfo<RaceCase>& i) { return std::string(i.param.name); });

struct Derived {
  BetFigures f;
  std::int64_t purchase, balance;
  std::optional<double> rate;
};

TEST(NewBetSettlement, PurchaseBalanceAndRate) {
  const Derived rows[] = {
      {{300, 0, 2460, true}, 300, 2160, 820.0},
      {{3500, 2500, 6400, true}, 1000, 5400, 640.0},
      {{1200, 0, 0, false}, 1200, -1200, 0.0},
      {{100, 100, 0, false}, 0, 0, std::nullopt},  // all refunded: no rate
      {{0, 0, 0, false}, 0, 0, std::nullopt},
      {{48959510400, 0, 489595103510404896, false}, 48959510400, 489595054550894496, 999999999.0},
  };
  for (const Derived& d : rows) {
    SCOPED_TRACE(testing::PrintToString(d.f));
    EXPECT_EQ(d.f.purchase(), d.purchase);
    EXPECT_EQ(d.f.balance(), d.balance);
    ASSERT_EQ(d.f.rate().has_value(), d.rate.has_value());
    if (d.rate) {
      EXPECT_DOUBLE_EQ(*d.f.rate(), *d.rate);
    }
  }
}

TEST(NewBetSettlement, FiguresAddUpAndStopAtTheLimit) {
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  struct Sum {
    BetFigures a, b, sum;
  };
  const Sum rows[] = {
      {{300, 0, 2460, true}, {1200, 800, 280, false}, {1500, 800, 2740, true}},
      {{0, 0, 0, false}, {0, 0, 0, false}, {0, 0, 0, false}},
      {{100, 0, 0, false}, {100, 100, 0, false}, {200, 100, 0, false}},
      {{1, 0, kMax - 5, false}, {1, 0, 10, true}, {2, 0, kMax, true}},
  };
  for (const Sum& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.a));
    EXPECT_EQ(addFigures(r.a, r.b), r.sum);
    BetFigures acc = r.a;
    acc += r.b;
    EXPECT_EQ(acc, r.sum);
  }
  // Races of a day into the day's figures, per type and for all types.
  const auto race1 = settleNewBets({PurchaseLine::normal(U, {3, 7}, 2)}, results({{U, {3, 7, 0}, 1230}}));
  const auto race2 = settleNewBets({PurchaseLine::box(T, {1, 2, 3, 4}, 2)}, results({}, {3}, {{T, 70}}));
  NewBetFigures day;
  day += race1.figures;
  day += race2.figures;
  EXPECT_EQ(day.of(U), (BetFigures{200, 0, 2460, true}));
  EXPECT_EQ(day.of(F), (BetFigures{}));
  EXPECT_EQ(day.of(T), (BetFigures{4800, 3600, 840, false}));
  EXPECT_EQ(day.all, (BetFigures{5000, 3600, 3300, true}));
}

// --- Against a model of its own: random lines, results and scratches ---

bool in(const Horses& s, int h) { return std::find(s.begin(), s.end(), h) != s.end(); }

// Whether the finishing order t (2 or 3 horses) is bought by the line, read from the
// betting rules; 3連複 takes any order of the set.
bool buys(const PurchaseLine& l, const std::vector<int>& t) {
  const auto& s = l.sets;
  if (l.type == F) {
    std::vector<int> p = t;
    std::sort(p.begin(), p.end());
    do {
      PurchaseLine ordered = l;
      ordered.type = T;
      if (buys(ordered, p)) return true;
    } while (std::next_permutation(p.begin(), p.end()));
    return false;
  }
  switch (l.method) {
    case BetMethod::Normal: return s[0] == t;
    case BetMethod::Box: return std::all_of(t.begin(), t.end(), [&](int h) { return in(s[0], h); });
    case BetMethod::Formation:
      for (std::size_t i = 0; i < t.size(); ++i)
        if (!in(s[i], t[i])) return false;
      return true;
    case BetMethod::Nagashi: break;
  }
  // 流し with one axis horse at place places[0], or anywhere for マルチ.
  const int a = s[0][0];
  if (l.multi ? !in(t, a) : t[static_cast<std::size_t>(l.places[0] - 1)] != a) return false;
  return std::all_of(t.begin(), t.end(), [&](int h) { return h == a || in(s[1], h); });
}

struct ModelLine {
  int points = 0, hits = 0, refunds = 0;
  std::int64_t ret = 0;
};

ModelLine model(const PurchaseLine& l, const std::vector<std::pair<std::vector<int>, std::int64_t>>& wins,
                std::int64_t special, const Horses& scratched) {
  ModelLine m;
  const int size = l.type == U ? 2 : 3;
  for (int a = 1; a <= 18; ++a)
    for (int b = 1; b <= 18; ++b)
      for (int c = 1; c <= (size == 3 ? 18 : 1); ++c) {
        std::vector<int> t{a, b};
        if (size == 3) t.push_back(c);
        if (a == b || (size == 3 && (c == a || c == b))) continue;
        if (l.type == F && !(a < b && b < c)) continue;  // each set once
        if (!buys(l, t)) continue;
        ++m.points;
        if (std::any_of(t.begin(), t.end(), [&](int h) { return in(scratched, h); })) {
          ++m.refunds;
          continue;
        }
        bool won = false;
        for (const auto& [combo, payout] : wins) {
          std::vector<int> w = combo;
          if (l.type == F) std::sort(w.begin(), w.end());
          if (w == t) {
            won = true;
            m.ret += l.stake * payout;
            break;
          }
        }
        if (won)
          ++m.hits;
        else
          m.ret += l.stake * special;
      }
  return m;
}

TEST(NewBetSettlement, RandomRacesAgreeWithTheModel) {
  std::mt19937 rng(2512);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // n distinct horses of 1-top.
  auto randomSet = [&](int n, int top = 18) {
    Horses all;
    for (int h = 1; h <= top; ++h) all.push_back(h);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(n));
    return all;
  };
  int checkedLines = 0, refundedPoints = 0, hitPoints = 0;
  for (int race = 0; race < 150; ++race) {
    NewBetResults res;
    res.scratched = randomSet(pick(0, 3));
    std::vector<std::pair<std::vector<int>, std::int64_t>> wins[3];
    std::int64_t specials[3] = {};
    for (auto t : {U, F, T}) {
      const auto ti = static_cast<std::size_t>(t);
      if (pick(0, 5) == 0) {
        specials[ti] = pick(0, 1) ? 70 : 80;
        res.of(t).special = specials[ti];
      }
      // One winning order, and a second after a dead heat.
      for (int k = pick(1, 2); k > 0; --k) {
        const Horses w = randomSet(t == U ? 2 : 3, 8);
        const std::int64_t payout = pick(100, 3000000);
        wins[ti].emplace_back(w, payout);
        res.of(t).winners.push_back({{w[0], w[1], t == U ? 0 : w[2]}, payout});
      }
    }
    // Lines of half the races among the horses the winners come from, so that they hit.
    const int top = race % 2 ? 18 : 10;
    std::vector<PurchaseLine> lines;
    for (int i = pick(1, 6); i > 0; --i) {
      const auto t = static_cast<NewBetType>(pick(0, 2));
      const int size = t == U ? 2 : 3;
      const int stake = pick(1, 99999);
      PurchaseLine l;
      switch (pick(0, 3)) {
        case 0: l = PurchaseLine::normal(t, randomSet(size, top), stake); break;
        case 1: l = PurchaseLine::box(t, randomSet(pick(size, 8), top), stake); break;
        case 2: {
          Horses all = randomSet(pick(size, 9), top);
          Horses axis{all.back()};
          all.pop_back();
          const bool multi = t != F && pick(0, 1);
          l = PurchaseLine::nagashi(t, axis, all, multi, stake, {pick(1, size), 1});
          break;
        }
        default:
          l = PurchaseLine::formation(t, randomSet(pick(1, 6), top), randomSet(pick(1, 6), top),
                                      t == U ? Horses{} : randomSet(pick(1, 6), top), stake);
      }
      if (checkLine(l)) lines.push_back(l);
    }
    const NewBetSettlement s = settleNewBets(lines, res);
    ASSERT_EQ(s.lines.size(), lines.size());
    BetFigures all;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto ti = static_cast<std::size_t>(lines[i].type);
      const ModelLine m = model(lines[i], wins[ti], specials[ti], res.scratched);
      const std::int64_t stake = lines[i].stake;
      const LineSettlement expected =
          line(m.points, m.hits, m.refunds, m.points * stake * 100, m.refunds * stake * 100, m.ret);
      EXPECT_EQ(s.lines[i], expected) << "race " << race << " line " << i;
      all.bought += expected.figures.bought;
      all.refunded += expected.figures.refunded;
      all.ret += expected.figures.ret;
      all.hit = all.hit || expected.figures.hit;
      ++checkedLines;
      refundedPoints += m.refunds;
      hitPoints += m.hits;
    }
    EXPECT_EQ(s.figures.all, all) << "race " << race;
  }
  // The draw reaches what it is meant to check.
  EXPECT_GT(checkedLines, 300);
  EXPECT_GT(refundedPoints, 100);
  EXPECT_GT(hitPoints, 30);
}

}  // namespace
