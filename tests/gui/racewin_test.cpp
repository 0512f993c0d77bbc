// The race window: every control filled from the race shown, the wide pages, the colours,
// the tool bar and deleting the race's data.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QLineEdit>
#include <algorithm>
#include <map>
#include <memory>

#include "domain/settlement.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"
#include "support/MessageScript.h"
#include "support/RaceLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/Looks.h"

using namespace tovra;
using namespace tovra::test;

namespace {

KaisaiRecord arimaDay() {
  KaisaiRecord k;
  k.tsukiHi = 1223;
  k.kaiNichi = 508;
  setFixedText(k.raceMei[10], sj(kFullRaceName));
  return k;
}

// A ledger whose meeting day shown holds the full race as 11R.
struct FullRaceLedger : RaceLedger {
  explicit FullRaceLedger(int year = 2001) : RaceLedger(year) {
    RaceBlock races{};
    races[10] = fullRace();
    addMeeting(arimaDay(), races);
  }
};

template <typename T = QLabel>
T* child(QWidget& w, const char* name) {
  return named<T>(&w, QString::fromLatin1(name));
}

QString text(QWidget& w, const char* name) { return child(w, name)->text(); }
QColor textColour(QWidget& w, const char* name) { return child(w, name)->palette().color(QPalette::WindowText); }
QStringList lines(QWidget& w, const char* name) {
  QStringList out;
  auto* box = child<QListWidget>(w, name);
  for (int i = 0; i < box->count(); ++i) out << box->item(i)->text();
  return out;
}
QColor colour(const SettingsRecord& s, int index) { return settingsColour(s.colours[index]); }

}  // namespace

class RaceWinTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlIsThere();
  void noMeetingOnlyBeeps();
  void showsTheRaceWithItsColours();
  void deadHeatWinPanels();
  void fourWideResultsPage();
  void ageLabelsOf2000And2001();
  void finisherLinesCutAt32Bytes();
  void entryWeights();
  void totalsBlankWithoutPurchase();
  void ticketPageFromOptions();
  void dataButtonsOnlyWithData();
  void deleteRaceDataAsksThenWritesAndCloses();
  void closingStoresTheRectangle();
  void endAsksFirst();
  void mainWindowOpensAndClosesIt();
  void entryDialogsRefreshTheWindow();
  void onePurchaseReadsTheDayOnce();
  void everyListAndPanelShowsWholeLines();
  // With RACEWIN_SHOT=<file.png> set: the full race on screen, saved as a picture (and held
  // RACEWIN_HOLD_MS milliseconds for a screen grab), to look at.
  void picture();
};

void RaceWinTest::everyControlIsThere() {
  RaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  for (const char* name :
       {"Panel1",         "JyoLabel",       "DayPanel",       "RaceNamePanel",  "KouPanel",       "GouPanel",
        "RitsuPanel",     "KaikinPanel",    "ShuPanel",       "BameiBox1",      "TankekaPanel1",  "TankekaPanel2",
        "FukukekaPanel1", "FukukekaPanel2", "FukukekaPanel3", "FukukekaPanel4", "WakukekaPanel1", "WakukekaPanel2",
        "UmakekaPanel1",  "UmakekaPanel2",  "WidekekaPanel1", "WidekekaPanel2", "WidekekaPanel3", "WideKiriBtn",
        "ShutsubaBox",    "Panel2",         "Memo",           "Page1",          "Page2",          "Tab1",
        "Tab2",           "Tab3",           "Tab4",           "Tab5",           "KouBox1",        "KouBox2",
        "KouBox3",        "KouBox4",        "KouBox5"})
    QVERIFY2(f.findChild<QWidget*>(QString::fromLatin1(name)), name);
  auto* page2 = child<QTabWidget>(f, "Page2");
  QCOMPARE(page2->tabText(0), QString("単･複"));
  QCOMPARE(page2->tabText(1), QString("枠連･ﾜｲﾄﾞ"));
  QCOMPARE(page2->tabText(2), QString("馬連"));
  QCOMPARE(page2->widget(1)->objectName(), QString("Tab4"));
  auto* page1 = child<QTabWidget>(f, "Page1");
  QCOMPARE(page1->tabText(0), QString("ﾚｰｽ結果"));
  QCOMPARE(page1->tabText(1), QString("出馬表"));
  QCOMPARE(child<QPushButton>(f, "WideKiriBtn")->text(), QString(" ﾜｲﾄﾞ切り替え"));
  const char* hints[8] = {"ﾚｰｽﾃﾞｰﾀ：ﾚｰｽ項目登録",
                          "ﾚｰｽﾃﾞｰﾀ：購入馬券登録",
                          "ﾚｰｽﾃﾞｰﾀ：ﾚｰｽ結果登録",
                          "ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録",
                          "ﾚｰｽﾃﾞｰﾀ削除",
                          "印刷",
                          "閉じる",
                          "トヴラ終了"};
  for (int i = 0; i < 8; ++i) {
    auto* b = child<QToolButton>(f, QStringLiteral("ToolBtn%1").arg(i + 1).toLatin1().constData());
    QCOMPARE(b->toolTip(), QString::fromUtf8(hints[i]));
  }
  QVERIFY(!f.isVisible());
}

