// 馬単, 3連複 and 3連単: settling a heavy day, and the all-types figures of a 20-year ledger
// against the old 収支集計 alone. Targets:
//   BM_SettleHeavyDay       12 races × 20 lines of 3連単 ﾎﾞｯｸｽ of 18 horses (4,896 points each),
//                           dead heats and a scratch: under 50 ms;
//   BM_AllTypesRange        the all-types figures of every year with 100,000 new-type lines in
//                           the store: within 1.5 × BM_OldShushiTally (the ratio is the counter
//                           `ratio` of BM_AllTypesVsOldShushi).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_ledger.hpp"
#include "heavy_store.hpp"
#include "common/scripted_port.hpp"
#include "domain/new_bet_settlement.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/range_figures.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/bet_store.hpp"
#include "storage/fileio.hpp"

using namespace tovra;

namespace {

Horses allHorses() {
  Horses h;
  for (int i = 1; i <= kMaxHorse; ++i) h.push_back(i);
  return h;
}

void BM_SettleHeavyDay(benchmark::State& state) {
  std::vector<std::vector<PurchaseLine>> races(kRacesPerDay);
  std::vector<NewBetResults> results(kRacesPerDay);
  for (int r = 0; r < kRacesPerDay; ++r) {
    for (int n = 0; n < 20; ++n) races[r].push_back(PurchaseLine::box(NewBetType::Sanrentan, allHorses(), 1 + n));
    TypeResult& t = results[r].of(NewBetType::Sanrentan);
    t.winners = {{{1 + r, 2, 3}, 2983295}, {{1 + r, 3, 2}, 1491652}};
    results[r].scratched = {18};
  }
  for (auto _ : state) {
    NewBetFigures day;
    for (int r = 0; r < kRacesPerDay; ++r) day += settleNewBets(races[r], results[r]).figures;
    benchmark::DoNotOptimize(day);
  }
  state.counters["points"] = 12.0 * 20 * kMaxLinePoints;
}
BENCHMARK(BM_SettleHeavyDay)->Unit(benchmark::kMillisecond);

std::vector<std::string> allYears() {
  std::vector<std::string> years;
  for (int y = 2024; y >= 2005; --y) years.push_back(std::to_string(y));
  return years;
}

// The store is opened (and checked) once, as the program opens it at start-up.
double allTypesSeconds() {
  static BetStore store(bench::ledger().root);
  if (!store.open(false)) std::abort();
  const auto t0 = std::chrono::steady_clock::now();
  // As the program runs it: under the folder lock, keeping what it computed of scratched races.
  const auto r = rangeFigures(Ledger(bench::ledger().root, FileSystem::standard()), store, allYears(), {},
                              RangeKeep{true, kStampSettledAfter});
  if (!r) std::abort();
  benchmark::DoNotOptimize(r->all);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double oldShushiSeconds() {
  LedgerCursor ds = bench::openLedger();
  ScriptedPort port;
  const auto t0 = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(tally::computeShushi(ds, port, tally::kShushiAllByMonth, 0, ds.yearNumber()));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_OldShushiTally(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(oldShushiSeconds());
}
BENCHMARK(BM_OldShushiTally)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AllTypesRange(benchmark::State& state) {
  bench::heavyStore();
  for (auto _ : state) state.SetIterationTime(allTypesSeconds());
}
BENCHMARK(BM_AllTypesRange)->UseManualTime()->Unit(benchmark::kMillisecond);

// Both alternately in one run (warm cache): the ratio all-types / old 収支集計.
void BM_AllTypesVsOldShushi(benchmark::State& state) {
  bench::heavyStore();
  allTypesSeconds();
  oldShushiSeconds();
  double all = 0, old = 0;
  for (auto _ : state) {
    const double o = oldShushiSeconds(), a = allTypesSeconds();
    old += o;
    all += a;
    state.SetIterationTime(a);
  }
  state.counters["old_ms"] = old / static_cast<double>(state.iterations()) * 1000.0;
  state.counters["all_types_ms"] = all / static_cast<double>(state.iterations()) * 1000.0;
  state.counters["ratio"] = all / old;
}
BENCHMARK(BM_AllTypesVsOldShushi)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
