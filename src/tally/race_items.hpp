#pragma once
// Reading a race the way the tallies need it: the digits of its race items, and per bet
// type its tickets, its results with their hit flags and what the tickets returned.
#include <cstdint>

#include "ledger/records.hpp"

namespace tovra::tally {

// The positions of `koumoku` (0 everywhere while no items are entered).
namespace items {
inline int age(std::uint32_t k) { return static_cast<int>(k / 10000000); }
inline int raceClass(std::uint32_t k) { return static_cast<int>((k % 10000000) / 100000); }  // two digits
inline int kind(std::uint32_t k) { return static_cast<int>((k % 100000) / 10000); }
inline int sex(std::uint32_t k) { return static_cast<int>((k % 10000) / 1000); }
inline int weight(std::uint32_t k) { return static_cast<int>((k % 1000) / 100); }
inline int track(std::uint32_t k) { return static_cast<int>((k % 100) / 10); }
inline int going(std::uint32_t k) { return static_cast<int>(k % 10); }
}  // namespace items

// The five bet types in the tallies' order (the item tally's slots, the condition
// tally's bet-type values 1-5).
enum class BetType { Tan = 0, Fuku, Waku, Wide, Uma };
inline constexpr int kBetTypes = 5;

// One bet type of a race: its tickets (code, stake), its result slots (code with the hit
// flag, payout) and its stake total as the settlement stored it.
struct BetView {
  const std::uint16_t* codes;
  const std::int32_t* stakes;
  int tickets;
  const std::uint16_t* results;
  const std::int32_t* payouts;
  int slots;
  int modulus;  // 100 (単勝 複勝 枠連) or 10 000 (馬連 ﾜｲﾄﾞ): plain code = value % modulus
  std::int32_t total;
};
BetView betView(const RaceRecord& race, BetType type);

// The settlement's hit flag: value / modulus = 1 (any other quotient is no hit).
inline bool hitFlag(const BetView& v, int slot) { return v.results[slot] / v.modulus == 1; }
// A result slot of the type carries the hit flag.
bool anyHit(const BetView& v);
// Number of the type's result slots carrying the hit flag.
int hitCount(const BetView& v);

// What the type's tickets returned: for every flagged result slot, (stake / 100) × payout of
// each ticket on the result's plain code.
//  AllTickets: every ticket slot, a flagged result whose plain code is 0 pays nothing (the
//              settlement's own rule);
//  UpToZeroStake: the 枠連, ﾜｲﾄﾞ and 馬連 lists end at the first ticket with stake 0 (the
//              condition tally's reading of the lists).
enum class TicketScan { AllTickets, UpToZeroStake };
std::int64_t betReturn(const BetView& v, TicketScan scan);

}  // namespace tovra::tally
