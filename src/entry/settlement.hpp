#pragma once
// Race settlement: matches a race's tickets against its results and stores the race's
// purchase, balance, status and hit marks and the day's totals. The one place where
// money is computed from tickets and payouts.
#include <cstdint>
#include <optional>

#include "ledger/records.hpp"

namespace tovra {

// Settles race r (0..11) of the meeting day in memory. No file access.
void settleRace(KaisaiRecord& kaisai, RaceBlock& races, int r);
void settleAllRaces(KaisaiRecord& kaisai, RaceBlock& races);

// Money is kept in signed 32-bit yen; sums are computed in 64 bits and stored
// saturated at the 32-bit limits instead of wrapping.
std::int32_t saturate32(std::int64_t v);

// What one ticket pays: (stake / 100, truncated) * payout.
std::int64_t ticketPay(std::int32_t stake, std::int32_t payout);

// 回収率: return / purchase * 100; none for a purchase of 0.
std::optional<double> recoveryRate(std::int64_t purchase, std::int64_t ret);
// 的中率: hit races / bought races * 100; none when nothing was bought.
std::optional<double> hitRate(std::int64_t hitRaces, std::int64_t boughtRaces);

// A race's status digits.
inline bool raceBought(int joutai) { return joutai % 10 == 2; }
inline bool raceHit(int joutai) { return joutai / 10 == 1; }

}  // namespace tovra
