// 各種設定: the controls as the settings give them, the option digits 設定 stores, the
// colour button without a list entry, and a colour chosen then cancelled (nothing
// changes) or set (the main and race windows take it at once and keep it after a restart).
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "storage/settings_record.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"
#include "ui/settings/SettingsDialog.h"

using namespace tovra;
using namespace tovra::test;

namespace {

std::uint16_t storedOptionDigits(const TempLedger& l) {
  const QByteArray b = l.readFile("tovractm.dat");
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[2]) | (static_cast<unsigned char>(b[3]) << 8));
}
QColor background(QWidget* w) { return w->palette().color(QPalette::Window); }

// In the open settings dialog: picks list entry `entry`, has the colour dialog choose
// `colour`, then clicks `button` (SetteiBtn or CancelBtn).
void chooseColour(QWidget* dlg, int entry, const QColor& colour, const char* button) {
  named<QListWidget>(dlg, "ListBox")->setCurrentRow(entry);
  onNextModal([colour](QWidget* cd) {
    auto* colours = qobject_cast<QColorDialog*>(cd);
    QVERIFY(colours);
    QCOMPARE(colours->objectName(), QString("ColorDialog"));
    colours->setCurrentColor(colour);
    colours->accept();
  });
  named<QPushButton>(dlg, "ColorBtn")->click();
  QCOMPARE(background(named<QLabel>(dlg, "Panel")), colour);
  named<QPushButton>(dlg, button)->click();
}

const QColor kChosen(12, 34, 56);

}  // namespace

class KakushuSetteiTest : public QObject {
  Q_OBJECT
 private slots:

  void opensOnTheColoursWithTheStoredChoicesAndStoresTheRecord() {
    RaceLedger l;
    appState().settings.optionDigits = 121;
    appState().settings.startCourse = 4;
    SettingsDialog dlg(appState());
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString("各種設定"));
    auto* page1 = named<QTabWidget>(&dlg, "Page1");
    QCOMPARE(page1->currentIndex(), 1);
    QCOMPARE(page1->tabText(0), QString("環境設定"));
    QCOMPARE(page1->tabText(1), QString("色"));
    QVERIFY(!named<QCheckBox>(&dlg, "CheckBox1")->isChecked());
    QVERIFY(!named<QCheckBox>(&dlg, "CheckBox2")->isChecked());
    QCOMPARE(named<QComboBox>(&dlg, "ShikiBox")->currentText(), QString("馬連"));
    QCOMPARE(named<QComboBox>(&dlg, "BabaBox")->currentText(), QString(" 東京"));
    auto* list = named<QListWidget>(&dlg, "ListBox");
    QCOMPARE(list->count(), 8);
    QCOMPARE(list->item(7)->text(), QString("各集計結果ｳｨﾝﾄﾞｳの背景"));
    // Shown means stored: ｷｬﾝｾﾙ returns to this record.
    QCOMPARE(l.readFile("tovractm.dat").size(), 160);
    QCOMPARE(storedOptionDigits(l), std::uint16_t(121));
    list->setCurrentRow(3);
    QCOMPARE(background(named<QLabel>(&dlg, "Panel")), QColor(0, 128, 128));
    shoot(&dlg, "kakushuSettei-colours");
    page1->setCurrentIndex(0);
    shoot(&dlg, "kakushuSettei-environment");
  }

  void setteiStoresTheOptionDigitsOfTheControls_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("newAges");
    QTest::addColumn<int>("course");
    QTest::addColumn<int>("digits");
    QTest::newRow("nothing checked, 馬連") << false << 2 << false << 9 << 121;
    QTest::newRow("all checked, 単･複") << true << 0 << true << 0 << 0;
    QTest::newRow("ask, 枠連･ﾜｲﾄﾞ, old ages") << true << 1 << false << 4 << 110;
  }
  void setteiStoresTheOptionDigitsOfTheControls() {
    QFETCH(bool, confirm);
    QFETCH(int, page);
    QFETCH(bool, newAges);
    QFETCH(int, course);
    QFETCH(int, digits);
    RaceLedger l;
    SettingsDialog dlg(appState());
    dlg.show();
    named<QCheckBox>(&dlg, "CheckBox1")->setChecked(confirm);
    named<QCheckBox>(&dlg, "CheckBox2")->setChecked(newAges);
    named<QComboBox>(&dlg, "ShikiBox")->setCurrentIndex(page);
    named<QComboBox>(&dlg, "BabaBox")->setCurrentIndex(course);
    named<QPushButton>(&dlg, "SetteiBtn")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(appState().settings.optionDigits), digits);
    QCOMPARE(int(appState().settings.startCourse), course);
    QCOMPARE(int(storedOptionDigits(l)), digits);
  }

  void colourButtonWithoutAnEntryRefuses() {
    RaceLedger l;
    const SettingsRecord before = appState().settings;
    SettingsDialog dlg(appState());
    dlg.show();
    MessageScript script;
    named<QPushButton>(&dlg, "ColorBtn")->click();
    QCOMPARE(script.count(), 1);
    QCOMPARE(script.lastText(), QString("設定したい色を選択して下さい。"));
    QCOMPARE(script.lastIcon(), MsgIcon::Error);
    QVERIFY(dlg.isVisible());
    QCOMPARE(appState().settings.colours[0], before.colours[0]);
  }

  void aColourChosenThenCancelledChangesNothing() {
    RaceLedger l;
    l.addMeeting(TempLedger::day(12, 23, 5, 8), RaceBlock{});
    startAt(l, 5);
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    const QByteArray fileBefore = l.readFile("tovractm.dat");
    const QColor backBefore = background(form.centralWidget());
    onNextModal([](QWidget* dlg) { chooseColour(dlg, 0, kChosen, "CancelBtn"); });
    named<QAction>(&form, "N15")->trigger();
    QCOMPARE(background(form.centralWidget()), backBefore);
    QCOMPARE(appState().settings.colours[kColMainBack], colourFromRgb(0, 128, 0));
    QCOMPARE(l.readFile("tovractm.dat"), fileBefore);
  }

  void aColourSetColoursTheOpenWindowsAtOnceAndOutlivesARestart() {
    RaceLedger l;
    RaceBlock races{};
    races[10] = fullRace();
    l.addMeeting(TempLedger::day(12, 23, 5, 8), races);
    startAt(l, 5);
    auto form = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form->startUp());
    form->openRaceWindow(10);
    QVERIFY(form->raceWindow() && form->raceWindow()->isVisible());
    QWidget* panel1 = named<QWidget>(form->raceWindow(), "Panel1");

    onNextModal([](QWidget* dlg) { chooseColour(dlg, kColMainBack, kChosen, "SetteiBtn"); });
    named<QAction>(form.get(), "N15")->trigger();
    QCOMPARE(background(form->centralWidget()), kChosen);

    const QColor raceBack(200, 100, 50);
    onNextModal([raceBack](QWidget* dlg) { chooseColour(dlg, kColRaceBack, raceBack, "SetteiBtn"); });
    named<QAction>(form.get(), "N15")->trigger();
    QCOMPARE(background(panel1), raceBack);
    QCOMPARE(background(form->centralWidget()), kChosen);
    const QByteArray stored = l.readFile("tovractm.dat");
    QCOMPARE(QByteArray(stored.constData() + 4, 4), QByteArray("\x0c\x22\x38\x00", 4));

    // The next run starts with the colours.
    form.reset();
    AppState next(l.root(), userPort());
    MainWindow again(next, 0);
    QVERIFY(again.startUp());
    QCOMPARE(background(again.centralWidget()), kChosen);
    QCOMPARE(next.settings.colours[kColRaceBack], colourFromRgb(200, 100, 50));
  }

 private:
  static void startAt(TempLedger& l, int course) {
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = static_cast<std::uint16_t>(course);
    l.writeSettings(s);
  }
};

QTEST_MAIN(KakushuSetteiTest)
#include "kakushusettei_test.moc"
