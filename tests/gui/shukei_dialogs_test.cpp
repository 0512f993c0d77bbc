// The four tally dialogs from the main window: each accepted path runs its tally (with the
// wait popup and its ten steps) and shows its result window, whose panels are checked
// against what the ledger's work file holds; each dialog's refusal leaves everything as it
// was. The main window shows the same meeting day afterwards.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/TallyActions.h"
#include "ui/tally/ConditionTallyDialog.h"
#include "ui/tally/TallyWindow.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QString text(const QWidget* w, const char* name) { return named<QLabel>(w, name)->text(); }

// Watches the wait popups: how many were shown, with what text, and how far their bar went.
class PopupWatch : public QObject {
 public:
  PopupWatch() { qApp->installEventFilter(this); }
  ~PopupWatch() override { qApp->removeEventFilter(this); }
  int shown = 0;
  QString text;
  int maximum = -1, last = -1;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !w->objectName().startsWith("CHUDIALOG")) return false;
    auto* bar = w->findChild<QProgressBar*>("ProgressBar");
    if (e->type() == QEvent::Show) {
      ++shown;
      text = w->findChild<QLabel*>("WaitText")->text();
      maximum = bar ? bar->maximum() : -1;
    } else if (e->type() == QEvent::Hide && bar) {
      last = bar->value();
    }
    return false;
  }
};

}  // namespace

class ShukeiDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ledger_ = std::make_unique<TallyLedger>(); }
  void cleanup() { ledger_.reset(); }

  void tallyEntriesAreReady() {
    for (const char* a : {"X1", "C1", "V1", "B1", "N13"}) QVERIFY2(named<QAction>(&main(), a)->isEnabled(), a);
    for (int b = 6; b <= 9; ++b) QVERIFY(named<QToolButton>(&main(), QString("ToolBtn%1").arg(b))->isEnabled());
  }

  void shushiAllYearsByMonth() {
    PopupWatch popups;
    const QString kaisai = text(&main(), "KaisaiPanel");
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("収支集計"));
      QVERIFY(named<QRadioButton>(dlg, "HanBtn1")->isChecked());
      QVERIFY(!named<QComboBox>(dlg, "NentsugiBox")->isEnabled());
      QVERIFY(!named<QComboBox>(dlg, "TsukiBox")->isEnabled());
      QVERIFY(named<RadioGroupBox>(dlg, "Group")->isEnabled());
      // The day offered is the meeting day shown; the year that of the main window.
      QCOMPARE(named<QComboBox>(dlg, "TsukiBox")->currentText(), QString(" 6月"));
      QCOMPARE(named<QComboBox>(dlg, "HiBox")->currentText(), QString(" 1日"));
      QCOMPARE(named<QLabel>(dlg, "NenLabel")->text(), QString("2001年"));
      named<QRadioButton>(dlg, "HanBtn3")->click();
      QVERIFY(named<QComboBox>(dlg, "TsukiBox")->isEnabled());
      QVERIFY(!named<RadioGroupBox>(dlg, "Group")->isEnabled());
      named<QRadioButton>(dlg, "HanBtn2")->click();
      QVERIFY(named<QComboBox>(dlg, "NentsugiBox")->isEnabled());
      QVERIFY(!named<QComboBox>(dlg, "HiBox")->isEnabled());
      named<QRadioButton>(dlg, "HanBtn1")->click();
      shoot(dlg, "shushi_dialog");
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QToolButton>(&main(), "ToolBtn6")->click();
    QCOMPARE(popups.shown, 1);
    QCOMPARE(popups.text, QString("収支集計中 !!!\n\nしばらくお待ち下さい。"));
    QCOMPARE(popups.maximum, 10);
    QCOMPARE(popups.last, 10);
    QWidget* w = window(tally::TallyKind::Shushi);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QString("収支集計"));
    QCOMPARE(text(w, "MainPanel"), QString("  収支集計   全ﾃﾞｰﾀ     全月"));
    QVERIFY(text(w, "TimeLabel").startsWith("集計日時    "));
    QCOMPARE(text(w, "KouPanel1"), QString("      2000円        0.0％           0円"));
    QCOMPARE(text(w, "ShuPanel1"), QString("     -2000円"));
    QCOMPARE(text(w, "TekiPanel1"), QString("      0.0％"));
    QCOMPARE(text(w, "KouPanel2"), QString("         0円"));
    QCOMPARE(text(w, "ShuPanel2"), QString("  "));
    QCOMPARE(text(w, "KouPanel5"), QString("     19000円      131.6％       25000円"));
    QCOMPARE(text(w, "ShuPanel5"), QString("      6000円"));
    QCOMPARE(text(w, "TekiPanel5"), QString("     66.7％"));
    QCOMPARE(text(w, "KouPanel12"), QString("     21000円      119.0％       25000円"));
    QCOMPARE(text(w, "TekiPanel12"), QString("     50.0％"));
    QVERIFY(!named<QLabel>(w, "GouLabel")->isVisible());
    // The main window still shows the meeting day it showed.
    QCOMPARE(text(&main(), "KaisaiPanel"), kaisai);
    QCOMPARE(appState().ds.year, std::string("2001"));
    QCOMPARE(main().selection().course, kTallyTokyo);
    QCOMPARE(int(ledger_->readFile("tmp/shushi.tmp").size()), 2360);
  }

  void shushiCancelled() {
    PopupWatch popups;
    onNextModal([](QWidget* dlg) { named<QPushButton>(dlg, "CancelBtn")->click(); });
    named<QAction>(&main(), "X1")->trigger();
    QCOMPARE(popups.shown, 0);
    QVERIFY(!window(tally::TallyKind::Shushi));
    QVERIFY(!ledger_->exists("tmp/shushi.tmp"));
  }

  void koumokuOneYear() {
    onNextModal([](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("項目集計"));
      QVERIFY(!named<QComboBox>(dlg, "NentsugiBox")->isEnabled());
      named<QRadioButton>(dlg, "HanBtn2")->click();
      QVERIFY(named<QComboBox>(dlg, "NentsugiBox")->isEnabled());
      QCOMPARE(named<QComboBox>(dlg, "NentsugiBox")->currentText(), QString("2001年"));
      shoot(dlg, "koumoku_dialog");
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QToolButton>(&main(), "ToolBtn7")->click();
    QWidget* w = window(tally::TallyKind::Koumoku);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "MainPanel"), QString(" 項目集計    2001年   全競馬場"));
    QCOMPARE(text(w, "RaceNoKouPanel1"), QString("     12000円       62.5％        7500円"));
    QCOMPARE(text(w, "RaceNoShuPanel1"), QString("     -4500円"));
    QCOMPARE(text(w, "RaceNoTekiPanel1"), QString("   0.0％"));
    QCOMPARE(text(w, "RaceNoKouPanel2"), QString("      4000円      250.0％       10000円"));
    QCOMPARE(text(w, "RaceNoTekiPanel2"), QString(" 100.0％"));
    QCOMPARE(text(w, "RaceNoKouPanel3"), QString("         0円"));
    // 1R of 東京 has items (3歳, 未勝利, 芝); 札幌's has none.
    QCOMPARE(text(w, "NenKouPanel2"), QString("     10000円       75.0％        7500円"));
    QCOMPARE(text(w, "ClKouPanel2"), QString("     10000円       75.0％        7500円"));
    QCOMPARE(text(w, "HeiteiPanel"), QString("  250円"));
    QCOMPARE(text(w, "RacesuPanel"), QString("         3Ｒ"));
    QCOMPARE(text(w, "ZenKouPanel"), QString("     16000円      109.4％       17500円"));
    QCOMPARE(text(w, "ZenTekiPanel"), QString("  33.3％"));
    QVERIFY(!named<QLabel>(w, "JyoKouPanel")->isVisible());
  }

  void koumokuCancelled() {
    onNextModal([](QWidget* dlg) { named<QPushButton>(dlg, "CancelBtn")->click(); });
    named<QAction>(&main(), "C1")->trigger();
    QVERIFY(!window(tally::TallyKind::Koumoku));
    QVERIFY(!ledger_->exists("tmp/koumoku.tmp"));
  }

  void rankDaysByBalance() {
    PopupWatch popups;
    onNextModal([](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("RANK集計"));
      auto* group = named<RadioGroupBox>(dlg, "Group");
      QCOMPARE(group->itemIndex(), 0);
      QCOMPARE(group->item(4)->text(), QString("開催日別収支"));
      group->item(4)->click();
      shoot(dlg, "rank_dialog");
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QToolButton>(&main(), "ToolBtn8")->click();
    QCOMPARE(popups.text, QString("RANK集計中 !!!\n\nしばらくお待ち下さい。"));
    QWidget* w = window(tally::TallyKind::Rank);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "MainPanel"), QString(" 開催日別収支    全データ   BEST45"));
    QVERIFY(!named<QWidget>(w, "Panel1")->isVisible());
    QVERIFY(named<QWidget>(w, "Panel11")->isVisible());
    QCOMPARE(named<QScrollBar>(w, "ScrollBar")->maximum(), 8);
    QCOMPARE(text(w, "TsukiLabel11"), QString(" 1位  2001年   6月   1日  東京    3回  1日目 "));
    QCOMPARE(text(w, "ShikiLabel11"), QString("回収率"));
    QCOMPARE(text(w, "BanLabel11"), QString("    125.0％"));
    QCOMPARE(text(w, "GouLabel11"), QString("収支"));
    QCOMPARE(text(w, "RanLabel11"), QString("      3500円"));
    QCOMPARE(text(w, "TsukiLabel12"), QString(" 2位  2000年   6月  11日  東京    2回  4日目 "));
    QCOMPARE(text(w, "TsukiLabel13"), QString(" 3位       -------"));
    QCOMPARE(text(w, "RanLabel13"), QString("  "));
  }

  void rankCancelled() {
    onNextModal([](QWidget* dlg) { named<QPushButton>(dlg, "CancelBtn")->click(); });
    named<QAction>(&main(), "V1")->trigger();
    QVERIFY(!window(tally::TallyKind::Rank));
    QVERIFY(!ledger_->exists("tmp/rank.tmp"));
  }

  void jyokenRefusesWithoutConditionThenTalliesJune() {
    MessageScript msgs;
    bool refusedAndOpen = false;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("条件集計"));
      named<QPushButton>(dlg, "ShukeiBtn")->click();
      refusedAndOpen = msgs.lastText() == "集計させる条件を設定して下さい。" && msgs.lastIcon() == MsgIcon::Error &&
                       dlg->isVisible();
      named<RadioGroupBox>(dlg, "RadioGroup1")->item(5)->click();  // 6月
      named<QPushButton>(dlg, "SetteiBtn")->click();
      QVERIFY(!named<RadioGroupBox>(dlg, "RadioGroup1")->isEnabled());
      QCOMPARE(named<QListWidget>(dlg, "ListBox")->item(0)->text(), QString("  6月"));
      shoot(dlg, "jyoken_dialog");
      named<QPushButton>(dlg, "ShukeiBtn")->click();
    });
    named<QToolButton>(&main(), "ToolBtn9")->click();
    QVERIFY(refusedAndOpen);
    QWidget* w = window(tally::TallyKind::Jyoken);
    QVERIFY(w && w->isVisible());
    QCOMPARE(text(w, "MainPanel"), QString(" 条件集計      全データ"));
    QCOMPARE(text(w, "JyokenPanel"), QString("    6月"));
    QCOMPARE(text(w, "KouPanel5"), QString("     19000円      131.6％       25000円"));
    QCOMPARE(text(w, "TekiPanel5"), QString("     66.7％"));
    QCOMPARE(text(w, "KouPanel1"), QString("         0円"));
    QCOMPARE(text(w, "KouPanel12"), QString("     21000円      119.0％       25000円"));
    QCOMPARE(text(w, "Label14"), QString("総合合計"));
    QVERIFY(text(w, "Label12").startsWith("競馬場　　　  　馬券購入額"));
  }

  void jyokenDialogIsOneForTheRunAndStartsOver() {
    ConditionTallyDialog* first = main().tallies().conditionDialog();
    QVERIFY(first);
    onNextModal([](QWidget* dlg) {
      named<QPushButton>(dlg, "SetteiBtn")->click();
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QAction>(&main(), "B1")->trigger();
    bool reset = false;
    onNextModal([&](QWidget* dlg) {
      reset = named<QListWidget>(dlg, "ListBox")->count() == 0 &&
              named<RadioGroupBox>(dlg, "RadioGroup1")->isEnabled() && named<QRadioButton>(dlg, "HanBtn1")->isChecked();
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QAction>(&main(), "B1")->trigger();
    QVERIFY(reset);
    QCOMPARE(main().tallies().conditionDialog(), first);
    QVERIFY(!window(tally::TallyKind::Jyoken));
  }

 private:
  MainWindow& main() { return ledger_->main(); }
  QWidget* window(tally::TallyKind kind) { return main().tallies().window(kind); }
  std::unique_ptr<TallyLedger> ledger_;
};

QTEST_MAIN(ShukeiDialogsTest)
#include "shukei_dialogs_test.moc"
