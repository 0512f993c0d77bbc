// The race window's 馬単, 3連複 and 3連単: the lines with hit and refund marks (KouBox6),
// the results and scratches (NewKekaBox) and the 全式別 block, read from the bet store as
// the CLI's `race buy/result/scratch` leave it; redrawn after ﾚｰｽ結果's 登録.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/Looks.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

constexpr int kRace = 10;  // 11R: 5 and 12 dead-heated for the win, 3 third

// The full race as 11R of 中山 12月23日, with 馬単 and 3連単 bought, both 3連単 orders of
// the dead heat paid and horse 15 scratched.
struct BetsLedger : RaceLedger {
  BetsLedger() {
    KaisaiRecord k;
    k.tsukiHi = 1223;
    k.kaiNichi = 508;
    RaceBlock races{};
    races[kRace] = fullRace();
    addMeeting(k, races);
    day = *app().ds.ledger().readDay(ds().key());
    key = raceKeyOf(ds().key(), day.meeting, kRace);
  }
  const RaceRecord& race() const { return day.races[kRace]; }
  void bets() {
    BetStore& s = app().bets;
    must(buyLine(s, key, race(), PurchaseLine::box(NewBetType::Sanrentan, {5, 12, 3, 15}, 1)));
    must(buyLine(s, key, race(), PurchaseLine::normal(NewBetType::Umatan, {5, 15}, 2)));
    must(addWinner(s, key, race(), NewBetType::Sanrentan, {5, 12, 3}, 12340));
    must(addWinner(s, key, race(), NewBetType::Sanrentan, {12, 5, 3}, 15670));
    must(setScratch(s, key, {15}, {}));
  }
  template <class T>
  static void must(const T& done) {
    if (!done) qFatal("a bet store change was refused");
  }
  MeetingDay day;
  RaceKey key;
};

template <typename T = QLabel>
T* child(QWidget& w, const char* name) {
  return named<T>(&w, QString::fromLatin1(name));
}
QString text(QWidget& w, const char* name) { return child(w, name)->text(); }
QStringList lines(QWidget& w, const char* name) {
  QStringList out;
  auto* box = child<QListWidget>(w, name);
  for (int i = 0; i < box->count(); ++i) out << box->item(i)->text();
  return out;
}
QColor rowColour(QWidget& w, const char* name, int row) {
  return child<QListWidget>(w, name)->item(row)->foreground().color();
}

// Every row of the window's lists fits across its list.
void rowsFit(QWidget& f) {
  for (auto* box : f.findChildren<QListWidget*>()) {
    const int room = box->width() - 2 * box->frameWidth() - box->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < box->count(); ++i)
      QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->item(i)->text()) < room,
               qPrintable(box->objectName() + ": " + box->item(i)->text()));
  }
}

}  // namespace

class RaceWinBetsTest : public QObject {
  Q_OBJECT
 private slots:
  void pagesBesideTheOldOnes() {
    BetsLedger l;
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    auto* page2 = child<QTabWidget>(f, "Page2");
    QCOMPARE(page2->count(), 4);
    QCOMPARE(page2->tabText(3), QString("馬単･3連"));
    QCOMPARE(page2->widget(3)->objectName(), QString("Tab6"));
    auto* page1 = child<QTabWidget>(f, "Page1");
    QCOMPARE(page1->count(), 3);
    QCOMPARE(page1->tabText(2), QString("全式別"));
    QCOMPARE(page1->widget(2)->objectName(), QString("Tab7"));
  }

