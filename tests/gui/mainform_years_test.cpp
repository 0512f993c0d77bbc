// Years in the main window: the year box change with its question, and the year
// processing dialog registering and deleting years.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "storage/paths.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/main/MainWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

QString text(QObject* form, const QString& name) { return named<QLabel>(form, name)->text(); }

QStringList items(QComboBox* c) {
  QStringList l;
  for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
  return l;
}

std::vector<int> table() {
  std::vector<int> t;
  for (int i = 0; i < 21; ++i) t.push_back(appState().ds.nenji.nen[i]);
  return t;
}

}  // namespace

class MainFormYearsTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2001, 2000});
    ledger_->writeMeetings(2001, 4, {TempLedger::day(10, 28, 4, 1), TempLedger::day(10, 29, 4, 2)});
    ledger_->writeMeetings(2000, 4, {TempLedger::day(5, 7, 2, 6)});
    SettingsRecord s = SettingsRecord::defaults();
    s.startCourse = 4;
    ledger_->writeSettings(s);
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
    combo_ = named<QComboBox>(form_.get(), "ComboBox");
  }
  void cleanup() {
    form_.reset();
    ledger_.reset();
  }

  void cancellingTheYearChangePutsTheYearBack() {
    MessageScript msgs;
    msgs.answer({Answer::Cancel});
    combo_->setCurrentIndex(1);
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(msgs.lastText(), QString("年次を変更します。\n\n2001年 → 2000年"));
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QVERIFY(msgs.shown().back().icon == MsgIcon::Information);
    QVERIFY(msgs.shown().back().buttons == MsgButtons::OkCancel);
    QCOMPARE(combo_->currentText(), QString(" 2001年"));
    QCOMPARE(appState().ds.year, std::string("2001"));
    QCOMPARE(text(form_.get(), "KaisaiPanel"), QString(" 10月28日 4回 1日目  "));
  }

  void changingTheYearKeepsTheCourseAndShowsItsFirstDay() {
    MessageScript msgs;
    named<QScrollBar>(form_.get(), "ScrollBar")->setValue(1);
    combo_->setCurrentIndex(1);  // answered OK
    QCOMPARE(msgs.count(), 1);
    QCOMPARE(appState().ds.year, std::string("2000"));
    QCOMPARE(form_->selection().course, 4);
    QCOMPARE(combo_->currentText(), QString(" 2000年"));
    QCOMPARE(text(form_.get(), "JyoLabel"), QString("東京競馬場"));
    QCOMPARE(text(form_.get(), "KaisaiPanel"), QString("  5月 7日 2回 6日目  "));
    QCOMPARE(named<QScrollBar>(form_.get(), "ScrollBar")->maximum(), 0);
  }

  void theCurrentYearAsksNothing() {
    MessageScript msgs;
    form_->selectYear(0);
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(appState().ds.year, std::string("2001"));
  }

  void registeringAnOlderYearSwitchesToIt() {
    MessageScript msgs;
    bool refused = false;
    QString noticeSeen;
    onNextModal([&](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("年次処理"));
      auto* box = named<QListWidget>(dlg, "NenBox");
      QCOMPARE(box->count(), 2);
      QCOMPARE(box->item(0)->text(), QString("  2001年"));
      typeAndClick(dlg, "NenEdit", "01", "TourokuBtn");
      refused = msgs.lastText() == "西暦4桁で入力して下さい。" && dlg->isVisible();
      typeAndClick(dlg, "NenEdit", "2000", "TourokuBtn");
      refused = refused && msgs.lastText() == "既に登録されている年次は登録出来ません。" && dlg->isVisible();
      // When the notice comes the dialog has closed and the window shows the new year.
      // The notice may come once the dialog has returned: the dialog is held by value.
      msgs.onMessage([&, dlg](const MessageScript::Shown& m) {
        noticeSeen = QString::fromStdString(m.text) + (dlg->isVisible() ? " over the dialog" : "") + " with" +
                     combo_->currentText() + " " + text(form_.get(), "JyoLabel");
      });
      typeAndClick(dlg, "NenEdit", "1999", "TourokuBtn");
    });
    form_->openYearDialog();
    QVERIFY(refused);
    QCOMPARE(noticeSeen, QString("年次 1999年を登録しました。 with 1999年 札幌競馬場"));
    QCOMPARE(msgs.lastTitle(), QString("年次登録終了"));
    QCOMPARE(msgs.lastText(), QString("年次 1999年を登録しました。"));
    QCOMPARE(table()[0], 2001);
    QCOMPARE(table()[1], 2000);
    QCOMPARE(table()[2], 1999);
    QCOMPARE(table()[3], 0);
    QCOMPARE(appState().ds.year, std::string("1999"));
    QCOMPARE(form_->selection().course, 0);
    QCOMPARE(items(combo_), QStringList({" 2001年", " 2000年", " 1999年"}));
    QCOMPARE(combo_->currentText(), QString(" 1999年"));
    QCOMPARE(text(form_.get(), "JyoLabel"), QString("札幌競馬場"));
    QCOMPARE(text(form_.get(), "KaisaiPanel"), QString(" ------------------"));
    QVERIFY(ledger_->exists(QString::fromStdString(meetingFilePath("1999", 9))));
  }

  void deletingYears() {
    MessageScript msgs;
    QString noticeSeen;
    onNextModal([&](QWidget* dlg) {
      auto* box = named<QListWidget>(dlg, "NenBox");
      named<QPushButton>(dlg, "WideSakujyoBtn")->click();
      QCOMPARE(msgs.lastText(), QString("削除する年次を選択して下さい。"));
      box->setCurrentRow(0);  // the current year
      named<QPushButton>(dlg, "WideSakujyoBtn")->click();
      QCOMPARE(msgs.lastText(), QString("現在処理中の年次は削除出来ません。"));
      msgs.answer({Answer::Cancel});
      box->setCurrentRow(1);
      named<QPushButton>(dlg, "WideSakujyoBtn")->click();
      QVERIFY(msgs.lastText().startsWith("//////////////////// 注意 ////"));
      QVERIFY(dlg->isVisible());
      QVERIFY(ledger_->exists(QString::fromStdString(meetingFilePath("2000", 4))));
      // The notice may come once the dialog has returned: the dialog is held by value.
      msgs.onMessage([&, dlg](const MessageScript::Shown& m) {
        if (m.title == "年次削除終了")
          noticeSeen = QString::fromStdString(m.text) + (dlg->isVisible() ? " over the dialog" : "") + " with " +
                       QString::number(combo_->count()) + " years";
      });
      named<QPushButton>(dlg, "WideSakujyoBtn")->click();  // answered OK
    });
    form_->openYearDialog();
    QCOMPARE(noticeSeen, QString("年次 2000年を削除しました。 with 1 years"));
    QCOMPARE(msgs.lastTitle(), QString("年次削除終了"));
    QCOMPARE(msgs.lastText(), QString("年次 2000年を削除しました。"));
    QCOMPARE(table()[0], 2001);
    QCOMPARE(table()[1], 0);
    for (int c = 0; c < kCourseCount; ++c) {
      QVERIFY(!ledger_->exists(QString::fromStdString(meetingFilePath("2000", c))));
      QVERIFY(!ledger_->exists(QString::fromStdString(raceFilePath("2000", c))));
    }
    QCOMPARE(items(combo_), QStringList({" 2001年"}));
    QCOMPARE(appState().ds.year, std::string("2001"));
    QCOMPARE(form_->selection().course, 4);
    QCOMPARE(text(form_.get(), "KaisaiPanel"), QString(" 10月28日 4回 1日目  "));
  }

  void yearFieldTakesOnlyFourDigits() {
    MessageScript msgs;
    onNextModal([&](QWidget* dlg) {
      auto* edit = named<QLineEdit>(dlg, "NenEdit");
      QTest::keyClicks(edit, "19a9-x");
      QCOMPARE(edit->text(), QString("199"));
      QCOMPARE(msgs.beeps(), 3);
      QTest::keyClick(edit, Qt::Key_Backspace);
      QCOMPARE(edit->text(), QString("19"));
      edit->insert("8x");  // pasted text goes through the same rule
      QCOMPARE(edit->text(), QString("19"));
      QTest::keyClicks(edit, "9876");
      QCOMPARE(edit->text(), QString("1998"));
      named<QPushButton>(dlg, "CancelBtn")->click();
    });
    form_->openYearDialog();
  }

  void cancelChangesNothing() {
    MessageScript msgs;
    const QByteArray before = ledger_->readFile("main.dat");
    onNextModal([&](QWidget* dlg) { named<QPushButton>(dlg, "CancelBtn")->click(); });
    form_->openYearDialog();
    QCOMPARE(ledger_->readFile("main.dat"), before);
    QCOMPARE(msgs.count(), 0);
    QCOMPARE(items(combo_), QStringList({" 2001年", " 2000年"}));
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MainWindow> form_;
  QComboBox* combo_ = nullptr;
};

QTEST_MAIN(MainFormYearsTest)
#include "mainform_years_test.moc"
