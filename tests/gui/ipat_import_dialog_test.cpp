// IpatImportDialog's wiring: a file read fills the preview and 登録 accepts; a file
// refused shows its message and 登録 stays disabled. What the import does is the core
// tests' (import_ipat_test, import_ipat_csv_test).
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "../core/support/ipat_csv_builder.hpp"
#include "common/scripted_port.hpp"
#include "ui/import/IpatImportDialog.h"

using namespace tovra;

namespace {

// A reader over the example day: every line taken; the file "bad.csv" is refused.
IpatImportDialog::Reader exampleReader(std::vector<bool>* registerAsked) {
  IpatImportDialog::Reader r;
  r.load = [](const std::filesystem::path& p) -> Result<IpatFile> {
    if (p.filename() == "bad.csv") return Refusal{MsgIcon::Error, "bad.csv の 1行目：\n見出しの行がありません。"};
    return readIpatCsv(ipattest::niigataExample(), p.string());
  };
  r.preview = [registerAsked](const IpatFile& f, bool registerDays) -> Result<IpatPreview> {
    registerAsked->push_back(registerDays);
    IpatPreview p;
    p.lines.resize(f.lines.size());
    p.taken = static_cast<int>(f.lines.size());
    p.takenCost = f.totalCost;
    p.notices.push_back("新潟 2022年7月30日 を 2回 5日目 として開催登録します。");
    return p;
  };
  return r;
}

}  // namespace

class IpatImportDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void aFileReadIsPreviewedAndRegistered() {
    ScriptedPort port;
    std::vector<bool> asked;
    IpatImportDialog dlg(exampleReader(&asked), port, "/tmp");
    auto* touroku = dlg.findChild<QPushButton*>("TourokuBtn");
    QVERIFY(touroku && !touroku->isEnabled());
    dlg.findChild<QLineEdit*>("FileEdit")->setText("/tmp/20220730.csv");
    QTest::mouseClick(dlg.findChild<QPushButton*>("YomikomiBtn"), Qt::LeftButton);
    auto* table = dlg.findChild<QTableWidget*>("PreviewTable");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 4)->text(), QString::fromUtf8("08―16"));
    QCOMPARE(table->item(0, 6)->text(), QString::fromUtf8("500円"));
    QCOMPARE(dlg.findChild<QLabel*>("TotalLabel")->text(), QString::fromUtf8("読み込む馬券  2行  600円"));
    dlg.findChild<QCheckBox*>("RegisterCheck")->setChecked(true);
    QCOMPARE(asked, (std::vector<bool>{false, true}));
    QVERIFY(touroku->isEnabled());
    QTest::mouseClick(touroku, Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.file().has_value());
    QVERIFY(dlg.registerDays());
    QVERIFY(port.messages.empty());
  }

  // A WIN5 line is listed after the others with its date, numbers, points and state.
  void aWin5LineIsListedLast() {
    ScriptedPort port;
    IpatImportDialog::Reader r;
    r.load = [](const std::filesystem::path& p) -> Result<IpatFile> {
      return readIpatCsv(ipattest::csvBytes({"20220730,0001,02,新潟,土,11,ワイド,08―16,500,―,―,0",
                                             "20220730,0003,01,,,,WIN5,01；02／03／04／05／06,100／200,―,―,0"},
                                            700),
                         p.string());
    };
    r.preview = [](const IpatFile& f, bool) -> Result<IpatPreview> {
      IpatPreview p;
      p.lines.resize(f.lines.size());
      p.win5 = {{IpatLineState::Refused, "WIN5 の対象ﾚｰｽが未登録です。"}};
      p.taken = 1;
      p.takenCost = 500;
      return p;
    };
    IpatImportDialog dlg(std::move(r), port, "/tmp");
    dlg.findChild<QLineEdit*>("FileEdit")->setText("/tmp/20220730.csv");
    QTest::mouseClick(dlg.findChild<QPushButton*>("YomikomiBtn"), Qt::LeftButton);
    auto* table = dlg.findChild<QTableWidget*>("PreviewTable");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 0)->text(), QString("3"));
    QCOMPARE(table->item(1, 1)->text(), QString("7/30"));
    QCOMPARE(table->item(1, 2)->text(), QString("WIN5"));
    QCOMPARE(table->item(1, 4)->text(), QString("1,2/3/4/5/6"));
    QCOMPARE(table->item(1, 5)->text(), QString("2"));
    QCOMPARE(table->item(1, 7)->text(), QString::fromUtf8("読み込めません：WIN5 の対象ﾚｰｽが未登録です。"));
  }

  void aRefusedFileIsToldAndNothingCanBeRegistered() {
    ScriptedPort port;
    std::vector<bool> asked;
    IpatImportDialog dlg(exampleReader(&asked), port, "/tmp");
    dlg.findChild<QLineEdit*>("FileEdit")->setText("bad.csv");
    QTest::mouseClick(dlg.findChild<QPushButton*>("YomikomiBtn"), Qt::LeftButton);
    QCOMPARE(port.messages.size(), std::size_t{1});
    QCOMPARE(port.messages[0].title, std::string("確認"));
    QVERIFY(port.lastText().find("bad.csv の 1行目") != std::string::npos);
    QCOMPARE(dlg.findChild<QTableWidget*>("PreviewTable")->rowCount(), 0);
    QVERIFY(!dlg.findChild<QPushButton*>("TourokuBtn")->isEnabled());
    QVERIFY(!dlg.file().has_value());
    QVERIFY(asked.empty());
  }
};

QTEST_MAIN(IpatImportDialogTest)
#include "ipat_import_dialog_test.moc"
