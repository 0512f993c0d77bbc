#pragma once
// The state of a race as a meeting record keeps it (KaisaiRecord::raceJoutai), written by
// settlement and read by the meeting view, the race window, the tallies and searches:
// the units digit says what the race holds, the tens digit whether a bought ticket hit.
// Settlement writes only 0, 1, 2, 11 and 12.
#include <cstdint>

namespace tovra {

inline constexpr std::uint16_t kRaceEmpty = 0;   // nothing entered
inline constexpr std::uint16_t kRaceData = 1;    // items, results, runners or a comment, no tickets
inline constexpr std::uint16_t kRaceBought = 2;  // tickets bought
inline constexpr std::uint16_t kRaceHitFlag = 10;

// Anything entered (data or tickets): units digit not 0.
inline bool raceHoldsData(int joutai) { return joutai % 10 != 0; }
// Tickets bought: units digit 2.
inline bool raceBought(int joutai) { return joutai % 10 == 2; }
// A bought ticket hit: tens digit 1.
inline bool raceHit(int joutai) { return joutai / 10 % 10 == 1; }
// Bought and hit: exactly 12, the races the item and rank tallies and the hit rate count.
inline bool raceBoughtAndHit(int joutai) { return joutai == kRaceBought + kRaceHitFlag; }
// The state with the hit flag set.
inline std::uint16_t withHitFlag(int joutai) { return static_cast<std::uint16_t>(joutai % 10 + kRaceHitFlag); }

}  // namespace tovra
