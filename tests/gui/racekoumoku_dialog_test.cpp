// The race items dialog: opening on a new and on a stored race, 登録 with its refusals,
// 全て削除, the race-name limit, and ｷｬﾝｾﾙ, checked on disk.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QTest>

#include "common/ledger_cursor.hpp"
#include "domain/race_items.hpp"
#include "storage/text.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceDialogOn.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/RaceItemsDialog.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {
RadioGroupBox* group(QWidget* dlg, const char* name) { return named<RadioGroupBox>(dlg, name); }
void click(QWidget* dlg, const QString& name) { named<QAbstractButton>(dlg, name)->click(); }
}  // namespace

class RaceKoumokuDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    RaceBlock races{};
    races[7].koumoku = 31311124;  // 3歳上 1000万下 ... ﾀﾞｰﾄ 不良
    races[7].kyori = 1800;
    races[7].tanUma[0] = 2;
    races[7].tanGaku[0] = 300;
    day_ = std::make_unique<EntryDay>(races);
    LedgerCursor day(appState().ds.root());
    day.year = "2001";
    day.course = kEntryCourse;
    day.readShown();
    setFixedText(day.kaisai.raceMei[7], sj("ﾃｽﾄ特別"));
    day.writeDay(0);
  }
  void cleanup() { day_.reset(); }

  void newRaceOpensOnFirstItems() {
    KoumokuDialog dlg(0);
    QCOMPARE(dlg.windowTitle(), QString("ﾚｰｽﾃﾞｰﾀ ： ﾚｰｽ項目登録"));
    QCOMPARE(named<QLabel>(&dlg, "DayLabel")->text(), QString("12月 3日 3回  8日目  東京競馬場   1R"));
    for (const char* g :
         {"RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4", "RadioGroup5", "RadioGroup6", "RadioGroup7"})
      QCOMPARE(group(&dlg, g)->itemIndex(), 0);
    QCOMPARE(group(&dlg, "RadioGroup3")->count(), 12);
    QCOMPARE(group(&dlg, "RadioGroup3")->title(), QString("ｸﾗｽ"));
    auto* kyori = named<QComboBox>(&dlg, "KyoriBox");
    QCOMPARE(kyori->currentText(), QString(""));
    QCOMPARE(kyori->count(), 13);
    QCOMPARE(named<QLineEdit>(&dlg, "RaceNameEdit")->text(), QString(""));
    dlg.show();
    shoot(&dlg, "raceKoumoku_new");
  }

  void storedRaceOpensWithItsItemsAndRegisters() {
    MessageScript msgs;
    KoumokuDialog dlg(7);
    QCOMPARE(group(&dlg, "RadioGroup1")->itemIndex(), 2);
    QCOMPARE(group(&dlg, "RadioGroup3")->itemIndex(), 3);  // 1000万下
    QCOMPARE(group(&dlg, "RadioGroup2")->itemIndex(), 1);
    QCOMPARE(group(&dlg, "RadioGroup7")->itemIndex(), 3);
    QCOMPARE(named<QComboBox>(&dlg, "KyoriBox")->currentText(), QString("1800"));
    QCOMPARE(named<QLineEdit>(&dlg, "RaceNameEdit")->text(), QString("ﾃｽﾄ特別"));
    dlg.show();
    shoot(&dlg, "raceKoumoku_stored");

    group(&dlg, "RadioGroup3")->item(10)->click();  // 900万下
    auto* kyori = named<QComboBox>(&dlg, "KyoriBox");
    kyori->lineEdit()->clear();
    QTest::keyClicks(kyori->lineEdit(), "1x150");
    QCOMPARE(kyori->currentText(), QString("1150"));
    QCOMPARE(msgs.beeps(), 1);
    click(&dlg, "TourokuBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    QCOMPARE(disk.races[7].koumoku, 30411124u);
    QCOMPARE(int(disk.races[7].kyori), 1150);
    QCOMPARE(QString::fromStdString(cp932ToUtf8(fixedText(disk.kaisai.raceMei[7]))), QString("ﾃｽﾄ特別"));
    QCOMPARE(int(disk.kaisai.raceJoutai[7]), 2);
  }

  void distanceIsWhatWasTyped() {
    KoumokuDialog dlg(7);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* kyori = named<QComboBox>(&dlg, "KyoriBox");
    kyori->lineEdit()->setFocus();
    kyori->lineEdit()->clear();
    QTest::keyClicks(kyori->lineEdit(), "1");
    QCOMPARE(kyori->currentText(), QString("1"));  // not completed to a preset
    QTest::keyClicks(kyori->lineEdit(), "2");
    QCOMPARE(kyori->currentText(), QString("12"));
    click(&dlg, "TourokuBtn");
    QCOMPARE(int(day_->onDisk().races[7].kyori), 12);
  }

  void emptyDistanceIsRefused() {
    MessageScript msgs;
    const QByteArray before = day_->raceFile();
    KoumokuDialog dlg(0);
    click(&dlg, "TourokuBtn");
    QCOMPARE(msgs.lastText(), QString("距離を入力して下さい。"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Error);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->raceFile(), before);
  }

  void raceNameIsCutAtSixtyBytes() {
    MessageScript msgs;
    KoumokuDialog dlg(1);
    auto* edit = named<QLineEdit>(&dlg, "RaceNameEdit");
    typeText(edit, QString(29, QChar(0x3042)) + "abc");  // 58 bytes, then 2 more fit
    QCOMPARE(edit->text(), QString(29, QChar(0x3042)) + "ab");
    named<QComboBox>(&dlg, "KyoriBox")->setCurrentIndex(2);
    click(&dlg, "TourokuBtn");
    const auto disk = day_->onDisk();
    QCOMPARE(fixedText(disk.kaisai.raceMei[1]).size(), std::size_t(60));
    QCOMPARE(int(disk.races[1].kyori), 1400);

    KoumokuDialog second(2);
    named<QLineEdit>(&second, "RaceNameEdit")->setText(QString::fromUtf8("ﾃｽﾄ\xF0\x9F\x8F\x87"));
    named<QComboBox>(&second, "KyoriBox")->setCurrentIndex(0);
    click(&second, "TourokuBtn");
    QCOMPARE(msgs.lastText(), QString("ﾚｰｽ名に登録出来ない文字が含まれています。"));
    QCOMPARE(second.result(), int(QDialog::Rejected));
    QCOMPARE(day_->onDisk().races[2].koumoku, 0u);
  }

  void deleteAllAsksAndKeepsTheTickets() {
    MessageScript msgs;
    {
      msgs.answer({Answer::Cancel});
      KoumokuDialog dlg(7);
      click(&dlg, "SakujyoBtn");
      QCOMPARE(msgs.lastText(), QString("ﾚｰｽ項目を削除します。"));
      QVERIFY(msgs.lastIcon() == MsgIcon::Question);
      QCOMPARE(dlg.result(), int(QDialog::Rejected));
      QCOMPARE(day_->onDisk().races[7].koumoku, 31311124u);
    }
    KoumokuDialog dlg(7);
    click(&dlg, "SakujyoBtn");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    QCOMPARE(disk.races[7].koumoku, 0u);
    QCOMPARE(int(disk.races[7].kyori), 0);
    QCOMPARE(disk.kaisai.raceMei[7][0], '\0');
    QCOMPARE(int(disk.races[7].tanUma[0]), 2);
    QCOMPARE(int(disk.kaisai.raceJoutai[7]), 2);
  }

  void cancelChangesNothing() {
    const QByteArray meeting = day_->meetingFile(), races = day_->raceFile();
    KoumokuDialog dlg(7);
    group(&dlg, "RadioGroup1")->item(0)->click();
    named<QLineEdit>(&dlg, "RaceNameEdit")->setText("x");
    click(&dlg, "CancelBtn");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->onDisk().races[7].koumoku, 31311124u);
    QCOMPARE(day_->meetingFile(), meeting);
    QCOMPARE(day_->raceFile(), races);
  }

 private:
  using KoumokuDialog = RaceDialogOn<RaceItemsDialog>;
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(RaceKoumokuDialogTest)
#include "racekoumoku_dialog_test.moc"