void RaceWinTest::noMeetingOnlyBeeps() {
  RaceLedger l;
  MessageScript msgs;
  l.ds().readShown();  // the course has no meeting: the all-zero record
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 0);
  QCOMPARE(msgs.beeps(), 1);
  QVERIFY(!f.isVisible());
}

void RaceWinTest::showsTheRaceWithItsColours() {
  FullRaceLedger l;
  l.settings().colours[kColRaceBack] = colourFromRgb(10, 20, 30);
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  QVERIFY(f.isVisible());
  QCOMPARE(f.race(), 10);
  QCOMPARE(f.windowTitle(), QString("中山競馬場ﾚｰｽﾃﾞｰﾀ"));
  QCOMPARE(text(f, "JyoLabel"), QString("中山競馬場"));
  QCOMPARE(textColour(f, "JyoLabel"), colour(l.settings(), kColRaceCourse));
  QCOMPARE(child<QWidget>(f, "Panel1")->palette().color(QPalette::Window), QColor(10, 20, 30));
  QCOMPARE(text(f, "DayPanel"), QString(" 12月23日 5回 8日目"));
  QCOMPARE(text(f, "RaceNamePanel"), QString(" 11R     有馬記念"));
  QCOMPARE(text(f, "KouPanel"), QString(" 3歳上      ＧⅠ      国際         定量     芝 2500M   良"));
  QCOMPARE(lines(f, "KouBox1"), QStringList({"   5         3000円", "  12         1000円"}));
  QCOMPARE(lines(f, "KouBox3"), QStringList({"  3-6      2000円", "  3-8      1000円"}));
  QCOMPARE(lines(f, "KouBox4").size(), 4);
  QCOMPARE(lines(f, "KouBox5"), QStringList({"  5-12     3000円", "  3- 9     1000円"}));
  // 3000 * 3.2 + 1000 * 14.5 + 5000 * 1.4 + 2000 * 9.8 + 1000 * 42.3 + 3000 * 12.8 + 1000 * 7.6 on 20000.
  QCOMPARE(text(f, "GouPanel"), QString("     20000円"));
  QCOMPARE(text(f, "KaikinPanel"), QString("    139000円"));
  QCOMPARE(text(f, "RitsuPanel"), QString("    695.0％"));
  QCOMPARE(text(f, "ShuPanel"), QString("    119000円"));
  QCOMPARE(textColour(f, "ShuPanel"), colour(l.settings(), kColPlus));
  QCOMPARE(child<QPlainTextEdit>(f, "Memo")->toPlainText(),
           QString("逃げ馬不在で平均ペース。直線の叩き合いは同着、写真判定に約十分。"));
  QCOMPARE(text(f, "UmakekaPanel1"), QString("  5-12       4230円"));
  QCOMPARE(textColour(f, "UmakekaPanel1"), colour(l.settings(), kColRaceHitResult));
  QCOMPARE(text(f, "FukukekaPanel2"), QString(" 12           290円"));
  QCOMPARE(textColour(f, "FukukekaPanel2"), QColor(Qt::black));
}

