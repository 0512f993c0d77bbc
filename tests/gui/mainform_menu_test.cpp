// The main window's frame: menus, tool bar, course buttons, closing with the settings
// file, the exit confirmation, help and version, and the fatal file error message.
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "storage/fatal_error.hpp"
#include "support/MessageScript.h"
#include "support/TempLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/common/FatalReport.h"
#include "ui/main/MainWindow.h"

using namespace tovra;
using namespace tovra::test;

namespace {

// Each menu with its entries in order; "-" is a separator of that name.
struct Expected {
  const char* menu;
  const char* caption;
  std::vector<std::pair<const char*, const char*>> entries;
};

const std::vector<Expected> kExpected = {
    {"Touroku",
     "登録 (&Q)",
     {{"W1", "開催ﾃﾞｰﾀ (&W)"},
      {"N6", "-"},
      {"JRAVAN1", "ﾚｰｽﾃﾞｰﾀﾌｧｲﾙ読み込み ： JRA-VANﾃﾞｰﾀﾌｧｲﾙ (&E)"},
      {"JvData1", "： JV-Dataﾌｧｲﾙ (&J)"},
      {"NIFTY1", "： NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ (&R)"},
      {"PAT1", "： PATﾃﾞｰﾀﾌｧｲﾙ (&T)"},
      {"IPAT1", "： 投票履歴(CSV)ﾌｧｲﾙ (&I)"},
      {"Win5Sep", "-"},
      {"Win5Item", "WIN5 (&5)"}}},
    {"N1",
     "修正 (&A)",
     {{"S1", "開催ﾃﾞｰﾀ修正 (&S)"}, {"D1", "馬場状態修正 (&D)"}, {"N11", "-"}, {"F1", "開催ﾃﾞｰﾀ削除 (&F)"}}},
    {"N2",
     "集計 (&Z)",
     {{"X1", "収支集計 (&X)"},
      {"C1", "項目集計 (&C)"},
      {"V1", "RANK集計 (&V)"},
      {"B1", "条件集計 (&B)"},
      {"N12", "-"},
      {"N13", "保存済集計結果処理 (&N)"},
      {"GraphSep", "-"},
      {"Graph1", "収支ｸﾞﾗﾌ (&G)"}}},
    {"Find1",
     "検索 (&Y)",
     {{"U1", "ﾚｰｽ名検索 (&U)"},
      {"I1", "重賞検索 ( &I )"},
      {"O1", "ﾚｰｽ結果配当検索 (&O)"},
      {"P1", "ﾚｰｽ結果馬名検索 (&P)"}}},
    {"N3",
     "設定 (&G)",
     {{"N5", "読み込み機能設定 (&J)"},
      {"N14", "-"},
      {"N15", "各種設定 (&K)"},
      {"ZenShikibetsuSep", "-"},
      {"ZenShikibetsuItem", "全式別で合計を表示 (&A)"}}},
    {"N4", "その他 (&K)", {{"Print1", "印刷 (&L)"}, {"N16", "-"}, {"M1", "年次処理 (&M)"}}},
    {"Help1", "ﾍﾙﾌﾟ (&H)", {{"Help2", "ﾍﾙﾌﾟ (&H)"}, {"N17", "-"}, {"About1", "ﾊﾞｰｼﾞｮﾝ情報 (&V)"}}},
};

const char* const kHints[16] = {
    "開催ﾃﾞｰﾀ登録",
    "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み",
    "NIFTY掲示板ﾃﾞｰﾀ読み込み",
    "PATﾃﾞｰﾀ読み込み",
    "馬場状態修正",
    "収支集計",
    "項目集計",
    "RANK集計",
    "条件集計",
    "ﾚｰｽ名検索",
    "重賞検索",
    "ﾚｰｽ結果配当検索",
    "ﾚｰｽ結果馬名検索",
    "印刷",
    "ﾍﾙﾌﾟ",
    "トヴラ終了",
};

}  // namespace

class MainFormMenuTest : public QObject {
  Q_OBJECT
 private slots:

  void init() {
    ledger_ = std::make_unique<TempLedger>();
    ledger_->registerYears({2001});
    ledger_->writeMeetings(2001, 0, {TempLedger::day(6, 30, 1, 1)});
    form_ = std::make_unique<MainWindow>(appState(), 0);
    QVERIFY(form_->startUp());
  }
  void cleanup() {
    form_.reset();
    ledger_.reset();
  }

