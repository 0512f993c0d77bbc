#include "ui/main/SearchActions.h"

#include <utility>

#include "features/search/search_engine.hpp"
#include "storage/datastore.hpp"
#include "ui/main/MainWindow.h"
#include "ui/search/GradedStakesSearchDialog.h"
#include "ui/search/NameSearchDialog.h"
#include "ui/search/PayoutSearchDialog.h"
#include "ui/search/SearchResultsDialog.h"

namespace tovra {
namespace {

// Runs the search the dialog asked for, then shows its result list.
template <class Dialog, class... Args>
void kensaku(MainWindow& main, Args&&... args) {
  Dialog dialog(std::forward<Args>(args)..., &main);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!search::runSearch(main.dataStore(), main.port(), dialog.params(), &main.bets())) return;
  showStoredSearchResults(main);
}

}  // namespace

void runRaceNameSearch(MainWindow& main) { kensaku<NameSearchDialog>(main, true, main.dataStore(), main.port()); }
void runHorseNameSearch(MainWindow& main) { kensaku<NameSearchDialog>(main, false, main.dataStore(), main.port()); }
void runGradedStakesSearch(MainWindow& main) { kensaku<GradedStakesSearchDialog>(main, main.dataStore()); }
void runPayoutSearch(MainWindow& main) { kensaku<PayoutSearchDialog>(main, main.dataStore(), main.port()); }

void showStoredSearchResults(MainWindow& main) {
  DataStore& ds = main.dataStore();
  const auto list = search::readKekaList(ds);
  if (!list) return;
  SearchResultsDialog dialog(ds, main.port(), *list, ds.year, &main);
  if (dialog.exec() != QDialog::Accepted || !dialog.target()) return;
  // The main window shows the record's year (counting its meetings again when it is
  // another), course and meeting day, then the race.
  const search::RaceTarget t = *dialog.target();
  main.goToDay(t.day.year, t.day.course, t.day.index);
  main.openRaceWindow(t.race);
}

}  // namespace tovra
