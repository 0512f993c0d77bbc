// The chart window 収支ｸﾞﾗﾌ and the CSV buttons, wiring only: the menu entry and a tally
// window's ｸﾞﾗﾌ open the window on their range, hovering fills HintLabel, the range box
// counts again, PNG保存 writes a picture or says why not, CSV保存 of a tally window and of
// the search result list writes the table; the colours follow the settings.
#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "adapters/qt/chart/BalanceChartPanel.h"
#include "adapters/qt/chart/RateChartView.h"
#include "common/scripted_port.hpp"
#include "common/scripted_port.hpp"
#include "features/bets/race_bets.hpp"
#include "features/search/search_engine.hpp"
#include "features/search/search_list.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/text.hpp"
#include "support/EntryDay.h"
#include "support/MessageScript.h"
#include "support/TallyLedger.h"
#include "support/Widgets.h"
#include "ui/common/AppState.h"
#include "ui/common/SaveFile.h"
#include "ui/main/TallyActions.h"
#include "ui/search/SearchResultsDialog.h"
#include "ui/tally/BalanceChartWindow.h"
#include "ui/tally/TallyWindow.h"
#include "ui/widgets/Looks.h"

using namespace tovra;
using namespace tovra::test;
using exports::ChartKind;

namespace {

// A chart's series by its name (series belong to their chart's scene, not to the window).
template <class S>
S* seriesNamed(QChart* chart, const QString& name) {
  for (QAbstractSeries* s : chart->series())
    if (s->objectName() == name) return qobject_cast<S*>(s);
  qFatal("no series named \"%s\"", qPrintable(name));
}

}  // namespace

class GraphFormTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    ledger_ = std::make_unique<TallyLedger>();
    out_ = std::make_unique<QTemporaryDir>();
  }
  void cleanup() {
    setSaveFileQuestion(nullptr);
    ledger_.reset();
    out_.reset();
  }

  void menuOpensTheChartsOfEveryYearAndHoverShowsTheFigures() {
    named<QAction>(&main(), "Graph1")->trigger();
    BalanceChartWindow* g = main().tallies().chartWindow();
    QVERIFY(g && g->isVisible());
    QCOMPARE(named<QTabWidget>(g, "GraphPage")->currentIndex(), 0);
    QVERIFY(named<QRadioButton>(g, "HanBtn1")->isChecked());
    // 2000/6/11 +2500, 2001/6/1 +3500, 2001/8/5 -2000.
    QCOMPARE(g->balancePanel()->lineChart()->title(), QString("累計収支  全データ  4,000円"));
    QCOMPARE(g->rateView(ChartKind::Course)->chart()->title(), QString("収支集計  全データ  全月  競馬場別"));

    auto* line = seriesNamed<QLineSeries>(g->balancePanel()->lineChart(), "BalanceLine");
    emit line->hovered(line->at(2), true);  // the second day
    QCOMPARE(named<QLabel>(g, "HintLabel")->text(),
             QString("2001年6月1日 (1開催)   購入 14,000円  回収 17,500円   収支 3,500円   累計収支 6,000円"));
    auto* bars = seriesNamed<QBarSeries>(g->balancePanel()->barChart(), "MonthBars");
    emit bars->hovered(true, 12 + 7, bars->barSets().first());  // August 2001
    QCOMPARE(named<QLabel>(g, "HintLabel")->text(), QString("2001年8月   購入 2,000円  回収 0円   収支 -2,000円"));
    shoot(g, "graph_window");
  }

  void rangeBoxCountsTheChosenYear() {
    named<QAction>(&main(), "Graph1")->trigger();
    BalanceChartWindow* g = main().tallies().chartWindow();
    named<QRadioButton>(g, "HanBtn2")->click();
    auto* years = named<QComboBox>(g, "NentsugiBox");
    years->setCurrentIndex(1);  // 2000
    emit years->activated(1);
    QCOMPARE(g->request().range.year, 2000);
    QCOMPARE(g->balancePanel()->lineChart()->title(), QString("累計収支  2000年  2,500円"));
    QCOMPARE(int(g->balancePanel()->series().months.size()), 12);
  }

  void pngIsSavedOrTheWriteIsRefused() {
    named<QAction>(&main(), "Graph1")->trigger();
    BalanceChartWindow* g = main().tallies().chartWindow();
    const QString good = out_->filePath("chart.png");
    QString suggested;
    setSaveFileQuestion([&](const QString&, const QString& name) {
      suggested = name;
      return good;
    });
    named<QPushButton>(g, "PngBtn")->click();
    QCOMPARE(suggested, QString("累計収支_全データ.png"));
    QFile png(good);
    QVERIFY(png.open(QIODevice::ReadOnly));
    QCOMPARE(png.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));

    MessageScript msgs;
    const QString bad = out_->filePath("no-such-folder/chart.png");
    setSaveFileQuestion([&](const QString&, const QString&) { return bad; });
    named<QPushButton>(g, "PngBtn")->click();
    QCOMPARE(msgs.lastText(), "PNGﾌｧｲﾙを書き込めませんでした。\n\n" + bad);
    QCOMPARE(msgs.lastIcon(), MsgIcon::Error);
    QVERIFY(!QFile::exists(bad));
    // Cancelled: nothing at all.
    setSaveFileQuestion([](const QString&, const QString&) { return QString(); });
    named<QPushButton>(g, "PngBtn")->click();
    QCOMPARE(msgs.count(), 1);
  }

  void tallyWindowOpensTheChartOfItsResult() {
    ScriptedPort port;
    QVERIFY(tally::runKoumokuTally(appState().ds, port, 1, 0));  // 2001
    TallyWindow* w = main().tallies().showWindow(tally::TallyKind::Koumoku);
    named<QToolButton>(w, "GraphBtn")->click();
    BalanceChartWindow* g = main().tallies().chartWindow();
    QVERIFY(g && g->isVisible());
    QCOMPARE(named<QTabWidget>(g, "GraphPage")->currentIndex(), int(ChartKind::BetType));
    QVERIFY(named<QRadioButton>(g, "HanBtn2")->isChecked());
    QCOMPARE(named<QComboBox>(g, "NentsugiBox")->currentText(), QString("2001年"));
    QCOMPARE(g->rateView(ChartKind::BetType)->chart()->title(), QString("項目集計  2001年  全競馬場  馬券式別"));
    // 単勝: 14000 bought, 4000 × 2.5 back.
    const auto& bars = g->rateView(ChartKind::BetType)->rates().bars;
    QCOMPARE(bars[0].purchase, std::int64_t(14000));
    QCOMPARE(*bars[0].recovery, 10000.0 / 14000.0 * 100.0);
    // No new-type rows: the toggles of the new types have no bars to show.
    QVERIFY(named<QCheckBox>(g, "ShikiCheck1")->isEnabled());
    QVERIFY(!named<QCheckBox>(g, "ShikiCheck6")->isEnabled());
  }

  void betTypeTogglesRedrawTheChartAndOneTypeStays() {
    // A 馬単 line of 300 yen on 2001 東京 6月1日 1R.
    const RaceRecord race{};
    const RaceKey first{DateKey{2001, kTallyTokyo, 6, 1}, 1};
    QVERIFY(buyLine(main().bets(), first, race, PurchaseLine::normal(NewBetType::Umatan, {1, 2}, 3)));
    // 3連複 lost on 1R, 3連単 won on 2R (ﾎﾞｯｸｽ 1 2 3: 600 yen, 12,340 yen back).
    QVERIFY(buyLine(main().bets(), first, race, PurchaseLine::normal(NewBetType::Sanrenpuku, {2, 5, 9}, 2)));
    const RaceKey second{DateKey{2001, kTallyTokyo, 6, 1}, 2};
    QVERIFY(buyLine(main().bets(), second, race, PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, 1)));
    QVERIFY(addWinner(main().bets(), second, race, NewBetType::Sanrentan, {1, 2, 3}, 12340));
    named<QAction>(&main(), "Graph1")->trigger();
    BalanceChartWindow* g = main().tallies().chartWindow();
    named<QTabWidget>(g, "GraphPage")->setCurrentIndex(int(ChartKind::BetType));
    RateChartView* view = g->rateView(ChartKind::BetType);
    QCOMPARE(view->chart()->title(), QString("全式別  全データ  全競馬場  馬券式別"));
    QCOMPARE(int(view->rates().bars.size()), 8);
    QVERIFY(named<QCheckBox>(g, "ShikiCheck6")->isEnabled());
    QCOMPARE(view->rates().bars[5].label, std::string("馬単"));
    QCOMPARE(view->rates().bars[5].purchase, std::int64_t(300));
    QCOMPARE(view->rates().bars[7].purchase, std::int64_t(600));
    QCOMPARE(view->rates().bars[7].ret(), std::int64_t(12340));
    shoot(g, "graph_window_all_types");
    // For a picture of the screen: the window stays up this long (no assertion waits on it).
    if (const int hold = qEnvironmentVariableIntValue("TOVRA_SHOT_HOLD_MS"); hold > 0) {
      g->move(0, 0);
      QTest::qWait(hold);
    }

    // Accepted: 単勝 off, its bar gone.
    named<QCheckBox>(g, "ShikiCheck1")->click();
    QCOMPARE(int(view->rates().bars.size()), 7);
    QCOMPARE(view->rates().bars[0].label, std::string("複勝"));
    for (int i = 2; i <= 7; ++i) named<QCheckBox>(g, QString("ShikiCheck%1").arg(i))->click();
    QCOMPARE(int(view->rates().bars.size()), 1);
    QCOMPARE(view->rates().bars[0].label, std::string("3連単"));

    // Refused: the last type ticked stays ticked, the chart unchanged.
    MessageScript msgs;
    auto* last = named<QCheckBox>(g, "ShikiCheck8");
    last->click();
    QCOMPARE(msgs.lastText(), QString("式別を1つ以上選んで下さい。"));
    QCOMPARE(msgs.lastIcon(), MsgIcon::Error);
    QVERIFY(last->isChecked());
    QCOMPARE(int(view->rates().bars.size()), 1);
  }

  void incomeTallyChartShowsTheRowOnTheScreen() {
    ScriptedPort port;
    QVERIFY(tally::runShushiTally(appState().ds, port, tally::kShushiAllByMonth, 0, appState().ds.yearNumber()));
    TallyWindow* w = main().tallies().showWindow(tally::TallyKind::Shushi);
    auto courseBars = [&] {
      named<QToolButton>(w, "GraphBtn")->click();
      BalanceChartWindow* g = main().tallies().chartWindow();
      return std::make_pair(g->rateView(ChartKind::Course)->chart()->title(),
                            g->rateView(ChartKind::Course)->rates().bars);
    };
    // Position 0: every month; 東京 has 14000 of 2001 and 5000 of 2000.
    auto [title, bars] = courseBars();
    QCOMPARE(title, QString("収支集計  全データ  全月  競馬場別"));
    QCOMPARE(bars[kTallyTokyo].purchase, std::int64_t(19000));
    QCOMPARE(bars[0].purchase, std::int64_t(2000));
    // August (position 8): only 札幌's day.
    named<QScrollBar>(w, "ScrollBar")->setValue(8);
    std::tie(title, bars) = courseBars();
    QCOMPARE(title, QString("収支集計  全データ  8月  競馬場別"));
    QCOMPARE(bars[0].purchase, std::int64_t(2000));
    QCOMPARE(bars[kTallyTokyo].purchase, std::int64_t(0));
    QCOMPARE(bars[10].purchase, std::int64_t(2000));
  }

  void tallyWindowSavesItsTableAsCsv() {
    ScriptedPort port;
    QVERIFY(tally::runShushiTally(appState().ds, port, tally::kShushiYearByMonth, 0, appState().ds.yearNumber()));
    TallyWindow* w = main().tallies().showWindow(tally::TallyKind::Shushi);
    const QString path = out_->filePath("shushi.csv");
    QString suggested;
    setSaveFileQuestion([&](const QString&, const QString& name) {
      suggested = name;
      return path;
    });
    named<QToolButton>(w, "CsvBtn")->click();
    QCOMPARE(suggested, QString("収支集計_2001年_月別.csv"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(
        bytes.startsWith("\xEF\xBB\xBF"
                         "区分,競馬場,馬券購入額,回収率,回収金額,収支,的中率\r\n"));
    QVERIFY(bytes.contains("6月,東京,14000,125.0,17500,3500,50.0\r\n"));
  }

  void searchListSavesItsLinesAsCsv() {
    ScriptedPort port;
    search::SearchParams p;
    p.text = sj("ﾃｽﾄ");
    QCOMPARE(search::runSearch(appState().ds, port, p), std::optional<int>(2));
    SearchResultsDialog dlg(appState().ds, userPort(), *search::readKekaList(appState().ds), appState().ds.year);
    const QString path = out_->filePath("list.csv");
    QString suggested;
    setSaveFileQuestion([&](const QString&, const QString& name) {
      suggested = name;
      return path;
    });
    named<QPushButton>(&dlg, "CsvBtn")->click();
    QCOMPARE(suggested, QString("ﾚｰｽ名検索_全年_ﾃｽﾄ.csv"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QString("\uFEFF年,月,日,競馬場,回,日目,R,名前\r\n"
                                                     "2001,6,1,東京,3,1,1,ﾃｽﾄ1\r\n2001,6,1,東京,3,1,2,ﾃｽﾄ2\r\n"));
  }

  void coloursFollowTheSettings() {
    named<QAction>(&main(), "Graph1")->trigger();
    BalanceChartWindow* g = main().tallies().chartWindow();
    appState().settings.colours[kColTallyBack] = colourFromRgb(10, 20, 30);
    appState().settings.colours[kColPlus] = colourFromRgb(200, 0, 100);
    main().applyColours();
    QCOMPARE(g->balancePanel()->lineChart()->backgroundBrush().color(), QColor(10, 20, 30));
    auto* bars = seriesNamed<QBarSeries>(g->balancePanel()->barChart(), "MonthBars");
    QCOMPARE(bars->barSets().at(1)->color(), QColor(200, 0, 100));
  }

 private:
  MainWindow& main() { return ledger_->main(); }
  std::unique_ptr<TallyLedger> ledger_;
  std::unique_ptr<QTemporaryDir> out_;
};

QTEST_MAIN(GraphFormTest)
#include "graph_form_test.moc"
