// Searches over every year of a 20-year ledger (280 meeting days a year) against reading
// the same ledger files once (`cat` to /dev/null), warm cache, in the same run. The target:
// `tovra-cli search ...` within 3 × the cat. The race-name search for 特別 is the worst
// case: every race of the generated ledger is named ﾄｳﾞﾗ特別, so every race is written to
// the result file and printed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_ledger.hpp"
#include "common/scripted_port.hpp"
#include "features/search/search_engine.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;

namespace {

void BM_CatLedger(benchmark::State& state) {
  const std::string cmd = bench::catCommand();
  bench::seconds(cmd);  // warm the cache
  for (auto _ : state) state.SetIterationTime(bench::seconds(cmd));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bench::ledger().bytes()));
}
BENCHMARK(BM_CatLedger)->UseManualTime()->Unit(benchmark::kMillisecond);

// The engine alone: 0 race name 特別 (every race), 1 horse name ﾎｰｽ, 2 万馬券.
void BM_SearchCore(benchmark::State& state) {
  LedgerCursor ds = bench::openLedger();
  ScriptedPort port;
  search::SearchParams p;
  switch (state.range(0)) {
    case 0: p.type = search::SearchType::RaceMei, p.text = sj("特別"); break;
    case 1: p.type = search::SearchType::Bamei, p.text = sj("ﾎｰｽ"); break;
    default: p.type = search::SearchType::Haitou, p.payout.manbaken = true; break;
  }
  p.picked = true;
  int hits = 0;
  for (auto _ : state) hits = search::runSearch(ds, port, p).value_or(-1);
  state.counters["hits"] = hits;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bench::ledger().bytes()));
}
BENCHMARK(BM_SearchCore)->Arg(0)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The command itself, process start, result file and printed list included, against cat.
void BM_SearchCliVsCat(benchmark::State& state) {
  const char* args[] = {"search race 特別 --from-history", "search horse ﾎｰｽ --from-history",
                        "search payout --manbaken"};
  // The picked texts must stand in the history: one typed search each first.
  bench::seconds(bench::cliCommand("search race 特別"));
  bench::seconds(bench::cliCommand("search horse ﾎｰｽ"));
  bench::cliVsCat(state, bench::cliCommand(args[state.range(0)]), "search");
}
BENCHMARK(BM_SearchCliVsCat)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
