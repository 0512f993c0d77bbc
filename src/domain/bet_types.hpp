#pragma once
// The five bet types and how a race record keeps them: one table (names, slots of tickets
// and results, how a code reads, the hit marker) and the one hit test of tickets against a
// result. Settlement, race entry, the race window, the tallies, searches, imports and
// printouts all read bet types through this header.
#include <cstdint>
#include <optional>
#include <string>

#include "storage/records.hpp"

namespace tovra {

// In the order of the purchase dialog's pages, which is also the order of the item
// tally's bet-type rows and of the condition tally's bet values 1-5.
enum class BetType { Tan, Fuku, Waku, Wide, Uma };
inline constexpr int kBetTypeCount = 5;
inline constexpr BetType kBetTypes[kBetTypeCount] = {BetType::Tan, BetType::Fuku, BetType::Waku, BetType::Wide,
                                                     BetType::Uma};
// The order of the record's fields, of the race window's ticket lists and of the rank
// tally's 式別 codes 1-5: 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ.
inline constexpr BetType kRecordOrder[kBetTypeCount] = {BetType::Tan, BetType::Fuku, BetType::Waku, BetType::Uma,
                                                        BetType::Wide};
// The orders in which the rank tally and the payout search look at a race's result slots
// (each type's slots in turn): the rank tally's order decides ties among equal payouts,
// the search's the order of its list.
inline constexpr BetType kRankPayoutOrder[kBetTypeCount] = {BetType::Tan, BetType::Waku, BetType::Uma, BetType::Fuku,
                                                            BetType::Wide};
inline constexpr BetType kSearchPayoutOrder[kBetTypeCount] = {BetType::Fuku, BetType::Tan, BetType::Waku, BetType::Uma,
                                                              BetType::Wide};

// How a ticket or result code reads.
enum class CodeLayout {
  Single,   // a horse number 1-18
  Bracket,  // two brackets 1-8, smaller first: a * 10 + b
  Horses,   // two horse numbers, smaller first: a * 100 + b
};

struct BetTypeInfo {
  const char* name;   // "単勝" (UTF-8)
  const char* ascii;  // "tan", as the command line takes it
  int tickets;        // ticket slots of a race: 5 5 16 20 50
  int results;        // result slots: 2 4 2 6 2
  CodeLayout layout;
  int hitMarker;   // added to a result code whose payout a ticket won: 100, or 10 000 for horse pairs
  int maxPick;     // highest number of a pick: 8 brackets for 枠連, 18 horses otherwise
  int recordCode;  // 1-5 in record order (the rank tally's 式別)
};
const BetTypeInfo& betTypeInfo(BetType t);

inline const char* betTypeName(BetType t) { return betTypeInfo(t).name; }
// "単勝" / "tan" / ... (and "ワイド"); none for any other text.
std::optional<BetType> betTypeFromText(const std::string& text);
inline bool isPairType(BetType t) { return betTypeInfo(t).layout != CodeLayout::Single; }
// Pair code multiplier: 10 for brackets, 100 for horse pairs (1 for single numbers).
int pairMultiplier(BetType t);
inline int maxPick(BetType t) { return betTypeInfo(t).maxPick; }
inline int hitMarker(BetType t) { return betTypeInfo(t).hitMarker; }

// Pair code of two picks, smaller first.
int pairCode(BetType t, int a, int b);
// The two numbers of a pair code (the code without its hit marker).
inline int pairFirst(BetType t, int code) { return code / pairMultiplier(t); }
inline int pairSecond(BetType t, int code) { return code % pairMultiplier(t); }
// "3-12" style text of a code (marker removed); a single number for 単勝 and 複勝.
std::string pickText(BetType t, int code);

// A result code as stored: its plain code and whether settlement marked it as won
// (quotient 1 by the marker; any other quotient is no hit).
inline int plainCode(BetType t, int stored) { return stored % hitMarker(t); }
inline bool resultHit(BetType t, int stored) { return stored / hitMarker(t) == 1; }

// A parallel pair of arrays: codes (horse number or pair code) and amounts in yen.
template <typename Code, typename Amount>
struct SlotsT {
  Code* codes;
  Amount* amounts;
  int capacity;
};
using Slots = SlotsT<std::uint16_t, std::int32_t>;
using ConstSlots = SlotsT<const std::uint16_t, const std::int32_t>;

// Tickets (code, stake) and results (code, payout) of a type in a race record.
Slots ticketSlots(RaceRecord& race, BetType t);
ConstSlots ticketSlots(const RaceRecord& race, BetType t);
Slots resultSlots(RaceRecord& race, BetType t);
ConstSlots resultSlots(const RaceRecord& race, BetType t);
// The stake total of the type as settlement stores it (tanGoukei ...).
std::int32_t& stakeTotal(RaceRecord& race, BetType t);
std::int32_t stakeTotal(const RaceRecord& race, BetType t);

// Entries in use: up to the first 0 code or the capacity.
int usedSlots(ConstSlots s);

// What one ticket pays: (stake / 100, truncated) * payout.
std::int64_t ticketPay(std::int32_t stake, std::int32_t payout);

// Which tickets a result is matched against:
//  AllTickets: every ticket slot (settlement's own reading);
//  UpToZeroStake: the 枠連, ﾜｲﾄﾞ and 馬連 lists end at the first ticket with stake 0 (the
//                 condition tally's reading of the lists); 単勝 and 複勝 are read whole.
enum class TicketScan { AllTickets, UpToZeroStake };
// The hit test of a type's tickets against one result (its plain code): whether a ticket
// is on the code, and what the tickets on it pay.
struct TicketMatch {
  bool hit = false;
  std::int64_t pays = 0;
};
TicketMatch matchTickets(const RaceRecord& race, BetType t, int plain, std::int32_t payout,
                         TicketScan scan = TicketScan::AllTickets);

// What a type's tickets returned over its results as settlement marked them: every result
// slot marked as won pays its tickets (a marked slot whose plain code is 0 pays nothing
// when all tickets are read).
std::int64_t betReturn(const RaceRecord& race, BetType t, TicketScan scan);
// Number of the type's result slots marked as won.
int hitResults(const RaceRecord& race, BetType t);

}  // namespace tovra
