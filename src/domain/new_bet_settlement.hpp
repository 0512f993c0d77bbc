#pragma once
// Settlement of 馬単, 3連複 and 3連単: a race's purchase lines against its results, its
// scratched horses (返還) and its special payouts (特払), giving the figures of each line,
// of each type and of the race. Plain values in, plain values out; no file access.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "domain/bet_points.hpp"

namespace tovra {

inline constexpr int kNewBetTypeCount = 3;
inline constexpr std::size_t typeIndex(NewBetType t) { return static_cast<std::size_t>(t); }

// Payouts are yen per 100 yen bought. Up to nine digits are paid; figures stay exact in
// 64 bits for every line checkLine accepts with a payout up to this.
inline constexpr std::int64_t kMaxPayout = 999'999'999;

// One winning combination of a type and what it pays per 100 yen. The horses are in
// finishing order for 馬単 and 3連単 (馬単 leaves the third 0); for 3連複 any order.
struct WinningCombination {
  Combination combo{};
  std::int64_t payout = 0;
  bool operator==(const WinningCombination&) const = default;
};

// The result of one type: every combination paid (two or more after a dead heat), and
// the special payout per 100 yen the type paid when nobody held a winning ticket.
struct TypeResult {
  std::vector<WinningCombination> winners;
  std::optional<std::int64_t> special;
  bool operator==(const TypeResult&) const = default;
};

// What a race's settlement of the new types reads besides its lines.
struct NewBetResults {
  std::array<TypeResult, kNewBetTypeCount> byType;  // by typeIndex
  Horses scratched;                                 // 出走取消・競走除外

  TypeResult& of(NewBetType t) { return byType[typeIndex(t)]; }
  const TypeResult& of(NewBetType t) const { return byType[typeIndex(t)]; }
};

// Money figures in yen. Refunds are neither purchase nor return.
struct BetFigures {
  std::int64_t bought = 0;    // points × stake
  std::int64_t refunded = 0;  // stakes of the points refunded for a scratched horse
  std::int64_t ret = 0;       // what the points paid (winning combinations and 特払)
  bool hit = false;           // a point matched a winning combination

  std::int64_t purchase() const { return bought - refunded; }
  std::int64_t balance() const { return ret - purchase(); }
  // 回収率: return / purchase × 100; none for a purchase of 0.
  std::optional<double> rate() const;

  bool operator==(const BetFigures&) const = default;
};

// Figures added up: races to a day, days to a range. Sums stop at the 64-bit limit
// instead of wrapping; hit when either was.
BetFigures addFigures(const BetFigures& a, const BetFigures& b);
BetFigures& operator+=(BetFigures& a, const BetFigures& b);

// The figures per type and for all the new types together.
struct NewBetFigures {
  std::array<BetFigures, kNewBetTypeCount> byType;  // by typeIndex
  BetFigures all;

  const BetFigures& of(NewBetType t) const { return byType[typeIndex(t)]; }
  bool operator==(const NewBetFigures&) const = default;
};
NewBetFigures& operator+=(NewBetFigures& a, const NewBetFigures& b);

// One line settled: its figures and how many of its points won and were refunded.
struct LineSettlement {
  BetFigures figures;
  int points = 0;
  int hits = 0;
  int refunds = 0;
  bool operator==(const LineSettlement&) const = default;
};

struct NewBetSettlement {
  std::vector<LineSettlement> lines;  // in the order of the lines given
  NewBetFigures figures;
};

// Settles the lines of one race (lines checkLine accepts). A point holding a scratched
// horse is refunded whatever the result. Any other point returns stake × payout of the
// winning combination it matches (3連複 as sets; one payout per point), else stake × 特払
// when its type has one, else nothing.
NewBetSettlement settleNewBets(const std::vector<PurchaseLine>& lines, const NewBetResults& results);

}  // namespace tovra
