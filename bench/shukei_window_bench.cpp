// Opening a tally result window on a finished work file, and paging or scrolling it: each
// under 50 ms (the target). The work files come from the four tallies over a generated
// 3-year ledger (280 meeting days a year); the windows are drawn offscreen, so the times
// include building, reading the work file, filling the panels and painting the whole
// window (grab()).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <filesystem>
#include <memory>

#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/years/years.hpp"
#include "ledger_generator.hpp"
#include "offscreen_app.hpp"
#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"
#include "ui/tally/ConditionTallyWindow.h"
#include "ui/tally/IncomeTallyWindow.h"
#include "ui/tally/ItemTallyWindow.h"
#include "ui/tally/RankTallyWindow.h"

using namespace tovra;

namespace {

struct Fixture {
  std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("tovra_window_bench_" + std::to_string(::getpid()));
  QApplication& app = bench::offscreenApp();
  std::unique_ptr<LedgerCursor> ds;
  SettingsRecord settings = SettingsRecord::defaults();
  ScriptedPort port;

  Fixture() {
    std::filesystem::remove_all(root);
    bench::generateLedger(root, 3, 280);
    ds = std::make_unique<LedgerCursor>(root);
    ds->loadYears();
    ds->year = newestYear(ds->nenji);
    ds->countMeetings();
    tally::JyokenConditions month{};
    month[0] = {static_cast<std::int16_t>(tally::JyokenKind::Month), 6};
    if (!tally::runShushiTally(*ds, port, tally::kShushiAllByMonth, 0, ds->yearNumber()) ||
        !tally::runKoumokuTally(*ds, port, 0, 0) || !tally::runRankTally(*ds, port, tally::rankCode(false, 0), 0) ||
        !tally::runJyokenTally(*ds, port, 0, 0, month))
      std::abort();
  }
  ~Fixture() { std::filesystem::remove_all(root); }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

template <class Form>
std::unique_ptr<Form> makeForm() {
  Fixture& f = fixture();
  return std::make_unique<Form>(*f.ds, f.settings, f.port);
}

// Made, filled from the work file and painted, as the first tally of a run does it.
template <class Form>
void BM_Open(benchmark::State& state) {
  for (auto _ : state) {
    auto form = makeForm<Form>();
    form->showAfterTally();
    benchmark::DoNotOptimize(form->grab());
  }
}

// One step of the scroll bar (or course button) and the repaint.
template <class Form, class Step>
void scrolling(benchmark::State& state, Step step) {
  auto form = makeForm<Form>();
  form->showAfterTally();
  int i = 0;
  for (auto _ : state) {
    step(*form, ++i);
    benchmark::DoNotOptimize(form->grab());
  }
}

void BM_ScrollShushi(benchmark::State& state) {
  scrolling<IncomeTallyWindow>(
      state, [](IncomeTallyWindow& f, int i) { f.findChild<QScrollBar*>("ScrollBar")->setValue(i % 13); });
}
void BM_CourseKoumoku(benchmark::State& state) {
  scrolling<ItemTallyWindow>(state, [](ItemTallyWindow& f, int i) { f.showCourse(i % 11); });
}
void BM_PageRank(benchmark::State& state) {
  scrolling<RankTallyWindow>(
      state, [](RankTallyWindow& f, int i) { f.findChild<QScrollBar*>("ScrollBar")->setValue(i % 15); });
}
void BM_ShowJyoken(benchmark::State& state) {
  scrolling<ConditionTallyWindow>(state, [](ConditionTallyWindow& f, int) { f.ShowResult(); });
}

}  // namespace

BENCHMARK(BM_Open<IncomeTallyWindow>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open<ItemTallyWindow>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open<RankTallyWindow>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open<ConditionTallyWindow>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollShushi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CourseKoumoku)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageRank)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowJyoken)->Unit(benchmark::kMillisecond);
