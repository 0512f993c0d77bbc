// The WIN5 window's wiring: races set, horses toggled with the points and cost shown, a
// line added and stored, a result saved; a line the rules refuse is shown its message
// and stores nothing. The main window opens it from 登録 and from the totals row's menu,
// and shows the day's WIN5 line under the rows while the day shown has one.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "features/bets/win5_bets.hpp"
#include "storage/bet_store.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/Win5Dialog.h"
#include "ui/main/MainWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

constexpr Win5Date kDate{2025, 10, 19};

void click(QWidget* dlg, const QString& name) { named<QAbstractButton>(dlg, name)->click(); }
void toggle(QWidget* dlg, int leg, std::initializer_list<int> horses) {
  for (int h : horses) named<QToolButton>(dlg, QStringLiteral("Win5Horse%1_%2").arg(leg).arg(h))->click();
}
QString text(QWidget* dlg, const QString& name) { return named<QLabel>(dlg, name)->text(); }
void type(QWidget* dlg, const QString& name, const QString& t) { named<QLineEdit>(dlg, name)->setText(t); }

// 東京10R 京都10R 東京11R 京都11R 阪神11R chosen in the boxes and set.
void setLegs(QWidget* dlg) {
  const int courses[] = {4, 7, 4, 7, 8}, races[] = {10, 10, 11, 11, 11};
  for (int i = 0; i < 5; ++i) {
    named<QComboBox>(dlg, QStringLiteral("Win5CourseBox%1").arg(i + 1))->setCurrentIndex(courses[i]);
    named<QComboBox>(dlg, QStringLiteral("Win5RaceBox%1").arg(i + 1))->setCurrentIndex(races[i] - 1);
  }
  click(dlg, "Win5LegsBtn");
}

StoredWin5Day stored() {
  Win5Store store(appState().bets);
  auto day = store.day(kDate);
  if (!day || !*day) qFatal("no WIN5 day stored");
  return **day;
}

}  // namespace