void RaceWinTest::deadHeatWinPanels() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  QCOMPARE(text(f, "TankekaPanel1"), QString("  5           320円"));
  QCOMPARE(textColour(f, "TankekaPanel1"), colour(l.settings(), kColRaceHitResult));
  QCOMPARE(text(f, "TankekaPanel2"), QString(" 12          1450円"));
  QCOMPARE(textColour(f, "TankekaPanel2"), colour(l.settings(), kColRaceHitResult));

  // One winner only: the second panel is blank, and the colour goes with the text.
  l.ds().races[10].tanKeka[1] = 0;
  l.ds().races[10].tanKeka[0] = 9;
  l.ds().writeRaceBlock(l.ds().shown());
  f.showRace(10);
  QCOMPARE(text(f, "TankekaPanel1"), QString("  9           320円"));
  QCOMPARE(textColour(f, "TankekaPanel1"), QColor(Qt::black));
  QCOMPARE(text(f, "TankekaPanel2"), QString(""));
}

void RaceWinTest::fourWideResultsPage() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  auto* kiri = child<QPushButton>(f, "WideKiriBtn");
  QVERIFY(kiri->isEnabled());
  QCOMPARE(f.wideState(), 100);
  QCOMPARE(text(f, "WidekekaPanel1"), QString("  5-12       1280円"));
  QCOMPARE(textColour(f, "WidekekaPanel1"), colour(l.settings(), kColRaceHitResult));
  QCOMPARE(text(f, "WidekekaPanel3"), QString("  3-12       1990円"));
  QCOMPARE(textColour(f, "WidekekaPanel3"), QColor(Qt::black));
  QTest::mouseClick(kiri, Qt::LeftButton);
  QCOMPARE(f.wideState(), 101);
  QCOMPARE(text(f, "WidekekaPanel1"), QString("  3- 9        760円"));
  QCOMPARE(textColour(f, "WidekekaPanel1"), colour(l.settings(), kColRaceHitResult));
  QCOMPARE(text(f, "WidekekaPanel2"), QString(""));
  QCOMPARE(text(f, "WidekekaPanel3"), QString(""));
  QTest::mouseClick(kiri, Qt::LeftButton);
  QCOMPARE(text(f, "WidekekaPanel1"), QString("  5-12       1280円"));
  QCOMPARE(text(f, "WidekekaPanel2"), QString("  3- 5        410円"));

  // Showing the race again starts on results 1-3; three results leave the button off.
  QTest::mouseClick(kiri, Qt::LeftButton);
  l.ds().races[10].wideKeka[3] = 0;
  l.ds().writeRaceBlock(l.ds().shown());
  f.showRace(10);
  QVERIFY(!kiri->isEnabled());
  QCOMPARE(text(f, "WidekekaPanel1"), QString("  5-12       1280円"));
}

void RaceWinTest::ageLabelsOf2000And2001() {
  for (int year : {2000, 2001}) {
    RaceLedger l(year);
    l.settings().optionDigits = 100;
    RaceBlock races{};
    races[0].koumoku = 20221111;  // age class 2
    races[0].kyori = 1200;
    l.addMeeting(arimaDay(), races);
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), 0);
    const QString age = text(f, "KouPanel").mid(1, 4);
    QCOMPARE(age, year == 2000 ? QString("4 歳 ") : QString("3 歳 "));
  }
}

void RaceWinTest::finisherLinesCutAt32Bytes() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  const QStringList finishers = lines(f, "BameiBox1");
  QCOMPARE(finishers.size(), 5);
  QCOMPARE(finishers[0], QString(" 1着   5  ｼﾝﾎﾞﾘｸﾘｽｴｽ                 2.32.6"));
  // A 24-byte name: " 2着  12  " and 22 bytes of it, then the text in 11 columns.
  QCOMPARE(finishers[1], QString(" 2着  12  ｸﾞﾗｽﾜﾝﾀﾞｰｸﾞﾗｽﾜﾝﾀﾞｰｸﾞﾗｽ       同着"));
  for (const QString& line : finishers) QCOMPARE(sj(line.toStdString()).size(), std::size_t{43});
}

