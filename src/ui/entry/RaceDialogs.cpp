#include "ui/entry/RaceDialogs.h"

#include "ui/entry/CommentDialog.h"
#include "ui/entry/PurchaseDialog.h"
#include "ui/entry/RaceItemsDialog.h"
#include "ui/entry/ResultDialog.h"

namespace tovra {

namespace {
template <class Dialog, class... Args>
std::optional<MeetingDay> edited(Args&&... args) {
  Dialog dlg(std::forward<Args>(args)...);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.editedDay();
}
}  // namespace

std::optional<MeetingDay> runRaceDialog(RaceDialog which, DataStore& store, BetStore& bets, UserPort& port,
                                        const DayKey& key, const MeetingDay& day, int race, QWidget* parent) {
  switch (which) {
    case RaceDialog::Items: return edited<RaceItemsDialog>(store, port, key, day, race, parent);
    case RaceDialog::Purchase: return edited<PurchaseDialog>(store, bets, port, key, day, race, parent);
    case RaceDialog::Result: return edited<ResultDialog>(store, bets, port, key, day, race, parent);
    case RaceDialog::Comment: return edited<CommentDialog>(store, port, key, day, race, parent);
  }
  return std::nullopt;
}

MeetingDay readDayOrFatal(DataStore& store, const DayKey& key) {
  auto day = store.ledger().readDay(key);
  if (!day) store.fatal(day.failure().code, day.failure().path);
  return std::move(*day);
}

}  // namespace tovra
