#pragma once
// The condition tally (条件集計): per course the purchase, balance, recovery and hit rate
// of the races of the range that meet every condition, beside the range's grand total.
#include <optional>

#include "features/tally/jyoken_result.hpp"
#include "features/tally/tally_common.hpp"
#include "features/tally/tally_filter.hpp"
#include "storage/records.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

// Adds meeting days one at a time. The conditions are the row conditions (the bet type
// already taken out); betType 0 counts whole races, 1-5 only that bet type's tickets.
class JyokenCounter {
 public:
  // The filter (tally_filter.hpp) counts the record types only: the course's days alone;
  // with some record types left out every race, the grand total's among them, counts
  // with their figures, and a bet-type condition of a type left out counts nothing.
  JyokenCounter(const JyokenConditions& rowConditions, int betType, const TallyFilter& filter = {});
  void addMeeting(int c, const KaisaiRecord& kaisai, const RaceBlock& races);
  // Row 10, the rates, the conditions and the bet type; range flag, year text and time
  // stamp are the caller's.
  JyokenResult finish() const;

 private:
  JyokenConditions conds_;
  int bet_;
  TallyFilter filter_;
  std::int64_t purchase_[kJyokenRows] = {};
  std::int64_t balance_[kJyokenRows] = {};
  std::uint32_t bought_[kJyokenRows] = {};
  std::uint32_t hits_[kJyokenRows] = {};
};

inline constexpr const char* kJyokenWorkFile = "tmp/jyoken.tmp";

// Runs the condition tally (no file is written) over every registered year (rangeFlag 0)
// or the year at `yearPosition` of the year list (rangeFlag 1) with the dialog's condition
// list (the bet-type condition is taken out of it here). The current year, course and
// meeting day are the same afterwards.
JyokenResult computeJyoken(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition,
                           const JyokenConditions& conditions, const Clock& clock = localNow,
                           const TallyFilter& filter = {});
// computeJyoken, then tmp/jyoken.tmp. False (after a message) when the file cannot be written.
bool runJyokenTally(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition, const JyokenConditions& conditions,
                    const Clock& clock = localNow, const TallyFilter& filter = {});
// The work file; nullopt when it is missing or shorter than 295 bytes.
std::optional<JyokenResult> readJyokenFile(DataStore& ds);

}  // namespace tovra::tally
