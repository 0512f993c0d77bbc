#pragma once
// The item tally (項目集計): breaks the bought races of the range down by race number,
// race items, season, bet type, 馬連 tickets, amount and hit payouts, per course.
#include <optional>

#include "features/tally/koumoku_result.hpp"
#include "features/tally/tally_common.hpp"
#include "features/tally/tally_filter.hpp"
#include "features/tally/type_tally.hpp"
#include "storage/records.hpp"

namespace tovra {
class BetStore;
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

// Adds meeting days to the tables, one at a time, in any order.
class KoumokuCounter {
 public:
  // The filter as tally_filter.hpp says. With some record types left out a race counts
  // with their figures alone, the bet-type rows hold the chosen types only, the 馬連
  // figures need 馬連 chosen and the hit payouts are those of the chosen types; the
  // meeting days' totals are the chosen types' figures of their races.
  explicit KoumokuCounter(const TallyFilter& filter = {}) : filter_(filter) {}
  // One meeting day of course c (0-9) with its twelve races.
  void addMeeting(int c, const KaisaiRecord& kaisai, const RaceBlock& races);
  // Row 10 summed; mode, year text and time stamp are the caller's.
  KoumokuResult& finish();
  KoumokuResult& result() { return r_; }

 private:
  KoumokuResult r_;
  TallyFilter filter_;
  // A bought race with its purchase, balance and hit as counted.
  void addRace(int c, const KaisaiRecord& kaisai, int race, const RaceRecord& rr, std::int64_t purchase,
               std::int64_t balance, bool hit);
};

inline constexpr const char* kKoumokuWorkFile = "tmp/koumoku.tmp";

// Runs the item tally over the ledger (no file is written): mode 0 every registered year,
// mode 1 the year at `yearPosition` of the year list. The current year, course and
// meeting day are the same afterwards.
KoumokuResult computeKoumoku(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock = localNow,
                             const TallyFilter& filter = {});
// computeKoumoku, then tmp/koumoku.tmp. False (after a message) when the file cannot be written.
bool runKoumokuTally(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock = localNow);
// The tally with its filter, then tmp/koumokusk.tmp beside it with the same time stamp:
// per course and type slot the chosen types' figures, the bet store's among them. With
// every type and course chosen tmp/koumoku.tmp is byte for byte what runKoumokuTally
// writes. A store that cannot be used gives its message and no type file.
bool runKoumokuTally(DataStore& ds, BetStore& bets, UserPort& port, int mode, int yearPosition,
                     const TallyFilter& filter, const Clock& clock = localNow);
// The work file (or a saved copy of its first 13 552 bytes); nullopt when missing or shorter.
std::optional<KoumokuResult> readKoumokuFile(DataStore& ds);

}  // namespace tovra::tally
