// The import dialogs and their wiring in the main window (JRAVAN1, NIFTY1, PAT1, N5):
// per dialog one accepted path and one refusal; what 登録 stores is what the core
// import stores (and so what tovra-cli stores, see import_cli_test).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "../core/support/import_builders.hpp"
#include "common/scripted_port.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "features/years/years.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/import/ImportFoldersDialog.h"
#include "ui/import/JravanImportDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/widgets/RadioGroupBox.h"

using namespace tovra;
using namespace tovra::test;
using namespace tovra::importtest;

namespace {

QByteArray bytes(const std::vector<std::uint8_t>& v) {
  return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

// The ledger with the day of the Japan Cup shown (東京 2018, 11月25日 5回8日目) and a
// quinella ticket on 1-8 in 11R.
void jcLedger(TempLedger& ledger) {
  ledger.registerYears({2018});
  ledger.writeMeetings(2018, 4, {TempLedger::day(11, 25, 5, 8)});
  RaceRecord r;
  r.umaKumi[0] = 108;
  r.umaGaku[0] = 1000;
  QByteArray block(int(kRaceBlockSize) * 2, '\0');
  r.encode(reinterpret_cast<std::uint8_t*>(block.data()) + 10 * RaceRecord::kSize);
  ledger.writeFile("tovradatafile/tok/2018rto.dat", block);
  SettingsRecord s = SettingsRecord::defaults();
  s.startCourse = 4;
  ledger.writeSettings(s);
}

QByteArray raceFile(TempLedger& l) { return l.readFile("tovradatafile/tok/2018rto.dat"); }
QByteArray meetingFile(TempLedger& l) { return l.readFile("tovradatafile/tok/2018tok.dat"); }

// What the core import stores, run over a copy of the ledger as it was before.
template <class Run>
std::pair<QByteArray, QByteArray> coreStores(const QString& copyOf, Run run) {
  QTemporaryDir dir;
  std::filesystem::copy(copyOf.toStdString(), dir.path().toStdString(), std::filesystem::copy_options::recursive);
  LedgerCursor ds(dir.path().toStdString());
  auto day = beginImport(ds.ledger(), DayKey{"2018", 4, 0});
  if (!day) return {};
  ScriptedPort port;
  run(ds.ledger(), *day, port);
  storeImport(ds.ledger(), LedgerEvents{}, *day);
  QFile m(dir.filePath("tovradatafile/tok/2018tok.dat")), r(dir.filePath("tovradatafile/tok/2018rto.dat"));
  m.open(QIODevice::ReadOnly);
  r.open(QIODevice::ReadOnly);
  return {m.readAll(), r.readAll()};
}

}  // namespace

class ImportDialogsTest : public QObject {
  Q_OBJECT
 private slots:

