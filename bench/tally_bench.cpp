// The item tally over every year of a 20-year ledger (280 meeting days a year) against
// reading the same ledger files once (`cat` to /dev/null), warm cache. The target:
// `tovra-cli tally koumoku --range all` within 3 × the cat.
//
// The ledger is generated once per run (bench_ledger.hpp). BM_KoumokuCliVsCat reports the
// ratio as a counter.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_ledger.hpp"
#include "common/scripted_port.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "storage/user_port.hpp"

using namespace tovra;

namespace {

using bench::catCommand;
using bench::ledger;
using bench::openLedger;
using bench::seconds;

std::string cliCommand() { return bench::cliCommand("tally koumoku --range all"); }

void BM_CatLedger(benchmark::State& state) {
  const std::string cmd = catCommand();
  seconds(cmd);  // warm the cache
  for (auto _ : state) state.SetIterationTime(seconds(cmd));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ledger().bytes()));
}
BENCHMARK(BM_CatLedger)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KoumokuTallyCore(benchmark::State& state) {
  LedgerCursor ds = openLedger();
  ScriptedPort port;
  for (auto _ : state) benchmark::DoNotOptimize(tally::runKoumokuTally(ds, port, 0, 0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ledger().bytes()));
}
BENCHMARK(BM_KoumokuTallyCore)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_JyokenTallyCore(benchmark::State& state) {
  LedgerCursor ds = openLedger();
  ScriptedPort port;
  tally::JyokenConditions conds{};
  conds[0] = {static_cast<std::int16_t>(tally::JyokenKind::Class), 4};
  conds[1] = {static_cast<std::int16_t>(tally::JyokenKind::Bet), 5};
  for (auto _ : state) benchmark::DoNotOptimize(tally::runJyokenTally(ds, port, 0, 0, conds));
}
BENCHMARK(BM_JyokenTallyCore)->UseRealTime()->Unit(benchmark::kMillisecond);

// The command itself, process start and output included, against cat in the same run.
void BM_KoumokuCliVsCat(benchmark::State& state) { bench::cliVsCat(state, cliCommand(), "tally"); }
BENCHMARK(BM_KoumokuCliVsCat)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