void RaceWinTest::entryWeights() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  const QStringList entries = lines(f, "ShutsubaBox");
  QCOMPARE(entries.size(), 16);
  QCOMPARE(entries[0], QString("  1  1  ﾒｼﾞﾛﾏｯｸｲｰﾝ        武豊              57"));
  QCOMPARE(entries[1], QString("  1  2  ﾀﾏﾓｸﾛｽ            岡部幸雄          56.5"));
  QCOMPARE(entries[2], QString("  2  3  ﾄｳｶｲﾃｲｵｰ          的場均            55.5"));

  l.ds().races[10].shutsubaKinryo[0] = 550;
  l.ds().races[10].shutsubaKinryo[1] = 55;
  l.ds().writeRaceBlock(l.ds().shown());
  f.showRace(10);
  QVERIFY(lines(f, "ShutsubaBox")[0].endsWith(" 55.0"));
  QVERIFY(lines(f, "ShutsubaBox")[1].endsWith("  55"));
}

void RaceWinTest::totalsBlankWithoutPurchase() {
  RaceLedger l;
  RaceBlock races{};
  RaceRecord r = fullRace();
  RaceRecord unbought;
  std::copy(std::begin(r.tanKeka), std::end(r.tanKeka), unbought.tanKeka);
  std::copy(std::begin(r.tanHaitou), std::end(r.tanHaitou), unbought.tanHaitou);
  races[3] = unbought;
  l.addMeeting(arimaDay(), races);
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 3);
  for (const char* name : {"GouPanel", "RitsuPanel", "KaikinPanel", "ShuPanel"}) QCOMPARE(text(f, name), QString(""));
  QCOMPARE(text(f, "TankekaPanel1"), QString("  5           320円"));
  QCOMPARE(textColour(f, "TankekaPanel1"), QColor(Qt::black));  // nothing bought, nothing hit

  // The same window showing a bought race and then this one again leaves no figure behind.
  l.ds().races[5] = fullRace();
  settleRace(l.ds().kaisai, l.ds().races, 5);
  l.ds().writeShown();
  f.showRace(5);
  QCOMPARE(text(f, "GouPanel"), QString("     20000円"));
  f.showRace(3);
  QCOMPARE(text(f, "GouPanel"), QString(""));
  QCOMPARE(text(f, "ShuPanel"), QString(""));
  QCOMPARE(lines(f, "KouBox1"), QStringList());
}

void RaceWinTest::ticketPageFromOptions() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  auto* page2 = child<QTabWidget>(f, "Page2");
  for (int tens : {1, 2, 0}) {
    l.settings().optionDigits = static_cast<std::uint16_t>(tens * 10 + 1);
    f.openRace(l.ds().key(), 10);
    QCOMPARE(page2->currentIndex(), tens);
  }
}

void RaceWinTest::dataButtonsOnlyWithData() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  auto* del = child<QToolButton>(f, "ToolBtn5");
  auto* print = child<QToolButton>(f, "ToolBtn6");
  QVERIFY(del->isVisible());
  QVERIFY(print->isVisible());
  QVERIFY(print->isEnabled());
  f.showRace(0);  // an empty race
  QVERIFY(!del->isVisible());
  QVERIFY(!print->isVisible());
  QCOMPARE(text(f, "RaceNamePanel"), QString(" 1R     "));
  QCOMPARE(lines(f, "BameiBox1"), QStringList());
  QCOMPARE(text(f, "TankekaPanel1"), QString(""));
}

