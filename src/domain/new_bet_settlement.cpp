#include "domain/new_bet_settlement.hpp"

#include <algorithm>
#include <bitset>
#include <limits>

#include "domain/settlement.hpp"

namespace tovra {

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::int64_t addSat(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) return b > 0 ? kMax : kMin;
  return r;
}

std::int64_t mulSat(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_mul_overflow(a, b, &r)) return (a < 0) == (b < 0) ? kMax : kMin;
  return r;
}

// A combination as the points of its type hold it: 3連複 ascending, 馬単 without a third.
Combination normalized(NewBetType t, Combination c) {
  if (t == NewBetType::Umatan) c[2] = 0;
  if (!isOrdered(t)) std::sort(c.begin(), c.end());
  return c;
}

using HorseMarks = std::bitset<kMaxHorse + 1>;

bool holdsMarked(const Combination& c, const HorseMarks& marks) {
  for (int h : c)
    if (h >= 1 && h <= kMaxHorse && marks.test(static_cast<std::size_t>(h))) return true;
  return false;
}

LineSettlement settleLine(const PurchaseLine& line, const std::vector<WinningCombination>& winners,
                          const std::optional<std::int64_t>& special, const HorseMarks& scratched) {
  LineSettlement s;
  const std::vector<Combination> points = expandPoints(line);
  s.points = static_cast<int>(points.size());
  const std::int64_t stake = line.stake;
  std::int64_t ret = 0;
  for (const Combination& p : points) {
    if (holdsMarked(p, scratched)) {
      ++s.refunds;
      continue;
    }
    const auto won =
        std::find_if(winners.begin(), winners.end(), [&](const WinningCombination& w) { return w.combo == p; });
    if (won != winners.end()) {
      ++s.hits;
      ret = addSat(ret, mulSat(stake, won->payout));
    } else if (special) {
      ret = addSat(ret, mulSat(stake, *special));
    }
  }
  s.figures.bought = mulSat(mulSat(s.points, stake), 100);
  s.figures.refunded = mulSat(mulSat(s.refunds, stake), 100);
  s.figures.ret = ret;
  s.figures.hit = s.hits > 0;
  return s;
}

}  // namespace

std::optional<double> BetFigures::rate() const { return recoveryRate(purchase(), ret); }

BetFigures addFigures(const BetFigures& a, const BetFigures& b) {
  BetFigures s;
  s.bought = addSat(a.bought, b.bought);
  s.refunded = addSat(a.refunded, b.refunded);
  s.ret = addSat(a.ret, b.ret);
  s.hit = a.hit || b.hit;
  return s;
}

BetFigures& operator+=(BetFigures& a, const BetFigures& b) { return a = addFigures(a, b); }

NewBetFigures& operator+=(NewBetFigures& a, const NewBetFigures& b) {
  for (std::size_t t = 0; t < a.byType.size(); ++t) a.byType[t] += b.byType[t];
  a.all += b.all;
  return a;
}

NewBetSettlement settleNewBets(const std::vector<PurchaseLine>& lines, const NewBetResults& results) {
  HorseMarks scratched;
  for (int h : results.scratched)
    if (h >= 1 && h <= kMaxHorse) scratched.set(static_cast<std::size_t>(h));

  std::array<std::vector<WinningCombination>, kNewBetTypeCount> winners;
  for (auto t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
    for (WinningCombination w : results.of(t).winners) {
      w.combo = normalized(t, w.combo);
      winners[typeIndex(t)].push_back(w);
    }
  }

  NewBetSettlement out;
  out.lines.reserve(lines.size());
  for (const PurchaseLine& line : lines) {
    const std::size_t t = typeIndex(line.type);
    LineSettlement s = settleLine(line, winners[t], results.byType[t].special, scratched);
    out.figures.byType[t] += s.figures;
    out.figures.all += s.figures;
    out.lines.push_back(s);
  }
  return out;
}

}  // namespace tovra
