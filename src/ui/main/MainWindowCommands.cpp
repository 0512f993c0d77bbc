// The main window: the menu entries and the tool bar, each opening its dialog or window.
#include "ui/main/MainWindow.h"

#include "ui/main/AboutDialog.h"
#include "ui/common/AppState.h"
#include "ui/entry/GoingDialog.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/ImportActions.h"
#include "ui/main/MeetingActions.h"
#include "ui/settings/SettingsDialog.h"
#include "ui/main/SearchActions.h"
#include "ui/main/YearDialog.h"
#include "ui/print/PrintActions.h"
#include "ui/entry/RaceDialogs.h"
#include "ui/race/RaceWindow.h"
#include "ui/main/TallyActions.h"
#include "storage/datastore.hpp"
#include "features/years/years.hpp"
#include "features/settings/exit_confirmation.hpp"

namespace tovra {

// --- menu entries: each opens its dialog ---

void TMainForm::W1Click() { kaisaiTouroku(*this); }
void TMainForm::JRAVAN1Click() { jravanYomikomi(*this); }
void TMainForm::NIFTY1Click() { niftyYomikomi(*this); }
void TMainForm::PAT1Click() { patYomikomi(*this); }
void TMainForm::S1Click() { kaisaiShusei(*this); }
void TMainForm::D1Click() {
  // The going takes no part in the money figures: the rows stay as they are.
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  DataStore& ds = dataStore();
  const DayKey key = shownKey();
  TBabaShuseiDialog dlg(ds, key, readDayOrFatal(ds, key), this);
  if (dlg.exec() != QDialog::Accepted) return;
  sel_.day.races = dlg.editedRaces();
  if (raceForm_) raceForm_->showIfOpen(shownKey(), raceForm_->race());
}
void TMainForm::F1Click() { kaisaiSakujyo(*this); }
void TMainForm::X1Click() { shukei_->shushiShukei(); }
void TMainForm::C1Click() { shukei_->koumokuShukei(); }
void TMainForm::V1Click() { shukei_->rankShukei(); }
void TMainForm::B1Click() { shukei_->jyokenShukei(); }
void TMainForm::N13Click() { shukei_->hozonSyori(); }
void TMainForm::Graph1Click() { shukei_->graph(); }
void TMainForm::U1Click() { kensakuRaceMei(*this); }
void TMainForm::I1Click() { kensakuJyusho(*this); }
void TMainForm::O1Click() { kensakuHaitou(*this); }
void TMainForm::P1Click() { kensakuBamei(*this); }
void TMainForm::N5Click() { forudaSettei(*this); }
void TMainForm::N15Click() {
  // 設定 has the window, its meeting rows, an open race window and the tally windows
  // take up the new colours.
  TKakushuSetteiDialog dlg(app_, this);
  connect(&dlg, &TKakushuSetteiDialog::coloursChanged, this, [this] {
    applyColours();
    ShowKaisaiView();
  });
  dlg.exec();
}
void TMainForm::Print1Click() {
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  printWithDialog(this, port(), print::meetingJob(shownKey(), sel_.day));
}

void TMainForm::M1Click() {
  // After a year is registered or deleted the dialog closes and the window shows the
  // current year before the closing notice.
  DataStore& ds = dataStore();
  TNentsugiSyoriDialog dlg(ds, events_, ds.nenji, ds.yearNumber(), port(), this);
  const int result = dlg.exec();
  if (result == TNentsugiSyoriDialog::Registered) {
    // The new year is current, on the first course.
    const YearRegistered& r = *dlg.registered();
    ds.nenji = r.years;
    ds.year = r.year;
    sel_.meetingCount = r.counts;
    sel_.shownMeeting = {};
    sel_.course = 0;
  } else if (result == TNentsugiSyoriDialog::Deleted) {
    ds.nenji = dlg.deleted()->years;
  } else {
    return;
  }
  closeRaceWindow();
  ShowKaisaiView();
  fillYearBox();
  if (dlg.registered())
    tellYearRegistered(port(), *dlg.registered());
  else
    tellYearDeleted(port(), *dlg.deleted());
}

void TMainForm::Help2Click() {
  if (!help_) help_ = new THelpForm();
  help_->showContents();
}

void TMainForm::About1Click() {
  TAboutBox box(this);
  box.exec();
}

void TMainForm::ToolBtn1Click() { W1Click(); }
void TMainForm::ToolBtn2Click() { JRAVAN1Click(); }
void TMainForm::ToolBtn3Click() { NIFTY1Click(); }
void TMainForm::ToolBtn4Click() { PAT1Click(); }
void TMainForm::ToolBtn5Click() { D1Click(); }
void TMainForm::ToolBtn6Click() { X1Click(); }
void TMainForm::ToolBtn7Click() { C1Click(); }
void TMainForm::ToolBtn8Click() { V1Click(); }
void TMainForm::ToolBtn9Click() { B1Click(); }
void TMainForm::ToolBtn10Click() { U1Click(); }
void TMainForm::ToolBtn11Click() { I1Click(); }
void TMainForm::ToolBtn12Click() { O1Click(); }
void TMainForm::ToolBtn13Click() { P1Click(); }
void TMainForm::ToolBtn14Click() { Print1Click(); }
void TMainForm::ToolBtn15Click() { Help2Click(); }
void TMainForm::ToolBtn16Click() {
  if (confirmExit(port(), settings())) close();
}

}  // namespace tovra
