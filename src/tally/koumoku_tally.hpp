#pragma once
// The item tally (項目集計): breaks the bought races of the range down by race number,
// race items, season, bet type, 馬連 tickets, amount and hit payouts, per course.
#include <string>

#include "ledger/records.hpp"
#include "tally/koumoku_result.hpp"

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

// Runs the item tally: mode 0 every registered year, mode 1 the year at `yearPosition`
// of the year table. Writes tmp/koumoku.tmp and leaves the current year, course and
// meeting day as they were.
KoumokuResult runKoumokuTally(DataStore& ds, UserPort& port, int mode, int yearPosition);

}  // namespace tovra::tally
