#include "forms/KensakuActions.h"

#include "forms/Jyushokensakudialogunit.h"
#include "forms/Kensakukekadialogunit.h"
#include "forms/Mainunit.h"
#include "forms/Namekensakudialogunit.h"
#include "forms/Racekekahaitoukensakudialogunit.h"
#include "ledger/datastore.hpp"
#include "search/search_engine.hpp"

namespace tovra {
namespace {

// Runs the search the dialog asked for, then shows its result list.
template <class Dialog, class... Args>
void kensaku(TMainForm& main, Args... args) {
  Dialog dialog(args..., main.dataStore(), &main);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!search::runSearch(main.dataStore(), main.port(), dialog.params())) return;
  showKensakuKeka(main);
}

}  // namespace

void kensakuRaceMei(TMainForm& main) { kensaku<TNameKensakuDialog>(main, true); }
void kensakuBamei(TMainForm& main) { kensaku<TNameKensakuDialog>(main, false); }
void kensakuJyusho(TMainForm& main) { kensaku<TJyushoKensakuDialog>(main); }
void kensakuHaitou(TMainForm& main) { kensaku<TRaceKekaHaitouKensakuDialog>(main); }

void showKensakuKeka(TMainForm& main) {
  DataStore& ds = main.dataStore();
  const auto list = search::readKekaList(ds);
  if (!list) return;
  TKensakuKekaDialog dialog(ds, *list, ds.year /* cursor bridge */, &main);
  if (dialog.exec() != QDialog::Accepted || !dialog.target()) return;
  // The main window shows the record's year (counting its meetings again when it is
  // another), course and meeting day, then the race.
  const search::RaceTarget t = *dialog.target();
  const bool yearChanged = t.day.year != ds.year;  // cursor bridge
  if (yearChanged) {
    ds.year = t.day.year;  // cursor bridge
    ds.countMeetings();    // cursor bridge
  }
  ds.course = t.day.course;                  // cursor bridge
  ds.shownMeeting[ds.course] = t.day.index;  // cursor bridge
  ds.readShown();                            // cursor bridge
  if (yearChanged) main.fillYearBox();
  main.closeRaceWindow();
  main.ShowKaisaiView();
  main.openRaceWindow(t.race);
}

}  // namespace tovra