class Win5DialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2025});
    dlg_ = std::make_unique<Win5Dialog>(appState().ds.ledger(), appState().bets, userPort(), kDate, 4);
  }
  void cleanup() {
    dlg_.reset();
    ledger_.reset();
  }

  void aLineIsPickedAddedAndStoredAndAResultSaved() {
    MessageScript msgs;
    QWidget* d = dlg_.get();
    QCOMPARE(d->objectName(), QString("WIN5"));
    QCOMPARE(d->windowTitle(), QString("WIN5"));
    // No WIN5 on the day yet: the columns wait for the races.
    QVERIFY(!named<QGroupBox>(d, "Win5LegGroup1")->isEnabled());
    click(d, "Win5TsuikaBtn");
    QCOMPARE(msgs.lastText(), QString(msg::kWin5NoDay));
    msgs.clear();
    setLegs(d);
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(named<QGroupBox>(d, "Win5LegGroup1")->title(), QString("東京10R"));
    QCOMPARE(named<QGroupBox>(d, "Win5LegGroup5")->title(), QString("阪神11R"));
    QVERIFY(named<QToolButton>(d, "Win5Horse5_18")->isEnabled());  // no card: every horse

    toggle(d, 1, {1, 3});
    toggle(d, 2, {2});
    toggle(d, 3, {5, 7});
    toggle(d, 4, {1});
    toggle(d, 5, {4});
    type(d, "Win5GakuEdit", "3");
    QCOMPARE(text(d, "Win5TenLabel"), QString("4点 ・ 合計 1,200円"));
    toggle(d, 5, {9});
    QCOMPARE(text(d, "Win5TenLabel"), QString("8点 ・ 合計 2,400円"));
    toggle(d, 5, {9});
    click(d, "Win5TsuikaBtn");
    QCOMPARE(msgs.count(), 0);
    auto* list = named<QListWidget>(d, "Win5ListBox");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("1,3/2/5,7/1/4  4点 1,200円"));
    const StoredWin5Day day = stored();
    QCOMPARE(day.lines.size(), std::size_t(1));
    QCOMPARE(day.lines[0].legs[2], (std::vector<int>{5, 7}));
    QCOMPARE(day.lines[0].stake, 3);
    QCOMPARE(day.lines[0].points, std::int64_t(4));
    QCOMPARE(text(d, "Win5FiguresLabel"),
             QString("購入 1,200円  返還 0円  馬券購入額 1,200円  払戻 0円  収支 -1,200円"));

    // The result: 3-2-5-1-4 paying 12,340 yen per 100 yen, horse 9 of leg 4 scratched.
    const char* winners[] = {"3", "2", "5", "1", "4"};
    for (int i = 0; i < 5; ++i) type(d, QStringLiteral("Win5WinnerEdit%1").arg(i + 1), winners[i]);
    type(d, "Win5HaitouEdit", "1234");
    type(d, "Win5ScratchEdit4", "9");
    type(d, "Win5NoteEdit", "ｷｬﾘｰｵｰﾊﾞｰ 1,000,000円");
    click(d, "Win5KekaBtn");
    QCOMPARE(msgs.count(), 0);
    const StoredWin5Day after = stored();
    QCOMPARE(after.winners.size(), std::size_t(1));
    QCOMPARE(after.winners[0].payout, std::int64_t(12340));
    QCOMPARE(after.scratched[3], std::vector<int>{9});
    QCOMPARE(after.note, std::string("ｷｬﾘｰｵｰﾊﾞｰ 1,000,000円"));
    QCOMPARE(text(d, "Win5FiguresLabel"),
             QString("購入 1,200円  返還 0円  馬券購入額 1,200円  払戻 37,020円  収支 35,820円"));

    // A second line: horse 9 too in leg 5.
    toggle(d, 5, {9});
    click(d, "Win5TsuikaBtn");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QString("1,3/2/5,7/1/4,9  8点 2,400円"));
    d->show();
    shoot(d, "win5-dialog");

    // 削除 of the line selected; none selected only beeps.
    list->setCurrentRow(0);
    click(d, "Win5SakujyoBtn");
    QCOMPARE(list->count(), 1);
    QCOMPARE(stored().lines.size(), std::size_t(1));
    QCOMPARE(stored().lines[0].points, std::int64_t(8));
    list->clearSelection();
    list->setCurrentRow(-1);
    click(d, "Win5SakujyoBtn");
    QCOMPARE(msgs.beeps(), 1);
    QCOMPARE(stored().lines.size(), std::size_t(1));
  }

  void refusedLinesShowTheirMessageAndStoreNothing() {
    MessageScript msgs;
    QWidget* d = dlg_.get();
    setLegs(d);
    const struct {
      std::vector<int> legs;  // the legs toggled, each with horses 1..n
      int n;
      const char* message;
    } cases[] = {
        {{1, 2, 3, 4}, 2, msg::kWin5LegEmpty},
        {{1, 2, 3, 4, 5}, 18, msg::kWin5TooMany},
    };
    for (const auto& c : cases) {
      for (int leg : c.legs)
        for (int h = 1; h <= c.n; ++h) toggle(d, leg, {h});
      type(d, "Win5GakuEdit", "1");
      msgs.clear();
      click(d, "Win5TsuikaBtn");
      QCOMPARE(msgs.count(), 1);
      QCOMPARE(msgs.lastText(), QString(c.message));
      QCOMPARE(msgs.lastIcon(), MsgIcon::Error);
      QCOMPARE(named<QListWidget>(d, "Win5ListBox")->count(), 0);
      QVERIFY(stored().lines.empty());
      for (int leg : c.legs)
        for (int h = 1; h <= c.n; ++h) toggle(d, leg, {h});
    }
    QCOMPARE(text(d, "Win5TenLabel"), QString("0点 ・ 合計 0円"));
  }

  void theMainWindowOpensItAndShowsTheDaysLine() {
    // 東京 10R has a card of twelve runners.
    RaceBlock races{};
    for (int h = 0; h < 12; ++h) races[9].shutsubaWaku[h] = std::uint16_t(h / 2 + 1);
    ledger_->writeDay(2025, 4, TempLedger::day(10, 19, 4, 6), races);
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    ledger_->writeSettings(s);
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    auto* line = named<QLabel>(&form, "Win5Label");
    QVERIFY(line->isHidden());
    QCOMPARE(form.centralWidget()->height(), 434);
    // Looking for the day's WIN5 creates no store.
    QVERIFY(!appState().bets.exists());

    // The totals row opens the day's menu, not a race's.
    QTest::mousePress(named<QLabel>(&form, "KouPanel13"), Qt::RightButton, {}, QPoint(10, 5));
    auto* dayMenu = named<QMenu>(&form, "DayMenu");
    QTRY_VERIFY(dayMenu->isVisible());
    QVERIFY(!named<QMenu>(&form, "PopupMenu")->isVisible());
    dayMenu->hide();

    QString title;
    QList<bool> enabled;
    onNextModal([&](QWidget* d) {
      title = d->windowTitle();
      setLegs(d);
      for (const char* h : {"Win5Horse1_12", "Win5Horse1_13", "Win5Horse2_18"})
        enabled << named<QToolButton>(d, h)->isEnabled();
      toggle(d, 1, {1, 3});
      toggle(d, 2, {2});
      toggle(d, 3, {5, 7});
      toggle(d, 4, {1});
      toggle(d, 5, {4});
      named<QLineEdit>(d, "Win5GakuEdit")->setText("1");
      click(d, "Win5TsuikaBtn");
      click(d, "CloseBtn");
    });
    named<QAction>(&form, "Win5Item")->trigger();
    QCOMPARE(title, QString("WIN5"));
    // Leg 1 takes only the card's runners; leg 2 (no meeting of 京都 in the ledger) all.
    QCOMPARE(enabled, (QList<bool>{true, false, true}));
    QVERIFY(!line->isHidden());
    QCOMPARE(line->text(), QString("WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  1行 4点 400円 払戻 0円 収支 -400円"));
    QCOMPARE(form.centralWidget()->height(), 434 + 24);
    if (!qEnvironmentVariableIsEmpty("TOVRA_SHOT_DIR")) {
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      shoot(&form, "main-win5-line");
    }

    // The totals row's menu opens the same window on the day.
    int lines = -1;
    onNextModal([&](QWidget* d) {
      lines = named<QListWidget>(d, "Win5ListBox")->count();
      click(d, "CloseBtn");
    });
    named<QAction>(&form, "Win5DayItem")->trigger();
    QCOMPARE(lines, 1);

    // A course without a meeting day shows none.
    named<QToolButton>(&form, "KaiBtn1")->click();
    QVERIFY(line->isHidden());
    QCOMPARE(form.centralWidget()->height(), 434);
    QVERIFY(!named<QAction>(&form, "Win5Item")->isEnabled());
    named<QToolButton>(&form, "KaiBtn5")->click();
    QVERIFY(!line->isHidden());
  }

  void savingANoteKeepsADeadHeatOfTwoPayouts() {
    // Stored elsewhere (an import or tovra-cli): a dead heat in leg 3 paid at two amounts.
    Win5Store store(appState().bets);
    QVERIFY(bool(setWin5Legs(store, kDate, {{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {8, 11}}})));
    const std::vector<Win5Winner> two = {{{3, 2, 5, 1, 4}, 50000}, {{3, 2, 7, 1, 4}, 80000}};
    QVERIFY(bool(setWin5Result(store, kDate, two)));
    Win5Dialog dlg(appState().ds.ledger(), appState().bets, userPort(), kDate, 4);
    MessageScript msgs;
    QCOMPARE(named<QLineEdit>(&dlg, "Win5WinnerEdit3")->text(), QString("5,7"));
    type(&dlg, "Win5NoteEdit", "ｷｬﾘｰｵｰﾊﾞｰなし");
    click(&dlg, "Win5KekaBtn");
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(stored().note, std::string("ｷｬﾘｰｵｰﾊﾞｰなし"));
    QCOMPARE(stored().winners.size(), std::size_t(2));
    QCOMPARE(stored().winners[1].payout, std::int64_t(80000));
    // A payout typed again is the one amount of every combination.
    type(&dlg, "Win5HaitouEdit", "6000");
    click(&dlg, "Win5KekaBtn");
    QCOMPARE(stored().winners.size(), std::size_t(2));
    QCOMPARE(stored().winners[1].payout, std::int64_t(60000));
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<Win5Dialog> dlg_;
};

QTEST_MAIN(Win5DialogTest)
#include "win5_dialog_test.moc"
