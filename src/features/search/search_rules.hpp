#pragma once
// The tests of the four searches on one race, and what takes part in a search at all.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "domain/bet_points.hpp"
#include "features/search/width_fold.hpp"
#include "storage/bet_store.hpp"
#include "storage/records.hpp"

namespace tovra::search {

// Search types as the engine numbers them.
enum class SearchType { Bamei = 0, RaceMei = 1, Jyusho = 2, Haitou = 3 };

// A race takes part when it holds data (units digit of its state not 0) and, for a
// hit-only search, when a bought ticket hit (tens digit 1).
bool raceTakesPart(std::uint16_t joutai, bool hitOnly);

// Whether `text` occurs in the NUL-terminated name of a fixed field of `size` bytes,
// starting at a byte position 0..lastStart. Both are CP932 and compared whole character
// by whole character, without regard to the width of katakana, Latin letters and digits
// (width_fold.hpp: ｷﾝｸﾞ, キング and ｷﾝｸ゛ are one text): an occurrence never starts on the
// second byte of a double-byte character, and one that ends at the name's last byte
// counts. An empty text occurs nowhere.
bool nameContains(const char* name, std::size_t size, std::string_view text, std::size_t lastStart);
// The same with the text folded once for a whole scan.
bool nameContains(const char* name, std::size_t size, const FoldedText& text, std::size_t lastStart);
inline constexpr std::size_t kRaceMeiLastStart = 59;  // start positions in a race name
inline constexpr std::size_t kBameiLastStart = 29;    // start positions in a finisher's name

// Graded stakes: grade 0 GⅠ, 1 GⅡ, 2 GⅢ; a race with no items is never one.
bool raceHasGrade(std::uint32_t koumoku, int grade);

// The 16 payouts of a race result in the order the payout search lists them
// (複勝 4, 単勝 2, 枠連 2, 馬連 2, ﾜｲﾄﾞ 6), each with its hit flag.
struct PayoutSlot {
  std::int32_t payout;
  bool hit;
};
inline constexpr int kPayoutSlots = 16;
std::array<PayoutSlot, kPayoutSlots> payoutSlots(const RaceRecord& r);

// The amount range of the payout search: lower <= payout <= upper, or 万馬券 (10000 and more).
// Amounts reach 999,999,999 yen (3連単's 百万馬券 and more).
struct PayoutRange {
  bool manbaken = false;
  std::int32_t lower = 0, upper = 0;
};
inline constexpr std::int32_t kManbaken = 10000;
inline constexpr std::int32_t kPayoutSearchMax = 999'999'999;
bool payoutSelected(const PayoutRange& range, std::int32_t payout);

// The payouts of 馬単, 3連複 and 3連単 the bet store holds of a race: every winning
// combination (each one of a dead heat) in type order (馬単, 3連複, 3連単), each type's in
// the order entered. hit: a point of a line of that type bought on the race matched the
// combination and holds no scratched horse (3連複 as sets). 特払 has no combination and is
// not a payout of the search.
struct NewPayout {
  NewBetType type = NewBetType::Umatan;
  Combination combo{};
  std::int32_t payout = 0;
  bool hit = false;
  bool operator==(const NewPayout&) const = default;
};
// Without `withHits` no line is expanded and every hit is false (a search that is not
// hit-only needs none, and a line can hold 4,896 points).
std::vector<NewPayout> newPayouts(const StoredRace& race, bool withHits = true);
// The payout note's slot of a new type's payout: after the 16 slots of the record.
inline constexpr int newPayoutSlot(NewBetType t) { return kPayoutSlots + static_cast<int>(t); }

}  // namespace tovra::search
