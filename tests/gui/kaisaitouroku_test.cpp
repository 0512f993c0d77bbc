// The meeting registration dialog and what 開催ﾃﾞｰﾀ (W1) and ToolBtn1 do with it.
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "features/entry/meeting_ops.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/MeetingRegisterDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/Looks.h"
#include "ui/widgets/WaitPopup.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QStringList entries(QWidget* dialog, const char* box) {
  QStringList out;
  auto* b = named<QComboBox>(dialog, box);
  for (int i = 0; i < b->count(); ++i) out << b->itemText(i);
  return out;
}

// Picks the course and the four entries of an open registration dialog.
void choose(QWidget* dialog, int course, int month, int day, int kai, int nichi) {
  dialog->findChildren<QRadioButton*>().at(course)->click();
  named<QComboBox>(dialog, "TsukiBox")->setCurrentIndex(month - 1);
  named<QComboBox>(dialog, "HiBox")->setCurrentIndex(day - 1);
  named<QComboBox>(dialog, "KaiBox")->setCurrentIndex(kai - 1);
  named<QComboBox>(dialog, "NichiBox")->setCurrentIndex(nichi - 1);
}

}  // namespace

class KaisaiTourokuTest : public QObject {
  Q_OBJECT
 private slots:

  void opensOnSapporoAndTheFirstEntries() {
    MeetingRegisterDialog d;
    QCOMPARE(d.windowTitle(), QString("開催ﾃﾞｰﾀ登録"));
    QCOMPARE(named<QWidget>(&d, "RadioGroup")->property("title").toString(), QString("競馬場"));
    const auto radios = d.findChildren<QRadioButton*>();
    QCOMPARE(radios.size(), 10);
    QStringList names;
    for (auto* r : radios) names << r->text();
    QCOMPARE(names, QStringList({"札幌", "函館", "福島", "新潟", "東京", "中山", "中京", "京都", "阪神", "小倉"}));
    QVERIFY(radios[0]->isChecked());
    // Two columns: 札幌..東京, then 中山..小倉.
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(radios[5]->y(), radios[0]->y());
    QVERIFY(radios[5]->x() > radios[4]->x());
    QCOMPARE(entries(&d, "TsukiBox").size(), 12);
    QCOMPARE(entries(&d, "TsukiBox").front(), QString(" 1月"));
    QCOMPARE(entries(&d, "TsukiBox").back(), QString("12月"));
    QCOMPARE(entries(&d, "HiBox").size(), 31);
    QCOMPARE(entries(&d, "HiBox").back(), QString("31日"));
    QCOMPARE(entries(&d, "KaiBox").front(), QString(" 1回"));
    QCOMPARE(entries(&d, "KaiBox").back(), QString("12回"));
    QCOMPARE(entries(&d, "NichiBox"),
             QStringList({" 1日目", " 2日目", " 3日目", " 4日目", " 5日目", " 6日目", " 7日目", " 8日目"}));
    for (const char* box : {"TsukiBox", "HiBox", "KaiBox", "NichiBox"})
      QCOMPARE(named<QComboBox>(&d, box)->currentIndex(), 0);
    QCOMPARE(named<QPushButton>(&d, "TourokuBtn")->text(), QString("登録"));
    QCOMPARE(named<QPushButton>(&d, "IkkatsuBtn")->text(), QString("一括登録"));
    QCOMPARE(named<QPushButton>(&d, "CancelBtn")->text(), QString("ｷｬﾝｾﾙ"));
    QCOMPARE(named<QLabel>(&d, "Label2")->text(),
             QString("同じ回次中に変則日程、閏年の 2月末が含まれる場合は、一括登録は出来ません。"));
  }

  void buttonsCloseWithTheirResult() {
    const std::pair<const char*, int> cases[] = {{"TourokuBtn", MeetingRegisterDialog::Single},
                                                 {"IkkatsuBtn", MeetingRegisterDialog::Series},
                                                 {"CancelBtn", QDialog::Rejected}};
    for (auto [button, result] : cases) {
      MeetingRegisterDialog d;
      choose(&d, 8, 12, 31, 12, 8);
      named<QPushButton>(&d, button)->click();
      QCOMPARE(d.result(), result);
      QCOMPARE(d.course(), 8);
      QVERIFY(d.date() == (MeetingDate{12, 31, 12, 8}));
    }
  }