  void folderSettingsStoreWithSeparators() {
    TempLedger ledger;
    jcLedger(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    onNextModal([](QWidget* d) {
      QCOMPARE(d->windowTitle(), QString("読み込み機能設定"));
      QCOMPARE(named<QTabWidget>(d, "Page1")->currentIndex(), 0);
      QCOMPARE(named<RadioGroupBox>(d, "RadioGroup")->itemIndex(), 0);
      named<QLineEdit>(d, "ShuEdit")->setText("/jv/出馬表");
      named<QLineEdit>(d, "SeiEdit")->setText("/jv/sei/");
      named<QLineEdit>(d, "PatEdit")->setText("C:\\PAT");
      named<RadioGroupBox>(d, "RadioGroup")->setItemIndex(3);
      shoot(d, "forudaSettei");
      named<QPushButton>(d, "SetteiBtn")->click();
    });
    named<QAction>(&form, "N5")->trigger();
    const QByteArray j = ledger.readFile("janipa.dat");
    QCOMPARE(j.size(), 4100);
    QCOMPARE(QByteArray(j.constData()), QByteArray::fromStdString(sj("/jv/出馬表/")));
    QCOMPARE(QByteArray(j.constData() + 1024), QByteArray("/jv/sei/"));
    QCOMPARE(QByteArray(j.constData() + 2048), QByteArray(""));
    QCOMPARE(QByteArray(j.constData() + 3072), QByteArray("C:\\PAT/"));
    QCOMPARE(int(j[4096]), 3);
    QCOMPARE(appState().folders.patKind, 3);
  }

  void folderSettingsRefuseWhatCannotBeStored() {
    TempLedger ledger;
    jcLedger(ledger);
    MessageScript script;
    ImportFolders f;
    ImportFoldersDialog d(f, appState().ds, userPort());
    named<QLineEdit>(&d, "NifEdit")->setText(QString::fromUtf8("/nif/\xF0\x9F\x90\x8E"));
    named<QPushButton>(&d, "SetteiBtn")->click();
    QCOMPARE(script.lastText(), QString(msg::kFolderChars));
    QCOMPARE(d.result(), 0);  // still open
    QVERIFY(!ledger.exists("janipa.dat"));
    named<QPushButton>(&d, "CancelBtn")->click();
    QVERIFY(!ledger.exists("janipa.dat"));
  }

  void jravanFileThroughTheDialogsStoresWhatTheCoreStores() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("jc.dat", bytes(jvNewResultJapanCup().bytes()));
    const auto expected = coreStores(ledger.path(), [](const Ledger& l, ImportCopy& d, ScriptedPort& port) {
      runJravanImport(l, port, ImportFolders{}, d, JravanRequest{{JravanKind::Result, true}, false, "jc.dat"});
    });
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QString races;
    onNextModal([&](QWidget* d) {
      QCOMPARE(d->windowTitle(), QString("JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み"));
      QCOMPARE(named<QLabel>(d, "YomikomiLabel")->text(), QString("11月25日 5回  8日目  東京競馬場"));
      QVERIFY(named<QCheckBox>(d, "CheckBox")->isChecked());
      named<RadioGroupBox>(d, "RadioGroup")->item(1)->click();
      named<QLineEdit>(d, "FileEdit")->setText(ledger.file("jc.dat"));
      shoot(d, "jravanYomikomi");
      onNextModal([&](QWidget* keka) {
        QCOMPARE(keka->windowTitle(), QString("JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了"));
        races = named<QLabel>(keka, "RacePanel")->text();
        shoot(keka, "jravanYomikomiKeka");
        named<QPushButton>(keka, "TourokuBtn")->click();
      });
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QToolButton>(&form, "ToolBtn2")->click();
    QCOMPARE(races, QString(" 11R"));
    QCOMPARE(meetingFile(ledger), expected.first);
    QCOMPARE(raceFile(ledger), expected.second);
    QCOMPARE(named<QLabel>(&form, "RacePanel11")->text(), QString("ジャパンカップ"));
  }

  void jravanMissingFileGivesItsMessageAndNoConfirmation() {
    TempLedger ledger;
    jcLedger(ledger);
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    onNextModal([&](QWidget* d) { typeAndClick(d, "FileEdit", "none.dat", "YomikomiBtn"); });
    named<QAction>(&form, "JRAVAN1")->trigger();
    QCOMPARE(script.lastText(), QString(msg::kJravanNotFound));
    QCOMPARE(raceFile(ledger), before);
  }

  void niftyAutomaticSearchAndCancelInTheConfirmationWritesNothing() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("nif/b.txt", bytes(niftyFile({niftyJapanCup()})));
    appState().folders.folder[kFolderNifty] = "nif/";
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    appState().folders.folder[kFolderNifty] = "nif/";
    QString ok, no;
    onNextModal([&](QWidget* d) {
      QCOMPARE(d->windowTitle(), QString("Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み"));
      QCOMPARE(named<QLabel>(d, "ForudaPanel")->text(), QString("nif/"));
      onNextModal([&](QWidget* keka) {
        ok = named<QLabel>(keka, "OkPanel")->text();
        no = named<QLabel>(keka, "NoPanel")->text();
        shoot(keka, "niftyYomikomiKeka");
        named<QPushButton>(keka, "CancelBtn")->click();
      });
      named<QPushButton>(d, "ZidouBtn")->click();
    });
    named<QToolButton>(&form, "ToolBtn3")->click();
    QCOMPARE(ok, QString(" 11R"));
    QCOMPARE(no, QString(""));
    QCOMPARE(raceFile(ledger), before);
    QCOMPARE(form.selection().day.races[10].umaKeka[0], 0);  // read back
  }

  void niftyNamedFileStoresWhatTheCoreStores() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("b.txt", bytes(niftyFile({niftyJapanCup()})));
    const auto expected = coreStores(ledger.path(), [](const Ledger& l, ImportCopy& d, ScriptedPort& port) {
      runNiftyImport(l, port, ImportFolders{}, d, NiftyRequest{false, "b.txt"});
    });
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    onNextModal([&](QWidget* d) {
      onNextModal([](QWidget* keka) { named<QPushButton>(keka, "TourokuBtn")->click(); });
      typeAndClick(d, "FileEdit", ledger.file("b.txt"), "YomikomiBtn");
    });
    named<QAction>(&form, "NIFTY1")->trigger();
    QCOMPARE(raceFile(ledger), expected.second);
    QCOMPARE(meetingFile(ledger), expected.first);
  }

