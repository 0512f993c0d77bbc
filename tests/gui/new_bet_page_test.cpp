// The 馬単, 3連複 and 3連単 pages of the purchase dialog: per page one line added and
// registered into the bet store and one refusal, a 3連単 ﾌｫｰﾒｰｼｮﾝ typed by keyboard alone,
// ｷｬﾝｾﾙ leaving the store as it was, and a damaged store refused on the new pages only.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTabBar>
#include <fstream>

#include "features/bets/race_bets.hpp"
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
void tick(QWidget* dlg, const QString& p, int column, std::initializer_list<int> horses) {
  for (int h : horses) named<QCheckBox>(dlg, QStringLiteral("%1Check%2_%3").arg(p).arg(column).arg(h))->click();
}
QString text(QWidget* dlg, const QString& name) { return named<QLabel>(dlg, name)->text(); }
QStringList lines(QWidget* dlg, const QString& name) {
  QStringList l;
  auto* list = named<QListWidget>(dlg, name);
  for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
  return l;
}
// Presses Tab until the named control has the focus (at most 80 times).
bool tabTo(QWidget* dlg, const QString& name) {
  for (int i = 0; i < 80; ++i) {
    if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name) return true;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  Q_UNUSED(dlg);
  return false;
}
// Horse numbers typed on a column's toggles, each ticked with Space.
void typeHorses(std::initializer_list<const char*> numbers) {
  for (const char* n : numbers) {
    QTest::keyClicks(QApplication::focusWidget(), n);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  }
}

// Race 5 has runners 1-10 on its card.
RaceBlock cardOfTen() {
  RaceBlock races{};
  for (std::size_t h = 0; h < 10; ++h) races[4].shutsubaWaku[h] = std::uint8_t(h / 2 + 1);
  return races;
}

}  // namespace

class NewBetPageTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { day_ = std::make_unique<EntryDay>(cardOfTen()); }
  void cleanup() { day_.reset(); }

  // The new pages take no more room than the old ones: those keep their layout.
  void theNewPagesFitTheOldPagesRoom() {
    KounyuDialog dlg(4);
    auto* pages = named<QTabWidget>(&dlg, "Page");
    QSize old;
    for (int i = 0; i < 4; ++i) old = old.expandedTo(pages->widget(i)->sizeHint());
    for (int i = 4; i < 7; ++i) QVERIFY(old.expandedTo(pages->widget(i)->sizeHint()) == old);
    QVERIFY(pages->tabBar()->sizeHint().width() <= old.width());
    QVERIFY(dlg.width() <= 1024 && dlg.height() <= 768);
  }

  void umatanNormalRegisteredAndAHorseOffTheCardRefused() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(4);
    tick(&dlg, "Umatan", 1, {3});
    tick(&dlg, "Umatan", 2, {12});
    click(&dlg, "BitBtn2");  // the keypad types into the page's amount
    click(&dlg, "UmatanTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("出走表にない馬番です。"));
    tick(&dlg, "Umatan", 2, {7});  // 通常 moves the pick of the column
    QCOMPARE(text(&dlg, "UmatanTenLabel"), QString("1点 ・ 合計 200円"));
    click(&dlg, "UmatanTsuikaBtn");
    QCOMPARE(lines(&dlg, "UmatanListBox"), QStringList{"通常 3-7\n  1点 ・ 合計 200円"});
    QCOMPARE(msgs.count(), 1);
    dlg.show();
    shoot(&dlg, "purchase-umatan");
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const StoredRace r = stored();
    QCOMPARE(r.lines.size(), std::size_t(1));
    QCOMPARE(r.lines[0].sets[0], (std::vector<int>{3, 7}));
    QCOMPARE(r.lines[0].stake, 2);
  }

  void sanrenpukuNagashiRegisteredAndASmallBoxRefused() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(5);
    named<RadioGroupBox>(&dlg, "SanrenpukuNyuGroup")->item(1)->click();  // ﾎﾞｯｸｽ
    tick(&dlg, "Sanrenpuku", 1, {1, 2});
    named<QLineEdit>(&dlg, "SanrenpukuGakuEdit")->setText("1");
    click(&dlg, "SanrenpukuTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("馬番を 3つ以上入力して下さい。"));
    named<RadioGroupBox>(&dlg, "SanrenpukuNyuGroup")->item(2)->click();  // 流し
    QCOMPARE(named<QGroupBox>(&dlg, "SanrenpukuGroup2")->title(), QString("相手"));
    tick(&dlg, "Sanrenpuku", 1, {5});
    tick(&dlg, "Sanrenpuku", 2, {1, 2, 3, 4});
    QCOMPARE(text(&dlg, "SanrenpukuTenLabel"), QString("6点 ・ 合計 600円"));
    click(&dlg, "SanrenpukuTsuikaBtn");
    dlg.show();
    shoot(&dlg, "purchase-sanrenpuku");
    click(&dlg, "TourokuBtn");
    const StoredRace r = stored();
    QCOMPARE(r.lines.size(), std::size_t(1));
    QCOMPARE(r.lines[0].points, 6);
    QCOMPARE(r.lines[0].method, int(BetMethod::Nagashi));
  }

  void sanrentanFormationTypedByKeyboardAlone() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    named<QTabWidget>(&dlg, "Page")->setFocus();
    for (int i = 0; i < 6; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(named<QTabWidget>(&dlg, "Page")->currentIndex(), 6);
    QVERIFY(tabTo(&dlg, "SanrentanNyuGroupItem0"));
    // The arrows move between the method items as they stand (two rows): ﾌｫｰﾒｰｼｮﾝ at the lower right.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(named<QRadioButton>(&dlg, "SanrentanNyuGroupItem3")->isChecked());
    QVERIFY(tabTo(&dlg, "SanrentanCheck1_1"));
    typeHorses({"1", "2"});
    QVERIFY(tabTo(&dlg, "SanrentanCheck2_1"));
    typeHorses({"1", "2", "3", "4"});
    QVERIFY(tabTo(&dlg, "SanrentanCheck3_1"));
    typeHorses({"1", "2", "3", "4", "5", "6"});
    QVERIFY(tabTo(&dlg, "SanrentanGakuEdit"));
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QCOMPARE(text(&dlg, "SanrentanTenLabel"), QString("24点 ・ 合計 2,400円"));
    QVERIFY(tabTo(&dlg, "SanrentanTsuikaBtn"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(lines(&dlg, "SanrentanListBox"),
             QStringList{"ﾌｫｰﾒｰｼｮﾝ 1,2 / 1,2,3,4 / 1,2,3,4,5,6\n  24点 ・ 合計 2,400円"});
    QCOMPARE(msgs.count(), 0);
    shoot(&dlg, "purchase-sanrentan");
    click(&dlg, "TourokuBtn");
    QCOMPARE(stored().lines.at(0).points, 24);
  }

  void sanrentanNagashiMultiAndAMisplacedAxis() {
    MessageScript msgs;
    KounyuDialog dlg(4);
    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(6);
    named<RadioGroupBox>(&dlg, "SanrentanNyuGroup")->item(2)->click();  // 流し
    tick(&dlg, "Sanrentan", 1, {7, 3});
    tick(&dlg, "Sanrentan", 2, {1, 2, 4});
    named<QLineEdit>(&dlg, "SanrentanGakuEdit")->setText("1");
    click(&dlg, "SanrentanTsuikaBtn");  // two axis horses at "1着"
    QCOMPARE(msgs.lastText(), QString("軸の着順が不適切です。"));
    named<RadioGroupBox>(&dlg, "SanrentanPlaceGroup")->item(3)->click();  // 1・2着
    QCOMPARE(text(&dlg, "SanrentanKumiLabel"), QString("軸 7,3 (1・2着) → 1,2,4"));
    click(&dlg, "SanrentanMultiCheck");
    QCOMPARE(text(&dlg, "SanrentanTenLabel"), QString("18点 ・ 合計 1,800円"));
    click(&dlg, "SanrentanTsuikaBtn");
    QCOMPARE(named<QListWidget>(&dlg, "SanrentanListBox")->count(), 1);
    dlg.show();
    shoot(&dlg, "purchase-sanrentan-multi");
  }

  void cancelLeavesTheStoreAsItWas() {
    const RaceKey key = raceKey();
    QVERIFY(buyLine(appState().bets, key, entryDayCopy().races[4], PurchaseLine::box(NewBetType::Umatan, {1, 2}, 3)));
    const StoredRace before = stored();
    MessageScript msgs;
    KounyuDialog dlg(4);
    QCOMPARE(lines(&dlg, "UmatanListBox"), QStringList{"ﾎﾞｯｸｽ 1,2\n  2点 ・ 合計 600円"});
    named<QListWidget>(&dlg, "UmatanListBox")->setCurrentRow(0);
    click(&dlg, "UmatanSakujyoBtn");
    QCOMPARE(named<QListWidget>(&dlg, "UmatanListBox")->count(), 0);
    named<RadioGroupBox>(&dlg, "SanrenpukuNyuGroup")->item(1)->click();
    tick(&dlg, "Sanrenpuku", 1, {1, 2, 3});
    named<QLineEdit>(&dlg, "SanrenpukuGakuEdit")->setText("1");
    click(&dlg, "SanrenpukuTsuikaBtn");
    QCOMPARE(named<QListWidget>(&dlg, "SanrenpukuListBox")->count(), 1);
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(stored() == before);
  }

  void aDamagedStoreIsRefusedOnTheNewPagesOnly() {
    std::filesystem::create_directories(appState().bets.file().parent_path());
    std::ofstream(appState().bets.file(), std::ios::binary) << std::string(4096, 'x');
    MessageScript msgs;
    KounyuDialog dlg(4);
    click(&dlg, "UmatanTsuikaBtn");
    QCOMPARE(msgs.count(), 1);
    QVERIFY(msgs.lastText().contains("bets.sqlite"));
    named<QLineEdit>(&dlg, "TanGakuEdit")->setText("1");
    click(&dlg, "TanTsuikaBtn");
    click(&dlg, "TourokuBtn");
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(day_->onDisk().races[4].tanUma[0]), 1);
  }

 private:
  using KounyuDialog = RaceDialogOn<PurchaseDialog>;
  static RaceKey raceKey() { return raceKeyOf(entryDayKey(), entryDayCopy().meeting, 4); }
  static StoredRace stored() { return *appState().bets.race(raceKey()); }
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(NewBetPageTest)
#include "new_bet_page_test.moc"
