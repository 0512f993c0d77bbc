// Saving a tally result from its window (集計結果保存) and SavedResultsDialog: the four
// lists, one selected line in the dialog, 表示 writing the copy back as the work file and
// showing it in its window, 削除 with the dialog staying open, and the refusals (no line
// selected, the archive out of step with its index).
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "common/scripted_port.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/saved_results.hpp"
#include "features/tally/shushi_tally.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/TallyActions.h"
#include "ui/tally/TallyWindow.h"

using namespace tovra;
using namespace tovra::test;
using tally::TallyKind;

namespace {

QStringList lines(const QWidget* dlg, const char* name) {
  QStringList out;
  auto* l = named<QListWidget>(dlg, name);
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

// Clicks line `row` of a list as the user does (selects it, then the click handler).
void clickLine(QWidget* dlg, const char* name, int row) {
  auto* l = named<QListWidget>(dlg, name);
  const QRect r = l->visualItemRect(l->item(row));
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
}

tally::StampTime at(int minute) { return {2001, 5, 12, 14, minute}; }

}  // namespace

class HozonSyoriTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { ledger_ = std::make_unique<TallyLedger>(); }
  void cleanup() { ledger_.reset(); }

  void saveAsksThenAppends() {
    runShushi(tally::kShushiAllByMonth, 3);
    TallyWindow* w = main().tallies().showWindow(TallyKind::Shushi);
    MessageScript msgs;
    msgs.answer({Answer::Cancel});
    named<QToolButton>(w, "ToolBtn1")->click();
    QCOMPARE(msgs.lastTitle(), QString("集計結果保存"));
    QCOMPARE(msgs.lastText(), QString("表示されている収支集計結果を保存します。"));
    QCOMPARE(msgs.lastIcon(), MsgIcon::Information);
    QVERIFY(!ledger_->exists("tovradatafile/shukei/shushi.dat"));
    msgs.answer({Answer::Ok});
    named<QToolButton>(w, "ToolBtn1")->click();
    QCOMPARE(msgs.count(), 2);  // no message after a save
    QCOMPARE(ledger_->readFile("tovradatafile/shukei/shushi.dat"), ledger_->readFile("tmp/shushi.tmp"));
    QCOMPARE(ledger_->readFile("tovradatafile/shukei/shushi.tim").size(), 64);
  }

