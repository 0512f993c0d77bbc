#pragma once
// The item tally (項目集計): breaks the bought races of the range down by race number,
// race items, season, bet type, 馬連 tickets, amount and hit payouts, per course.
#include <optional>

#include "features/tally/koumoku_result.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/records.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

// Adds meeting days to the tables, one at a time, in any order.
class KoumokuCounter {
 public:
  // One meeting day of course c (0-9) with its twelve races.
  void addMeeting(int c, const KaisaiRecord& kaisai, const RaceBlock& races);
  // Row 10 summed; mode, year text and time stamp are the caller's.
  KoumokuResult& finish();
  KoumokuResult& result() { return r_; }

 private:
  KoumokuResult r_;
  void addRace(int c, const KaisaiRecord& kaisai, int race, const RaceRecord& rr);
};

inline constexpr const char* kKoumokuWorkFile = "tmp/koumoku.tmp";

// Runs the item tally over the ledger (no file is written): mode 0 every registered year,
// mode 1 the year at `yearPosition` of the year list. The current year, course and
// meeting day are the same afterwards.
KoumokuResult computeKoumoku(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock = localNow);
// computeKoumoku, then tmp/koumoku.tmp. False (after a message) when the file cannot be written.
bool runKoumokuTally(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock = localNow);
// The work file (or a saved copy of its first 13 552 bytes); nullopt when missing or shorter.
std::optional<KoumokuResult> readKoumokuFile(DataStore& ds);

}  // namespace tovra::tally