void RaceWinTest::deleteRaceDataAsksThenWritesAndCloses() {
  FullRaceLedger l;
  // Another race keeps the day's totals honest.
  l.ds().races[2] = fullRace();
  settleRace(l.ds().kaisai, l.ds().races, 2);
  l.ds().writeShown();
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  QSignalSpy changed(&f, &RaceWindow::meetingChanged);
  f.openRace(l.ds().key(), 10);

  MessageScript msgs;
  msgs.answer({Answer::Cancel});
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn5"), Qt::LeftButton);
  QCOMPARE(msgs.count(), 1);
  QCOMPARE(msgs.lastText(), QString("12月23日 5回 8日目  中山競馬場  11Rのﾚｰｽﾃﾞｰﾀを削除します。"));
  QCOMPARE(msgs.lastTitle(), QString("確認"));
  QCOMPARE(msgs.lastIcon(), MsgIcon::Question);
  QCOMPARE(msgs.shown().back().buttons, MsgButtons::OkCancel);
  QVERIFY(f.isVisible());
  QCOMPARE(changed.count(), 0);
  KaisaiRecord k;
  RaceBlock races;
  l.reread(k, races);
  QVERIFY(!races[10].isBlank());

  QTest::mouseClick(child<QToolButton>(f, "ToolBtn5"), Qt::LeftButton);
  QVERIFY(!f.isVisible());
  QCOMPARE(changed.count(), 1);
  l.reread(k, races);
  QVERIFY(races[10].isBlank());
  QCOMPARE(int(k.raceJoutai[10]), 0);
  QCOMPARE(k.kounyuGaku[10], 0);
  QCOMPARE(fixedText(k.raceMei[10]), std::string());
  QCOMPARE(k.kounyuGaku[12], 20000);
  QCOMPARE(k.shushi[12], 119000);
  QVERIFY(!l.settings().raceRect.isEmpty());
}

void RaceWinTest::closingStoresTheRectangle() {
  FullRaceLedger l;
  l.settings().raceRect = Rect32{40, 50, 0, 0};
  auto f = std::make_unique<RaceWindow>(l.ds(), l.app().bets, l.settings(), userPort());
  QCOMPARE(f->pos(), QPoint(40, 50));
  f->openRace(l.ds().key(), 10);
  f->move(120, 90);
  QTest::mouseClick(child<QToolButton>(*f, "ToolBtn7"), Qt::LeftButton);
  QVERIFY(!f->isVisible());
  const Rect32 r = l.settings().raceRect;
  QCOMPARE(r.left, f->frameGeometry().left());
  QCOMPARE(r.top, f->frameGeometry().top());
  QCOMPARE(r.right - r.left, f->frameGeometry().width());
  QCOMPARE(r.bottom - r.top, f->frameGeometry().height());

  // Closing a window that is not on screen keeps the stored rectangle.
  l.settings().raceRect = Rect32{1, 2, 3, 4};
  f->close();
  QCOMPARE(l.settings().raceRect.left, 1);

  f = std::make_unique<RaceWindow>(l.ds(), l.app().bets, l.settings(), userPort());
  QCOMPARE(f->pos(), QPoint(1, 2));
}

void RaceWinTest::endAsksFirst() {
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  QSignalSpy end(&f, &RaceWindow::endRequested);
  f.openRace(l.ds().key(), 10);
  MessageScript msgs;
  msgs.answer({Answer::Cancel});
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn8"), Qt::LeftButton);
  QCOMPARE(end.count(), 0);
  QCOMPARE(msgs.lastText(), QString("競走収支帖 トヴラを終了します"));
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn8"), Qt::LeftButton);
  QCOMPARE(end.count(), 1);
  l.settings().optionDigits = 1;  // no confirmation wanted
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn8"), Qt::LeftButton);
  QCOMPARE(end.count(), 2);
  QCOMPARE(msgs.count(), 2);
}

