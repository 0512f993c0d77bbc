#include "domain/win5.hpp"

#include <algorithm>
#include <bitset>
#include <limits>

namespace tovra {

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

std::int64_t addSat(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_add_overflow(a, b, &r)) return kMax;
  return r;
}

std::int64_t mulSat(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_mul_overflow(a, b, &r)) return kMax;
  return r;
}

using Marks = std::bitset<kMaxHorse + 1>;

Marks marksOf(const Horses& hs) {
  Marks m;
  for (int h : hs)
    if (h >= 1 && h <= kMaxHorse) m.set(static_cast<std::size_t>(h));
  return m;
}

Refusal refuse(const char* text) { return Refusal{MsgIcon::Error, text}; }

}  // namespace

std::int64_t win5Points(const Win5Line& line) {
  std::int64_t n = 1;
  for (const Horses& leg : line.legs) n = mulSat(n, static_cast<std::int64_t>(leg.size()));
  return n;
}

Result<std::int64_t> checkWin5Line(const Win5Line& line) {
  for (const Horses& leg : line.legs) {
    if (leg.empty()) return refuse(msg::kWin5LegEmpty);
    Marks seen;
    for (int h : leg) {
      if (h < 1 || h > kMaxHorse) return refuse(msg::kLineHorseRange);
      if (seen.test(static_cast<std::size_t>(h))) return refuse(msg::kLineHorseTwice);
      seen.set(static_cast<std::size_t>(h));
    }
  }
  const std::int64_t points = win5Points(line);
  if (points > kWin5MaxPoints) return refuse(msg::kWin5TooMany);
  if (line.stake <= 0) return refuse(msg::kLineStakeMissing);
  if (line.stake > kWin5MaxStake) return refuse(msg::kLineStakeTooLarge);
  return points;
}

Status checkWin5Payout(std::int64_t payout) {
  if (payout < 10 || payout > kWin5MaxPayout || payout % 10 != 0) return refuse(msg::kWin5PayoutBad);
  return Done{};
}

Status checkWin5Winners(const std::vector<Win5Winner>& winners) {
  for (std::size_t i = 0; i < winners.size(); ++i) {
    for (int h : winners[i].horses)
      if (h < 1 || h > kMaxHorse) return refuse(msg::kLineHorseRange);
    if (Status s = checkWin5Payout(winners[i].payout); !s) return s;
    for (std::size_t j = 0; j < i; ++j)
      if (winners[j].horses == winners[i].horses) return refuse(msg::kWin5WinnerTwice);
  }
  return Done{};
}

std::vector<Win5Winner> win5WinnersOf(const std::array<Horses, kWin5Legs>& legWinners, std::int64_t payout) {
  std::vector<Win5Winner> out;
  for (const Horses& leg : legWinners)
    if (leg.empty()) return out;
  std::array<std::size_t, kWin5Legs> at{};
  for (;;) {
    Win5Winner w;
    w.payout = payout;
    for (std::size_t l = 0; l < kWin5Legs; ++l) w.horses[l] = legWinners[l][at[l]];
    out.push_back(w);
    std::size_t l = kWin5Legs;
    while (l > 0) {
      --l;
      if (++at[l] < legWinners[l].size()) break;
      at[l] = 0;
      if (l == 0) return out;
    }
  }
}

Win5Settlement settleWin5(const std::vector<Win5Line>& lines, const Win5Result& result) {
  std::array<Marks, kWin5Legs> scratched;
  for (std::size_t l = 0; l < kWin5Legs; ++l) scratched[l] = marksOf(result.scratched[l]);

  Win5Settlement out;
  out.lines.reserve(lines.size());
  for (const Win5Line& line : lines) {
    Win5LineSettlement s;
    s.points = win5Points(line);
    const std::int64_t stake = line.stake;
    if (result.cancelled) {
      s.refunds = s.points;
    } else {
      // The combinations kept are those of the horses not scratched in each leg.
      std::array<Marks, kWin5Legs> chosen;
      std::int64_t kept = 1;
      for (std::size_t l = 0; l < kWin5Legs; ++l) {
        chosen[l] = marksOf(line.legs[l]) & ~scratched[l];
        kept = mulSat(kept, static_cast<std::int64_t>(chosen[l].count()));
      }
      s.refunds = s.points - kept;
      std::int64_t ret = 0;
      for (std::size_t i = 0; i < result.winners.size(); ++i) {
        const Win5Winner& w = result.winners[i];
        const bool repeated = std::any_of(result.winners.begin(), result.winners.begin() + static_cast<std::ptrdiff_t>(i),
                                          [&](const Win5Winner& o) { return o.horses == w.horses; });
        if (repeated) continue;
        bool held = true;
        for (std::size_t l = 0; l < kWin5Legs && held; ++l) {
          const int h = w.horses[l];
          held = h >= 1 && h <= kMaxHorse && chosen[l].test(static_cast<std::size_t>(h));
        }
        if (!held) continue;
        ++s.hits;
        ret = addSat(ret, mulSat(stake, w.payout));
      }
      s.figures.ret = ret;
    }
    s.figures.bought = mulSat(mulSat(s.points, stake), 100);
    s.figures.refunded = mulSat(mulSat(s.refunds, stake), 100);
    s.figures.hit = s.hits > 0;
    out.figures += s.figures;
    out.lines.push_back(s);
  }
  return out;
}

std::string win5LineText(const Win5Line& line) {
  std::string t;
  for (std::size_t l = 0; l < kWin5Legs; ++l) {
    if (l > 0) t += '/';
    for (std::size_t i = 0; i < line.legs[l].size(); ++i) {
      if (i > 0) t += ',';
      t += std::to_string(line.legs[l][i]);
    }
  }
  return t;
}

}  // namespace tovra
