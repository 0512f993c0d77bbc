#pragma once
// A race dialog as the race window opens it on the day EntryDay put on disk: the store and
// user port of the application state, the day's key and a copy of the day read by key.
#include <type_traits>

#include "storage/ledger.hpp"
#include "support/EntryDay.h"
#include "ui/common/AppState.h"

namespace tovra::test {

inline DayKey entryDayKey() { return DayKey{"2001", kEntryCourse, 0}; }

// The day as it is on disk now.
inline MeetingDay entryDayCopy() { return *appState().ds.ledger().readDay(entryDayKey()); }

// Race `race` (0..11) of the day. 購入馬券 and ﾚｰｽ結果 take the bet store as well.
template <class Dialog,
          bool TakesBets = std::is_constructible_v<Dialog, DataStore&, BetStore&, UserPort&, DayKey, MeetingDay, int>>
class RaceDialogOn : public Dialog {
 public:
  explicit RaceDialogOn(int race) : Dialog(appState().ds, userPort(), entryDayKey(), entryDayCopy(), race) {}
};
template <class Dialog>
class RaceDialogOn<Dialog, true> : public Dialog {
 public:
  explicit RaceDialogOn(int race)
      : Dialog(appState().ds, appState().bets, userPort(), entryDayKey(), entryDayCopy(), race) {}
};

}  // namespace tovra::test
