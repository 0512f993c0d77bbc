#pragma once
// A ledger in a temporary working folder for the form tests: one year registered and
// meeting days written as the data layer writes them.
#include <QTemporaryDir>

#include "ledger/datastore.hpp"
#include "ledger/records.hpp"
#include "ledger/user_port.hpp"
#include "settings/settings_record.hpp"

namespace tovra::guitest {

class RaceLedger {
 public:
  explicit RaceLedger(int year = 2001, int course = 5);

  QTemporaryDir dir;
  DataStore ds;
  SettingsRecord settings = SettingsRecord::defaults();
  ScriptedPort port;

  // Settles the twelve races, appends the day to the current course's files and makes it
  // the meeting day shown (read back into memory).
  void addMeeting(KaisaiRecord k, RaceBlock races);
  // The meeting day shown as it stands in the files now.
  void reread(KaisaiRecord& k, RaceBlock& races) const;
};

// 有馬記念-like race: tickets of all five bet types, results with hits and a dead heat
// for the win, four wide results, five finishers, full entries and a comment.
RaceRecord fullRace();
// The race's name for the meeting record.
inline constexpr const char* kFullRaceName = "有馬記念";

}  // namespace tovra::guitest
