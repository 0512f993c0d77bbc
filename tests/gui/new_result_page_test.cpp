// The 馬単, 3連複, 3連単 and 返還 pages of ﾚｰｽ結果: per page one change kept at 登録 (read
// back from the bet store) and one refusal; ｷｬﾝｾﾙ keeps nothing; a damaged store refuses
// the new pages while the old ones still register.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceDialogOn.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/ResultDialog.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {

constexpr int kRace = 2;

void click(QWidget* dlg, const QString& name) { named<QAbstractButton>(dlg, name)->click(); }
void amount(QWidget* dlg, const QString& edit, const QString& value) { named<QLineEdit>(dlg, edit)->setText(value); }
QStringList lines(QWidget* dlg, const QString& name) {
  QStringList l;
  auto* list = named<QListWidget>(dlg, name);
  for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
  return l;
}
// Checks horse h (1..18) at place `place` (1..3) of a page.
void pick(QWidget* dlg, const QString& prefix, int place, int h) {
  named<RadioGroupBox>(dlg, prefix + QString("Group%1").arg(place))->setItemIndex(h - 1);
}
void pickAll(QWidget* dlg, const QString& prefix, std::initializer_list<int> horses) {
  int place = 1;
  for (int h : horses) pick(dlg, prefix, place++, h);
}

// What the bet store holds of the race, read afresh.
StoredRace stored() {
  BetStore bets(TempLedger::newest().root());
  const MeetingDay day = entryDayCopy();
  const auto race = bets.race(raceKeyOf(entryDayKey(), day.meeting, kRace));
  if (!race) qFatal("the bet store cannot be read");
  return *race;
}

}  // namespace

class NewResultPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { day_ = std::make_unique<EntryDay>(); }
  void cleanup() { day_.reset(); }

  void pagesBesideTheOldOnes() {
    KekaDialog dlg(kRace);
    auto* pages = named<QTabWidget>(&dlg, "Page");
    QCOMPARE(pages->count(), 7);
    const char* titles[] = {"馬単", "3連複", "3連単", "返還"};
    const char* names[] = {"Tab4", "Tab5", "Tab6", "Tab7"};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(pages->tabText(3 + i), QString(titles[i]));
      QCOMPARE(pages->widget(3 + i)->objectName(), QString(names[i]));
    }
    QVERIFY(!dlg.findChild<QWidget*>("UmatanGroup3"));
    named<RadioGroupBox>(&dlg, "SanrentanGroup3");
  }

  void umatan() {
    MessageScript msgs;
    KekaDialog dlg(kRace);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(3);
    pickAll(&dlg, "Umatan", {7, 7});
    amount(&dlg, "UmatanGakuEdit", "123");
    click(&dlg, "UmatanTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString(msg::kLineHorseTwice));
    QCOMPARE(named<QListWidget>(&dlg, "UmatanListBox")->count(), 0);
    pickAll(&dlg, "Umatan", {7, 3});
    // The keypad types into the page's payout field.
    named<QLineEdit>(&dlg, "UmatanGakuEdit")->clear();
    for (int k : {1, 2, 3}) click(&dlg, QStringLiteral("BitBtn%1").arg(k));
    click(&dlg, "UmatanTsuikaBtn");
    QCOMPARE(lines(&dlg, "UmatanListBox"), QStringList{"  7-3            1230円"});
    dlg.show();
    shoot(&dlg, "result-umatan");
    QVERIFY(stored().winners.empty());  // kept in the dialog until 登録
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(stored().winners, (std::vector<StoredWinner>{{0, {7, 3, 0}, 1230}}));
  }

  void sanrenpukuKeptAscending() {
    MessageScript msgs;
    KekaDialog dlg(kRace);
    pickAll(&dlg, "Sanrenpuku", {12, 3, 7});
    click(&dlg, "SanrenpukuTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString(msg::kPayoutRange));
    amount(&dlg, "SanrenpukuGakuEdit", "4560");
    click(&dlg, "SanrenpukuTsuikaBtn");
    QCOMPARE(lines(&dlg, "SanrenpukuListBox"), QStringList{"  3-7-12        45600円"});
    amount(&dlg, "SanrenpukuTokuEdit", "7");
    dlg.show();
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(4);
    shoot(&dlg, "result-sanrenpuku");
    click(&dlg, "TourokuBtn");
    QCOMPARE(stored().winners, (std::vector<StoredWinner>{{1, {3, 7, 12}, 45600}}));
  }

  // A dead heat for second (the payouts of 2012-08-04 新潟5R): two 3連単 combinations paid.
  void sanrentanDeadHeat() {
    MessageScript msgs;
    KekaDialog dlg(kRace);
    pickAll(&dlg, "Sanrentan", {4, 1, 14});
    amount(&dlg, "SanrentanGakuEdit", "2983295");
    click(&dlg, "SanrentanTsuikaBtn");
    click(&dlg, "SanrentanTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString(msg::kWinnerTwice));
    pickAll(&dlg, "Sanrentan", {4, 14, 1});
    amount(&dlg, "SanrentanGakuEdit", "1491652");
    click(&dlg, "SanrentanTsuikaBtn");
    QCOMPARE(lines(&dlg, "SanrentanListBox"), (QStringList{"  4-1-14     29832950円", "  4-14-1     14916520円"}));
    dlg.show();
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(5);
    shoot(&dlg, "result-sanrentan");
    click(&dlg, "TourokuBtn");
    QCOMPARE(stored().winners, (std::vector<StoredWinner>{{2, {4, 1, 14}, 29832950}, {2, {4, 14, 1}, 14916520}}));
  }

  void deleteAndSpecialPayout() {
    MessageScript msgs;
    KekaDialog dlg(kRace);
    click(&dlg, "UmatanSakujyoBtn");
    QCOMPARE(msgs.lastText(), QString("削除する結果を選択して下さい。"));
    amount(&dlg, "UmatanTokuEdit", "0");
    click(&dlg, "UmatanTokuBtn");
    QCOMPARE(msgs.lastText(), QString(msg::kSpecialRange));
    amount(&dlg, "UmatanTokuEdit", "7");
    click(&dlg, "UmatanTokuBtn");
    QCOMPARE(named<QLabel>(&dlg, "UmatanTokuLabel")->text(), QString(" 70円"));
    click(&dlg, "TourokuBtn");
    QCOMPARE(stored().special[0], std::optional<std::int64_t>(70));

    // Taken away again in a second dialog, with a winner entered and deleted there.
    KekaDialog again(kRace);
    QCOMPARE(named<QLabel>(&again, "UmatanTokuLabel")->text(), QString(" 70円"));
    amount(&again, "UmatanGakuEdit", "50");
    click(&again, "UmatanTsuikaBtn");
    named<QListWidget>(&again, "UmatanListBox")->setCurrentRow(0);
    click(&again, "UmatanSakujyoBtn");
    QCOMPARE(named<QListWidget>(&again, "UmatanListBox")->count(), 0);
    click(&again, "UmatanTokuKeshiBtn");
    click(&again, "TourokuBtn");
    QVERIFY(stored().empty());
  }

  void scratchesAndFrames() {
    KekaDialog dlg(kRace);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(6);
    for (const char* name : {"HenkanUma3", "HenkanUma9", "HenkanWaku2"}) named<QCheckBox>(&dlg, name)->click();
    dlg.show();
    shoot(&dlg, "result-henkan");
    click(&dlg, "TourokuBtn");
    const StoredRace s = stored();
    QCOMPARE(s.scratched, (std::vector<int>{3, 9}));
    QCOMPARE(s.refundedFrames, (std::vector<int>{2}));
    KekaDialog again(kRace);
    QVERIFY(named<QCheckBox>(&again, "HenkanUma9")->isChecked());
    QVERIFY(!named<QCheckBox>(&again, "HenkanUma8")->isChecked());
  }

  void cancelKeepsNothing() {
    KekaDialog dlg(kRace);
    amount(&dlg, "UmatanGakuEdit", "50");
    click(&dlg, "UmatanTsuikaBtn");
    named<QCheckBox>(&dlg, "HenkanUma1")->click();
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!day_->ledger().exists("tovradatafile/bets.sqlite"));
  }

  void aDamagedStoreRefusesTheNewPagesOnly() {
    day_->ledger().writeFile("tovradatafile/bets.sqlite", QByteArray(4096, 'x'));
    MessageScript msgs;
    KekaDialog dlg(kRace);
    amount(&dlg, "SanrentanGakuEdit", "50");
    click(&dlg, "SanrentanTsuikaBtn");
    QVERIFY(msgs.lastText().contains("bets.sqlite"));
    QCOMPARE(named<QListWidget>(&dlg, "SanrentanListBox")->count(), 0);
    named<QCheckBox>(&dlg, "HenkanUma4")->click();
    QVERIFY(!named<QCheckBox>(&dlg, "HenkanUma4")->isChecked());
    named<RadioGroupBox>(&dlg, "TanGroup")->setItemIndex(4);
    amount(&dlg, "TanGakuEdit", "32");
    click(&dlg, "TanTsuikaBtn");
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(day_->onDisk().races[kRace].tanKeka[0]), 5);
  }

 private:
  using KekaDialog = RaceDialogOn<ResultDialog>;
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(NewResultPageTest)
#include "new_result_page_test.moc"
