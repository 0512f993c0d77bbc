// The comment dialog: stored with CR LF line breaks, a comment alone makes the race
// hold data, input is cut at what the field holds, ｷｬﾝｾﾙ keeps the stored comment.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "storage/text.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/RaceDialogOn.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/CommentDialog.h"

using namespace tovra;
using namespace tovra::test;

class RaceComentoDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    RaceBlock races{};
    std::strcpy(races[3].comento, "old");
    day_ = std::make_unique<EntryDay>(races);
  }
  void cleanup() { day_.reset(); }

  void aCommentOnAnEmptyRace() {
    ComentoDialog dlg(10);
    QCOMPARE(dlg.windowTitle(), QString("ﾚｰｽﾃﾞｰﾀ：ｺﾒﾝﾄ登録"));
    QCOMPARE(named<QLabel>(&dlg, "DayLabel")->text(), QString("12月 3日 3回  8日目  東京競馬場   11R"));
    QCOMPARE(named<QLabel>(&dlg, "Label1")->text(), QString("ｺﾒﾝﾄは全角で 60文字まで..."));
    auto* memo = named<QPlainTextEdit>(&dlg, "Memo");
    typeText(memo, QString::fromUtf8("出遅れ"));
    QTest::keyClick(memo, Qt::Key_Return);
    typeText(memo, QString::fromUtf8("直線で不利"));
    dlg.show();
    shoot(&dlg, "raceComento");
    named<QPushButton>(&dlg, "TourokuBtn")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    QCOMPARE(fixedText(disk.races[10].comento), sj("出遅れ\r\n直線で不利"));
    QCOMPARE(int(disk.kaisai.raceJoutai[10]), 1);
  }

  void inputIsCutAtOneHundredTwentyBytes() {
    ComentoDialog dlg(0);
    auto* memo = named<QPlainTextEdit>(&dlg, "Memo");
    typeText(memo, QString(61, QChar(0x99AC)));  // 馬 x 61
    QCOMPARE(memo->toPlainText(), QString(60, QChar(0x99AC)));
    named<QPushButton>(&dlg, "TourokuBtn")->click();
    QCOMPARE(fixedText(day_->onDisk().races[0].comento).size(), std::size_t(120));
  }

  void aCharacterWithoutShiftJisIsRefused() {
    MessageScript msgs;
    ComentoDialog dlg(0);
    named<QPlainTextEdit>(&dlg, "Memo")->setPlainText(QString::fromUtf8("\xF0\x9F\x98\x80"));
    named<QPushButton>(&dlg, "TourokuBtn")->click();
    QCOMPARE(msgs.lastText(), QString("ｺﾒﾝﾄに登録出来ない文字が含まれています。"));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->onDisk().races[0].comento[0], '\0');
  }

  void cancelKeepsTheStoredComment() {
    const QByteArray before = day_->raceFile();
    ComentoDialog dlg(3);
    auto* memo = named<QPlainTextEdit>(&dlg, "Memo");
    QCOMPARE(memo->toPlainText(), QString("old"));
    QTest::keyClicks(memo, "er");
    named<QPushButton>(&dlg, "CancelBtn")->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(QByteArray(day_->onDisk().races[3].comento), QByteArray("old"));
    QCOMPARE(day_->raceFile(), before);
  }

 private:
  using ComentoDialog = RaceDialogOn<CommentDialog>;
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(RaceComentoDialogTest)
#include "racecomento_dialog_test.moc"
