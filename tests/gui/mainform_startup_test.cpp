// Start-up of the main window: the folders, the first year, the settings and the import
// folder settings, the start course, the splash, and the old-version refusal.
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "storage/paths.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/Looks.h"

using namespace tovra;
using namespace tovra::test;

class MainFormStartupTest : public QObject {
  Q_OBJECT
 private slots:

  void firstStartInEmptyFolder() {
    TempLedger ledger;
    MessageScript msgs;
    ledger.writeFile("tovracfg.dat", "old");
    ledger.writeFile("kensaku.tmp", "old");
    MainWindow form(appState(), 0);
    bool beeped = false;
    QStringList refusals;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->objectName(), QString("NENTSUGIDIALOG"));
      QCOMPARE(dlg->windowTitle(), QString("年次初期登録"));
      auto* edit = named<QLineEdit>(dlg, "Edit100");
      // Letters beep and are swallowed; a short, empty or out-of-range year is refused
      // with the year message, the dialog staying open.
      QTest::keyClicks(edit, "a");
      beeped = msgs.beeps() == 1 && edit->text().isEmpty();
      for (const char* bad : {"01", "", "1953", "2100"}) {
        edit->clear();
        typeAndClick(dlg, "Edit100", bad, "TourokuBtn");
        refusals << QString("%1:%2:%3").arg(bad, msgs.lastText()).arg(dlg->isVisible());
        msgs.clear();
      }
      QVERIFY(!ledger.exists("main.dat"));
      edit->clear();
      typeAndClick(dlg, "Edit100", "2001", "TourokuBtn");
    });
    QVERIFY(form.startUp());
    QVERIFY(beeped);
    QCOMPARE(refusals, QStringList({"01:西暦4桁で入力して下さい。:1", ":西暦4桁で入力して下さい。:1",
                                    "1953:西暦4桁で入力して下さい。:1", "2100:西暦4桁で入力して下さい。:1"}));

    for (int c = 0; c < kCourseCount; ++c) {
      QVERIFY(QFileInfo(ledger.file(QString::fromStdString(courseFolderPath(c)))).isDir());
      QCOMPARE(ledger.readFile(QString::fromStdString(meetingFilePath("2001", c))).size(), 864);
      QCOMPARE(ledger.readFile(QString::fromStdString(raceFilePath("2001", c))).size(), 22704);
    }
    QVERIFY(QFileInfo(ledger.file("tmp")).isDir());
    QVERIFY(QFileInfo(ledger.file("tovradatafile/shukei")).isDir());
    QVERIFY(!ledger.exists("tovracfg.dat"));
    QVERIFY(!ledger.exists("kensaku.tmp"));
    const QByteArray mainDat = ledger.readFile("main.dat");
    QCOMPARE(mainDat.size(), 42);
    QCOMPARE(quint8(mainDat[0]) | quint8(mainDat[1]) << 8, 2001);
    QCOMPARE(mainDat.mid(2), QByteArray(40, '\0'));
    // Nothing is written besides: no settings, no import settings.
    QVERIFY(!ledger.exists("tovractm.dat"));
    QVERIFY(!ledger.exists("janipa.dat"));

    QCOMPARE(named<QLabel>(&form, "KaisaiPanel")->text(), QString(" ------------------"));
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("札幌競馬場"));
    QCOMPARE(named<QStatusBar>(&form, "StatusBar")->currentMessage(), QString("札幌競馬場開催ﾃﾞｰﾀ"));
    auto* combo = named<QComboBox>(&form, "ComboBox");
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->currentText(), QString(" 2001年"));
    QVERIFY(!named<QPushButton>(&form, "RaceBtn1")->isEnabled());
    QCOMPARE(msgs.count(), 0);
  }

  void escapeInTheFirstYearDialogEndsWritingNothing() {
    TempLedger ledger;
    MessageScript msgs;
    ledger.writeFile("kensaku.tmp", "old");
    MainWindow form(appState(), 0);
    bool shown = false;
    onNextModal([&](QWidget* dlg) {
      shown = dlg->objectName() == "NENTSUGIDIALOG";
      QTest::keyClicks(named<QLineEdit>(dlg, "Edit100"), "20");
      QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QVERIFY(!form.startUp());
    QVERIFY(shown);
    QCOMPARE(msgs.count(), 0);
    // The folder is as it was: no ledger folders, no main.dat, the old file not removed.
    QCOMPARE(QDir(ledger.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"kensaku.tmp"}));
  }

  void defaultsWithoutSettingsFile() {
    TempLedger ledger;
    ledger.registerYears({2001});
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QVERIFY(!appState().settingsExisted);
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("札幌競馬場"));
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0, 128, 0));
    // No stored position: the middle of the screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(form.pos().x() + form.sizeHint().width() / 2 - screen.center().x()) <= 1);
  }

  void settingsGiveStartCourseColoursAndPosition() {
    TempLedger ledger;
    ledger.registerYears({2001});
    ledger.writeMeetings(2001, 4, {TempLedger::day(10, 28, 4, 1)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    s.colours[kColMainBack] = colourFromRgb(10, 20, 30);
    s.colours[kColMainCourse] = colourFromRgb(200, 100, 50);
    s.mainRect = Rect32{30, 40, 700, 540};
    ledger.writeSettings(s);
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("東京競馬場"));
    QCOMPARE(named<QLabel>(&form, "KaisaiPanel")->text(), QString(" 10月28日 4回 1日目  "));
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->palette().color(QPalette::WindowText), QColor(200, 100, 50));
    QCOMPARE(form.pos(), QPoint(30, 40));
  }

  void damagedStartCourseFallsBackToSapporo() {
    TempLedger ledger;
    ledger.registerYears({2001});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 37;
    ledger.writeSettings(s);
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QCOMPARE(form.selection().course, 0);
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("札幌競馬場"));
  }

  void newestYearIsCurrent() {
    TempLedger ledger;
    ledger.registerYears({2001, 2000, 1999});
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QCOMPARE(appState().ds.year, std::string("2001"));
    auto* combo = named<QComboBox>(&form, "ComboBox");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(2), QString(" 1999年"));
    QCOMPARE(combo->currentIndex(), 0);
  }

  void importSettingsAreReadWholeAndLeftAlone() {
    TempLedger ledger;
    ledger.registerYears({2001});
    QByteArray janipa(4100, '\0');
    janipa.replace(0, 9, "C:\\JV\\SH\\");
    janipa.replace(3072, 7, "C:\\PAT\\");
    janipa[4096] = 2;
    ledger.writeFile("janipa.dat", janipa);
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QVERIFY(appState().foldersExisted);
    QCOMPARE(QByteArray::fromStdString(appState().folders.folder[0]), QByteArray("C:\\JV\\SH\\"));
    QCOMPARE(QByteArray::fromStdString(appState().folders.folder[3]), QByteArray("C:\\PAT\\"));
    QCOMPARE(appState().folders.patKind, 2);
    QCOMPARE(ledger.readFile("janipa.dat"), janipa);
  }

  void oldVersionDataIsRefused() {
    TempLedger ledger;
    MessageScript msgs;
    QDir(ledger.path()).mkdir("DATA");
    MainWindow form(appState(), 0);
    QVERIFY(!form.startUp());
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.lastText(), QString("旧版のﾃﾞｰﾀﾌｧｲﾙがｺﾝﾊﾞｰﾄされていません。\n\nｺﾝﾊﾞｰﾄしてから起動して下さい。"));
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Error);
    QVERIFY(!ledger.exists("tovradatafile"));
    QVERIFY(!ledger.exists("main.dat"));
  }

  void splashStaysForItsTimeThenCloses() {
    TempLedger ledger;
    ledger.registerYears({2001});
    MainWindow form(appState(), 300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(form.startUp());
    QVERIFY(clock.elapsed() >= 300);
    QPointer<QWidget> splash;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "TOVRADIALOG") splash = w;
    QVERIFY(splash && splash->isVisible());
    // The first tick of Timer1 after the wait closes it.
    QTRY_VERIFY_WITH_TIMEOUT(!splash || !splash->isVisible(), 3000);
  }
};

QTEST_MAIN(MainFormStartupTest)
#include "mainform_startup_test.moc"