  void menusHaveTheirEntriesInOrder() {
    QMenuBar* bar = named<QMenuBar>(form_.get(), "MainMenu1");
    QCOMPARE(bar->actions().size(), int(kExpected.size()));
    for (std::size_t m = 0; m < kExpected.size(); ++m) {
      const Expected& e = kExpected[m];
      QMenu* menu = named<QMenu>(form_.get(), e.menu);
      QCOMPARE(bar->actions()[int(m)], menu->menuAction());
      QCOMPARE(menu->title(), QString(e.caption));
      const QList<QAction*> acts = menu->actions();
      QCOMPARE(acts.size(), int(e.entries.size()));
      for (std::size_t i = 0; i < e.entries.size(); ++i) {
        QCOMPARE(acts[int(i)]->objectName(), QString(e.entries[i].first));
        if (QString(e.entries[i].second) == "-")
          QVERIFY(acts[int(i)]->isSeparator());
        else  // JvData1, NIFTY1, PAT1 and IPAT1 are indented under JRAVAN1
          QCOMPARE(acts[int(i)]->text().trimmed(), QString(e.entries[i].second));
      }
    }
    QVERIFY(named<QAction>(form_.get(), "NIFTY1")->text().startsWith("    "));
  }

  void everyBuiltFeatureIsEnabled() {
    for (const char* a : {"M1", "Help2", "About1", "D1", "Popm1", "Popm2", "Popm3", "Popm4", "W1", "S1",  "F1",    "U1",
                          "I1", "O1",    "P1",     "N5", "N15",   "X1",    "C1",    "V1",    "B1", "N13", "Graph1"})
      QVERIFY2(named<QAction>(form_.get(), a)->isEnabled(), a);
    for (const char* b :
         {"ToolBtn1", "ToolBtn10", "ToolBtn11", "ToolBtn12", "ToolBtn13", "ToolBtn15", "ToolBtn16", "KensakuBtn"})
      QVERIFY2(named<QToolButton>(form_.get(), b)->isEnabled(), b);
  }

  void toolBarAndCourseButtons() {
    for (int i = 0; i < 16; ++i) {
      auto* b = named<QToolButton>(form_.get(), QString("ToolBtn%1").arg(i + 1));
      QCOMPARE(b->toolTip(), QString(kHints[i]));
      QVERIFY(!b->icon().pixmap(20, 20).isNull());
    }
    const char* courses[10] = {"札幌", "函館", "福島", "新潟", "東京", "中山", "中京", "京都", "阪神", "小倉"};
    for (int c = 0; c < 10; ++c) {
      auto* b = named<QToolButton>(form_.get(), QString("KaiBtn%1").arg(c + 1));
      QCOMPARE(b->toolTip(), QString(courses[c]) + "競馬場開催ﾃﾞｰﾀ表示");
    }
    QCOMPARE(named<QToolButton>(form_.get(), "KensakuBtn")->toolTip(), QString("検索結果再表示"));
    QCOMPARE(named<QLabel>(form_.get(), "Label1")->text(), QString("開催ﾃﾞｰﾀ"));
    QCOMPARE(form_->windowTitle(), QString("競走収支帖 トヴラ"));
    QCOMPARE(form_->centralWidget()->size(), QSize(632, 434));
  }

  void closingWritesTheSettingsWithTheWindowRectangle() {
    form_->show();
    form_->move(50, 60);
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    appState().settings.colours[kColPlus] = colourFromRgb(9, 8, 7);
    const QRect g = form_->frameGeometry();
    QVERIFY(form_->close());
    const QByteArray file = ledger_->readFile("tovractm.dat");
    QCOMPARE(file.size(), 160);
    auto i32 = [&](int off) {
      return qint32(quint8(file[off]) | quint8(file[off + 1]) << 8 | quint8(file[off + 2]) << 16 |
                    quint32(quint8(file[off + 3])) << 24);
    };
    QCOMPARE(i32(64), g.left());
    QCOMPARE(i32(68), g.top());
    QCOMPARE(i32(72), g.left() + g.width());
    QCOMPARE(i32(76), g.top() + g.height());
    QCOMPARE(i32(4 + 6 * 4), colourFromRgb(9, 8, 7));
  }