  void listsShowAndDelete() {
    MessageScript msgs;
    runShushi(tally::kShushiAllByMonth, 3);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    runShushi(tally::kShushiAllByKai, 4);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    QVERIFY(tally::runRankTally(appState().ds, tallyPort_, 1, 0, [] { return at(5); }));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Rank));
    const QByteArray firstCopy = ledger_->readFile("tovradatafile/shukei/shushi.dat").left(2360);

    bool exclusive = false, stayed = false, beeped = false;
    QStringList shushi, rank, after;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("保存済集計結果処理"));
      QCOMPARE(named<QLabel>(dlg, "Label3")->text(), QString("RANK集計："));
      shushi = lines(dlg, "ShushiListBox");
      rank = lines(dlg, "RankListBox");
      QVERIFY(lines(dlg, "KoumokuListBox").isEmpty());
      // Nothing selected: 表示 and 削除 only beep.
      const int before = msgs.beeps();
      named<QPushButton>(dlg, "HyojiBtn")->click();
      named<QPushButton>(dlg, "SakujyoBtn")->click();
      beeped = msgs.beeps() == before + 2 && dlg->isVisible();
      // One line selected in the whole dialog.
      clickLine(dlg, "RankListBox", 0);
      clickLine(dlg, "ShushiListBox", 1);
      exclusive = named<QListWidget>(dlg, "RankListBox")->selectedItems().isEmpty();
      // 削除 of the second shushi result: the dialog stays with the list refilled.
      named<QPushButton>(dlg, "SakujyoBtn")->click();
      stayed = dlg->isVisible();
      after = lines(dlg, "ShushiListBox");
      shoot(dlg, "hozon_dialog");
      clickLine(dlg, "ShushiListBox", 0);
      named<QPushButton>(dlg, "HyojiBtn")->click();
    });
    // The work file now holds another result; 表示 puts the saved one back.
    runShushi(tally::kShushiYearByKai, 9);
    named<QAction>(&main(), "N13")->trigger();
    QCOMPARE(shushi, QStringList({"2001年 5月12日14時 3分  全年 月別", "2001年 5月12日14時 4分  全年 回次別"}));
    QCOMPARE(rank, QStringList({"2001年 5月12日14時 5分  的中配当 全年"}));
    QVERIFY(beeped);
    QVERIFY(exclusive);
    QVERIFY(stayed);
    QCOMPARE(after, QStringList({"2001年 5月12日14時 3分  全年 月別"}));
    QCOMPARE(ledger_->readFile("tovradatafile/shukei/shushi.dat"), firstCopy);
    QCOMPARE(ledger_->readFile("tmp/shushi.tmp"), firstCopy);
    TallyWindow* w = main().tallies().window(TallyKind::Shushi);
    QVERIFY(w && w->isVisible());
    QCOMPARE(named<QLabel>(w, "MainPanel")->text(), QString("  収支集計   全ﾃﾞｰﾀ     全月"));
    QCOMPARE(named<QLabel>(w, "TimeLabel")->text(), QString("集計日時    2001年 5月12日14時 3分"));
    QCOMPARE(named<QScrollBar>(w, "ScrollBar")->value(), 0);
  }

  void deleteAsksFirstAndCancelKeepsTheResult() {
    MessageScript msgs;
    runShushi(tally::kShushiAllByMonth, 3);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    runShushi(tally::kShushiYearByKai, 4);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    const QByteArray archive = ledger_->readFile("tovradatafile/shukei/shushi.dat");
    QStringList afterCancel, afterOk;
    QString question;
    QByteArray archiveAfterCancel;
    onNextModal([&](QWidget* dlg) {
      msgs.answer({Answer::Cancel, Answer::Ok});
      clickLine(dlg, "ShushiListBox", 1);
      named<QPushButton>(dlg, "SakujyoBtn")->click();
      question = msgs.lastText();
      afterCancel = lines(dlg, "ShushiListBox");
      archiveAfterCancel = ledger_->readFile("tovradatafile/shukei/shushi.dat");
      named<QPushButton>(dlg, "SakujyoBtn")->click();  // the line is still selected
      afterOk = lines(dlg, "ShushiListBox");
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QAction>(&main(), "N13")->trigger();
    QCOMPARE(question, QString("保存済収支集計結果を削除します。\n\n2001年 5月12日14時 4分  2001年 回次別"));
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QCOMPARE(msgs.lastIcon(), MsgIcon::Warning);
    QCOMPARE(msgs.count(), 2);
    QCOMPARE(afterCancel.size(), 2);
    QCOMPARE(archiveAfterCancel, archive);
    QCOMPARE(afterOk, QStringList({"2001年 5月12日14時 3分  全年 月別"}));
    QCOMPARE(ledger_->readFile("tovradatafile/shukei/shushi.dat"), archive.left(2360));
  }

  void aDoubleClickShowsARankResultPageByPage() {
    QVERIFY(tally::runRankTally(appState().ds, tallyPort_, tally::rankCode(false, 4), 0, [] { return at(7); }));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Rank));
    QFile::remove(ledger_->file("tmp/rank.tmp"));
    onNextModal([](QWidget* dlg) {
      auto* l = named<QListWidget>(dlg, "RankListBox");
      clickLine(dlg, "RankListBox", 0);
      QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
    });
    named<QAction>(&main(), "N13")->trigger();
    TallyWindow* w = main().tallies().window(TallyKind::Rank);
    QVERIFY(w && w->isVisible());
    // A per-day kind: five days a page.
    QVERIFY(named<QWidget>(w, "Panel11")->isVisible());
    QCOMPARE(named<QScrollBar>(w, "ScrollBar")->maximum(), 8);
    QCOMPARE(named<QLabel>(w, "RanLabel11")->text(), QString("      3500円"));
    // A per-race kind saved as the second line: the same window, three races a page.
    QVERIFY(tally::runRankTally(appState().ds, tallyPort_, tally::rankCode(false, 0), 0, [] { return at(8); }));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Rank));
    named<QScrollBar>(w, "ScrollBar")->setValue(3);
    onNextModal([](QWidget* dlg) {
      auto* l = named<QListWidget>(dlg, "RankListBox");
      clickLine(dlg, "RankListBox", 1);
      QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
    });
    named<QAction>(&main(), "N13")->trigger();
    QCOMPARE(main().tallies().window(TallyKind::Rank), w);
    QVERIFY(named<QWidget>(w, "Panel1")->isVisible());
    QVERIFY(!named<QWidget>(w, "Panel11")->isVisible());
    QCOMPARE(named<QScrollBar>(w, "ScrollBar")->maximum(), 14);
    QCOMPARE(named<QScrollBar>(w, "ScrollBar")->value(), 0);
    QCOMPARE(named<QLabel>(w, "TimeLabel")->text(), QString("集計日時    2001年 5月12日14時 8分"));
  }

  void anArchiveOutOfStepIsNotShown() {
    MessageScript msgs;
    runShushi(tally::kShushiAllByMonth, 3);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    ledger_->writeFile("tovradatafile/shukei/shushi.dat",
                       ledger_->readFile("tovradatafile/shukei/shushi.dat").left(3000));
    runShushi(tally::kShushiAllByKai, 9);
    const QByteArray work = ledger_->readFile("tmp/shushi.tmp");
    onNextModal([](QWidget* dlg) {
      clickLine(dlg, "ShushiListBox", 1);
      named<QPushButton>(dlg, "HyojiBtn")->click();
    });
    named<QAction>(&main(), "N13")->trigger();
    // Opening the dialog named the files out of step; showing the line was refused.
    QCOMPARE(msgs.count(), 2);
    QCOMPARE(
        QString::fromStdString(msgs.shown()[0].text),
        QString("保存されているﾃﾞｰﾀに異常がありました。\n\nshushi.dat (3000ﾊﾞｲﾄ) と shushi.tim (2件) が合いません。"));
    QCOMPARE(msgs.lastText(), QString("保存されているﾃﾞｰﾀに異常がありました。\n\n表示出来ません。"));
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QCOMPARE(msgs.lastIcon(), MsgIcon::Warning);
    QCOMPARE(ledger_->readFile("tmp/shushi.tmp"), work);
    QVERIFY(!main().tallies().window(TallyKind::Shushi));
  }

  void aLineChosenByKeyboardTakesTheSelectionFromTheOtherLists() {
    runShushi(tally::kShushiAllByMonth, 3);
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Shushi));
    QVERIFY(tally::runRankTally(appState().ds, tallyPort_, 1, 0, [] { return at(5); }));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Rank));
    QVERIFY(tally::saveTallyResult(appState().ds, tallyPort_, TallyKind::Rank));
    bool rankCleared = false, shushiCleared = false;
    onNextModal([&](QWidget* dlg) {
      auto* shushi = named<QListWidget>(dlg, "ShushiListBox");
      auto* rank = named<QListWidget>(dlg, "RankListBox");
      clickLine(dlg, "RankListBox", 0);
      shushi->setFocus();
      QTest::keyClick(shushi, Qt::Key_Down);  // the first line of an unselected list
      rankCleared = rank->selectedItems().isEmpty() && shushi->selectedItems().size() == 1;
      rank->setFocus();
      QTest::keyClick(rank, Qt::Key_Down);
      shushiCleared = shushi->selectedItems().isEmpty() && rank->selectedItems().size() == 1;
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    named<QAction>(&main(), "N13")->trigger();
    QVERIFY(rankCleared);
    QVERIFY(shushiCleared);
  }

 private:
  MainWindow& main() { return ledger_->main(); }
  // A shushi tally stamped 2001-05-12 14:mm.
  void runShushi(int mode, int minute) {
    QVERIFY(tally::runShushiTally(appState().ds, tallyPort_, mode, 0, appState().ds.yearNumber(),
                                  [minute] { return at(minute); }));
  }
  ScriptedPort tallyPort_;
  std::unique_ptr<TallyLedger> ledger_;
};

QTEST_MAIN(HozonSyoriTest)
#include "hozon_syori_test.moc"