  void registeringShowsTheNewMeeting() {
    TempLedger ledger;
    ledger.registerYears({2001});
    ledger.writeMeetings(2001, 4, {TempLedger::day(4, 29, 2, 2), TempLedger::day(5, 6, 2, 4)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    ledger.writeSettings(s);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    named<QPushButton>(&form, "RaceBtn2")->click();
    QVERIFY(form.raceWindow() && form.raceWindow()->isVisible());
    onNextModal([](QWidget* d) {
      choose(d, 4, 5, 2, 2, 3);
      named<QPushButton>(d, "TourokuBtn")->click();
    });
    named<QAction>(&form, "W1")->trigger();
    QVERIFY(!form.raceWindow()->isVisible());
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("東京競馬場"));
    QCOMPARE(named<QLabel>(&form, "KaisaiPanel")->text(), QString("  5月 2日 2回 3日目  "));
    QCOMPARE(named<QScrollBar>(&form, "ScrollBar")->value(), 1);
    QCOMPARE(named<QScrollBar>(&form, "ScrollBar")->maximum(), 2);
    QCOMPARE(userPort().asterisks, 1);
    QCOMPARE(ledger.readFile("tovradatafile/tok/2001tok.dat").size(), 4 * 864);
    QCOMPARE(script.count(), 0);
  }

  void seriesFromTheToolButton() {
    TempLedger ledger;
    ledger.registerYears({2001});
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    onNextModal([](QWidget* d) {
      choose(d, 9, 12, 28, 5, 1);
      named<QPushButton>(d, "IkkatsuBtn")->click();
    });
    named<QToolButton>(&form, "ToolBtn1")->click();
    // The last day (1/19) is shown, at index 5 of the nine days of the same year.
    QCOMPARE(named<QLabel>(&form, "JyoLabel")->text(), QString("小倉競馬場"));
    QCOMPARE(named<QLabel>(&form, "KaisaiPanel")->text(), QString("  1月19日 5回 8日目  "));
    QCOMPARE(named<QScrollBar>(&form, "ScrollBar")->value(), 5);
    QCOMPARE(named<QScrollBar>(&form, "ScrollBar")->maximum(), 7);
    QVERIFY(named<QPushButton>(&form, "RaceBtn1")->isEnabled());
  }

  // CHUDIALOG2..4: the hourglass beside the text; the popup's 200-pixel text column
  // breaks the text into two lines after "!!!".
  void waitPopupsShowTheHourglassAndTwoLines() {
    initUiResources();
    for (const char* text : {kTourokuWaitText, kShuseiWaitText, kSakujyoWaitText}) {
      WaitPopup w(nullptr, QString::fromUtf8(text), false);
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QVERIFY(!named<QLabel>(&w, "Bitmap")->pixmap().isNull());
      auto* label = named<QLabel>(&w, "WaitText");
      QCOMPARE(label->text(), QString::fromUtf8(text));
      const int line = label->fontMetrics().lineSpacing();
      QVERIFY(label->height() >= 2 * line && label->height() < 3 * line);
    }
  }

  void cancelChangesNothing() {
    TempLedger ledger;
    ledger.registerYears({2001});
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    const QByteArray before = ledger.readFile("tovradatafile/sap/2001sap.dat");
    onNextModal([](QWidget* d) { named<QPushButton>(d, "CancelBtn")->click(); });
    named<QAction>(&form, "W1")->trigger();
    QCOMPARE(ledger.readFile("tovradatafile/sap/2001sap.dat"), before);
    QCOMPARE(named<QLabel>(&form, "KaisaiPanel")->text(), QString(" ------------------"));
    QCOMPARE(userPort().asterisks, 0);
  }
};

QTEST_MAIN(KaisaiTourokuTest)
#include "kaisaitouroku_test.moc"