  void patThroughTheDialogsStoresWhatTheCoreStores() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("pat/pat98.exe", "MZ");
    ledger.writeFile("pat/Ks-11.dat", bytes(patResultJapanCup(3)));
    ledger.writeFile("pat/De-11.dat", bytes(patEntriesJapanCup()));
    ImportFolders folders;
    folders.folder[kFolderPat] = "pat/";
    folders.patKind = 3;
    const auto expected = coreStores(ledger.path(), [&](const Ledger& l, ImportCopy& d, ScriptedPort& port) {
      runPatImport(l, port, folders, d, PatRequest{false, true, true});
    });
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    appState().folders = folders;
    PatTexts seen;
    onNextModal([&](QWidget* d) {
      QCOMPARE(d->windowTitle(), QString("PATﾃﾞｰﾀ読み込み"));
      QCOMPARE(named<QLabel>(d, "ShuLabel")->text(), QString("PAT for Win98/95"));
      for (const char* c : {"CheckBox1", "CheckBox2", "CheckBox3"}) QVERIFY(named<QCheckBox>(d, c)->isChecked());
      named<QCheckBox>(d, "CheckBox1")->setChecked(false);
      shoot(d, "patYomikomi");
      onNextModal([&](QWidget* keka) {
        seen.purchases = named<QLabel>(keka, "KouPanel")->text().toStdString();
        seen.results = named<QLabel>(keka, "KyoPanel")->text().toStdString();
        seen.entries = named<QLabel>(keka, "ShuPanel")->text().toStdString();
        shoot(keka, "patYomikomiKeka");
        named<QPushButton>(keka, "TourokuBtn")->click();
      });
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QToolButton>(&form, "ToolBtn4")->click();
    QCOMPARE(QString::fromStdString(seen.purchases), QString(""));
    QCOMPARE(QString::fromStdString(seen.results), QString(" 11R"));
    QCOMPARE(QString::fromStdString(seen.entries), QString(" 11R"));
    QCOMPARE(raceFile(ledger), expected.second);
    QCOMPARE(meetingFile(ledger), expected.first);
  }

  void patWithoutItsProgramEndsWithTheMessage() {
    TempLedger ledger;
    jcLedger(ledger);
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    appState().folders.patKind = 1;
    appState().folders.folder[kFolderPat] = "pat/";
    onNextModal([](QWidget* d) { named<QPushButton>(d, "YomikomiBtn")->click(); });
    named<QAction>(&form, "PAT1")->trigger();
    QCOMPARE(script.lastText(), QString(msg::kPatNotInstalled[1]));
    QCOMPARE(raceFile(ledger), before);
  }

  // 参照 opens the program's file chooser; what is chosen there lands in the dialog.
  void jravanSanshoPicksTheFileAndTheConfirmationNamesIt() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("jv/20181125.dat", bytes(jvNewResultJapanCup().bytes()));
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QString picked, source, races;
    onNextModal([&](QWidget* d) {
      named<RadioGroupBox>(d, "RadioGroup")->item(1)->click();
      onNextModal([&](QWidget* chooser) {
        auto* fd = qobject_cast<QFileDialog*>(chooser);
        QVERIFY(fd);
        QCOMPARE(fd->objectName(), QString("SanshoDialog"));
        fd->selectFile(ledger.file("jv/20181125.dat"));
        static_cast<QDialog*>(fd)->accept();  // as the dialog's own button does
      });
      named<QPushButton>(d, "SanshoBtn")->click();
      picked = named<QLineEdit>(d, "FileEdit")->text();
      onNextModal([&](QWidget* keka) {
        source = named<QLabel>(keka, "FilePanel")->text();
        races = named<QLabel>(keka, "RacePanel")->text();
        shoot(keka, "jravanYomikomiKekaSource");
        named<QPushButton>(keka, "CancelBtn")->click();
      });
      shoot(d, "jravanYomikomiSansho");
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QAction>(&form, "JRAVAN1")->trigger();
    QCOMPARE(picked, QDir::toNativeSeparators(ledger.file("jv/20181125.dat")));
    QCOMPARE(source, QString("jv/20181125.dat  2018年11月25日"));
    QCOMPARE(races, QString(" 11R"));
  }

  void jravanAutomaticSearchWithoutAFolderSaysSo() {
    TempLedger ledger;
    jcLedger(ledger);
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    onNextModal([](QWidget* d) { named<QPushButton>(d, "ZidouBtn")->click(); });
    named<QAction>(&form, "JRAVAN1")->trigger();
    QCOMPARE(script.lastText(), QString(msg::kJravanNoFolder));
    QCOMPARE(raceFile(ledger), before);
  }

  void niftySanshoCancelledKeepsTheNameAndAnEmptyFileIsRefused() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("empty.txt", QByteArray());
    const QByteArray before = raceFile(ledger);
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    QString kept;
    bool confirmation = false;
    onNextModal([&](QWidget* d) {
      named<QLineEdit>(d, "FileEdit")->setText(ledger.file("empty.txt"));
      onNextModal([](QWidget* chooser) { qobject_cast<QDialog*>(chooser)->reject(); });
      named<QPushButton>(d, "SanshoBtn")->click();
      kept = named<QLineEdit>(d, "FileEdit")->text();
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QAction>(&form, "NIFTY1")->trigger();
    confirmation = QApplication::activeModalWidget() != nullptr;
    QCOMPARE(kept, ledger.file("empty.txt"));
    QVERIFY(!confirmation);
    QCOMPARE(script.lastText(), QString(msg::kNiftyNothingRead));
    QCOMPARE(raceFile(ledger), before);
  }

  void patSanshoChoosesTheFolderForThisImportAndNoFolderIsRefused() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("pat2/pat98.exe", "MZ");
    ledger.writeFile("pat2/Ks-11.dat", bytes(patResultJapanCup(3)));
    MessageScript script;
    MainWindow form(appState(), 0);
    QVERIFY(form.startUp());
    appState().folders = ImportFolders{};
    appState().folders.patKind = 3;
    // No folder set: said so, nothing read.
    onNextModal([](QWidget* d) { named<QPushButton>(d, "YomikomiBtn")->click(); });
    named<QAction>(&form, "PAT1")->trigger();
    QCOMPARE(script.lastText(), QString(msg::kPatNoFolder));
    QString results;
    onNextModal([&](QWidget* d) {
      onNextModal([&](QWidget* chooser) {
        auto* fd = qobject_cast<QFileDialog*>(chooser);
        QVERIFY(fd);
        fd->setDirectory(ledger.file("pat2"));
        fd->selectFile(ledger.file("pat2"));
        static_cast<QDialog*>(fd)->accept();  // as the dialog's own button does
      });
      named<QPushButton>(d, "SanshoBtn")->click();
      QCOMPARE(named<QLabel>(d, "ForudaPanel")->text(), QDir::toNativeSeparators(ledger.file("pat2")));
      named<QCheckBox>(d, "CheckBox1")->setChecked(false);
      named<QCheckBox>(d, "CheckBox3")->setChecked(false);
      onNextModal([&](QWidget* keka) {
        results = named<QLabel>(keka, "KyoPanel")->text();
        named<QPushButton>(keka, "CancelBtn")->click();
      });
      named<QPushButton>(d, "YomikomiBtn")->click();
    });
    named<QAction>(&form, "PAT1")->trigger();
    QCOMPARE(results, QString(" 11R"));
    QVERIFY(appState().folders.folder[kFolderPat].empty());  // the settings keep theirs
  }

  void folderSettingsSanshoFillsTheEdit() {
    TempLedger ledger;
    jcLedger(ledger);
    ledger.writeFile("nifdata/a.txt", "x");
    MessageScript script;
    ImportFolders f;
    ImportFoldersDialog d(f, appState().ds, userPort());
    d.show();
    onNextModal([&](QWidget* chooser) {
      auto* fd = qobject_cast<QFileDialog*>(chooser);
      QVERIFY(fd);
      fd->setDirectory(ledger.file("nifdata"));
      fd->selectFile(ledger.file("nifdata"));
      static_cast<QDialog*>(fd)->accept();  // as the dialog's own button does
    });
    named<QPushButton>(&d, "SanshoBtn3")->click();
    QCOMPARE(named<QLineEdit>(&d, "NifEdit")->text(), QDir::toNativeSeparators(ledger.file("nifdata")));
    onNextModal([](QWidget* chooser) { qobject_cast<QDialog*>(chooser)->reject(); });
    named<QPushButton>(&d, "SanshoBtn1")->click();
    QCOMPARE(named<QLineEdit>(&d, "ShuEdit")->text(), QString(""));
    named<QPushButton>(&d, "SetteiBtn")->click();
    QCOMPARE(QByteArray(ledger.readFile("janipa.dat").constData() + 2048),
             QDir::toNativeSeparators(ledger.file("nifdata")).toUtf8() + "/");
  }
};

QTEST_MAIN(ImportDialogsTest)
#include "import_dialogs_test.moc"
