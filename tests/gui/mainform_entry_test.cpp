// The race entry dialogs opened from the main window: the row menu's four entries open
// their dialogs on the row's race and the rows show what 登録 wrote; 馬場状態修正 opens
// the track-condition dialog.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/ColonMenuStyle.h"

using namespace tovra;
using namespace tovra::test;

class MainFormEntryTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2001});
    ledger_->writeMeetings(2001, 4, {TempLedger::day(12, 3, 3, 8)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    ledger_->writeSettings(s);
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
  }
  void cleanup() {
    form_.reset();
    ledger_.reset();
  }

  void rowMenuEntriesOpenTheirDialogsOnTheRowsRace() {
    QObject* f = form_.get();
    auto* menu = named<QMenu>(f, "PopupMenu");
    QTest::mousePress(named<QLabel>(f, "KouPanel3"), Qt::RightButton, {}, QPoint(10, 5));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();

    const struct {
      const char* action;
      const char* dialog;
    } entries[] = {{"Popm1", "RaceKoumokuDialog"}, {"Popm3", "RaceKekaDialog"}, {"Popm4", "RaceComentoDialog"}};
    for (const auto& e : entries) {
      QString seen, day;
      onNextModal([&](QWidget* dlg) {
        seen = dlg->objectName();
        day = named<QLabel>(dlg, "DayLabel")->text();
        named<QPushButton>(dlg, "CancelBtn")->click();
      });
      named<QAction>(f, e.action)->trigger();
      QCOMPARE(seen, QString(e.dialog));
      QCOMPARE(day, QString("12月 3日 3回  8日目  東京競馬場   3R"));
    }

    // Buying a ticket on 3R shows its purchase in row 3 and the totals.
    onNextModal([](QWidget* dlg) {
      QCOMPARE(dlg->objectName(), QString("KounyuDialog"));
      named<QLineEdit>(dlg, "TanGakuEdit")->setText("10");
      named<QPushButton>(dlg, "TanTsuikaBtn")->click();
      named<QPushButton>(dlg, "TourokuBtn")->click();
    });
    named<QAction>(f, "Popm2")->trigger();
    QCOMPARE(named<QLabel>(f, "KouPanel3")->text(), QString("      1000円      0.0％         0円"));
    QCOMPARE(form_->selection().day.meeting.kounyuGaku[12], 1000);
  }

  void rowMenuSaveShowsTheEditedRaceInTheRaceWindow() {
    QObject* f = form_.get();
    form_->openRaceWindow(0);
    RaceWindow* race = form_->raceWindow();
    QVERIFY(race->isVisible());
    QTest::mousePress(named<QLabel>(f, "ShuPanel3"), Qt::RightButton, {}, QPoint(10, 5));
    named<QMenu>(f, "PopupMenu")->hide();
    onNextModal([](QWidget* dlg) {
      named<QPlainTextEdit>(dlg, "Memo")->setPlainText("出遅れ");
      named<QPushButton>(dlg, "TourokuBtn")->click();
    });
    named<QAction>(f, "Popm4")->trigger();
    QCOMPARE(race->race(), 2);
    QVERIFY(named<QLabel>(race, "RaceNamePanel")->text().startsWith(" 3R"));
    QCOMPARE(named<QPlainTextEdit>(race, "Memo")->toPlainText(), QString("出遅れ"));
    // A closed race window stays closed.
    race->close();
    onNextModal([](QWidget* dlg) { named<QPushButton>(dlg, "TourokuBtn")->click(); });
    named<QAction>(f, "Popm4")->trigger();
    QVERIFY(!race->isVisible());
  }

  void rowMenuColonsStandInOneColumn() {
    auto* menu = named<QMenu>(form_.get(), "PopupMenu");
    QTest::mousePress(named<QLabel>(form_.get(), "RacePanel11"), Qt::RightButton, {}, QPoint(10, 5));
    menu->hide();
    QCOMPARE(named<QAction>(menu, "Popm1")->text(), QString("11R ： ﾚｰｽ項目登録"));
    QCOMPARE(named<QAction>(menu, "Popm2")->text(), QString("      ： 購入馬券登録"));
    QVERIFY(menu->font().fixedPitch());
    const QFontMetricsF fm(menu->font());
    QList<qreal> colons;
    for (const char* name : {"Popm1", "Popm2", "Popm3", "Popm4"}) {
      const QString shown = colonAlignedText(named<QAction>(menu, name)->text(), menu);
      colons << fm.horizontalAdvance(shown.left(shown.indexOf(u'：')));
    }
    QCOMPARE(colons, QList<qreal>(4, colons[0]));
  }

  void trackConditionFromTheMenuAndTheToolBar() {
    QObject* f = form_.get();
    QString seen;
    onNextModal([&](QWidget* dlg) {
      seen = dlg->objectName();
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QAction>(f, "D1")->trigger();
    QCOMPARE(seen, QString("BabaShuseiDialog"));
    seen.clear();
    onNextModal([&](QWidget* dlg) {
      seen = dlg->objectName();
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QToolButton>(f, "ToolBtn5")->click();
    QCOMPARE(seen, QString("BabaShuseiDialog"));
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MainWindow> form_;
};

QTEST_MAIN(MainFormEntryTest)
#include "mainform_entry_test.moc"
