// The track-condition dialog: only races with items take a going, the four bulk
// buttons, 修正 writing the race block only, ｷｬﾝｾﾙ writing nothing.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "support/EntryDay.h"
#include "support/RaceDialogOn.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/entry/GoingDialog.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;

namespace {
RadioGroupBox* group(QWidget* dlg, int race) { return named<RadioGroupBox>(dlg, QStringLiteral("Group%1").arg(race)); }
}  // namespace

class BabaShuseiDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    RaceBlock races{};
    for (int r = 0; r < 6; ++r) {
      races[std::size_t(r)].koumoku = 20221111 + std::uint32_t(r % 4);
      races[std::size_t(r)].kyori = 1200;
    }
    races[9].kyori = 1000;  // data without items
    day_ = std::make_unique<EntryDay>(races);
  }
  void cleanup() { day_.reset(); }

  void opening() {
    GoingDialog dlg(appState().ds, entryDayKey(), entryDayCopy());
    QCOMPARE(dlg.windowTitle(), QString("ﾚｰｽﾃﾞｰﾀ ： 馬場状態修正"));
    QCOMPARE(named<QLabel>(&dlg, "DayLabel")->text(), QString("12月 3日 3回  8日目  東京競馬場"));
    for (int r = 1; r <= 6; ++r) {
      QVERIFY(group(&dlg, r)->isEnabled());
      QCOMPARE(group(&dlg, r)->itemIndex(), (r - 1) % 4);
      QCOMPARE(group(&dlg, r)->title(), QStringLiteral("%1R").arg(r));
    }
    for (int r = 7; r <= 12; ++r) {
      QVERIFY(!group(&dlg, r)->isEnabled());
      QCOMPARE(group(&dlg, r)->itemIndex(), -1);
    }
    for (const char* b : {"RyouBtn", "YayaBtn", "OmoBtn", "FuryoBtn", "ShuseiBtn", "CancelBtn"})
      named<QPushButton>(&dlg, b);
    dlg.show();
    shoot(&dlg, "babaShusei");
  }

  void allHeavyThenOneRaceSoftWritesTheRacesOnly() {
    const QByteArray meeting = day_->meetingFile();
    GoingDialog dlg(appState().ds, entryDayKey(), entryDayCopy());
    named<QPushButton>(&dlg, "OmoBtn")->click();
    for (int r = 1; r <= 6; ++r) QCOMPARE(group(&dlg, r)->itemIndex(), 2);
    QCOMPARE(group(&dlg, 8)->itemIndex(), -1);
    group(&dlg, 3)->item(3)->click();
    named<QPushButton>(&dlg, "ShuseiBtn")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const auto disk = day_->onDisk();
    for (int r = 0; r < 6; ++r) QCOMPARE(disk.races[std::size_t(r)].koumoku, r == 2 ? 20221114u : 20221113u);
    for (int r = 6; r < 12; ++r) QCOMPARE(disk.races[std::size_t(r)].koumoku, 0u);
    QCOMPARE(int(disk.races[9].kyori), 1000);
    QCOMPARE(day_->meetingFile(), meeting);
    QCOMPARE(dlg.editedRaces()[2].koumoku, 20221114u);
  }

  void cancelWritesNothing() {
    const QByteArray races = day_->raceFile();
    GoingDialog dlg(appState().ds, entryDayKey(), entryDayCopy());
    named<QPushButton>(&dlg, "RyouBtn")->click();
    named<QPushButton>(&dlg, "CancelBtn")->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(day_->raceFile(), races);
  }

 private:
  std::unique_ptr<EntryDay> day_;
};

QTEST_MAIN(BabaShuseiDialogTest)
#include "babashusei_dialog_test.moc"
