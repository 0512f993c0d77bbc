// The main window: the meeting view, the course, year and meeting-day controls, the
// race rows with their menu, and the race window they open.
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <cstdlib>

#include "features/main/main_commands.hpp"
#include "features/main/meeting_view.hpp"
#include "features/main/win5_line.hpp"
#include "features/years/years.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "storage/view_settings.hpp"
#include "storage/text.hpp"
#include "ui/entry/RaceDialogs.h"
#include "ui/entry/Win5Dialog.h"
#include "ui/main/RowPanel.h"
#include "ui/main/SearchActions.h"
#include "ui/main/TallyActions.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/Looks.h"

namespace tovra {

// --- the meeting view ---

void MainWindow::applyColours() {
  const SettingsRecord& s = settings();
  paintBackground(centralWidget(), settingsColour(s.colours[kColMainBack]));
  // Black headings on a light background, white on a dark one.
  for (QLabel* l : headings_) setTextColour(l, headingColourOn(s.colours[kColMainBack]));
  QPalette p = jyoLabel_->palette();
  p.setColor(QPalette::WindowText, settingsColour(s.colours[kColMainCourse]));
  jyoLabel_->setPalette(p);
  if (raceForm_) raceForm_->applyColours();
  if (tallies_) tallies_->applyColours();
}

void MainWindow::refreshMeetingView() {
  if (const Status read = readShownDay(ledger(), dataStore().year, sel_); !read) fatal(read.failure());
  if (allTypes_) {
    const Result<MeetingView> all = formatMeetingViewAllTypes(sel_, dataStore().year, bets());
    if (all) {
      showView(*all);
      return;
    }
    // The store cannot be read: its message, and the five record types for this run.
    showRefusal(port(), all.refusal());
    allTypes_ = false;
    showAllTypesChoice();
  }
  showView(formatMeetingView(sel_));
}

void MainWindow::refreshWin5Line() {
  QString text;
  if (hasMeeting_) {
    const KaisaiRecord& k = sel_.day.meeting;
    const Win5Date date{std::atoi(dataStore().year.c_str()), k.month(), k.day()};
    // A store that cannot be read shows no line here; the WIN5 window says why.
    const Result<std::optional<std::string>> line = win5DayLineOf(bets(), date);
    if (line && *line) text = QString::fromStdString(**line);
  }
  showWin5Line(text);
}

void MainWindow::setAllTypesView(bool on) {
  if (on != allTypes_) {
    const DataStore& ds = dataStore();
    if (!saveViewSettings(ds.fs(), ds.root(), ViewSettings{on})) {
      showError(port(), kViewSettingsWriteFailedText);
    } else {
      allTypes_ = on;
      refreshMeetingView();
    }
  }
  showAllTypesChoice();
}

void MainWindow::showAllTypesChoice() {
  zenBtn_->setChecked(allTypes_);
  zenItem_->setChecked(allTypes_);
}

void MainWindow::goToDay(const std::string& year, int course, int index) {
  if (year != dataStore().year) {
    if (const Status opened = openYear(ledger(), sel_, year); !opened) fatal(opened.failure());
    dataStore().year = year;
    fillYearBox();
  }
  sel_.course = course;
  sel_.show(index);
  closeRaceWindow();
  refreshMeetingView();
}

void MainWindow::showView(const MeetingView& v) {
  statusBar_->showMessage(QString::fromStdString(v.statusText));
  jyoLabel_->setText(QString::fromStdString(v.jyoLabel));
  setMeetingControls(v.hasMeeting);
  kaisaiPanel_->setText(QString::fromStdString(v.kaisaiPanel));
  const QColor hitBack = settingsColour(settings().colours[kColHitRaceBack]);
  const QColor plus = settingsColour(settings().colours[kColPlus]);
  for (int r = 0; r < 12; ++r) {
    const MeetingRowView& row = v.rows[r];
    setWholeText(racePanel_[r], QString::fromStdString(row.raceName), kRowFontPx);
    racePanel_[r]->setColours(row.hit ? hitBack : QColor(Qt::white), row.hit ? QColor(Qt::white) : QColor(Qt::black));
    kouPanel_[r]->setText(QString::fromStdString(row.kou));
    shuPanel_[r]->setText(QString::fromStdString(row.shu));
    shuPanel_[r]->setColours(Qt::white, row.plus ? plus : QColor(Qt::black));
  }
  kouPanel_[12]->setText(QString::fromStdString(v.kou13));
  shuPanel_[12]->setText(QString::fromStdString(v.shu13));
  shuPanel_[12]->setColours(Qt::white, v.plus13 ? plus : QColor(Qt::black));
  QSignalBlocker block(scrollBar_);
  scrollBar_->setRange(0, v.scrollMax);
  scrollBar_->setValue(v.scrollPos);
  refreshWin5Line();
}

void MainWindow::setMeetingControls(bool hasMeeting) {
  hasMeeting_ = hasMeeting;
  for (const MainCommand& c : mainCommands()) {
    const CommandState state = commandState(c, hasMeeting);
    setCommandEnabled(c.name, state.enabled);
    if (c.toolBtn == 0) continue;
    toolBtn_[c.toolBtn - 1]->setEnabled(state.enabled);
    toolBtn_[c.toolBtn - 1]->setVisible(state.toolVisible);
  }
  for (QPushButton* b : raceBtn_) b->setEnabled(hasMeeting);
}

// --- course, year, meeting day, race rows ---

void MainWindow::selectCourse(int course) {
  sel_.course = course;
  closeRaceWindow();
  refreshMeetingView();
}

void MainWindow::showStoredSearch() { showStoredSearchResults(*this); }

void MainWindow::selectYear(int index) {
  const NenjiTable& years = dataStore().nenji;
  if (index < 0 || index >= NenjiTable::kUsable || years.nen[index] == 0) return;
  const int year = years.nen[index];
  const auto question = changeYearQuestion(dataStore().year, year);
  if (!question || port().message("確認", *question, MsgIcon::Information, MsgButtons::OkCancel) != Answer::Ok) {
    fillYearBox();  // back to the current year
    return;
  }
  // The course stays; every course shows its first meeting of the new year.
  if (const Status opened = openYear(ledger(), sel_, std::to_string(year)); !opened) fatal(opened.failure());
  dataStore().year = std::to_string(year);
  // The race window showed a race of the old year.
  closeRaceWindow();
  refreshMeetingView();
}

void MainWindow::showMeetingDay(int position) {
  closeRaceWindow();
  sel_.show(position);
  refreshMeetingView();
}

void MainWindow::showRaceOfRow(int race) {
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  openRaceWindow(race);
}

void MainWindow::showRaceOfDoubleClickedRow(int race) { showRaceOfRow(race); }

void MainWindow::openRowMenu(int race, const QPoint& globalPos) {
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  // The totals row (race 12): the day's menu.
  if (race >= 12) {
    dayMenu_->popup(globalPos);
    return;
  }
  popupRace_ = race;
  action("Popm1")->setText(QString::fromStdString(sjprintfUtf8("%2dR ： ﾚｰｽ項目登録", race + 1)));
  popupMenu_->popup(globalPos);
}

void MainWindow::openRaceWindow(int race) {
  if (!raceForm_) {
    // One race window for the run, made on first use so that it takes the stored position
    // of the settings read at start-up.
    raceForm_ = new RaceWindow(dataStore(), bets(), settings(), port(), this);
    connect(raceForm_, &RaceWindow::meetingChanged, this, &MainWindow::refreshMeetingView);
    connect(raceForm_, &RaceWindow::endRequested, this, &MainWindow::close);
  }
  raceForm_->openRace(shownKey(), race);
}

RaceWindow* MainWindow::raceWindow() const { return raceForm_.data(); }

void MainWindow::closeRaceWindow() {
  if (raceForm_) raceForm_->close();
}

// The row menu: the dialog on the race of the row. After 登録 the dialog has settled the
// race and written the day: the rows show it, and an open race window shows that race.
void MainWindow::openRaceItemsDialog() { openRowDialog(RaceDialog::Items); }
void MainWindow::openPurchaseDialog() { openRowDialog(RaceDialog::Purchase); }
void MainWindow::openResultDialog() { openRowDialog(RaceDialog::Result); }
void MainWindow::openCommentDialog() { openRowDialog(RaceDialog::Comment); }

void MainWindow::openWin5Dialog() {
  if (!hasMeeting_) {
    port().beep();
    return;
  }
  const KaisaiRecord& k = sel_.day.meeting;
  const Win5Date date{std::atoi(dataStore().year.c_str()), k.month(), k.day()};
  Win5Dialog dialog(ledger(), bets(), port(), date, sel_.course, this);
  dialog.exec();
  refreshWin5Line();
}

void MainWindow::openRowDialog(RaceDialog which) {
  DataStore& ds = dataStore();
  const DayKey key = shownKey();
  const auto edited = runRaceDialog(which, ds, bets(), port(), key, readDayOrFatal(ds, key), popupRace_, this);
  if (!edited) return;
  refreshMeetingView();
  if (raceForm_) raceForm_->showIfOpen(shownKey(), popupRace_);
}

}  // namespace tovra
