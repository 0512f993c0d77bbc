// The meeting view of the main window: texts, blanks and colours of the race rows and
// the totals, the controls that depend on a meeting, the course buttons, the scroll bar,
// and the right-click menu of a row.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"
#include "storage/view_settings.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QString text(QObject* form, const QString& name) { return named<QLabel>(form, name)->text(); }
QColor back(QObject* form, const QString& name) { return named<QLabel>(form, name)->palette().color(QPalette::Window); }
QColor fore(QObject* form, const QString& name) {
  return named<QLabel>(form, name)->palette().color(QPalette::WindowText);
}
QString fmt(const char* f, long a, double b, long c) { return QString::fromStdString(sjprintfUtf8(f, a, b, c)); }

const QColor kRed(255, 0, 0), kBlue(0, 0, 255);

}  // namespace

class MainFormViewTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2001});
    KaisaiRecord k = TempLedger::day(10, 28, 4, 1);
    TempLedger::setRace(k, 0, 12, "３歳未勝利", 1000, 2200);   // one win ticket paid 320 yen
    TempLedger::setRace(k, 1, 1, "", 0, 0);                    // a comment only
    TempLedger::setRace(k, 2, 0, "府中特別", 0, 0);            // no data although named
    TempLedger::setRace(k, 3, 2, "富士ｽﾃｰｸｽ", 500, 0);         // balance exactly 0
    TempLedger::setRace(k, 4, 2, "ｽﾄｰﾑｶｯﾌﾟ", 500, 1);          // +1
    TempLedger::setRace(k, 5, 12, "天皇賞(秋)", 2000, -1000);  // hit but a loss
    ledger_->writeMeetings(2001, 4, {k, TempLedger::day(10, 29, 4, 2), TempLedger::day(11, 4, 4, 3)});
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

  void raceRowsShowTheSettledFigures() {
    QObject* f = form_.get();
    QCOMPARE(text(f, "KaisaiPanel"), QString(" 10月28日 4回 1日目  "));
    QCOMPARE(named<QStatusBar>(f, "StatusBar")->currentMessage(), QString("東京競馬場開催ﾃﾞｰﾀ"));
    // Race 1: purchase 1000, rate 320.0, return 3200, balance 2200 in the plus colour,
    // the name on the hit colour in white.
    QCOMPARE(text(f, "RacePanel1"), QString("３歳未勝利"));
    QCOMPARE(text(f, "KouPanel1"), fmt("%10ld円%9.1f％%10ld円", 1000, 320.0, 3200));
    QCOMPARE(text(f, "KouPanel1"), QString("      1000円    320.0％      3200円"));
    QCOMPARE(text(f, "ShuPanel1"), QString("2200円 "));
    QCOMPARE(fore(f, "ShuPanel1"), kBlue);
    QCOMPARE(back(f, "RacePanel1"), kRed);
    QCOMPARE(fore(f, "RacePanel1"), QColor(Qt::white));
    // Race 2: a comment only.
    QCOMPARE(text(f, "RacePanel2"), QString(""));
    QCOMPARE(text(f, "KouPanel2"), QString("         0円"));
    QCOMPARE(text(f, "ShuPanel2"), QString("  "));
    QCOMPARE(back(f, "RacePanel2"), QColor(Qt::white));
    // Race 3: state 0 shows nothing, whatever its name.
    for (const char* p : {"RacePanel3", "KouPanel3", "ShuPanel3"}) QCOMPARE(text(f, p), QString("  "));
    // A balance of 0 is black, +1 in the plus colour; a hit race with a loss is still
    // marked as hit while its balance is black.
    QCOMPARE(text(f, "ShuPanel4"), QString("0円 "));
    QCOMPARE(fore(f, "ShuPanel4"), QColor(Qt::black));
    QCOMPARE(fore(f, "ShuPanel5"), kBlue);
    QCOMPARE(back(f, "RacePanel4"), QColor(Qt::white));
    QCOMPARE(text(f, "ShuPanel6"), QString("-1000円 "));
    QCOMPARE(fore(f, "ShuPanel6"), QColor(Qt::black));
    QCOMPARE(back(f, "RacePanel6"), kRed);
    for (int r = 7; r <= 12; ++r) QCOMPARE(text(f, QString("KouPanel%1").arg(r)), QString("  "));
  }

  void totalsRowUsesTheDayTotals() {
    QObject* f = form_.get();
    // Purchases 1000+500+500+2000 = 4000, balance 2200+0+1-1000 = 1201; the returns of
    // the bought races add up to 3200+500+501+1000 = 5201.
    QCOMPARE(text(f, "KouPanel13"), fmt("%10ld円%9.1f％%10ld円", 4000, 5201 * 100.0 / 4000, 5201));
    QCOMPARE(text(f, "ShuPanel13"), QString("      1201円 "));
    QCOMPARE(fore(f, "ShuPanel13"), kBlue);
    QCOMPARE(named<QLabel>(f, "Label3")->text(), QString("合計"));
  }

  void negativeDayBalanceIsBlackAndNoPurchaseLeavesTotalsBlank() {
    KaisaiRecord k = TempLedger::day(10, 28, 4, 1);
    TempLedger::setRace(k, 0, 2, "A", 1000, -1000);
    KaisaiRecord none = TempLedger::day(10, 29, 4, 2);
    TempLedger::setRace(none, 0, 1, "B", 0, 0);
    ledger_->writeMeetings(2001, 4, {k, none});
    // The meetings written behind the window's back: counted again, and 東京 shown.
    MainSelection& sel = form_->selection();
    QVERIFY(openYear(form_->ledger(), sel, "2001"));
    sel.course = 4;
    form_->refreshMeetingView();
    QCOMPARE(text(form_.get(), "ShuPanel13"), QString("     -1000円 "));
    QCOMPARE(fore(form_.get(), "ShuPanel13"), QColor(Qt::black));
    named<QScrollBar>(form_.get(), "ScrollBar")->setValue(1);
    QCOMPARE(text(form_.get(), "KouPanel13"), QString("  "));
    QCOMPARE(text(form_.get(), "ShuPanel13"), QString("  "));
  }

  void hitAndPlusColoursFollowTheSettings() {
    appState().settings.colours[kColHitRaceBack] = colourFromRgb(1, 2, 3);
    appState().settings.colours[kColPlus] = colourFromRgb(4, 5, 6);
    form_->refreshMeetingView();
    QCOMPARE(back(form_.get(), "RacePanel1"), QColor(1, 2, 3));
    QCOMPARE(fore(form_.get(), "ShuPanel1"), QColor(4, 5, 6));
  }

  void courseWithoutMeetingsHidesAndDisables() {
    QObject* f = form_.get();
    const char* hidden[] = {"ToolBtn2", "ToolBtn3", "ToolBtn4", "ToolBtn5", "ToolBtn14"};
    for (const char* b : hidden) QVERIFY(!named<QToolButton>(f, b)->isHidden());
    QVERIFY(named<QMenu>(f, "N1")->menuAction()->isEnabled());
    QVERIFY(named<QPushButton>(f, "RaceBtn12")->isEnabled());

    named<QToolButton>(f, "KaiBtn1")->click();
    QCOMPARE(text(f, "JyoLabel"), QString("札幌競馬場"));
    QCOMPARE(text(f, "KaisaiPanel"), QString(" ------------------"));
    for (const char* b : hidden) QVERIFY(named<QToolButton>(f, b)->isHidden());
    QVERIFY(!named<QToolButton>(f, "ToolBtn6")->isHidden());
    for (const char* a : {"JRAVAN1", "JvData1", "NIFTY1", "PAT1", "Print1"}) QVERIFY(!named<QAction>(f, a)->isEnabled());
    QVERIFY(!named<QMenu>(f, "N1")->menuAction()->isEnabled());
    for (int r = 1; r <= 12; ++r) QVERIFY(!named<QPushButton>(f, QString("RaceBtn%1").arg(r))->isEnabled());
    QCOMPARE(named<QScrollBar>(f, "ScrollBar")->maximum(), 0);

    named<QToolButton>(f, "KaiBtn5")->click();
    QCOMPARE(text(f, "JyoLabel"), QString("東京競馬場"));
    for (const char* b : hidden) QVERIFY(!named<QToolButton>(f, b)->isHidden());
    // The imports need a meeting day on screen.
    for (const char* a : {"JRAVAN1", "JvData1", "NIFTY1", "PAT1"}) QVERIFY2(named<QAction>(f, a)->isEnabled(), a);
    for (const char* b : {"ToolBtn2", "ToolBtn3", "ToolBtn4"}) QVERIFY2(named<QToolButton>(f, b)->isEnabled(), b);
  }

  void scrollBarSelectsTheMeetingDay() {
    QObject* f = form_.get();
    auto* bar = named<QScrollBar>(f, "ScrollBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 2);
    QCOMPARE(bar->value(), 0);
    bar->setValue(2);
    QCOMPARE(form_->selection().shownMeeting[4], 2);
    QCOMPARE(text(f, "KaisaiPanel"), QString(" 11月 4日 4回 3日目  "));
    QCOMPARE(text(f, "RacePanel1"), QString("  "));
    // Another course and back: each course keeps its own day.
    named<QToolButton>(f, "KaiBtn1")->click();
    named<QToolButton>(f, "KaiBtn5")->click();
    QCOMPARE(bar->value(), 2);
    QCOMPARE(text(f, "KaisaiPanel"), QString(" 11月 4日 4回 3日目  "));
  }

  void rightClickOnRowThreeOpensItsMenu() {
    QObject* f = form_.get();
    auto* menu = named<QMenu>(f, "PopupMenu");
    for (const char* panel : {"RacePanel3", "KouPanel3", "ShuPanel3"}) {
      QTest::mousePress(named<QLabel>(f, panel), Qt::RightButton, {}, QPoint(10, 5));
      QTRY_VERIFY(menu->isVisible());
      QCOMPARE(named<QAction>(f, "Popm1")->text(), QString(" 3R ： ﾚｰｽ項目登録"));
      QCOMPARE(form_->popupRace(), 2);
      menu->hide();
    }
    QTest::mousePress(named<QLabel>(f, "ShuPanel12"), Qt::RightButton, {}, QPoint(10, 5));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(named<QAction>(f, "Popm1")->text(), QString("12R ： ﾚｰｽ項目登録"));
    menu->hide();
    QCOMPARE(named<QAction>(f, "Popm2")->text(), QString("      ： 購入馬券登録"));
    QCOMPARE(named<QAction>(f, "Popm3")->text(), QString("      ： ﾚｰｽ結果登録"));
    QCOMPARE(named<QAction>(f, "Popm4")->text(), QString("      ： ｺﾒﾝﾄ登録"));
    // The left button opens nothing.
    QTest::mousePress(named<QLabel>(f, "RacePanel3"), Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(!menu->isVisible());
  }

  void rowsOfACourseWithoutMeetingOnlyBeep() {
    MessageScript msgs;
    QObject* f = form_.get();
    named<QToolButton>(f, "KaiBtn1")->click();
    QTest::mousePress(named<QLabel>(f, "RacePanel3"), Qt::RightButton, {}, QPoint(10, 5));
    QTest::mouseDClick(named<QLabel>(f, "KouPanel4"), Qt::LeftButton, {}, QPoint(10, 5));
    form_->showRaceOfRow(0);
    QCOMPARE(msgs.beeps(), 3);
    QVERIFY(!named<QMenu>(f, "PopupMenu")->isVisible());
  }

  void raceButtonsAndDoubleClicksChooseTheRace() {
    QObject* f = form_.get();
    named<QPushButton>(f, "RaceBtn7")->click();
    QCOMPARE(form_->raceWindow()->race(), 6);
    QTest::mouseDClick(named<QLabel>(f, "ShuPanel9"), Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(form_->raceWindow()->race(), 8);
  }

  void figureColumnsLineUp() {
    // The figure panels use one fixed-width font: the half-width digits and the
    // full-width 円 and ％ keep the byte columns of the formats.
    const QFont font = named<QLabel>(form_.get(), "KouPanel1")->font();
    const QFontMetricsF fm(font);
    const qreal cell = fm.horizontalAdvance('0');
    QVERIFY(cell > 0);
    QCOMPARE(fm.horizontalAdvance(' '), cell);
    QCOMPARE(fm.horizontalAdvance(QString("円")), 2 * cell);
    QCOMPARE(fm.horizontalAdvance(QString("％")), 2 * cell);
    QCOMPARE(fm.horizontalAdvance(QString("-")), cell);
    // The longest line of the purchase column fits its panel.
    auto* kou = named<QLabel>(form_.get(), "KouPanel1");
    QVERIFY(fm.horizontalAdvance(text(form_.get(), "KouPanel13")) + 8 <= kou->width());
  }

  // 全式別: the tool button and the checked menu entry switch the rows and the totals to
  // all eight types, the choice is written to tovraview.dat and taken at the next start.
  void allTypesSwitchShowsTheStoresRowsAndIsRemembered() {
    {
      BetStore store(ledger_->root());
      const RaceKey seven{{2001, 4, 10, 28}, 7};
      QVERIFY(store.addLine(seven, storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, 1), 6)));
      QVERIFY(store.addWinner(seven, {2, {1, 2, 3}, 1234560}));
    }
    QObject* f = form_.get();
    auto* btn = named<QToolButton>(f, "ZenShikibetsuBtn");
    auto* item = named<QAction>(f, "ZenShikibetsuItem");
    QVERIFY(!btn->isChecked() && !item->isChecked() && item->isCheckable());
    const QString oldTotals = text(f, "KouPanel13");
    QCOMPARE(text(f, "KouPanel7"), QString("  "));
    btn->click();
    QVERIFY(btn->isChecked() && item->isChecked());
    QCOMPARE(text(f, "RacePanel7"), QString(""));
    QCOMPARE(text(f, "KouPanel7"), QString("       600円 205760.0％   1234560円"));
    QCOMPARE(text(f, "ShuPanel7"), QString("1233960円 "));
    QCOMPARE(back(f, "RacePanel7"), kRed);
    QCOMPARE(text(f, "KouPanel1"), QString("      1000円    320.0％      3200円"));  // the record's row
    QVERIFY(text(f, "KouPanel13") != oldTotals);
    QCOMPARE(ledger_->readFile("tovraview.dat"), QByteArray("TVVW\x01\x00\x01\x00", 8));
    // The next start shows 全式別 at once.
    form_.reset();
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
    f = form_.get();
    QVERIFY(named<QToolButton>(f, "ZenShikibetsuBtn")->isChecked());
    QCOMPARE(text(f, "KouPanel7"), QString("       600円 205760.0％   1234560円"));
    // The menu entry switches back.
    named<QAction>(f, "ZenShikibetsuItem")->trigger();
    QVERIFY(!named<QToolButton>(f, "ZenShikibetsuBtn")->isChecked());
    QCOMPARE(text(f, "KouPanel7"), QString("  "));
    QCOMPARE(text(f, "KouPanel13"), oldTotals);
    QCOMPARE(ledger_->readFile("tovraview.dat"), QByteArray("TVVW\x01\x00\x00\x00", 8));
  }

  void allTypesSwitchThatCannotBeWrittenStaysAsItWas() {
    MessageScript msgs;
    // A folder where the file would go: the rename over it fails.
    QVERIFY(QDir(ledger_->path()).mkdir("tovraview.dat"));
    QObject* f = form_.get();
    named<QToolButton>(f, "ZenShikibetsuBtn")->click();
    QCOMPARE(msgs.lastText(), QString("表示設定ﾌｧｲﾙに書き込めませんでした。\n\ntovraview.dat"));
    QVERIFY(!named<QToolButton>(f, "ZenShikibetsuBtn")->isChecked());
    QVERIFY(!named<QAction>(f, "ZenShikibetsuItem")->isChecked());
    QVERIFY(!form_->allTypesView());
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MainWindow> form_;
};

QTEST_MAIN(MainFormViewTest)
#include "mainform_view_test.moc"
