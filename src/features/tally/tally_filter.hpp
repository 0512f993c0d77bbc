#pragma once
// What a tally counts: which bet types and which course. Chosen in each tally dialog and
// passed into the tally; every type and every course by default, which counts exactly
// what the tallies counted before the filter existed.
//
// The types are numbered in the order the dialogs show their toggles: 0 単勝, 1 複勝,
// 2 枠連, 3 馬連, 4 ﾜｲﾄﾞ (the five the race record holds), 5 馬単, 6 3連複, 7 3連単 (the
// bet store's races), 8 WIN5 (the bet store's WIN5 days). WIN5 belongs to a day, not to a
// race or a course (features/bets/win5_figures.hpp): it counts only under a filter of every
// course, never in a table of races, only in the blocks per type and their totals.
//
// What the filter means for the tables of the old work files (the record types only):
//   course  only meeting days of that course are counted; the other courses' rows and
//           columns stay 0 (and the all-course sums are that course's);
//   types   with all five record types chosen a race counts as the record holds it
//           (purchase kounyuGaku, balance shushi, bought and hit by its state). With some
//           of them left out a race counts with the figures of the chosen record types
//           only, settled from its tickets as the settlement settles them: purchase their
//           stakes, return what they paid, bought when one of them was bought, hit when one
//           of them hit. A race on which none of them was bought is not a bought race.
// The new types never enter the old tables; they go to the new work files.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "domain/all_types_figures.hpp"
#include "storage/records.hpp"

namespace tovra::tally {

inline constexpr int kTallyTypeSlots = 9;  // the eight types of a race, then WIN5
inline constexpr int kTallyTypeCount = 8;  // the types a race holds (slots 0-7)
inline constexpr int kTallyOldTypeCount = 5;
inline constexpr int kTallyWin5Slot = 8;
inline constexpr std::uint32_t kAllTallyTypes = (1u << kTallyTypeSlots) - 1;
inline constexpr std::uint32_t kRaceTallyTypes = (1u << kTallyTypeCount) - 1;
inline constexpr std::uint32_t kOldTallyTypes = (1u << kTallyOldTypeCount) - 1;

// "単勝" "複勝" "枠連" "馬連" "ﾜｲﾄﾞ" "馬単" "3連複" "3連単" "WIN5" (UTF-8); empty outside 0-8.
std::string tallyTypeName(int t);
// The record type of slots 0-4 (単勝 複勝 枠連 馬連 ﾜｲﾄﾞ).
BetType tallyOldType(int t);
// The new type of slots 5-7.
NewBetType tallyNewType(int t);
// The slot of a record type (単勝 0 複勝 1 枠連 2 馬連 3 ﾜｲﾄﾞ 4).
int tallySlotOf(BetType t);

struct TallyFilter {
  std::uint32_t types = kAllTallyTypes;  // bit t: slot t counts
  int course = -1;                       // 0-9, or -1 every course

  bool has(int t) const { return t >= 0 && t < kTallyTypeSlots && (types >> t & 1u) != 0; }
  bool counts(int c) const { return course < 0 || c == course; }
  // Every record type chosen: the old tables count races as their records hold them.
  bool allOld() const { return (types & kOldTallyTypes) == kOldTallyTypes; }
  bool everything() const { return types == kAllTallyTypes && course < 0; }
  // WIN5 is chosen and every course: the WIN5 days count.
  bool countsWin5() const { return has(kTallyWin5Slot) && course < 0; }
  // A filter with no type chosen counts nothing: the dialogs refuse it.
  bool empty() const { return (types & kAllTallyTypes) == 0; }
  // "全式別 全競馬場", or the chosen names ("単勝 馬連 3連単 東京").
  std::string text() const;
  bool operator==(const TallyFilter&) const = default;
};

// A type's figures as the filter reads them: the slot's figures of `a` (a race's: none for
// WIN5, slot 8).
const BetFigures& figuresOf(const AllTypesFigures& a, int t);
// The chosen race types' figures added up (WIN5 is no race's).
BetFigures chosenFigures(const AllTypesFigures& a, const TallyFilter& f);

// One race as the old tables count it under the filter (see above). `race` is needed only
// when !f.allOld(); without it such a race counts nothing.
struct OldRaceCount {
  std::int64_t purchase = 0;
  std::int64_t balance = 0;
  bool bought = false;
  bool hit = false;
};
OldRaceCount oldRaceCount(const KaisaiRecord& k, int r, const RaceRecord* race, const TallyFilter& f);

// The type bits as the type work files hold them (type_tally.hpp): bits 0-7 as chosen; all
// nine chosen is 0xFF, as before WIN5 was a type, so a file of every type reads the same;
// then bit 8 marks WIN5 chosen with some other type left out, bit 9 WIN5 left out with
// every other type chosen.
std::uint32_t typeBitsForFile(std::uint32_t types);
std::uint32_t typeBitsFromFile(std::uint32_t bits);

// The message when no type is chosen.
inline constexpr const char* kNoTallyTypeText = "集計する式別を選択して下さい。";

}  // namespace tovra::tally
