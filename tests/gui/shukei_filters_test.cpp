// The bet-type and course filter of the four tally dialogs (wiring only: what is counted
// is tested in the core): each dialog's accepted path with a filter reaches its tally and
// window, and a filter without any type is refused with the dialog left open and no work
// file written. The income window's types block and the item window's new-type rows.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "features/tally/tally_filter.hpp"
#include "storage/bet_store.hpp"
#include "storage/win5_store.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/main/TallyActions.h"
#include "ui/tally/TallyWindow.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QString text(const QWidget* w, const char* name) { return named<QLabel>(w, name)->text(); }

// Every toggle checked and 全競馬場 at start; then only the types given (1-9) stay checked.
bool startsWithEverything(QWidget* dlg) {
  for (int t = 1; t <= tally::kTallyTypeSlots; ++t)
    if (!named<QCheckBox>(dlg, QString("ShikiBtn%1").arg(t))->isChecked()) return false;
  return named<QComboBox>(dlg, "JyoFilterBox")->currentText() == "全競馬場";
}
void keepOnly(QWidget* dlg, std::initializer_list<int> types) {
  for (int t = 1; t <= tally::kTallyTypeSlots; ++t)
    named<QCheckBox>(dlg, QString("ShikiBtn%1").arg(t))
        ->setChecked(std::find(types.begin(), types.end(), t) != types.end());
}

// Clicks ShukeiBtn with no type checked: true when the refusal was shown and the dialog
// stayed open; then cancels.
bool refusedWithoutTypes(QWidget* dlg, MessageScript& msgs) {
  keepOnly(dlg, {});
  named<QPushButton>(dlg, "ShukeiBtn")->click();
  const bool refused = msgs.lastText() == QString(tally::kNoTallyTypeText) && msgs.lastIcon() == MsgIcon::Error &&
                       dlg->isVisible();
  named<QPushButton>(dlg, "CancelBtn")->click();
  return refused;
}

}  // namespace

class ShukeiFiltersTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ledger_ = std::make_unique<TallyLedger>(); }
  void cleanup() { ledger_.reset(); }

  void shushiWinAtTokyoShowsTheTypesBlock() {
    bool fresh = false;
    onNextModal([&](QWidget* dlg) {
      fresh = startsWithEverything(dlg);
      QCOMPARE(named<QCheckBox>(dlg, "ShikiBtn8")->text(), QString("3連単"));
      keepOnly(dlg, {1});  // 単勝
      named<QComboBox>(dlg, "JyoFilterBox")->setCurrentIndex(1 + kTallyTokyo);
      shoot(dlg, "shushi_dialog_filter");
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QAction>(&main(), "X1")->trigger();
    QVERIFY(fresh);
    QWidget* w = window(tally::TallyKind::Shushi);
    QVERIFY(w && w->isVisible());
    // 東京: 2001 1R 単勝 10000 lost, 2R 単勝 4000 paid 10000; 2000 has no ticket.
    QCOMPARE(text(w, "KouPanel5"), QString("     14000円       71.4％       10000円"));
    QCOMPARE(text(w, "KouPanel1"), QString("         0円"));  // 札幌 is not counted
    QCOMPARE(text(w, "ShikiLabel"), QString("選択式別"));
    QCOMPARE(text(w, "ShikiKouPanel"), QString("     14000円       71.4％       10000円"));
    QCOMPARE(text(w, "ShikiShuPanel"), QString("     -4000円"));
    QCOMPARE(text(w, "ShikiKounyuPanel"), QString("     14000円"));
    QCOMPARE(text(w, "ShikiHenkanPanel"), QString("         0円"));
    QCOMPARE(text(w, "ShikiTaishoLabel"), QString("単勝 東京"));
    QVERIFY(named<QLabel>(w, "ShikiKouPanel")->isVisible());
    shoot(w, "shushi_window_types");
    QVERIFY(ledger_->exists("tmp/shushisk.tmp"));
  }

  // The ninth toggle: WIN5 alone counts the day's WIN5 and no race.
  void shushiWin5AloneShowsItsRow() {
    {
      BetStore bets(ledger_->root());
      Win5Store win5(bets);
      QVERIFY(win5.setLegs({2001, 6, 1}, {{{4, 1}, {4, 2}, {4, 3}, {4, 4}, {4, 5}}}));
      StoredWin5Line line;
      for (auto& leg : line.legs) leg = {1};
      line.stake = 3;
      line.points = 1;
      QVERIFY(win5.addLine({2001, 6, 1}, line));
      QVERIFY(win5.setWinners({2001, 6, 1}, {{{1, 1, 1, 1, 1}, 1000}}));
    }
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(named<QCheckBox>(dlg, "ShikiBtn9")->text(), QString("WIN5"));
      keepOnly(dlg, {9});
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QAction>(&main(), "X1")->trigger();
    QWidget* w = window(tally::TallyKind::Shushi);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "KouPanel5"), QString("         0円"));  // no race counts
    QCOMPARE(text(w, "ShikiTaishoLabel"), QString("WIN5 全競馬場"));
    QCOMPARE(text(w, "ShikiKouPanel"), QString("       300円     1000.0％        3000円"));
    QVERIFY(named<QLabel>(w, "Win5KouPanel")->isVisible());
    QCOMPARE(text(w, "Win5KouPanel"), QString("       300円     1000.0％        3000円"));
    QCOMPARE(text(w, "Win5KounyuPanel"), QString("       300円"));
    shoot(w, "shushi_window_win5");
  }

  void shushiRefusesNoType() {
    MessageScript msgs;
    bool refused = false;
    onNextModal([&](QWidget* dlg) { refused = refusedWithoutTypes(dlg, msgs); });
    named<QAction>(&main(), "X1")->trigger();
    QVERIFY(refused);
    QVERIFY(!window(tally::TallyKind::Shushi));
    QVERIFY(!ledger_->exists("tmp/shushi.tmp"));
  }

  void koumokuEveryTypeShowsTheNewRows() {
    bool fresh = false;
    onNextModal([&](QWidget* dlg) {
      fresh = startsWithEverything(dlg);
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QAction>(&main(), "C1")->trigger();
    QVERIFY(fresh);
    QWidget* w = window(tally::TallyKind::Koumoku);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "KenLabel6"), QString("馬単"));
    QCOMPARE(text(w, "KenLabel8"), QString("3連単"));
    QCOMPARE(text(w, "KenKouPanel8"), QString("         0円"));
    QCOMPARE(text(w, "KenKouPanel1"), QString("     14000円       71.4％       10000円"));  // 単勝, as before
    QVERIFY(ledger_->exists("tmp/koumokusk.tmp"));
  }

  void koumokuRefusesNoType() {
    MessageScript msgs;
    bool refused = false;
    onNextModal([&](QWidget* dlg) { refused = refusedWithoutTypes(dlg, msgs); });
    named<QAction>(&main(), "C1")->trigger();
    QVERIFY(refused);
    QVERIFY(!ledger_->exists("tmp/koumoku.tmp"));
  }

  void rankDaysAtSapporoOnly() {
    onNextModal([](QWidget* dlg) {
      QVERIFY(startsWithEverything(dlg));
      named<RadioGroupBox>(dlg, "Group")->item(4)->click();  // 開催日別収支
      named<QComboBox>(dlg, "JyoFilterBox")->setCurrentIndex(1);  // 札幌
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QAction>(&main(), "V1")->trigger();
    QWidget* w = window(tally::TallyKind::Rank);
    QVERIFY(w && w->isVisible());
    // Without the filter 東京's two days lead (+3500, +2500); 札幌's one day lost 2000 and
    // a loss does not enter the ranks: nothing is ranked.
    QVERIFY(text(w, "TsukiLabel11").contains("-------"));
    QCOMPARE(text(w, "RanLabel11"), QString("  "));
  }

  void rankRefusesNoType() {
    MessageScript msgs;
    bool refused = false;
    onNextModal([&](QWidget* dlg) { refused = refusedWithoutTypes(dlg, msgs); });
    named<QAction>(&main(), "V1")->trigger();
    QVERIFY(refused);
    QVERIFY(!ledger_->exists("tmp/rank.tmp"));
  }

  void jyokenJuneWinOnly() {
    onNextModal([](QWidget* dlg) {
      QVERIFY(startsWithEverything(dlg));
      named<RadioGroupBox>(dlg, "RadioGroup1")->item(5)->click();  // 6月
      named<QPushButton>(dlg, "SetteiBtn")->click();
      keepOnly(dlg, {1});
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QAction>(&main(), "B1")->trigger();
    QWidget* w = window(tally::TallyKind::Jyoken);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "KouPanel5"), QString("     14000円       71.4％       10000円"));
  }

  void jyokenRefusesNoType() {
    MessageScript msgs;
    bool refused = false;
    onNextModal([&](QWidget* dlg) {
      named<RadioGroupBox>(dlg, "RadioGroup1")->item(5)->click();
      named<QPushButton>(dlg, "SetteiBtn")->click();
      refused = refusedWithoutTypes(dlg, msgs);
    });
    named<QAction>(&main(), "B1")->trigger();
    QVERIFY(refused);
    QVERIFY(!ledger_->exists("tmp/jyoken.tmp"));
  }

 private:
  MainWindow& main() { return ledger_->main(); }
  QWidget* window(tally::TallyKind kind) { return main().tallies().window(kind); }
  std::unique_ptr<TallyLedger> ledger_;
};

QTEST_MAIN(ShukeiFiltersTest)
#include "shukei_filters_test.moc"
