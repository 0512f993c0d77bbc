#pragma once
// The five bet types and where each keeps its tickets and results in a RaceRecord.
#include <cstdint>
#include <optional>
#include <string>

#include "ledger/records.hpp"

namespace tovra {

// In the order of the purchase dialog's pages.
enum class BetType { Tan, Fuku, Waku, Wide, Uma };
inline constexpr BetType kBetTypes[] = {BetType::Tan, BetType::Fuku, BetType::Waku, BetType::Wide, BetType::Uma};

const char* betTypeName(BetType t);                  // "単勝" .. "馬連"
std::optional<BetType> betTypeFromText(const std::string& text);  // "単勝" / "tan" ...
bool isPairType(BetType t);                          // 枠連, ﾜｲﾄﾞ, 馬連
// Pair code multiplier: 10 for 枠連 (brackets), 100 for horse pairs.
int pairMultiplier(BetType t);
// Highest number of a pick: 8 brackets for 枠連, 18 horses otherwise.
int maxPick(BetType t);
// The hit marker added to a result code: 100 (単勝, 複勝, 枠連) or 10000 (馬連, ﾜｲﾄﾞ).
int hitMarker(BetType t);

// A parallel pair of arrays: codes (horse number or pair code) and amounts in yen.
template <typename Code, typename Amount>
struct SlotsT {
  Code* codes;
  Amount* amounts;
  int capacity;
};
using Slots = SlotsT<std::uint16_t, std::int32_t>;
using ConstSlots = SlotsT<const std::uint16_t, const std::int32_t>;

// Tickets (code, stake): capacities 5, 5, 16, 20, 50.
Slots ticketSlots(RaceRecord& race, BetType t);
ConstSlots ticketSlots(const RaceRecord& race, BetType t);
// Results (code, payout): capacities 2, 4, 2, 6, 2.
Slots resultSlots(RaceRecord& race, BetType t);
ConstSlots resultSlots(const RaceRecord& race, BetType t);

// Entries in use: up to the first 0 code or the capacity.
int usedSlots(ConstSlots s);

// Pair code of two picks, smaller first.
int pairCode(BetType t, int a, int b);
// "3-12" style text of a code (marker removed); a single number for 単勝 and 複勝.
std::string pickText(BetType t, int code);

}  // namespace tovra
