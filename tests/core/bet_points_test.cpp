#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "domain/bet_points.hpp"

using namespace tovra;

namespace tovra {
// A line as a failing test prints it.
void PrintTo(const PurchaseLine& l, std::ostream* os) {
  *os << newBetTypeAscii(l.type) << ' ' << betMethodName(l.method);
  for (const Horses& s : l.sets) {
    *os << " {";
    for (int h : s) *os << h << ' ';
    *os << '}';
  }
  *os << (l.multi ? " multi" : "") << " places " << l.places[0] << ',' << l.places[1] << " stake " << l.stake;
}
}  // namespace tovra

namespace {

constexpr auto U = NewBetType::Umatan;
constexpr auto F = NewBetType::Sanrenpuku;
constexpr auto T = NewBetType::Sanrentan;

// The horses in a scattered order, so that lines are not given sorted.
Horses horses(int from, int count) {
  Horses h;
  for (int i = from; i < from + count; ++i) h.push_back((i * 7) % 18 + 1);
  return h;
}

bool in(const Horses& s, int h) { return std::find(s.begin(), s.end(), h) != s.end(); }

// Whether a finishing order (ordered types) or a set of horses (3連複, ascending) is a
// point of the line, read straight from the betting rules.
bool isPoint(const PurchaseLine& l, const std::vector<int>& t) {
  const auto& s = l.sets;
  const auto size = t.size();
  switch (l.method) {
    case BetMethod::Normal: {
      Horses c = s[0];
      if (l.type == F) std::sort(c.begin(), c.end());
      return c == t;
    }
    case BetMethod::Box: return std::all_of(t.begin(), t.end(), [&](int h) { return in(s[0], h); });
    case BetMethod::Formation:
      if (l.type != F) {
        for (std::size_t i = 0; i < size; ++i)
          if (!in(s[i], t[i])) return false;
        return true;
      } else {
        std::vector<int> p = t;
        do {
          if (in(s[0], p[0]) && in(s[1], p[1]) && in(s[2], p[2])) return true;
        } while (std::next_permutation(p.begin(), p.end()));
        return false;
      }
    case BetMethod::Nagashi: break;
  }
  // 流し: every axis horse runs in the point (at its place when fixed), every other horse
  // of the point is a partner.
  for (std::size_t i = 0; i < s[0].size(); ++i) {
    const int a = s[0][i];
    if (l.type != F && !l.multi) {
      if (t[static_cast<std::size_t>(l.places[i] - 1)] != a) return false;
    } else if (!in(t, a)) {
      return false;
    }
  }
  return std::all_of(t.begin(), t.end(), [&](int h) { return in(s[0], h) || in(s[1], h); });
}

// Every point of the line by trying every finishing order (or set) of 1-18 in turn.
std::vector<Combination> bruteForce(const PurchaseLine& l) {
  std::vector<Combination> out;
  const bool three = l.type != U;
  for (int a = 1; a <= 18; ++a)
    for (int b = 1; b <= 18; ++b)
      for (int c = three ? 1 : 0; c <= (three ? 18 : 0); ++c) {
        if (a == b || (three && (c == a || c == b))) continue;
        if (l.type == F && !(a < b && b < c)) continue;
        std::vector<int> t{a, b};
        if (three) t.push_back(c);
        if (isPoint(l, t)) out.push_back({a, b, c});
      }
  return out;
}

// The lines of one method, with n and k over their whole ranges.
struct Family {
  const char* name;
  std::vector<PurchaseLine> lines;
};
void PrintTo(const Family& f, std::ostream* os) { *os << f.name << ", " << f.lines.size() << " lines"; }

std::vector<Family> families() {
  std::vector<Family> v;
  v.push_back({"Normal",
               {PurchaseLine::normal(U, {12, 3}, 1), PurchaseLine::normal(F, {12, 3, 7}, 1),
                PurchaseLine::normal(T, {12, 3, 7}, 1), PurchaseLine::normal(T, {18, 17, 1}, 1)}});
  Family box{"Box", {}};
  for (int n = 2; n <= 18; ++n) box.lines.push_back(PurchaseLine::box(U, horses(0, n), 1));
  for (int n = 3; n <= 18; ++n) {
    box.lines.push_back(PurchaseLine::box(F, horses(0, n), 1));
    box.lines.push_back(PurchaseLine::box(T, horses(0, n), 1));
  }
  v.push_back(box);
  // 流し: every place of a fixed axis and マルチ
  Family uma{"UmatanNagashi", {}};
  for (int k = 1; k <= 17; ++k) {
    uma.lines.push_back(PurchaseLine::nagashi(U, horses(0, 1), horses(1, k), false, 1, {1, 2}));
    uma.lines.push_back(PurchaseLine::nagashi(U, horses(0, 1), horses(1, k), false, 1, {2, 1}));
    uma.lines.push_back(PurchaseLine::nagashi(U, horses(0, 1), horses(1, k), true, 1));
  }
  v.push_back(uma);
  Family one{"OneAxis", {}};
  for (int k = 2; k <= 17; ++k) {
    one.lines.push_back(PurchaseLine::nagashi(F, horses(5, 1), horses(6, k), false, 1));
    for (int p = 1; p <= 3; ++p)
      one.lines.push_back(PurchaseLine::nagashi(T, horses(5, 1), horses(6, k), false, 1, {p, 1}));
    one.lines.push_back(PurchaseLine::nagashi(T, horses(5, 1), horses(6, k), true, 1));
  }
  v.push_back(one);
  Family two{"TwoAxes", {}};
  for (int k = 1; k <= 16; ++k) {
    two.lines.push_back(PurchaseLine::nagashi(F, horses(3, 2), horses(5, k), false, 1));
    for (int p = 1; p <= 3; ++p)
      for (int q = 1; q <= 3; ++q)
        if (p != q) two.lines.push_back(PurchaseLine::nagashi(T, horses(3, 2), horses(5, k), false, 1, {p, q}));
    two.lines.push_back(PurchaseLine::nagashi(T, horses(3, 2), horses(5, k), true, 1));
  }
  v.push_back(two);
  // ﾌｫｰﾒｰｼｮﾝ: sets that overlap, and random sets of every size
  Family form{"Formation", {}};
  for (auto t : {U, F, T}) {
    const auto third = [t](Horses h) { return t == U ? Horses{} : h; };
    form.lines.push_back(PurchaseLine::formation(t, {1, 2}, {1, 2, 3, 4}, third({1, 2, 3, 4, 5, 6}), 1));
    form.lines.push_back(PurchaseLine::formation(t, {5}, {5, 6}, third({5, 6, 7}), 1));
    form.lines.push_back(PurchaseLine::formation(t, horses(0, 18), horses(0, 18), third(horses(0, 18)), 1));
  }
  std::mt19937 rng(25);
  std::uniform_int_distribution<int> size(1, 18);
  auto randomSet = [&] {
    Horses all = horses(0, 18);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<std::size_t>(size(rng)));
    return all;
  };
  for (int i = 0; i < 60; ++i) {
    for (auto t : {U, F, T}) {
      auto l = PurchaseLine::formation(t, randomSet(), randomSet(), t == U ? Horses{} : randomSet(), 1);
      if (!bruteForce(l).empty()) form.lines.push_back(l);
    }
  }
  v.push_back(form);
  return v;
}

