#pragma once
// The four race dialogs as the race window's tool bar and the main window's row menu
// open them: each on a copy of one race's meeting day, which it gives back edited and
// written after 登録; ｷｬﾝｾﾙ drops the copy.
#include <optional>

#include "storage/datastore.hpp"
#include "storage/ledger.hpp"

class QWidget;

namespace tovra {

class BetStore;
class UserPort;

enum class RaceDialog { Items, Purchase, Result, Comment };

// Opens the dialog on race `race` (0..11) of `day`, held at `key`. The day as 登録 wrote
// it; nullopt after ｷｬﾝｾﾙ.
// 購入馬券 (at 登録, after the day is written) and ﾚｰｽ結果 also change the race's 馬単,
// 3連複 and 3連単 in `bets`.
std::optional<MeetingDay> runRaceDialog(RaceDialog which, DataStore& store, BetStore& bets, UserPort& port,
                                        const DayKey& key, const MeetingDay& day, int race, QWidget* parent);

// The day at `key` as a race dialog or the race window opens it; a file that cannot be
// read ends in the numbered fatal error.
MeetingDay readDayOrFatal(DataStore& store, const DayKey& key);

// How the race dialogs end an operation: its value; nullopt after its refusal was shown;
// a file that could not be written ends in the numbered fatal error.
template <class T>
std::optional<T> takeOutcome(DataStore& store, UserPort& port, Result<T> outcome) {
  if (outcome.failed()) store.fatal(outcome.failure().code, outcome.failure().path);
  if (outcome.refused()) {
    showRefusal(port, outcome.refusal());
    return std::nullopt;
  }
  return std::move(*outcome);
}

// A change of a dialog's own lists: true when it was made, its refusal shown otherwise.
inline bool changed(UserPort& port, const Status& done) {
  if (done.refused()) showRefusal(port, done.refusal());
  return bool(done);
}

}  // namespace tovra