  void deadHeatAndScratch() {
    BetsLedger l;
    l.bets();
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), kRace);
    const QColor hit = settingsColour(l.settings().colours[kColRaceHitResult]);
    // 3連単 ﾎﾞｯｸｽ of 4: 24 points, the 18 holding 15 refunded; both orders of the dead heat
    // won (12,340 + 15,670). 馬単 5-15: refunded.
    QCOMPARE(
        lines(f, "KouBox6"),
        (QStringList{" 1 3連単 ﾎﾞｯｸｽ    24点 ・ 合計 2,400円", "   5,12,3,15", "   的中 2点  28,010円",
                     "   返還 18点  1,800円", " 2 馬単  通常     1点 ・ 合計 200円", "   5-15", "   返還 1点  200円"}));
    QCOMPARE(rowColour(f, "KouBox6", 0), hit);
    QCOMPARE(rowColour(f, "KouBox6", 2), hit);
    const QColor refund = rowColour(f, "KouBox6", 3);
    QVERIFY(refund != hit && refund != QColor(Qt::black));
    QCOMPARE(rowColour(f, "KouBox6", 4), refund);
    QCOMPARE(lines(f, "NewKekaBox"), (QStringList{"3連単 5-12-3         12,340円  的中",
                                                  "3連単 12-5-3         15,670円  的中", "返還馬番  15"}));
    QCOMPARE(rowColour(f, "NewKekaBox", 1), hit);
    QCOMPARE(rowColour(f, "NewKekaBox", 2), refund);

    // The record's 20,000 bought and 139,000 returned (no old ticket holds 15), plus 2,600
    // bought of which 2,000 refunded and 28,010 returned.
    QCOMPARE(text(f, "ZenKouPanel"), QString("     22600円"));
    QCOMPARE(text(f, "ZenHenPanel"), QString("      2000円"));
    QCOMPARE(text(f, "ZenGouPanel"), QString("     20600円"));
    QCOMPARE(text(f, "ZenKaikinPanel"), QString("    167010円"));
    QCOMPARE(text(f, "ZenRitsuPanel"), QString("    810.7％"));
    QCOMPARE(text(f, "ZenShuPanel"), QString("    146410円"));
    QCOMPARE(child(f, "ZenShuPanel")->palette().color(QPalette::WindowText),
             settingsColour(l.settings().colours[kColPlus]));
    // The old totals stay the record's.
    QCOMPARE(text(f, "GouPanel"), QString("     20000円"));
    rowsFit(f);

    child<QTabWidget>(f, "Page1")->setCurrentIndex(2);
    child<QTabWidget>(f, "Page2")->setCurrentIndex(3);
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    shoot(&f, "race-window-all-types");
  }

  // The longest line a race can hold goes over rows that fit.
  void longLinesWrap() {
    BetsLedger l;
    Horses all;
    for (int h = 1; h <= 16; ++h) all.push_back(h);
    BetStore& s = l.app().bets;
    BetsLedger::must(buyLine(s, l.key, l.race(), PurchaseLine::formation(NewBetType::Sanrentan, all, all, all, 99999)));
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), kRace);
    QVERIFY(lines(f, "KouBox6").size() >= 4);
    rowsFit(f);
  }

  void aDamagedStoreIsNamed() {
    BetsLedger l;
    l.writeFile("tovradatafile/bets.sqlite", QByteArray(4096, 'x'));
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), kRace);
    QVERIFY(lines(f, "NewKekaBox").join("").contains("bets.sqlite"));
    QCOMPARE(text(f, "ZenGouPanel"), QString("     20000円"));
    QCOMPARE(text(f, "GouPanel"), QString("     20000円"));
  }

  void resultDialogRegisterRedraws() {
    BetsLedger l;
    MessageScript msgs;
    RaceWindow f(l.ds(), l.app().bets, l.settings(), userPort());
    f.openRace(l.ds().key(), kRace);
    QCOMPARE(lines(f, "NewKekaBox"), QStringList{});
    onNextModal([](QWidget* dlg) {
      QCOMPARE(dlg->objectName(), QString("RaceKekaDialog"));
      int place = 1;
      for (int h : {5, 12}) named<RadioGroupBox>(dlg, QString("UmatanGroup%1").arg(place++))->setItemIndex(h - 1);
      named<QLineEdit>(dlg, "UmatanGakuEdit")->setText("321");
      named<QPushButton>(dlg, "UmatanTsuikaBtn")->click();
      named<QPushButton>(dlg, "TourokuBtn")->click();
    });
    QTest::mouseClick(child<QToolButton>(f, "ToolBtn3"), Qt::LeftButton);
    QCOMPARE(lines(f, "NewKekaBox"), QStringList{"馬単  5-12            3,210円"});
  }
};

QTEST_MAIN(RaceWinBetsTest)
#include "racewin_bets_test.moc"
