// The search dialogs and the result list in the main window: one accepted path and one
// refusal each, the history list, going to a race of another year, and 検索結果再表示
// after a restart.
#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <cstring>

#include "features/search/search_files.hpp"
#include "storage/paths.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/common/QtUserPort.h"
#include "ui/main/MainWindow.h"
#include "ui/race/RaceWindow.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

constexpr int kTok = 4;

void setName(char* field, const char* utf8) { std::strcpy(field, sj(utf8).c_str()); }

QStringList items(QComboBox* c) {
  QStringList l;
  for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
  return l;
}

QStringList lines(QListWidget* l) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

}  // namespace

class KensakuDialogsTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2002, 2001});
    // 2001 東京 11月25日 5回8日目: 11R ジャパンカップ (GⅠ, hit), 10R 晩秋特別.
    KaisaiRecord k = TempLedger::day(11, 25, 5, 8);
    RaceBlock races{};
    TempLedger::setRace(k, 10, 12, "ジャパンカップ", 1000, 2000);
    races[10].koumoku = 30911311;
    setName(races[10].chakuBamei[0], "ジャングルポケット");
    setName(races[10].chakuBamei[1], "テイエムオペラオー");
    races[10].umaHaitou[0] = 1120;
    races[10].umaKeka[0] = 10208;
    TempLedger::setRace(k, 9, 1, "晩秋特別", 0, 0);
    races[9].fukuHaitou[0] = 100;
    ledger_->writeDay(2001, kTok, k, races);
    // 2002 東京 5月5日 2回6日目: 11R NHKマイルカップ.
    KaisaiRecord n = TempLedger::day(5, 5, 2, 6);
    RaceBlock nr{};
    TempLedger::setRace(n, 10, 1, "NHKマイルカップ", 0, 0);
    nr[10].koumoku = 30911311;
    ledger_->writeDay(2002, kTok, n, nr);
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = kTok;
    ledger_->writeSettings(s);
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
  }
  void cleanup() {
    form_.reset();
    ledger_.reset();
  }

  void raceNameRefusesOneByteThenSearchesAndListsTheResults() {
    MessageScript msgs;
    QStringList shown;
    QString title, summary;
    bool refusedAndOpen = false;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("ﾚｰｽ名検索"));
      QCOMPARE(named<QLabel>(dlg, "Label1")->text(), QString("検索するﾚｰｽ名 (文字列 )："));
      QVERIFY(!named<QComboBox>(dlg, "NentsugiBox")->isEnabled());
      QVERIFY(named<QRadioButton>(dlg, "HanBtn1")->isChecked());
      auto* moji = named<QComboBox>(dlg, "MojiBox");
      moji->lineEdit()->setText("ｶ");
      named<QPushButton>(dlg, "KensakuBtn")->click();
      refusedAndOpen = msgs.lastText() == "検索させる文字列を入力して下さい。" && msgs.lastTitle() == "確認" &&
                       msgs.lastIcon() == MsgIcon::Error && dlg->isVisible();
      moji->lineEdit()->clear();
      typeText(moji->lineEdit(), "カップ");
      onNextModal([&](QWidget* list) {
        title = list->windowTitle();
        summary = named<QLabel>(list, "HaniLabel")->text();
        shown = lines(named<QListWidget>(list, "ListBox"));
        shoot(list, "kensakukeka");
        named<QPushButton>(list, "CancelBtn")->click();
      });
      shoot(dlg, "namekensaku");
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    named<QToolButton>(form_.get(), "ToolBtn10")->click();
    QVERIFY(refusedAndOpen);
    QCOMPARE(title, QString("ﾚｰｽ名検索終了"));
    QCOMPARE(summary,
             QString("検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： カップ\n\n 2個のﾃﾞｰﾀが見つかりました。"));
    QCOMPARE(shown, QStringList({"2002年 5月 5日 東京  2回 6日目 11R NHKマイルカップ",
                                 "2001年11月25日 東京  5回 8日目 11R ジャパンカップ"}));
    QCOMPARE(ledger_->readFile(search::kKekaFile).size(), 2 * 96);
    // The view is as before.
    QCOMPARE(appState().ds.year, std::string("2002"));
    QCOMPARE(named<QLabel>(form_.get(), "KaisaiPanel")->text(), QString("  5月 5日 2回 6日目  "));
  }

  void horseNameOffersTheHistoryAndAPickedTextLeavesIt() {
    MessageScript msgs;
    // Two typed searches first.
    for (const char* text : {"ポケット", "オペラ"}) {
      onNextModal([&](QWidget* dlg) {
        typeText(named<QComboBox>(dlg, "MojiBox")->lineEdit(), QString::fromUtf8(text));
        onNextModal([](QWidget* list) { named<QPushButton>(list, "CancelBtn")->click(); });
        named<QPushButton>(dlg, "KensakuBtn")->click();
      });
      form_->searchHorseName();
    }
    const QByteArray history = ledger_->readFile(search::kBameiHistoryFile);
    QStringList offered;
    QString summary;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("ﾚｰｽ結果馬名検索"));
      QCOMPARE(named<QLabel>(dlg, "Label1")->text(), QString("検索する馬名 (文字列 )："));
      auto* moji = named<QComboBox>(dlg, "MojiBox");
      offered = items(moji);
      moji->setCurrentIndex(1);  // ポケット, picked
      named<QRadioButton>(dlg, "HanBtn2")->click();
      auto* nen = named<QComboBox>(dlg, "NentsugiBox");
      QVERIFY(nen->isEnabled());
      QCOMPARE(items(nen), QStringList({"2002年", "2001年"}));
      nen->setCurrentIndex(1);
      named<QCheckBox>(dlg, "TekiCheckBox")->setChecked(true);
      onNextModal([&](QWidget* list) {
        summary = named<QLabel>(list, "HaniLabel")->text();
        named<QPushButton>(list, "CancelBtn")->click();
      });
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    form_->searchHorseName();
    QCOMPARE(offered, QStringList({"オペラ", "ポケット"}));
    QCOMPARE(ledger_->readFile(search::kBameiHistoryFile), history);
    QCOMPARE(
        summary,
        QString("検索範囲： 2001年      的中ﾚｰｽのみ\n\n検索馬名 (文字列 )： ポケット\n\n 1個のﾃﾞｰﾀが見つかりました。"));
  }

  void gradedStakesSearchesAndCancelSearchesNothing() {
    MessageScript msgs;
    onNextModal([&](QWidget* dlg) { named<QPushButton>(dlg, "CancelBtn")->click(); });
    form_->searchGradedStakes();
    QVERIFY(!ledger_->exists(search::kTextFile));
    QString summary;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("重賞検索"));
      auto* group = named<RadioGroupBox>(dlg, "Group");
      QCOMPARE(group->itemIndex(), 0);
      QCOMPARE(group->item(2)->text(), QString("GⅢ"));
      onNextModal([&](QWidget* list) {
        summary = named<QLabel>(list, "HaniLabel")->text();
        named<QPushButton>(list, "CancelBtn")->click();
      });
      shoot(dlg, "jyushokensaku");
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    named<QToolButton>(form_.get(), "ToolBtn11")->click();
    QCOMPARE(summary, QString("検索範囲： 全データ       \n\n検索重賞： ＧⅠ\n\n 2個のﾃﾞｰﾀが見つかりました。"));
  }

  void payoutRefusesAnUpperAmountNotAboveTheLowerAndReadsTenThousandInFull() {
    MessageScript msgs;
    QString summary;
    QStringList shown;
    QStringList upperList;
    bool refusedAndOpen = false;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("ﾚｰｽ結果配当検索"));
      QVERIFY(named<QRadioButton>(dlg, "KinBtn1")->isChecked());
      QCOMPARE(named<QLabel>(dlg, "Label")->text(), QString("円 ～                  円"));
      auto* lower = named<QComboBox>(dlg, "KinBox1");
      auto* upper = named<QComboBox>(dlg, "KinBox2");
      QCOMPARE(lower->itemText(0), QString("100"));
      QCOMPARE(lower->itemText(lower->count() - 1), QString("9500"));
      upperList = items(upper);
      QTest::keyClicks(lower->lineEdit(), "1a00");  // the letter beeps and is dropped
      QCOMPARE(lower->currentText(), QString("100"));
      QCOMPARE(msgs.beeps(), 1);
      QTest::keyClicks(upper->lineEdit(), "100");
      named<QPushButton>(dlg, "KensakuBtn")->click();
      refusedAndOpen = msgs.lastText() == "入力された配当金額が不適切です。" && dlg->isVisible();
      upper->setCurrentIndex(upper->count() - 1);  // 10000
      QCOMPARE(upper->currentText(), QString("10000"));
      onNextModal([&](QWidget* list) {
        summary = named<QLabel>(list, "HaniLabel")->text();
        shown = lines(named<QListWidget>(list, "ListBox"));
        shoot(list, "haitoukensakukeka");
        named<QPushButton>(list, "CancelBtn")->click();
      });
      shoot(dlg, "haitoukensaku");
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    named<QToolButton>(form_.get(), "ToolBtn12")->click();
    QVERIFY(refusedAndOpen);
    QCOMPARE(upperList.size(), 20);
    QCOMPARE(upperList.front(), QString("500"));
    QCOMPARE(upperList.back(), QString("10000"));
    QCOMPARE(summary,
             QString("検索範囲： 全データ       \n\n検索配当金額： 100円 ～ 10000円\n\n 2個のﾃﾞｰﾀが見つかりました。"));
    // Each line tells its bet type and payout.
    QCOMPARE(shown, QStringList({"2001年11月25日 東京  5回 8日目 10R 複勝    100円 晩秋特別",
                                 "2001年11月25日 東京  5回 8日目 11R 馬連   1120円 ジャパンカップ"}));
  }

  void payoutAmountsSearchWhatWasTypedWithoutCompletingIt() {
    MessageScript msgs;
    QString summary, lowerText, upperText;
    bool refusedAndOpen = false;
    onNextModal([&](QWidget* dlg) {
      auto* lower = named<QComboBox>(dlg, "KinBox1");
      auto* upper = named<QComboBox>(dlg, "KinBox2");
      // A box completes only while it has the focus: give it as the window system would.
      const auto focus = [](QComboBox* box) {
        box->setFocus();
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(box->lineEdit(), &in);
      };
      // 100 to 100: the upper list's 1000 starts with 100, and must not stand for it.
      focus(lower);
      QTest::keyClicks(lower->lineEdit(), "100");
      focus(upper);
      QTest::keyClicks(upper->lineEdit(), "100");
      named<QPushButton>(dlg, "KensakuBtn")->click();
      refusedAndOpen = msgs.lastText() == "入力された配当金額が不適切です。" && dlg->isVisible();
      lower->lineEdit()->clear();
      upper->lineEdit()->clear();
      focus(lower);
      QTest::keyClicks(lower->lineEdit(), "150");  // 1500 starts with 150
      focus(upper);
      QTest::keyClicks(upper->lineEdit(), "300");  // 3000 starts with 300
      lowerText = lower->currentText();
      upperText = upper->currentText();
      onNextModal([&](QWidget* list) {
        summary = named<QLabel>(list, "HaniLabel")->text();
        named<QPushButton>(list, "CancelBtn")->click();
      });
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    form_->searchPayouts();
    QVERIFY(refusedAndOpen);
    QCOMPARE(lowerText, QString("150"));
    QCOMPARE(upperText, QString("300"));
    QVERIFY(summary.contains("検索配当金額： 150円 ～ 300円"));
  }

  // 高額指定: nine-digit amounts, min above max refused, and the new types' payouts (a dead
  // heat's two 3連単 combinations) listed with their type.
  void payoutYenRangeFindsTheNewTypesMillionYenPayouts() {
    {
      BetStore store(ledger_->root());
      const RaceKey jc{{2001, kTok, 11, 25}, 11};
      QVERIFY(store.addWinner(jc, {2, {8, 2, 5}, 1234560}));
      QVERIFY(store.addWinner(jc, {2, {8, 5, 2}, 987650}));
      QVERIFY(store.addWinner(jc, {1, {2, 5, 8}, 45670}));
    }
    MessageScript msgs;
    QString summary;
    QStringList shown;
    bool refusedAndOpen = false, boxesFollow = false;
    onNextModal([&](QWidget* dlg) {
      auto* from = named<QLineEdit>(dlg, "KinEdit1");
      auto* to = named<QLineEdit>(dlg, "KinEdit2");
      QVERIFY(!from->isEnabled());
      named<QRadioButton>(dlg, "KinBtn3")->click();
      boxesFollow = from->isEnabled() && to->isEnabled() && !named<QComboBox>(dlg, "KinBox1")->isEnabled();
      QCOMPARE(to->text(), QString("999999999"));
      QTest::keyClicks(from, "2000000000");  // ten digits: the tenth is not taken
      QCOMPARE(from->text(), QString("200000000"));
      to->clear();
      QTest::keyClicks(to, "1000000");
      named<QPushButton>(dlg, "KensakuBtn")->click();  // min above max
      refusedAndOpen = msgs.lastText() == "入力された配当金額が不適切です。" && dlg->isVisible();
      from->clear();
      QTest::keyClicks(from, "900000");
      to->clear();
      QTest::keyClicks(to, "999999999");
      onNextModal([&](QWidget* list) {
        summary = named<QLabel>(list, "HaniLabel")->text();
        shown = lines(named<QListWidget>(list, "ListBox"));
        shoot(list, "haitoukensakukeka-3rentan");
        named<QPushButton>(list, "CancelBtn")->click();
      });
      shoot(dlg, "haitoukensaku-kougaku");
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    form_->searchPayouts();
    QVERIFY(boxesFollow);
    QVERIFY(refusedAndOpen);
    QCOMPARE(summary, QString("検索範囲： 全データ       \n\n検索配当金額： 900000円 ～ 999999999円\n\n "
                              "2個のﾃﾞｰﾀが見つかりました。"));
    QCOMPARE(shown, QStringList({"2001年11月25日 東京  5回 8日目 11R 3連単   1234560円 ジャパンカップ",
                                 "2001年11月25日 東京  5回 8日目 11R 3連単    987650円 ジャパンカップ"}));
  }

  void manbakenDisablesTheAmounts() {
    MessageScript msgs;
    onNextModal([&](QWidget* dlg) {
      named<QRadioButton>(dlg, "KinBtn2")->click();
      QVERIFY(!named<QComboBox>(dlg, "KinBox1")->isEnabled());
      QVERIFY(!named<QComboBox>(dlg, "KinBox2")->isEnabled());
      named<QRadioButton>(dlg, "KinBtn1")->click();
      QVERIFY(named<QComboBox>(dlg, "KinBox1")->isEnabled());
      named<QRadioButton>(dlg, "KinBtn2")->click();
      onNextModal([](QWidget* list) { named<QPushButton>(list, "CancelBtn")->click(); });
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    form_->searchPayouts();
    QCOMPARE(msgs.count(), 0);
    QVERIFY(ledger_->readFile(search::kTextFile).contains(sj("万馬券").c_str()));
  }

  void goingToAResultOfAnotherYearAsksAndSwitchesTheYear() {
    runRaceSearch("ジャパンカップ");
    MessageScript msgs;
    bool beeped = false, cancelledStaysOpen = false;
    onNextModal([&](QWidget* list) {
      auto* box = named<QListWidget>(list, "ListBox");
      named<QPushButton>(list, "HyojiBtn")->click();  // nothing selected
      beeped = msgs.beeps() == 1 && list->isVisible();
      box->setCurrentRow(0);
      msgs.answer({Answer::Cancel});
      named<QPushButton>(list, "HyojiBtn")->click();
      cancelledStaysOpen = list->isVisible() && appState().ds.year == "2002";
      named<QPushButton>(list, "HyojiBtn")->click();  // OK
    });
    named<QToolButton>(form_.get(), "KensakuBtn")->click();
    QVERIFY(beeped);
    QVERIFY(cancelledStaysOpen);
    QCOMPARE(msgs.shown().front().text, std::string("現在処理中の年次が変更されます。\n\n2002年 → 2001年"));
    QVERIFY(msgs.shown().front().icon == MsgIcon::Warning);
    QCOMPARE(appState().ds.year, std::string("2001"));
    QCOMPARE(named<QComboBox>(form_.get(), "ComboBox")->currentText(), QString(" 2001年"));
    QCOMPARE(named<QLabel>(form_.get(), "KaisaiPanel")->text(), QString(" 11月25日 5回 8日目  "));
    QVERIFY(form_->raceWindow() && form_->raceWindow()->isVisible());
    QCOMPARE(form_->raceWindow()->race(), 10);
    QVERIFY(named<QLabel>(form_->raceWindow(), "RaceNamePanel")->text().startsWith(" 11R"));
    QCOMPARE(named<QLabel>(form_->raceWindow(), "DayPanel")->text().trimmed(), QString("11月25日 5回 8日目"));
    shoot(form_.get(), "mainform-after-going");
  }

  void searchesShowTheMagnifierInTheirWaitPopup() {
    QtUserPort port;
    const auto picture = [](const char* icon) { return QIcon(icon).pixmap(32, 32).toImage(); };
    const auto shown = [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "CHUDIALOG" && w->isVisible()) return named<QLabel>(w, "Bitmap")->pixmap().toImage();
      return QImage();
    };
    port.setWaitPicture(WaitPicture::Search);
    port.waitBegin("検索中 !!!\n\nしばらくお待ち下さい。", true);
    QCOMPARE(shown(), picture(":/icons/kensaku-saihyouji.svg"));
    port.waitEnd();
    port.waitBegin("集計中", true);  // the next popup has the hourglass again
    QCOMPARE(shown(), picture(":/icons/sunadokei.svg"));
    port.waitEnd();
  }

  void theLastListIsShownAgainAfterARestartAndNothingWithoutOne() {
    MessageScript msgs;
    form_->showStoredSearch();  // no stored search: no dialog, no message
    QCOMPARE(msgs.count(), 0);
    QVERIFY(!QApplication::activeModalWidget());
    runRaceSearch("特別");
    form_.reset();
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
    QStringList shown;
    QString title;
    onNextModal([&](QWidget* list) {
      title = list->windowTitle();
      shown = lines(named<QListWidget>(list, "ListBox"));
      named<QPushButton>(list, "CancelBtn")->click();
    });
    named<QToolButton>(form_.get(), "KensakuBtn")->click();
    QCOMPARE(title, QString("ﾚｰｽ名検索終了"));
    QCOMPARE(shown, QStringList({"2001年11月25日 東京  5回 8日目 10R 晩秋特別"}));
  }

 private:
  void runRaceSearch(const char* text) {
    onNextModal([&](QWidget* dlg) {
      typeText(named<QComboBox>(dlg, "MojiBox")->lineEdit(), QString::fromUtf8(text));
      onNextModal([](QWidget* list) { named<QPushButton>(list, "CancelBtn")->click(); });
      named<QPushButton>(dlg, "KensakuBtn")->click();
    });
    form_->searchRaceName();
  }

  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MainWindow> form_;
};

QTEST_MAIN(KensakuDialogsTest)
#include "kensaku_dialogs_test.moc"