  void endButtonAsksUnlessTheOptionSaysNot() {
    MessageScript msgs;
    form_->show();
    msgs.answer({Answer::Cancel});
    named<QToolButton>(form_.get(), "ToolBtn16")->click();
    QCOMPARE(msgs.lastText(), QString("競走収支帖 トヴラを終了します"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Warning);
    QVERIFY(form_->isVisible());
    QVERIFY(!ledger_->exists("tovractm.dat"));
    named<QToolButton>(form_.get(), "ToolBtn16")->click();  // OK
    QVERIFY(!form_->isVisible());
    QVERIFY(ledger_->exists("tovractm.dat"));

    msgs.clear();
    form_->show();
    appState().settings.optionDigits = 121;
    named<QToolButton>(form_.get(), "ToolBtn16")->click();
    QCOMPARE(msgs.count(), 0);
    QVERIFY(!form_->isVisible());
  }

  void helpOpensTheManualAtItsContents() {
    named<QToolButton>(form_.get(), "ToolBtn15")->click();
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "HelpForm" && w->isVisible()) help = w;
    QVERIFY(help);
    auto* browser = named<QTextBrowser>(help, "HelpBrowser");
    QVERIFY(browser->toPlainText().contains("目次"));
    QVERIFY(browser->toPlainText().contains("年次処理"));
    // It says what the program does: the registration dialog chooses the course, and
    // results are winning numbers with payouts, not a finishing order.
    QVERIFY(browser->toPlainText().contains("登録する競馬場はﾀﾞｲｱﾛｸﾞで選びます"));
    QVERIFY(!browser->toPlainText().contains("表示中の競馬場に開催日を登録"));
    QVERIFY(!browser->toPlainText().contains("着順と配当"));
    // What the program does on Linux: its folders, the charts, CSV files, PDF, the CLI.
    const QString text = browser->toPlainText();
    for (const char* said : {"tovradatafile/shukei", "収支ｸﾞﾗﾌ", "CSV保存", "印刷ダイアログでPDFを選ぶ",
                             "tovra-cli saved list", "読み込み機能設定", "項目集計_2020年_東京.csv"})
      QVERIFY2(text.contains(QString::fromUtf8(said)), said);
    QVERIFY(!text.contains("Tovradatafile\\SHUKEI"));
    // Every link of the manual leads to a place in it.
    QFile page(":/help/tovra632.html");
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QStringList missing;
    for (const auto& m : QRegularExpression("href=\"#([a-z]+)\"").globalMatch(html))
      if (!html.contains("name=\"" + m.captured(1) + "\"")) missing << m.captured(1);
    QCOMPARE(missing, QStringList());
    // Closing the main window closes the help too.
    form_->close();
    QVERIFY(!help->isVisible());
  }

  void versionBox() {
    onNextModal([](QWidget* dlg) {
      QCOMPARE(dlg->windowTitle(), QString("ﾊﾞｰｼﾞｮﾝ情報"));
      QCOMPARE(named<QLabel>(dlg, "ProductName")->text(), QString("競走収支帖 トヴラ"));
      QCOMPARE(named<QLabel>(dlg, "Version")->text(), QString("Version 6.32"));
      static_cast<QDialog*>(dlg)->accept();
    });
    named<QAction>(form_.get(), "About1")->trigger();
  }

  void missingMeetingFileIsFatalWithItsNumberAndPath() {
    MessageScript msgs;
    QFile::remove(ledger_->file("tovradatafile/fuk/2001fuk.dat"));
    try {
      named<QToolButton>(form_.get(), "KaiBtn3")->click();
      QFAIL("no fatal error");
    } catch (const FatalFileError& e) {
      QCOMPARE(e.code(), 3);
      reportFatal(userPort(), e);
    }
    QCOMPARE(
        msgs.lastText(),
        QString("ﾌｧｲﾙ操作に異常が発生しました。\n\nNO.3\ntovradatafile/fuk/2001fuk.dat\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。"));
    QCOMPARE(msgs.lastTitle(), QString("確認"));
    QVERIFY(msgs.lastIcon() == MsgIcon::Error);
  }

 private:
  std::unique_ptr<TempLedger> ledger_;
  std::unique_ptr<MainWindow> form_;
};

QTEST_MAIN(MainFormMenuTest)
#include "mainform_menu_test.moc"
