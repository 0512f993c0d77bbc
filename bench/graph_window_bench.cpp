// Opening the chart window 収支ｸﾞﾗﾌ on a 20-year ledger (280 meeting days a year): under
// 300 ms (the target) from the menu entry to the painted window. The parts apart: the
// balance series alone (one pass over the meeting files, the 収支集計 counting included)
// and drawing the charts of a series already counted. The window is drawn offscreen
// (grab()), so the times include building the charts and painting them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <memory>

#include "adapters/qt/chart/BalanceChartPanel.h"
#include "adapters/qt/chart/ChartStyle.h"
#include "bench_ledger.hpp"
#include "common/scripted_port.hpp"
#include "features/export/balance_series.hpp"
#include "offscreen_app.hpp"
#include "storage/bet_store.hpp"
#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"
#include "ui/tally/BalanceChartWindow.h"

using namespace tovra;

namespace {

struct Fixture {
  QApplication& app = bench::offscreenApp();
  std::unique_ptr<LedgerCursor> ds = std::make_unique<LedgerCursor>(bench::openLedger());
  BetStore bets{bench::ledger().root};
  SettingsRecord settings = SettingsRecord::defaults();
  ScriptedPort port;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

// The menu entry: the window made, every year counted, the balance page painted.
void BM_OpenAllYears(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    BalanceChartWindow form(*f.ds, f.bets, f.settings, f.port);
    form.showRequest(exports::ChartRequest{});
    benchmark::DoNotOptimize(form.grab());
  }
  state.counters["days"] =
      static_cast<double>(exports::balanceSeries(*f.ds, f.port, tally::TallyRange::all()).days.size());
}

// The counting alone.
void BM_SeriesAllYears(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) benchmark::DoNotOptimize(exports::balanceSeries(*f.ds, f.port, tally::TallyRange::all()));
}

// Drawing a counted series: the line of every day and the 240 month bars, painted.
void BM_DrawAllYears(benchmark::State& state) {
  Fixture& f = fixture();
  const exports::BalanceSeries s = exports::balanceSeries(*f.ds, f.port, tally::TallyRange::all());
  BalanceChartPanel panel;
  panel.resize(960, 560);
  for (auto _ : state) {
    panel.setSeries(s, ChartStyle::fromSettings(f.settings));
    benchmark::DoNotOptimize(panel.grab());
  }
}

}  // namespace

BENCHMARK(BM_OpenAllYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeriesAllYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawAllYears)->Unit(benchmark::kMillisecond);
