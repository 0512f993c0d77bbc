// The main window: start-up (years, splash, stored position) and closing.
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include "features/import/import_folders.hpp"
#include "features/main/folders.hpp"
#include "features/main/startup.hpp"
#include "features/years/years.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"
#include "storage/view_settings.hpp"
#include "ui/common/AppState.h"
#include "ui/main/FirstYearDialog.h"
#include "ui/main/SplashWindow.h"

namespace tovra {

// --- start-up ---

bool MainWindow::startUp() {
  AppState& st = app_;
  DataStore& ds = st.ds;
  const Ledger l = ledger();
  // Nothing is written before the ledger has a year: a first start that ends in the
  // first-year dialog leaves the folder as it was.
  if (refuseUnconvertedLedger(ds.fs(), ds.root(), port())) return false;
  setWindowTitle("競走収支帖 トヴラ");
  st.settings = loadSettings(ds.fs(), ds.root(), &st.settingsExisted);
  allTypes_ = loadViewSettings(ds.fs(), ds.root()).allTypes;
  showAllTypesChoice();
  placeAtStoredPosition();
  applyColours();
  showSplash();
  int firstYear = 0;
  const auto peeked = l.readYears(false);
  if (!peeked) fatal(peeked.failure());
  if (peeked->nen[0] == 0 && (firstYear = askFirstYear()) == 0) return false;
  if (!prepareFolders(ds.fs(), ds.root(), port())) return false;
  auto years = l.readYears(true);
  if (!years) fatal(years.failure());
  if (firstYear != 0) {
    years = registerFirstYear(l, *years, firstYear);
    if (!years) fatal(years.failure());
  }
  ds.nenji = *years;
  ds.year = newestYear(ds.nenji);
  fillYearBox();
  st.foldersExisted = loadImportFolders(ds.fs(), ds.root(), st.folders);
  if (const Status opened = openLedger(l, ds.year, sel_, st.settings); !opened) fatal(opened.failure());
  refreshMeetingView();
  return true;
}

void MainWindow::placeAtStoredPosition() {
  const Rect32& r = settings().mainRect;
  const QPoint topLeft(r.left, r.top);
  // Without a stored position (no settings file, or one written before the window was
  // ever closed) the window opens in the middle of the screen. A position saved on a
  // screen that is no longer there would put the window out of reach: the middle too.
  if (app_.settingsExisted && !r.isEmpty()) {
    for (QScreen* s : QGuiApplication::screens())
      if (s->availableGeometry().contains(topLeft + QPoint(40, 10))) {
        move(topLeft);
        return;
      }
  }
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    const QSize size = sizeHint();
    move(s->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
  }
}

void MainWindow::showSplash() {
  if (splashMillis_ <= 0) return;
  splash_ = new SplashWindow();
  splash_->show();
  QElapsedTimer clock;
  clock.start();
  timer1_->start();
  // The start-up waits here with the splash on screen: it is painted, but neither input
  // nor timers are handled until the wait is over.
  while (clock.elapsed() < splashMillis_) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers, 20);
    QThread::msleep(10);
  }
}

void MainWindow::closeSplash() {
  timer1_->stop();
  if (splash_) {
    splash_->close();
    splash_->deleteLater();
  }
}

int MainWindow::askFirstYear() {
  // A window of its own: the splash's timer closes and deletes the splash while this
  // dialog waits for the year, and the main window is not on screen yet.
  FirstYearDialog dlg(port());
  return dlg.exec() == QDialog::Accepted ? dlg.year() : 0;
}

void MainWindow::fillYearBox() {
  const YearList list = yearComboList(dataStore().nenji, dataStore().yearNumber(), kYearBoxFormat);
  QSignalBlocker block(comboBox_);
  comboBox_->clear();
  for (const std::string& e : list.entries) comboBox_->addItem(QString::fromStdString(e));
  comboBox_->setCurrentIndex(list.selected);
}

// --- closing ---

void MainWindow::closeEvent(QCloseEvent* event) {
  // The other windows put their rectangles into the settings as they close, so they go
  // first; then the main window's rectangle and the whole settings file.
  closeRaceWindow();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && w->isVisible() && w->isWindow()) w->close();
  const QRect g = frameGeometry();
  settings().mainRect = Rect32{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  const DataStore& ds = dataStore();
  if (!saveSettings(ds.fs(), ds.root(), settings())) showError(port(), kSettingsWriteFailedText);
  event->accept();
}

}  // namespace tovra
