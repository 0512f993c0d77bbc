// The main window: the menu entries and the tool bar, each opening its dialog or window.
#include "ui/main/MainWindow.h"

#include "features/settings/exit_confirmation.hpp"
#include "features/years/years.hpp"
#include "storage/datastore.hpp"
#include "ui/common/AppState.h"
#include "ui/entry/GoingDialog.h"
#include "ui/entry/RaceDialogs.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/ImportActions.h"
#include "ui/main/MeetingActions.h"
#include "ui/main/SearchActions.h"
#include "ui/main/TallyActions.h"
#include "ui/main/YearDialog.h"
#include "ui/print/PrintActions.h"
#include "ui/race/RaceWindow.h"
#include "ui/settings/SettingsDialog.h"

namespace tovra {

// --- menu entries: each opens its dialog ---

void MainWindow::openMeetingRegisterDialog() { runMeetingRegistration(*this); }
void MainWindow::openJravanImport() { runJravanImport(*this); }
void MainWindow::openJvDataImport() { runJvDataImport(*this); }
void MainWindow::openNiftyImport() { runNiftyImport(*this); }
void MainWindow::openPatImport() { runPatImport(*this); }
void MainWindow::openIpatImport() { runIpatImport(*this); }
void MainWindow::openMeetingEditDialog() { runMeetingEdit(*this); }
void MainWindow::openGoingDialog() {
  // The going takes no part in the money figures: the rows stay as they are.
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  DataStore& ds = dataStore();
  const DayKey key = shownKey();
  GoingDialog dlg(ds, key, readDayOrFatal(ds, key), this);
  if (dlg.exec() != QDialog::Accepted) return;
  sel_.day.races = dlg.editedRaces();
  if (raceForm_) raceForm_->showIfOpen(shownKey(), raceForm_->race());
}
void MainWindow::deleteShownMeeting() { runMeetingDeletion(*this); }
void MainWindow::runIncomeTally() { tallies_->startIncomeTally(); }
void MainWindow::runItemTally() { tallies_->startItemTally(); }
void MainWindow::runRankTally() { tallies_->startRankTally(); }
void MainWindow::runConditionTally() { tallies_->startConditionTally(); }
void MainWindow::openSavedResults() { tallies_->openSavedResults(); }
void MainWindow::openBalanceChart() { tallies_->openChart(); }
void MainWindow::searchRaceName() { runRaceNameSearch(*this); }
void MainWindow::searchGradedStakes() { runGradedStakesSearch(*this); }
void MainWindow::searchPayouts() { runPayoutSearch(*this); }
void MainWindow::searchHorseName() { runHorseNameSearch(*this); }
void MainWindow::openImportFoldersDialog() { runImportFolderSettings(*this); }
void MainWindow::openSettingsDialog() {
  // 設定 has the window, its meeting rows, an open race window and the tally windows
  // take up the new colours.
  SettingsDialog dlg(app_, this);
  connect(&dlg, &SettingsDialog::coloursChanged, this, [this] {
    applyColours();
    refreshMeetingView();
  });
  dlg.exec();
}
void MainWindow::printMeetingDay() {
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  printWithDialog(this, port(), print::meetingJob(shownKey(), sel_.day, &bets()));
}

void MainWindow::openYearDialog() {
  // After a year is registered or deleted the dialog closes and the window shows the
  // current year before the closing notice.
  DataStore& ds = dataStore();
  YearDialog dlg(ds, bets(), events_, ds.nenji, ds.yearNumber(), port(), this);
  const int result = dlg.exec();
  if (result == YearDialog::Registered) {
    // The new year is current, on the first course.
    const YearRegistered& r = *dlg.registered();
    ds.nenji = r.years;
    ds.year = r.year;
    sel_.meetingCount = r.counts;
    sel_.shownMeeting = {};
    sel_.course = 0;
  } else if (result == YearDialog::Deleted) {
    ds.nenji = dlg.deleted()->years;
  } else {
    return;
  }
  closeRaceWindow();
  refreshMeetingView();
  fillYearBox();
  if (dlg.registered())
    tellYearRegistered(port(), *dlg.registered());
  else
    tellYearDeleted(port(), *dlg.deleted());
}

void MainWindow::openHelp() {
  if (!help_) help_ = new HelpWindow();
  help_->showContents();
}

void MainWindow::openAboutDialog() {
  AboutDialog box(this);
  box.exec();
}

void MainWindow::openMeetingRegisterDialogFromToolbar() { openMeetingRegisterDialog(); }
void MainWindow::openJravanImportFromToolbar() { openJravanImport(); }
void MainWindow::openNiftyImportFromToolbar() { openNiftyImport(); }
void MainWindow::openPatImportFromToolbar() { openPatImport(); }
void MainWindow::openGoingDialogFromToolbar() { openGoingDialog(); }
void MainWindow::runIncomeTallyFromToolbar() { runIncomeTally(); }
void MainWindow::runItemTallyFromToolbar() { runItemTally(); }
void MainWindow::runRankTallyFromToolbar() { runRankTally(); }
void MainWindow::runConditionTallyFromToolbar() { runConditionTally(); }
void MainWindow::searchRaceNameFromToolbar() { searchRaceName(); }
void MainWindow::searchGradedStakesFromToolbar() { searchGradedStakes(); }
void MainWindow::searchPayoutsFromToolbar() { searchPayouts(); }
void MainWindow::searchHorseNameFromToolbar() { searchHorseName(); }
void MainWindow::printMeetingDayFromToolbar() { printMeetingDay(); }
void MainWindow::openHelpFromToolbar() { openHelp(); }
void MainWindow::confirmAndEnd() {
  if (confirmExit(port(), settings())) close();
}

}  // namespace tovra
