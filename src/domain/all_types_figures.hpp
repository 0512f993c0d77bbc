#pragma once
// The figures of a race over all eight bet types: the five types the race record holds,
// settled as the record's settlement settles them but with the tickets of scratched horses
// (返還) refunded, and 馬単, 3連複 and 3連単 as their own settlement gives them. With no
// scratched horse, no refunded frame and no new-type line they are the record's own
// figures exactly. Plain values in, plain values out; no file access.
#include <array>
#include <vector>

#include "domain/bet_types.hpp"
#include "domain/new_bet_settlement.hpp"
#include "storage/records.hpp"

namespace tovra {

// The figures of the five record types, in the order of BetType (kBetTypes: 単勝 複勝 枠連
// ﾜｲﾄﾞ 馬連), not the record's order; index them with oldTypeIndex.
using OldTypeFigures = std::array<BetFigures, kBetTypeCount>;
inline constexpr std::size_t oldTypeIndex(BetType t) { return static_cast<std::size_t>(t); }

// Per type:
//   bought    the stakes of every ticket slot, as settlement sums them (tanGoukei ...);
//   refunded  the stakes of the tickets holding a scratched horse (単勝 複勝 its horse, 馬連
//             ﾜｲﾄﾞ either horse of the pair) or, for 枠連, either frame of `refundedFrames`;
//   ret       what the other tickets paid on the results, as settlement pays them (the
//             stake truncated to 100 yen times the payout); a refunded ticket pays nothing
//             even when its code won;
//   hit       a ticket that is not refunded was on a result.
// Horses outside 1-18 and frames outside 1-8 mark nothing.
OldTypeFigures oldTypeFigures(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames);
// Whether one ticket (its plain code) is refunded as oldTypeFigures refunds it.
bool ticketRefunded(BetType t, int code, const Horses& scratched, const std::vector<int>& refundedFrames);
// The five types added up.
BetFigures oldFiguresTotal(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames);
BetFigures figuresTotal(const OldTypeFigures& byType);

// A race's figures (or a day's, a range's after +=): the five record types, the new types,
// and all eight together.
struct AllTypesFigures {
  OldTypeFigures old{};
  NewBetFigures fresh;
  BetFigures all;

  const BetFigures& of(BetType t) const { return old[oldTypeIndex(t)]; }
  const BetFigures& of(NewBetType t) const { return fresh.of(t); }
  bool operator==(const AllTypesFigures&) const = default;
};
AllTypesFigures& operator+=(AllTypesFigures& a, const AllTypesFigures& b);

// The figures of one race: its record's tickets with `scratched` and `refundedFrames`
// refunded, and its new-type lines as `fresh` settled them (over the same scratched horses).
AllTypesFigures allTypesFigures(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames,
                                const NewBetSettlement& fresh);

}  // namespace tovra
