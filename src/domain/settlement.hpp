#pragma once
// Race settlement: matches a race's tickets against its results (the hit test of
// domain/bet_types.hpp) and stores the race's purchase, balance, state and hit marks and
// the day's totals. The one place where a race's money is computed and stored.
#include <array>
#include <cstdint>
#include <optional>

#include "domain/bet_types.hpp"
#include "storage/records.hpp"

namespace tovra {

// Settles race r (0..11) of the meeting day in memory. No file access.
void settleRace(KaisaiRecord& kaisai, RaceBlock& races, int r);
void settleAllRaces(KaisaiRecord& kaisai, RaceBlock& races);

// A race's purchase and return as the settlement computes them, in 64 bits.
struct RaceMoney {
  std::int64_t purchase, ret;
};
RaceMoney raceMoney(const RaceRecord& race);
// One type's share of it: the stakes of all its ticket slots (what settlement stores in
// tanGoukei ...), what its tickets on the results paid, and whether a ticket was on a
// result (what sets the race's hit flag).
struct TypeMoney {
  std::int64_t stakes = 0, ret = 0;
  bool hit = false;
};
// Per type, in the order of BetType (kBetTypes); stakes and returns add up to raceMoney.
std::array<TypeMoney, kBetTypeCount> raceTypeMoney(const RaceRecord& race);
// Whether they fit the record's signed 32-bit fields. Entry refuses a ticket or a
// payout that would make them not fit.
bool raceMoneyFits(const RaceRecord& race);
// What the other eleven races of the day add to the day's totals (race r left out), as the
// meeting record holds them: their purchases and returns (purchase + balance).
RaceMoney otherRacesMoney(const KaisaiRecord& kaisai, int r);
// Whether the day's totals with this race (its money added to `others`) still fit the
// meeting record's signed 32-bit day fields. Entry refuses a ticket or a payout that
// would make them not fit.
bool dayMoneyFits(const RaceRecord& race, const RaceMoney& others);

// Money is kept in signed 32-bit yen; sums are computed in 64 bits and stored
// saturated at the 32-bit limits instead of wrapping: the last guard for ledgers
// written elsewhere, which entry never lets it come to.
std::int32_t saturate32(std::int64_t v);

// 回収率: return / purchase * 100; none for a purchase of 0.
std::optional<double> recoveryRate(std::int64_t purchase, std::int64_t ret);
// 的中率: hit races / bought races * 100; none when nothing was bought.
std::optional<double> hitRate(std::int64_t hitRaces, std::int64_t boughtRaces);

}  // namespace tovra
