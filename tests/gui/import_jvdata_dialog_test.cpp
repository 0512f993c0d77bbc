// The JV-Data import dialog and its wiring in the main window (JvData1): one accepted
// path (the file read, the deleted race's question answered, 登録 storing the day and the
// store's rows) and one refusal (a cut file: its message, nothing written); the day's WIN5
// shown and stored, and refused with a warning when the WIN5 day holds other legs.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../core/support/jvdata_builders.hpp"
#include "features/import/jvdata/jvdata_import.hpp"
#include "features/import/win5_import.hpp"
#include "storage/win5_store.hpp"
#include "storage/bet_store.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QByteArray bytes(const std::vector<std::uint8_t>& v) {
  return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

// The day of the Japan Cup shown (東京 2018, 11月25日 5回8日目).
void jcLedger(TempLedger& ledger) {
  ledger.registerYears({2018});
  ledger.writeMeetings(2018, 4, {TempLedger::day(11, 25, 5, 8)});
  SettingsRecord s = SettingsRecord::defaults();
  s.startCourse = 4;
  ledger.writeSettings(s);
}

// The day's WF: 東京 7R, 京都 8R, 東京 9R, 京都 10R, 東京 11R; 1-2-3-4-5 paid 123,450 yen.
jvtest::Rec win5Record() {
  jvtest::Rec x("WF", 7215);
  x.put(12, "20181125").put(22, "0505080708050808050508090805081005050811");
  x.put(134, "000").put(137, "000000000000000").put(152, "000000000000000");
  x.put(167, "0102030405").put(177, "000123450").put(186, "0000000003");
  return x;
}

QByteArray raceFile(TempLedger& l) { return l.readFile("tovradatafile/tok/2018rto.dat"); }

// jv.dat through the JV-Data window with 登録 in its confirmation; the confirmation's
// Win5Panel text (and whether it showed a DeletedPanel).
QString importJvFile(MainWindow& form, TempLedger& ledger, bool* deletedShown = nullptr) {
  QString win5;
  onNextModal([&](QWidget* d) {
    named<QLineEdit>(d, "FileEdit")->setText(ledger.file("jv.dat"));
    onNextModal([&](QWidget* keka) {
      win5 = named<QLabel>(keka, "Win5Panel")->text();
      if (deletedShown) *deletedShown = keka->findChild<QLabel*>("DeletedPanel") != nullptr;
      named<QPushButton>(keka, "TourokuBtn")->click();
    });
    named<QPushButton>(d, "YomikomiBtn")->click();
  });
  named<QAction>(&form, "JvData1")->trigger();
  return win5;
}

}  // namespace

class ImportJvDataDialogTest : public QObject {
  Q_OBJECT
 private slots:

  void fileThroughTheDialogsStoresTheDayAndTheRows() {
    TempLedger ledger;
    jcLedger(ledger);
    using namespace jvtest;
    Rec hr = hrRecord(11);
    hr.put(103, "0500000014001").put(454, "0503000000600002");
    ledger.writeFile("jv.dat", bytes(jvFile({raRecord(11), hr, hrRecord(3, '0')})));
    MessageScript script;
    script.answer({Answer::Ok});  // clear the deleted race's results
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QString races, deleted;
    onNextModal([&](QWidget* d) {
      QCOMPARE(d->objectName(), QString("JvDataImportDialog"));
      QCOMPARE(d->windowTitle(), QString("JV-Dataﾌｧｲﾙ読み込み"));
      QCOMPARE(named<QLabel>(d, "YomikomiLabel")->text(), QString("11月25日 5回  8日目  東京競馬場"));
      named<QLineEdit>(d, "FileEdit")->setText(ledger.file("jv.dat"));
      onNextModal([&](QWidget* keka) {
        QCOMPARE(keka->windowTitle(), QString("JV-Dataﾌｧｲﾙ読み込み終了"));
        races = named<QLabel>(keka, "RacePanel")->text();
        deleted = named<QLabel>(keka, "DeletedPanel")->text();
        named<QPushButton>(keka, "TourokuBtn")->click();
      });
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QAction>(&form, "JvData1")->trigger();
    QCOMPARE(races, QString("  3R 11R"));
    QCOMPARE(deleted, QString("  3R  (結果を消去します)"));
    QCOMPARE(form.selection().day.races[10].tanHaitou[0], 140);
    RaceRecord stored;
    stored.decode(reinterpret_cast<const std::uint8_t*>(raceFile(ledger).constData()) + 10 * RaceRecord::kSize);
    QCOMPARE(stored.tanHaitou[0], 140);
    BetStore store(ledger.path().toStdString());
    const auto race = store.race(RaceKey{DateKey{2018, 4, 11, 25}, 11});
    QVERIFY(race);
    QCOMPARE(int(race->winners.size()), 1);
    QCOMPARE(race->winners[0].payout, std::int64_t(600));
  }

  // The day's WF: the confirmation's Win5Panel says what is taken, 登録 writes the WIN5 day.
  void win5OfTheDayIsShownAndStored() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("jv.dat", bytes(jvtest::jvFile({jvtest::raRecord(11), win5Record()})));
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    bool deletedShown = true;
    const QString win5 = importJvFile(form, ledger, &deletedShown);
    QVERIFY(!deletedShown);
    QCOMPARE(win5, QString("対象ﾚｰｽ・払戻 取込"));
    QCOMPARE(script.count(), 0);
    BetStore store(ledger.path().toStdString());
    const auto day = Win5Store(store).day({2018, 11, 25});
    QVERIFY(day && *day);
    QCOMPARE(int((*day)->winners.size()), 1);
    QCOMPARE((*day)->winners[0].payout, std::int64_t(123450));
  }

  // The WIN5 day holds other legs: the confirmation says so, the day is stored, the WIN5 is
  // not, and no message follows.
  void win5WithOtherLegsHeldIsToldInTheConfirmation() {
    TempLedger ledger;
    jcLedger(ledger);
    const std::array<Win5Leg, kWin5LegCount> other{{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}}};
    {
      BetStore store(ledger.path().toStdString());
      QVERIFY(Win5Store(store).setLegs({2018, 11, 25}, other));
    }
    ledger.writeFile("jv.dat", bytes(jvtest::jvFile({jvtest::raRecord(11), win5Record()})));
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    const QString win5 = importJvFile(form, ledger);
    QVERIFY(win5.contains(QString::fromUtf8(msg::kWin5LegsDiffer)));
    QCOMPARE(script.count(), 0);
    QCOMPARE(form.selection().day.races[10].kyori, std::uint16_t(2400));
    BetStore store(ledger.path().toStdString());
    const auto day = Win5Store(store).day({2018, 11, 25});
    QVERIFY(day && *day);
    QVERIFY((*day)->legs == other);
    QVERIFY((*day)->winners.empty());
  }

  void cutFileGivesItsMessageAndWritesNothing() {
    TempLedger ledger;
    jcLedger(ledger);
    auto cut = jvtest::jvFile({jvtest::raRecord(11), jvtest::hrRecord(11)});
    cut.resize(cut.size() - 1);
    ledger.writeFile("cut.dat", bytes(cut));
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    bool confirmation = false;
    onNextModal([&](QWidget* d) {
      named<QLineEdit>(d, "FileEdit")->setText("cut.dat");
      onNextModal([&](QWidget*) { confirmation = true; });
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QAction>(&form, "JvData1")->trigger();
    QVERIFY(!confirmation);
    QVERIFY(script.lastText().contains("cut.dat の 2 件目のﾚｺｰﾄﾞ (1273 ﾊﾞｲﾄ目から、種別 HR)"));
    QCOMPARE(raceFile(ledger), before);
    QVERIFY(!ledger.exists("tovradatafile/bets.sqlite"));
  }
};

QTEST_MAIN(ImportJvDataDialogTest)
#include "import_jvdata_dialog_test.moc"
