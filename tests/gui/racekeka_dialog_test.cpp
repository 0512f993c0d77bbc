// The result dialog: payouts in units of 10 yen, the per-type limits, the two-slot
// deletion rule, 登録 (with the settlement marking hits) and ｷｬﾝｾﾙ, checked on disk.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

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

void click(QWidget* dlg, const QString& name) { named<QAbstractButton>(dlg, name)->click(); }
void amount(QWidget* dlg, const QString& edit, const QString& value) { named<QLineEdit>(dlg, edit)->setText(value); }
QStringList lines(QWidget* dlg, const QString& name) {
  QStringList l;
  auto* list = named<QListWidget>(dlg, name);
  for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
  return l;
}

}  // namespace

class RaceKekaDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    RaceBlock races{};
    races[2].tanUma[0] = 5;
    races[2].tanGaku[0] = 1000;
    day_ = std::make_unique<EntryDay>(races);
  }
  void cleanup() { day_.reset(); }

  // Each list right under its caption and as tall as the results it holds; the dialog no
  // bigger than its tallest page needs.
  void compactPages() {
    KekaDialog dlg(2);
    dlg.show();
    QVERIFY(dlg.height() < 420);
    const struct {
      const char* list;
      const char* caption;
      int lines;
    } lists[] = {{"TanListBox", "単勝", 2},
                 {"FukuListBox", "複勝", 4},
                 {"WakuListBox", "枠連", 2},
                 {"WideListBox", "ﾜｲﾄﾞ", 6},
                 {"UmaListBox", "馬連", 2}};
    for (const auto& l : lists) {
      auto* list = named<QListWidget>(&dlg, l.list);
      QLabel* caption = nullptr;
      for (QLabel* c : list->parentWidget()->findChildren<QLabel*>())
        if (c->text() == QString(l.caption)) caption = c;
      QVERIFY2(caption, l.caption);
      QVERIFY2(list->y() - caption->geometry().bottom() <= 6, l.list);
      QVERIFY2(list->height() < (l.lines + 1) * QFontMetrics(list->font()).lineSpacing() + 12, l.list);
    }
  }

  void opening() {
    KekaDialog dlg(2);
    QCOMPARE(dlg.windowTitle(), QString("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ結果登録"));
    QCOMPARE(named<QLabel>(&dlg, "DayLabel")->text(), QString("12月 3日 3回  8日目  東京競馬場   3R"));
    QCOMPARE(named<QTabWidget>(&dlg, "Page")->count(), 7);
    QVERIFY(named<QListWidget>(&dlg, "TanListBox")->isEnabled());
    QVERIFY(!named<QListWidget>(&dlg, "FukuListBox")->isEnabled());
    QVERIFY(named<QListWidget>(&dlg, "WideListBox")->isEnabled());
    QVERIFY(!named<QListWidget>(&dlg, "UmaListBox")->isEnabled());
    named<QRadioButton>(&dlg, "RadioButton1");
    named<QPushButton>(&dlg, "BitBtn13");
    dlg.show();
    shoot(&dlg, "raceKeka_tab1");
  }

  void aWinResultHitsTheTicketOnRegister() {
    MessageScript msgs;
    KekaDialog dlg(2);
    named<RadioGroupBox>(&dlg, "TanGroup")->setItemIndex(4);
    amount(&dlg, "TanGakuEdit", "9");
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("配当金額が不適切です。"));
    QCOMPARE(named<QListWidget>(&dlg, "TanListBox")->count(), 0);
    click(&dlg, "BitBtn13");
    for (int k : {3, 2}) click(&dlg, QStringLiteral("BitBtn%1").arg(k));
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(lines(&dlg, "TanListBox"), QStringList{"   5          320円"});
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    QCOMPARE(int(disk.races[2].tanKeka[0]), 105);
    QCOMPARE(disk.races[2].tanHaitou[0], 320);
    QCOMPARE(disk.kaisai.shushi[2], 2200);
    QCOMPARE(int(disk.kaisai.raceJoutai[2]), 12);
  }

  void limitsAndTheDeletionRules() {
    MessageScript msgs;
    KekaDialog dlg(2);
    amount(&dlg, "TanGakuEdit", "25");
    for (int h : {3, 7, 9}) {
      named<RadioGroupBox>(&dlg, "TanGroup")->setItemIndex(h - 1);
      click(&dlg, "TanTsuikaBtn");
    }
    QCOMPARE(msgs.lastText(), QString("登録出来る点数は 2点までです。"));
    named<QListWidget>(&dlg, "TanListBox")->setCurrentRow(0);
    click(&dlg, "TanSakujyobtn");
    QCOMPARE(lines(&dlg, "TanListBox"), QStringList{"   7          250円"});
    const RaceRecord& race = dlg.editedDay().races[2];
    QCOMPARE(int(race.tanKeka[0]), 7);
    QCOMPARE(int(race.tanKeka[1]), 0);
    QCOMPARE(race.tanHaitou[1], 0);

    click(&dlg, "FukuBtn");
    for (int h = 1; h <= 4; ++h) {
      named<RadioGroupBox>(&dlg, "TanGroup")->setItemIndex(h - 1);
      amount(&dlg, "TanGakuEdit", QString::number(10 + h));
      click(&dlg, "TanTsuikaBtn");
    }
    named<QListWidget>(&dlg, "FukuListBox")->setCurrentRow(1);
    click(&dlg, "TanSakujyobtn");
    QCOMPARE(lines(&dlg, "FukuListBox"),
             (QStringList{"   1          110円", "   3          130円", "   4          140円"}));
    QCOMPARE(int(race.fukuKeka[3]), 0);

    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(1);
    named<RadioGroupBox>(&dlg, "WakuGroup1")->setItemIndex(3);
    named<RadioGroupBox>(&dlg, "WakuGroup2")->setItemIndex(3);
    click(&dlg, "BitBtn1");
    click(&dlg, "BitBtn11");
    click(&dlg, "WakuTsuikaBtn");
    QCOMPARE(lines(&dlg, "WakuListBox"), QStringList{"    4-4       1000円"});

    named<QTabWidget>(&dlg, "Page")->setCurrentIndex(2);
    amount(&dlg, "WideUmaGakuEdit", "56");
    named<RadioGroupBox>(&dlg, "WideUmaGroup1")->setItemIndex(1);
    named<RadioGroupBox>(&dlg, "WideUmaGroup2")->setItemIndex(1);
    click(&dlg, "WideUmaTsuikaBtn");
    QCOMPARE(msgs.lastText(), QString("馬番の組み合わせが不適切です。"));
    click(&dlg, "RadioButton1");
    QVERIFY(named<QListWidget>(&dlg, "UmaListBox")->isEnabled());
    QVERIFY(!named<QListWidget>(&dlg, "WideListBox")->isEnabled());
    named<RadioGroupBox>(&dlg, "WideUmaGroup1")->setItemIndex(11);
    click(&dlg, "WideUmaTsuikaBtn");
    QCOMPARE(lines(&dlg, "UmaListBox"), QStringList{"   2-12         560円"});
    click(&dlg, "WideUmaSakujyoBtn");
    QCOMPARE(msgs.lastText(), QString("削除する結果を選択して下さい。"));
    dlg.show();
    shoot(&dlg, "raceKeka_tab3");
    click(&dlg, "TourokuBtn");
    const auto disk = day_->onDisk();
    QCOMPARE(int(disk.races[2].umaKeka[0]), 212);
    QCOMPARE(int(disk.races[2].wakuKeka[0]), 44);
    QCOMPARE(int(disk.races[2].fukuKeka[1]), 3);
  }

  void cancelDropsTheCopy() {
    const QByteArray before = day_->raceFile();
    KekaDialog dlg(2);
    amount(&dlg, "TanGakuEdit", "100");
    click(&dlg, "TanTsuikaBtn");
    QCOMPARE(int(dlg.editedDay().races[2].tanKeka[0]), 1);
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->raceFile(), before);
  }

 private:
  using KekaDialog = RaceDialogOn<ResultDialog>;
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(RaceKekaDialogTest)
#include "racekeka_dialog_test.moc"
