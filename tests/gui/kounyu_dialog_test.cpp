// The purchase dialog: adding by 通常, 流し and ﾎﾞｯｸｽ through its controls and keypad,
// the input-method layouts, refusals, deleting, 登録 and ｷｬﾝｾﾙ, checked on disk.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "storage/fileio.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceDialogOn.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/PurchaseDialog.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

void click(QWidget* dlg, const QString& name) { named<QAbstractButton>(dlg, name)->click(); }
void keys(QWidget* dlg, std::initializer_list<int> ks) {
  for (int k : ks) click(dlg, QStringLiteral("BitBtn%1").arg(k));
}
QString text(QWidget* dlg, const QString& name) { return named<QLabel>(dlg, name)->text(); }
QStringList lines(QWidget* dlg, const QString& name) {
  QStringList l;
  auto* list = named<QListWidget>(dlg, name);
  for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
  return l;
}
void tick(QWidget* dlg, const QString& prefix, std::initializer_list<int> numbers) {
  for (int n : numbers) named<QCheckBox>(dlg, QStringLiteral("%1Check%2").arg(prefix).arg(n))->setChecked(true);
}

// A file layer where every open fails (and is counted).
class NoFiles : public FileSystem {
 public:
  int opens = 0;
  std::unique_ptr<File> open(const std::filesystem::path&, OpenMode) override {
    ++opens;
    return nullptr;
  }
};

}  // namespace

class KounyuDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { day_ = std::make_unique<EntryDay>(); }
  void cleanup() { day_.reset(); }

  void opensOnTheFirstPageWithRemainingPoints() {
    KounyuDialog dlg(4);
    QCOMPARE(dlg.windowTitle(), QString("ﾚｰｽﾃﾞｰﾀ ： 購入馬券登録"));
    QCOMPARE(text(&dlg, "DayLabel"), QString("12月 3日 3回  8日目  東京競馬場   5R"));
    QCOMPARE(named<QTabWidget>(&dlg, "Page")->currentIndex(), 0);
    QVERIFY(named<QRadioButton>(&dlg, "TanBtn")->isChecked());
    QVERIFY(named<QListWidget>(&dlg, "TanListBox")->isEnabled());
    QVERIFY(!named<QListWidget>(&dlg, "FukuListBox")->isEnabled());
    QCOMPARE(text(&dlg, "TanAtoLabel"), QString("あと 5点"));
    QCOMPARE(text(&dlg, "WakuAtoLabel"), QString("あと 16点"));
    QCOMPARE(text(&dlg, "WideAtoLabel"), QString("あと 20点"));
    QCOMPARE(text(&dlg, "UmaAtoLabel"), QString("あと 50点"));
    for (int k = 1; k <= 13; ++k) named<QPushButton>(&dlg, QStringLiteral("BitBtn%1").arg(k));
    named<QPushButton>(&dlg, "WideSakujyoBtn");
    named<QLabel>(&dlg, "BouLabel3");
    dlg.show();
    shoot(&dlg, "kounyu_tab1");
  }

  void winTicketsByKeypadThenRegister() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    named<RadioGroupBox>(&dlg, "TanGroup")->setItemIndex(4);
    keys(&dlg, {1, 11});  // "1" "00"
    QCOMPARE(named<QLineEdit>(&dlg, "TanGakuEdit")->text(), QString("100"));
    click(&dlg, "TanTsuikaBtn");
    click(&dlg, "FukuBtn");
    QVERIFY(!named<QListWidget>(&dlg, "TanListBox")->isEnabled());
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(lines(&dlg, "TanListBox"), QStringList{"   5        10000円"});
    QCOMPARE(lines(&dlg, "FukuListBox"), QStringList{"   5        10000円"});
    QCOMPARE(text(&dlg, "TanAtoLabel"), QString("あと 4点"));
    QCOMPARE(msgs.count(), 0);
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    QCOMPARE(int(disk.races[4].tanUma[0]), 5);
    QCOMPARE(disk.races[4].fukuGaku[0], 10000);
    QCOMPARE(disk.kaisai.kounyuGaku[4], 20000);
    QCOMPARE(int(disk.kaisai.raceJoutai[4]), 2);
    QCOMPARE(disk.kaisai.kounyuGaku[12], 20000);
  }

  void keypadRefusalsBeep() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    keys(&dlg, {11, 10});
    QCOMPARE(msgs.beeps(), 2);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(3);
    keys(&dlg, {2, 13, 3});
    QCOMPARE(named<QLineEdit>(&dlg, "UmaGakuEdit")->text(), QString("3"));
    QCOMPARE(named<QLineEdit>(&dlg, "TanGakuEdit")->text(), QString(""));
    // Letters typed into an amount field beep and are dropped.
    QTest::keyClicks(named<QLineEdit>(&dlg, "UmaGakuEdit"), "a1");
    QCOMPARE(named<QLineEdit>(&dlg, "UmaGakuEdit")->text(), QString("31"));
    QCOMPARE(msgs.beeps(), 3);
  }

  void inputMethodLayouts() {
    KounyuDialog dlg(4);
    auto* nyu = named<RadioGroupBox>(&dlg, "WakuNyuGroup");
    auto* g1 = named<RadioGroupBox>(&dlg, "WakuGroup1");
    auto* g2 = named<RadioGroupBox>(&dlg, "WakuGroup2");
    auto* g3 = named<QGroupBox>(&dlg, "WakuGroup3");
    auto* bou = named<QLabel>(&dlg, "BouLabel");
    QCOMPARE(g1->title(), QString("枠番"));
    QVERIFY(!g3->isEnabled());
    tick(&dlg, "Waku", {2});
    nyu->item(1)->click();  // 流し
    QCOMPARE(g1->title(), QString("軸"));
    QVERIFY(g1->isEnabled());
    QCOMPARE(g2->title(), QString(""));
    QVERIFY(!g2->isEnabled());
    QCOMPARE(g3->title(), QString("相手"));
    QVERIFY(g3->isEnabled());
    QVERIFY(!named<QCheckBox>(&dlg, "WakuCheck2")->isChecked());
    QVERIFY(bou->isEnabled());
    nyu->item(2)->click();  // ﾎﾞｯｸｽ
    QVERIFY(!g1->isEnabled());
    QVERIFY(!g2->isEnabled());
    QCOMPARE(g3->title(), QString("枠番"));
    QVERIFY(!bou->isEnabled());
    named<RadioGroupBox>(&dlg, "UmaNyuGroup")->item(2)->click();
    QCOMPARE(named<QGroupBox>(&dlg, "UmaGroup3")->title(), QString("馬番"));
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(1);
    dlg.show();
    shoot(&dlg, "kounyu_tab2_box");
  }

  void boxOverflowKeepsWhatFittedAndNagashiSkipsTheAxis() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(3);
    named<RadioGroupBox>(&dlg, "UmaNyuGroup")->item(1)->click();
    named<RadioGroupBox>(&dlg, "UmaGroup1")->setItemIndex(2);  // axis 3
    tick(&dlg, "Uma", {1, 3, 8});
    keys(&dlg, {5});
    click(&dlg, "UmaTsuikaBtn");
    QCOMPARE(lines(&dlg, "UmaListBox"), (QStringList{"  1- 3         500円", "  3- 8         500円"}));
    named<RadioGroupBox>(&dlg, "UmaNyuGroup")->item(2)->click();
    tick(&dlg, "Uma", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});  // 66 pairs, 48 fit
    click(&dlg, "UmaTsuikaBtn");
    QCOMPARE(named<QListWidget>(&dlg, "UmaListBox")->count(), 50);
    QCOMPARE(text(&dlg, "UmaAtoLabel"), QString("あと 0点"));
    QCOMPARE(msgs.lastText(), QString("登録してあるﾃﾞｰﾀが 50点を超えたので、全てのﾎﾞｯｸｽ馬券を登録出来ませんでした。"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Warning);
    click(&dlg, "TourokuBtn");
    const auto disk = day_->onDisk();
    QCOMPARE(int(disk.races[4].umaKumi[49]), 609);
    QCOMPARE(disk.kaisai.kounyuGaku[4], 50 * 500);
    shoot(&dlg, "kounyu_tab4_full");
  }

  void refusalsChangeNothing() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("購入金額を入力して下さい。"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Error);
    QTest::keyClicks(named<QLineEdit>(&dlg, "WideGakuEdit"), "21474837");
    click(&dlg, "WideTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("購入金額は 1点 21474836(00円) までです。"));
    named<QLineEdit>(&dlg, "WideGakuEdit")->setText("1");
    named<RadioGroupBox>(&dlg, "WideGroup2")->setItemIndex(0);
    click(&dlg, "WideTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("馬番の組み合わせが不適切です。"));
    click(&dlg, "WideSakujyoBtn");
    QCOMPARE(msgs.lastText(), QString("削除する馬券を選択して下さい。"));
    QCOMPARE(named<QListWidget>(&dlg, "WideListBox")->count(), 0);
    QVERIFY(dlg.editedDay().races[4].isBlank());
  }

  void deletingTheSecondOfThreeBracketTickets() {
    KounyuDialog dlg(4);
    named<QLineEdit>(&dlg, "WakuGakuEdit")->setText("2");
    for (int second : {2, 4, 6}) {
      named<RadioGroupBox>(&dlg, "WakuGroup2")->setItemIndex(second - 1);
      click(&dlg, "WakuTsuikaBtn");
    }
    named<QListWidget>(&dlg, "WakuListBox")->setCurrentRow(1);
    click(&dlg, "WakuSakujyoBtn");
    QCOMPARE(lines(&dlg, "WakuListBox"), (QStringList{"   1-2        200円", "   1-6        200円"}));
    QCOMPARE(text(&dlg, "WakuAtoLabel"), QString("あと 14点"));
    click(&dlg, "TourokuBtn");
    const auto disk = day_->onDisk();
    QCOMPARE(int(disk.races[4].wakuKumi[1]), 16);
    QCOMPARE(int(disk.races[4].wakuKumi[2]), 0);
  }

  void cancelDropsEveryChange() {
    RaceBlock races{};
    races[4].tanUma[0] = 3;
    races[4].tanGaku[0] = 500;
    day_.reset();  // one ledger at a time: it points the application state at itself
    day_ = std::make_unique<EntryDay>(races);
    const QByteArray before = day_->raceFile();
    KounyuDialog dlg(4);
    QCOMPARE(lines(&dlg, "TanListBox"), QStringList{"   3          500円"});
    named<QListWidget>(&dlg, "TanListBox")->setCurrentRow(0);
    click(&dlg, "TanSakujyobtn");
    QCOMPARE(dlg.editedDay().races[4].tanUma[0], std::uint16_t(0));
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->raceFile(), before);
  }

  // The dialog works on its copy alone: with no file to be opened at all it still takes
  // tickets and cancels, and 登録 is the one place that writes.
  void cancelReadsNothing() {
    NoFiles noFiles;
    LedgerCursor blind(day_->ledger().root(), &noFiles);
    PurchaseDialog dlg(blind, appState().bets, userPort(), entryDayKey(), entryDayCopy(), 4);
    named<QLineEdit>(&dlg, "TanGakuEdit")->setText("3");
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(lines(&dlg, "TanListBox").size(), 1);
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(noFiles.opens, 0);
  }

 private:
  using KounyuDialog = RaceDialogOn<PurchaseDialog>;
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(KounyuDialogTest)
#include "kounyu_dialog_test.moc"
