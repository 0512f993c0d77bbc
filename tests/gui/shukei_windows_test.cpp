// The tally result windows: scrolling and paging, the item tally's courses and edge cases,
// one instance each at the remembered position, closing and hiding, the tool bar, the
// colours of the settings, and work files that are missing, short or damaged.
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "common/scripted_port.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/bytes.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/TallyActions.h"
#include "ui/tally/IncomeTallyWindow.h"
#include "ui/tally/ItemTallyWindow.h"
#include "ui/tally/RankTallyWindow.h"
#include "ui/tally/TallyWindow.h"
#include "ui/widgets/Looks.h"

using namespace tovra;
using namespace tovra::test;
using tally::TallyKind;

namespace {

QString text(const QWidget* w, const char* name) { return named<QLabel>(w, name)->text(); }
QColor textColour(const QWidget* w, const char* name) {
  return named<QLabel>(w, name)->palette().color(QPalette::WindowText);
}

}  // namespace

class ShukeiWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    ledger_ = std::make_unique<TallyLedger>();
    port_ = std::make_unique<ScriptedPort>();
  }
  void cleanup() {
    ledger_.reset();
    port_.reset();
  }

  void shushiScrollsThroughTheMonths() {
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiAllByMonth, 0, ds().yearNumber()));
    TallyWindow* w = show(TallyKind::Shushi);
    auto* bar = named<QScrollBar>(w, "ScrollBar");
    QCOMPARE(bar->maximum(), 12);
    QCOMPARE(bar->value(), 0);
    const QString grand = text(w, "KouPanel12");
    bar->setValue(6);
    QCOMPARE(static_cast<IncomeTallyWindow*>(w)->position(), 6);
    QCOMPARE(text(w, "MainPanel"), QString("  収支集計   全ﾃﾞｰﾀ      6月"));
    QVERIFY(named<QLabel>(w, "GouLabel")->isVisible());
    QCOMPARE(text(w, "KouPanel11"), QString("     19000円      131.6％       25000円"));
    QCOMPARE(text(w, "KouPanel1"), QString("         0円"));  // 札幌 bought in August
    QCOMPARE(text(w, "KouPanel12"), grand);                   // 全場合計 at every position
    bar->setValue(8);
    QCOMPARE(text(w, "KouPanel1"), QString("      2000円        0.0％           0円"));
    bar->setValue(0);
    QVERIFY(!named<QLabel>(w, "GouLabel")->isVisible());
    shoot(w, "shushi_window");
  }

  void shushiOneDayHasNoRows() {
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiDay, 601, ds().yearNumber()));
    TallyWindow* w = show(TallyKind::Shushi);
    QCOMPARE(text(w, "MainPanel"), QString("  収支集計       2001年 6月 1日"));
    QVERIFY(!named<QScrollBar>(w, "ScrollBar")->isEnabled());
    QCOMPARE(text(w, "KouPanel5"), QString("     14000円      125.0％       17500円"));
    // A day without meetings: all zero.
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiDay, 102, ds().yearNumber()));
    show(TallyKind::Shushi);
    QCOMPARE(text(w, "KouPanel5"), QString("         0円"));
    QCOMPARE(text(w, "KouPanel12"), QString("         0円"));
  }

  void koumokuSwitchesCourses() {
    QVERIFY(tally::runKoumokuTally(ds(), *port_, 1, 0));
    TallyWindow* w = show(TallyKind::Koumoku);
    QCOMPARE(named<QTabWidget>(w, "Page")->count(), 9);
    named<QToolButton>(w, "KaiBtn5")->click();
    QCOMPARE(text(w, "MainPanel"), QString(" 項目集計    2001年   東京競馬場"));
    QVERIFY(named<QLabel>(w, "JyoKouPanel")->isVisible());
    QCOMPARE(text(w, "JyoLabel"), QString("東京総合"));
    QCOMPARE(text(w, "JyoKouPanel"), QString("     14000円      125.0％       17500円"));
    QCOMPARE(text(w, "JyoTekiPanel"), QString("  50.0％"));
    QCOMPARE(text(w, "ZenKouPanel"), QString("     16000円      109.4％       17500円"));
    QCOMPARE(text(w, "RaceNoKouPanel1"), QString("     10000円       75.0％        7500円"));
    named<QToolButton>(w, "KaiBtn11")->click();
    QVERIFY(!named<QLabel>(w, "JyoKouPanel")->isVisible());
    QCOMPARE(text(w, "RaceNoKouPanel1"), QString("     12000円       62.5％        7500円"));
    // A course without anything bought.
    named<QToolButton>(w, "KaiBtn2")->click();
    QCOMPARE(text(w, "JyoKouPanel"), QString("         0円"));
    QCOMPARE(text(w, "JyoShuPanel"), QString("  "));
    QCOMPARE(text(w, "RacesuPanel"), QString("  "));
    QCOMPARE(static_cast<ItemTallyWindow*>(w)->jyo(), 1);
    named<QTabWidget>(w, "Page")->setCurrentIndex(8);
    named<QToolButton>(w, "KaiBtn11")->click();
    QCOMPARE(static_cast<ItemTallyWindow*>(w)->jyo(), 10);
    QCOMPARE(static_cast<ItemTallyWindow*>(w)->tab(), 8);
    shoot(w, "koumoku_window");
  }

  void koumokuWithoutHitEntries() {
    // 2000: one race of state 12 without any result entered.
    QVERIFY(tally::runKoumokuTally(ds(), *port_, 1, 1));
    TallyWindow* w = show(TallyKind::Koumoku);
    QCOMPARE(text(w, "MainPanel"), QString(" 項目集計    2000年   全競馬場"));
    QCOMPARE(text(w, "HeiteiPanel"), QString("  "));
    QCOMPARE(text(w, "HaiPanel1"), QString("  "));
    QCOMPARE(text(w, "TekichuPanel"), QString("         1Ｒ"));
    // Days counted there but nothing bought in the row: 0 yen.
    QCOMPARE(text(w, "RaceNoKouPanel2"), QString("         0円"));
  }

  void rankPagesOfThreeRaces() {
    QVERIFY(tally::runRankTally(ds(), *port_, tally::rankCode(false, 0), 0));
    TallyWindow* w = show(TallyKind::Rank);
    QVERIFY(named<QWidget>(w, "Panel1")->isVisible());
    QVERIFY(!named<QWidget>(w, "Panel11")->isVisible());
    auto* bar = named<QScrollBar>(w, "ScrollBar");
    QCOMPARE(bar->maximum(), 14);
    QCOMPARE(text(w, "TsukiLabel1"), QString(" 1位  2001年   6月   1日  東京    3回  1日目 "));
    QCOMPARE(text(w, "ShikiLabel1"), QString("単勝"));
    QCOMPARE(text(w, "BanLabel1"), QString(" 5番"));
    QCOMPARE(text(w, "KinLabel1"), QString("       250円"));
    QCOMPARE(textColour(w, "KinLabel1"), QColor(0, 0, 255));
    QCOMPARE(text(w, "TsukiLabel2"), QString(" 2位       -------"));
    bar->setValue(14);
    QCOMPARE(static_cast<RankTallyWindow*>(w)->page(), 14);
    QCOMPARE(text(w, "TsukiLabel3"), QString("45位       -------"));
    shoot(w, "rank_window");
    // The same window switches to five days a page for a per-day kind.
    QVERIFY(tally::runRankTally(ds(), *port_, tally::rankCode(true, 2), 0));
    QCOMPARE(show(TallyKind::Rank), w);
    QCOMPARE(bar->maximum(), 8);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!named<QWidget>(w, "Panel1")->isVisible());
    QCOMPARE(text(w, "MainPanel"), QString(" 開催日別回収率  2001年   BEST45"));
  }

  void jyokenShowsTheStoredYear() {
    tally::JyokenConditions conds{};
    conds[0] = {static_cast<std::int16_t>(tally::JyokenKind::Bet), 1};  // 単勝 only
    QVERIFY(tally::runJyokenTally(ds(), *port_, 1, 1, conds));          // 2000
    TallyWindow* w = show(TallyKind::Jyoken);
    QCOMPARE(text(w, "MainPanel"), QString(" 条件集計      2000年"));
    QCOMPARE(text(w, "JyokenPanel"), QString("    単勝"));
    // No 単勝 ticket was bought in 2000: nothing counts.
    QCOMPARE(text(w, "KouPanel5"), QString("         0円"));
    QCOMPARE(text(w, "KouPanel12"), QString("      5000円      150.0％        7500円"));
    shoot(w, "jyoken_window");
  }

  void oneWindowAtTheRememberedPlace() {
    settings().shushiRect = Rect32{40, 30, 0, 0};
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiAllByMonth, 0, ds().yearNumber()));
    QPointer<TallyWindow> w = show(TallyKind::Shushi);
    QCOMPARE(w->pos(), QPoint(40, 30));
    // 閉じる hides; the next tally shows the same window again.
    named<QToolButton>(w, "ToolBtn3")->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(show(TallyKind::Shushi), w.data());
    QVERIFY(w->isVisible());
    // The close box keeps the rectangle and destroys the window; the next one opens there.
    w->move(120, 90);
    const QRect frame = w->frameGeometry();
    w->close();
    QTRY_VERIFY(w.isNull());
    QCOMPARE(settings().shushiRect.left, frame.left());
    QCOMPARE(settings().shushiRect.top, frame.top());
    QCOMPARE(settings().shushiRect.right, frame.left() + frame.width());
    QVERIFY(!main().tallies().window(TallyKind::Shushi));
    TallyWindow* again = show(TallyKind::Shushi);
    QCOMPARE(again->pos(), QPoint(frame.left(), frame.top()));
  }

  void hiddenWindowComesBackWhereItWasLeft() {
    QVERIFY(tally::runRankTally(ds(), *port_, tally::kRankRaceShushi, 0));
    QPointer<TallyWindow> w = show(TallyKind::Rank);
    w->move(150, 110);
    const QRect frame = w->frameGeometry();
    named<QToolButton>(w, "ToolBtn3")->click();
    QVERIFY(!w->isVisible());
    // 閉じる keeps the rectangle as the close box does.
    QCOMPARE(settings().rankRect.left, frame.left());
    QCOMPARE(settings().rankRect.top, frame.top());
    QCOMPARE(settings().rankRect.bottom, frame.top() + frame.height());
    // The window system may map a hidden window anywhere; the next showing puts it back.
    w->move(0, 0);
    QCOMPARE(show(TallyKind::Rank), w.data());
    QCOMPARE(w->pos(), frame.topLeft());
    // A window still on screen stays where it is.
    w->move(60, 70);
    show(TallyKind::Rank);
    QCOMPARE(w->pos(), QPoint(60, 70));
  }

  void toolBar() {
    QVERIFY(tally::runJyokenTally(ds(), *port_, 0, 0, monthJune()));
    TallyWindow* w = show(TallyKind::Jyoken);
    const char* hints[4] = {"集計結果保存", "印刷", "閉じる", "トヴラ終了"};
    for (int i = 0; i < 4; ++i)
      QCOMPARE(named<QToolButton>(w, QString("ToolBtn%1").arg(i + 1))->toolTip(), QString(hints[i]));
    QVERIFY(named<QToolButton>(w, "ToolBtn2")->isEnabled());
    QVERIFY(named<QWidget>(w, "Panel1")->isVisible());
    // トヴラ終了 asks as the main window does; Cancel keeps the program, OK closes the
    // main window, which writes the settings.
    QSignalSpy end(w, &TallyWindow::endRequested);
    MessageScript msgs;
    msgs.answer({Answer::Cancel});
    named<QToolButton>(w, "ToolBtn4")->click();
    QCOMPARE(msgs.lastText(), QString("競走収支帖 トヴラを終了します"));
    QCOMPARE(end.count(), 0);
    QFile::remove(ledger_->file("tovractm.dat"));
    msgs.answer({Answer::Ok});
    named<QToolButton>(w, "ToolBtn4")->click();
    QCOMPARE(end.count(), 1);
    QVERIFY(ledger_->exists("tovractm.dat"));
  }

  void coloursOfTheSettings() {
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiAllByMonth, 0, ds().yearNumber()));
    TallyWindow* w = show(TallyKind::Shushi);
    const SettingsRecord& s = settings();
    QCOMPARE(w->palette().color(QPalette::Window), settingsColour(s.colours[kColTallyBack]));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(textColour(w, "ShuPanel5"), QColor(0, 0, 255));  // +6000
    QCOMPARE(textColour(w, "ShuPanel1"), QColor(Qt::black));  // -2000
    // New colours reach every open window at once.
    settings().colours[kColTallyBack] = colourFromRgb(10, 20, 30);
    settings().colours[kColPlus] = colourFromRgb(200, 0, 100);
    main().applyColours();
    QCOMPARE(w->palette().color(QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(textColour(w, "ShuPanel5"), QColor(200, 0, 100));
    QCOMPARE(textColour(w, "ShuPanel1"), QColor(Qt::black));
  }

  void badWorkFilesGiveAMessage_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("content");  // empty: no file
    QTest::addColumn<QString>("message");
    QTest::newRow("shushi missing")
        << 1 << QByteArray() << "収支集計結果の作業ﾌｧｲﾙ tmp/shushi.tmp がありません。\n\n集計をやり直して下さい。";
    QTest::newRow("koumoku short")
        << 2 << QByteArray(13551, '\0')
        << "項目集計結果の作業ﾌｧｲﾙ tmp/koumoku.tmp が途中で切れています。\n\n集計をやり直して下さい。";
    QTest::newRow("rank damaged")
        << 3 << QByteArray(6697, '\x7f')
        << "RANK集計結果の作業ﾌｧｲﾙ tmp/rank.tmp の内容に異常があります。\n\n集計をやり直して下さい。";
    QTest::newRow("jyoken damaged")
        << 4 << QByteArray(295, '\x05')
        << "条件集計結果の作業ﾌｧｲﾙ tmp/jyoken.tmp の内容に異常があります。\n\n集計をやり直して下さい。";
  }
  void badWorkFilesGiveAMessage() {
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const auto k = static_cast<TallyKind>(kind);
    const QString file = QString::fromUtf8(tally::tallyKindInfo(k).workFile);
    if (!content.isEmpty()) ledger_->writeFile(file, content);
    MessageScript msgs;
    TallyWindow* w = show(k);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.lastText(), message);
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QCOMPARE(text(w, "MainPanel"), QString());
    QCOMPARE(ledger_->readFile(file), content);  // nothing is rewritten
  }

  void aWorkFileGoneWhileScrolling() {
    QVERIFY(tally::runShushiTally(ds(), *port_, tally::kShushiAllByMonth, 0, ds().yearNumber()));
    TallyWindow* w = show(TallyKind::Shushi);
    QFile::remove(ledger_->file("tmp/shushi.tmp"));
    MessageScript msgs;
    named<QScrollBar>(w, "ScrollBar")->setValue(3);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(text(w, "KouPanel5"), QString());
  }

 private:
  MainWindow& main() { return ledger_->main(); }
  DataStore& ds() { return appState().ds; }
  SettingsRecord& settings() { return appState().settings; }
  TallyWindow* show(TallyKind kind) { return main().tallies().showWindow(kind); }
  static tally::JyokenConditions monthJune() {
    tally::JyokenConditions c{};
    c[0] = {static_cast<std::int16_t>(tally::JyokenKind::Month), 6};
    return c;
  }
  std::unique_ptr<TallyLedger> ledger_;
  std::unique_ptr<ScriptedPort> port_;
};

QTEST_MAIN(ShukeiWindowsTest)
#include "shukei_windows_test.moc"