void RaceWinTest::mainWindowOpensAndClosesIt() {
  FullRaceLedger l;
  MessageScript msgs;
  MainWindow m(appState(), 0);
  QVERIFY(m.startUp());
  m.selectCourse(5);
  QVERIFY(!m.raceWindow());

  m.showRaceOfRow(10);
  RaceWindow* f = m.raceWindow();
  QVERIFY(f && f->isVisible());
  QCOMPARE(text(*f, "RaceNamePanel"), QString(" 11R     有馬記念"));
  m.showRaceOfDoubleClickedRow(2);  // another race refills the same window
  QCOMPARE(m.raceWindow(), f);
  QCOMPARE(text(*f, "RaceNamePanel"), QString(" 3R     "));

  m.showMeetingDay(0);  // the meeting day
  QVERIFY(!f->isVisible());
  m.showRaceOfRow(10);
  m.selectCourse(4);  // the course
  QVERIFY(!f->isVisible());
  const int beeps = msgs.beeps();
  m.showRaceOfRow(10);  // 東京 has no meeting
  QCOMPARE(msgs.beeps(), beeps + 1);
  QVERIFY(!f->isVisible());

  // Deleting the race's data redraws the meeting view.
  m.selectCourse(5);
  m.showRaceOfRow(10);
  msgs.answer({Answer::Ok});
  f->deleteThisRace();
  QVERIFY(!f->isVisible());
  QCOMPARE(child(m, "KouPanel11")->text().trimmed(), QString());
  QCOMPARE(child(m, "KouPanel13")->text().trimmed(), QString());

  // Ending from the race window closes the main window, which writes the settings.
  m.show();
  m.showRaceOfRow(10);
  msgs.answer({Answer::Ok});
  f->confirmAndEnd();
  QVERIFY(!m.isVisible());
  const Rect32 stored = l.settings().raceRect;
  QVERIFY(!stored.isEmpty());
  const QByteArray file = l.readFile(kSettingsFile);
  QCOMPARE(file.size(), qsizetype(SettingsRecord::kSize));
  SettingsRecord written;
  written.decode(reinterpret_cast<const std::uint8_t*>(file.constData()));
  QCOMPARE(written.raceRect.right, stored.right);
  QCOMPARE(written.raceRect.top, stored.top);
}

void RaceWinTest::entryDialogsRefreshTheWindow() {
  FullRaceLedger l;
  MessageScript msgs;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  QSignalSpy changed(&f, &RaceWindow::meetingChanged);
  f.openRace(l.ds().key(), 10);
  for (int i = 1; i <= 4; ++i)
    QVERIFY(child<QToolButton>(f, QStringLiteral("ToolBtn%1").arg(i).toLatin1().constData())->isEnabled());

  // ｷｬﾝｾﾙ: nothing to redraw.
  onNextModal([](QWidget* dlg) {
    QCOMPARE(dlg->objectName(), QString("RaceComentoDialog"));
    named<QPlainTextEdit>(dlg, "Memo")->setPlainText("取消");
    named<QPushButton>(dlg, "CancelBtn")->click();
  });
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn4"), Qt::LeftButton);
  QCOMPARE(changed.count(), 0);

  // 登録 of the comment dialog opened on the window's race: the window shows the new
  // comment and the main window redraws.
  onNextModal([](QWidget* dlg) {
    named<QPlainTextEdit>(dlg, "Memo")->setPlainText("写真判定");
    named<QPushButton>(dlg, "TourokuBtn")->click();
  });
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn4"), Qt::LeftButton);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(child<QPlainTextEdit>(f, "Memo")->toPlainText(), QString("写真判定"));
  KaisaiRecord k;
  RaceBlock races;
  l.reread(k, races);
  QCOMPARE(cp932ToUtf8(fixedText(races[10].comento)), std::string("写真判定"));
  QVERIFY(races[3].isBlank());

  // The other three open their own dialogs on the same race.
  const char* dialogs[3] = {"RaceKoumokuDialog", "KounyuDialog", "RaceKekaDialog"};
  for (int i = 0; i < 3; ++i) {
    QString seen;
    onNextModal([&seen](QWidget* dlg) {
      seen = dlg->objectName();
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    QTest::mouseClick(child<QToolButton>(f, QStringLiteral("ToolBtn%1").arg(i + 1).toLatin1().constData()),
                      Qt::LeftButton);
    QCOMPARE(seen, QString(dialogs[i]));
  }
  QCOMPARE(changed.count(), 1);
}

namespace {
// The real files, with the opens for reading counted per file.
class CountingFs : public FileSystem {
 public:
  std::map<std::filesystem::path, int> reads;
  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode == OpenMode::Read) ++reads[p];
    return FileSystem::open(p, mode);
  }
};
}  // namespace

