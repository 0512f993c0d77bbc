// The meeting edit dialog with 開催ﾃﾞｰﾀ修正 (S1), and 開催ﾃﾞｰﾀ削除 (F1).
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/MeetingEditDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

int selected(QWidget* d, const char* box) { return named<QComboBox>(d, box)->currentIndex(); }
QString panel(QWidget* form) { return named<QLabel>(form, "KaisaiPanel")->text(); }

}  // namespace

class KaisaiShuseiTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2001});
    KaisaiRecord first = TempLedger::day(1, 5, 1, 1);
    TempLedger::setRace(first, 0, 2, "新春S", 1000, -1000);
    ledger_->writeMeetings(2001, 5, {first, TempLedger::day(3, 4, 2, 4), TempLedger::day(6, 10, 3, 2)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 5;
    ledger_->writeSettings(s);
    script_ = std::make_unique<MessageScript>();
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
  }
  void cleanup() {
    form_.reset();
    script_.reset();
    ledger_.reset();
  }

  void opensOnTheShownMeeting() {
    MeetingEditDialog d(5, 1231, 1208);
    QCOMPARE(d.windowTitle(), QString("開催ﾃﾞｰﾀ修正"));
    QCOMPARE(named<QLabel>(&d, "Label")->text(), QString("中山競馬場"));
    QCOMPARE(selected(&d, "TsukiBox"), 11);
    QCOMPARE(selected(&d, "HiBox"), 30);
    QCOMPARE(selected(&d, "KaiBox"), 11);
    QCOMPARE(selected(&d, "NichiBox"), 7);
    QCOMPARE(named<QPushButton>(&d, "ShuseiBtn")->text(), QString("修正"));
    QCOMPARE(named<QPushButton>(&d, "CancelBtn")->text(), QString("ｷｬﾝｾﾙ"));
    named<QPushButton>(&d, "ShuseiBtn")->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(d.date() == (MeetingDate{12, 31, 12, 8}));
    // Values no list holds (a record from another program) select the nearest end.
    MeetingEditDialog odd(0, 1300, 9);
    QCOMPARE(selected(&odd, "TsukiBox"), 11);
    QCOMPARE(selected(&odd, "HiBox"), 0);
    QCOMPARE(selected(&odd, "KaiBox"), 0);
    QCOMPARE(selected(&odd, "NichiBox"), 7);
  }

  void editMovesTheMeetingToItsDateAndShowsIt() {
    named<QPushButton>(form_.get(), "RaceBtn1")->click();
    QVERIFY(form_->raceWindow() && form_->raceWindow()->isVisible());
    onNextModal([](QWidget* d) {
      QCOMPARE(selected(d, "TsukiBox"), 0);
      QCOMPARE(selected(d, "HiBox"), 4);
      named<QComboBox>(d, "TsukiBox")->setCurrentIndex(11);
      named<QComboBox>(d, "HiBox")->setCurrentIndex(19);
      named<QComboBox>(d, "KaiBox")->setCurrentIndex(5);
      named<QPushButton>(d, "ShuseiBtn")->click();
    });
    named<QAction>(form_.get(), "S1")->trigger();
    QVERIFY(!form_->raceWindow()->isVisible());  // closed before the edit
    QCOMPARE(panel(form_.get()), QString(" 12月20日 6回 1日目  "));
    QCOMPARE(named<QScrollBar>(form_.get(), "ScrollBar")->value(), 2);
    // Its races and figures went with it.
    QCOMPARE(named<QLabel>(form_.get(), "RacePanel1")->text(), QString("新春S"));
    QCOMPARE(userPort().asterisks, 1);
  }

  void cancelledEditChangesNothing() {
    const QByteArray before = ledger_->readFile("tovradatafile/nak/2001nak.dat");
    onNextModal([](QWidget* d) {
      named<QComboBox>(d, "TsukiBox")->setCurrentIndex(11);
      named<QPushButton>(d, "CancelBtn")->click();
    });
    named<QAction>(form_.get(), "S1")->trigger();
    QCOMPARE(ledger_->readFile("tovradatafile/nak/2001nak.dat"), before);
    QCOMPARE(panel(form_.get()), QString("  1月 5日 1回 1日目  "));
  }

  void deleteAsksTwiceAndShowsTheFirstRemainingMeeting() {
    named<QScrollBar>(form_.get(), "ScrollBar")->setValue(1);
    QCOMPARE(panel(form_.get()), QString("  3月 4日 2回 4日目  "));
    named<QPushButton>(form_.get(), "RaceBtn3")->click();
    named<QAction>(form_.get(), "F1")->trigger();
    QVERIFY(!form_->raceWindow()->isVisible());
    QCOMPARE(script_->count(), 2);
    QCOMPARE(QString::fromStdString(script_->shown()[0].text),
             QString("中山競馬場    3月 4日 2回 4日目の開催ﾃﾞｰﾀを削除します。"));
    QCOMPARE(panel(form_.get()), QString("  1月 5日 1回 1日目  "));
    QCOMPARE(named<QScrollBar>(form_.get(), "ScrollBar")->maximum(), 1);
    QCOMPARE(ledger_->readFile("tovradatafile/nak/2001rna.dat").size(), 3 * 22704);
    QCOMPARE(userPort().asterisks, 1);
  }

  void deletingTheLastMeetingLeavesTheEmptyView() {
    for (int i = 0; i < 3; ++i) named<QAction>(form_.get(), "F1")->trigger();
    QCOMPARE(panel(form_.get()), QString(" ------------------"));
    QCOMPARE(ledger_->readFile("tovradatafile/nak/2001nak.dat"), QByteArray(864, '\0'));
    QCOMPARE(ledger_->readFile("tovradatafile/nak/2001rna.dat"), QByteArray(22704, '\0'));
    // The edit and delete entries go with the last meeting.
    QVERIFY(!named<QMenu>(form_.get(), "N1")->menuAction()->isEnabled());
  }

  void cancelledDeleteChangesNothing() {
    const QByteArray before = ledger_->readFile("tovradatafile/nak/2001nak.dat");
    script_->answer({Answer::Ok, Answer::Cancel});
    named<QAction>(form_.get(), "F1")->trigger();
    QCOMPARE(script_->count(), 2);
    QCOMPARE(ledger_->readFile("tovradatafile/nak/2001nak.dat"), before);
    QCOMPARE(userPort().asterisks, 0);
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MessageScript> script_;
  std::unique_ptr<MainWindow> form_;
};

QTEST_MAIN(KaisaiShuseiTest)
#include "kaisaishusei_test.moc"