class EveryLine : public testing::TestWithParam<Family> {};

TEST_P(EveryLine, CountAndExpansionMatchEveryFinishingOrder) {
  for (const PurchaseLine& l : GetParam().lines) {
    SCOPED_TRACE(testing::PrintToString(l));
    const auto expected = bruteForce(l);
    const auto checked = checkLine(l);
    ASSERT_TRUE(checked) << checked.refusal().text;
    EXPECT_EQ(*checked, static_cast<int>(expected.size()));
    EXPECT_EQ(pointCount(l), static_cast<int>(expected.size()));
    EXPECT_EQ(expandPoints(l), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(BetPoints, EveryLine, testing::ValuesIn(families()),
                         [](const testing::TestParamInfo<Family>& i) { return std::string(i.param.name); });

struct Count {
  PurchaseLine line;
  int points;
};

TEST(BetPoints, CountsOfBettorsTables) {
  const Count rows[] = {
      {PurchaseLine::formation(T, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1), 24},
      {PurchaseLine::formation(F, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1), 14},
      {PurchaseLine::box(U, horses(0, 18), 1), 306},
      {PurchaseLine::box(F, horses(0, 18), 1), 816},
      {PurchaseLine::box(T, horses(0, 18), 1), 4896},
      {PurchaseLine::formation(T, horses(0, 18), horses(0, 18), horses(0, 18), 1), 4896},
      {PurchaseLine::nagashi(U, {1}, {2, 3, 4, 5, 6}, false, 1), 5},
      {PurchaseLine::nagashi(U, {1}, {2, 3, 4, 5, 6}, true, 1), 10},
      {PurchaseLine::nagashi(F, {1}, {2, 3, 4, 5, 6}, false, 1), 10},
      {PurchaseLine::nagashi(F, {1, 2}, {3, 4, 5, 6, 7}, false, 1), 5},
      {PurchaseLine::nagashi(T, {1}, {2, 3, 4, 5, 6}, false, 1), 20},
      {PurchaseLine::nagashi(T, {1}, {2, 3, 4, 5, 6}, true, 1), 60},
      {PurchaseLine::nagashi(T, {1, 2}, {3, 4, 5, 6, 7}, false, 1), 5},
      {PurchaseLine::nagashi(T, {1, 2}, {3, 4, 5, 6, 7}, true, 1), 30},
      // マルチ reads no places.
      {PurchaseLine::nagashi(T, {1, 2}, {3, 4, 5, 6, 7}, true, 1, {3, 3}), 30},
      {PurchaseLine::normal(T, {1, 2, 3}, kMaxPointStake), 1},
  };
  for (const auto& r : rows) {
    const auto checked = checkLine(r.line);
    ASSERT_TRUE(checked) << testing::PrintToString(r.line) << ": " << checked.refusal().text;
    EXPECT_EQ(*checked, r.points) << testing::PrintToString(r.line);
  }
}

TEST(BetPoints, PointsInFinishingOrderOrAscendingSets) {
  EXPECT_EQ(expandPoints(PurchaseLine::normal(T, {12, 3, 7}, 1)), (std::vector<Combination>{{12, 3, 7}}));
  EXPECT_EQ(expandPoints(PurchaseLine::normal(F, {12, 3, 7}, 1)), (std::vector<Combination>{{3, 7, 12}}));
  EXPECT_EQ(expandPoints(PurchaseLine::nagashi(U, {4}, {9, 2}, false, 1, {2, 1})),
            (std::vector<Combination>{{2, 4, 0}, {9, 4, 0}}));
}

struct Refused {
  PurchaseLine line;
  const char* text;
};

TEST(BetPoints, BadLinesAreRefusedWithTheirMessage) {
  const Refused rows[] = {
      {PurchaseLine::normal(U, {0, 3}, 1), msg::kLineHorseRange},
      {PurchaseLine::box(F, {1, 2, 19}, 1), msg::kLineHorseRange},
      {PurchaseLine::nagashi(T, {1}, {2, 19}, false, 1), msg::kLineHorseRange},
      {PurchaseLine::normal(U, {3, 3}, 1), msg::kLineHorseTwice},
      {PurchaseLine::normal(T, {1, 2, 1}, 1), msg::kLineHorseTwice},
      {PurchaseLine::box(T, {1, 2, 3, 2}, 1), msg::kLineHorseTwice},
      {PurchaseLine::normal(U, {1, 2, 3}, 1), msg::kLineCombo2},
      {PurchaseLine::normal(F, {1, 2}, 1), msg::kLineCombo3},
      {PurchaseLine::box(U, {5}, 1), msg::kLineBox2},
      {PurchaseLine::box(T, {1, 2}, 1), msg::kLineBox3},
      {PurchaseLine::nagashi(U, {1, 2}, {3, 4}, false, 1), msg::kLineAxis1},
      {PurchaseLine::nagashi(T, {}, {3, 4}, false, 1), msg::kLineAxis12},
      {PurchaseLine::nagashi(F, {1, 2, 3}, {4, 5}, false, 1), msg::kLineAxis12},
      {PurchaseLine::nagashi(T, {1}, {1, 2, 3}, false, 1), msg::kLineAxisPartner},
      {PurchaseLine::nagashi(U, {1}, {}, false, 1), msg::kLinePartner1},
      {PurchaseLine::nagashi(T, {1, 2}, {}, true, 1), msg::kLinePartner1},
      {PurchaseLine::nagashi(F, {1}, {2}, false, 1), msg::kLinePartner2},
      {PurchaseLine::nagashi(T, {1}, {2}, true, 1), msg::kLinePartner2},
      {PurchaseLine::nagashi(U, {1}, {2}, false, 1, {3, 1}), msg::kLinePlace},
      {PurchaseLine::nagashi(T, {1}, {2, 3}, false, 1, {0, 1}), msg::kLinePlace},
      {PurchaseLine::nagashi(T, {1, 2}, {3}, false, 1, {2, 2}), msg::kLinePlace},
      {PurchaseLine::nagashi(T, {1, 2}, {3}, false, 1, {1, 4}), msg::kLinePlace},
      {PurchaseLine::nagashi(F, {1}, {2, 3}, true, 1), msg::kLineMulti},
      {PurchaseLine::formation(T, {1}, {2}, {}, 1), msg::kLineFormation},
      {PurchaseLine::formation(U, {1}, {2}, {3}, 1), msg::kLineSetsBad},
      {[] {
         auto l = PurchaseLine::box(U, {1, 2}, 1);
         l.sets[1] = {3};
         return l;
       }(),
       msg::kLineSetsBad},
      {PurchaseLine::formation(U, {1}, {1}, {}, 1), msg::kLineNoPoint},
      {PurchaseLine::formation(F, {1, 2}, {1, 2}, {1, 2}, 1), msg::kLineNoPoint},
      {PurchaseLine::normal(U, {1, 2}, 0), msg::kLineStakeMissing},
      {PurchaseLine::normal(U, {1, 2}, -1), msg::kLineStakeMissing},
      {PurchaseLine::box(T, horses(0, 18), kMaxPointStake + 1), msg::kLineStakeTooLarge},
  };
  for (const auto& r : rows) {
    const auto checked = checkLine(r.line);
    ASSERT_TRUE(checked.refused()) << testing::PrintToString(r.line);
    EXPECT_EQ(checked.refusal().text, r.text) << testing::PrintToString(r.line);
    EXPECT_EQ(checked.refusal().icon, MsgIcon::Error);
  }
}

}  // namespace