void RaceWinTest::onePurchaseReadsTheDayOnce() {
  FullRaceLedger l;
  MessageScript msgs;
  CountingFs counting;
  LedgerCursor ds(l.root(), &counting);
  ds.loadYears();
  ds.year = l.ds().year;
  ds.countMeetings();
  ds.course = l.ds().course;
  ds.shownMeeting[ds.course] = l.ds().shown();
  ds.readShown();
  RaceWindow f(ds, l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  counting.reads.clear();
  onNextModal([](QWidget* dlg) {
    named<QLineEdit>(dlg, "TanGakuEdit")->setText("7");
    named<QPushButton>(dlg, "TanTsuikaBtn")->click();
    named<QPushButton>(dlg, "TourokuBtn")->click();
  });
  QTest::mouseClick(child<QToolButton>(f, "ToolBtn2"), Qt::LeftButton);
  QCOMPARE(msgs.count(), 0);
  QCOMPARE(counting.reads[ds.resolve(ds.raceFile())], 1);
  QCOMPARE(counting.reads[ds.resolve(ds.meetingFile())], 1);
  KaisaiRecord k;
  RaceBlock races;
  l.reread(k, races);
  QCOMPARE(int(races[10].tanUma[2]), 1);
  QCOMPARE(k.kounyuGaku[10], 20700);
  QCOMPARE(text(f, "GouPanel"), QString("     20700円"));
}

void RaceWinTest::picture() {
  const QString path = qEnvironmentVariable("RACEWIN_SHOT");
  if (path.isEmpty()) QSKIP("RACEWIN_SHOT not set");
  FullRaceLedger l;
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  if (qEnvironmentVariableIsSet("RACEWIN_TAB")) {
    const int tab = qEnvironmentVariableIntValue("RACEWIN_TAB");
    child<QTabWidget>(f, "Page1")->setCurrentIndex(tab / 10);
    child<QTabWidget>(f, "Page2")->setCurrentIndex(tab % 10);
  }
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  QTest::qWait(qEnvironmentVariableIntValue("RACEWIN_HOLD_MS"));
  QVERIFY(f.grab().save(path));
}

// The longest texts a race can hold: a race name of 60 bytes, fifty quinella tickets,
// horse and jockey names of 24 bytes. Panels show their text whole (smaller when needed);
// lists are a whole number of lines tall and every line fits across.
void RaceWinTest::everyListAndPanelShowsWholeLines() {
  RaceLedger l;
  RaceRecord r = fullRace();
  for (int i = 0; i < 50; ++i) {
    r.umaKumi[i] = std::uint16_t((i % 17 + 1) * 100 + 18);
    r.umaGaku[i] = 99999900;
  }
  for (int j = 0; j < 18; ++j) {
    setFixedText(r.shutsubaBamei[j], std::string(24, '\xb1'));
    setFixedText(r.shutsubaKishu[j], std::string(24, '\xb2'));
  }
  RaceBlock races{};
  races[10] = r;
  KaisaiRecord k = arimaDay();
  setFixedText(k.raceMei[10], std::string(60, '\xb3'));
  l.addMeeting(k, races);
  RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
  f.openRace(l.ds().key(), 10);
  auto* name = child(f, "RaceNamePanel");
  QCOMPARE(name->text(), QString(" 11R     ") + QString(60, QChar(0xFF73)));
  QVERIFY(QFontMetrics(name->font()).horizontalAdvance(name->text()) <= name->contentsRect().width());
  QCOMPARE(lines(f, "KouBox4").size(), 50);
  for (auto* box : f.findChildren<QListWidget*>()) {
    if (box->count() == 0) continue;
    const int line = box->sizeHintForRow(0);
    QVERIFY2((box->height() - 2 * box->frameWidth()) % line == 0, qPrintable(box->objectName()));
    const int room = box->width() - 2 * box->frameWidth() - box->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < box->count(); ++i)
      QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->item(i)->text()) < room,
               qPrintable(box->objectName() + ": " + box->item(i)->text()));
  }
}

QTEST_MAIN(RaceWinTest)
#include "racewin_test.moc"
