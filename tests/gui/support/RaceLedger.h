#pragma once
// A temporary ledger with meeting days whose races hold data, written through the
// ledger as the program writes them; the application state has the year open.
#include "common/ledger_cursor.hpp"
#include "storage/records.hpp"
#include "support/TempLedger.h"

namespace tovra::test {

class RaceLedger : public TempLedger {
 public:
  // One registered year, current, with `course` as the current course.
  explicit RaceLedger(int year = 2001, int course = 5);

  // The meeting day in hand (the one the main window would show).
  LedgerCursor& ds() { return cursor_; }
  SettingsRecord& settings();

  // Settles the twelve races, appends the day to the current course's files and makes it
  // the meeting day shown (read back into memory).
  void addMeeting(KaisaiRecord k, RaceBlock races);
  // The meeting day shown as it stands in the files now.
  void reread(KaisaiRecord& k, RaceBlock& races);

 private:
  LedgerCursor cursor_;
};

// A big race: tickets of all five bet types, results with hits and a dead heat for the
// win, four wide results, five finishers, sixteen runners and a comment.
RaceRecord fullRace();
inline constexpr const char* kFullRaceName = "有馬記念";

}  // namespace tovra::test
