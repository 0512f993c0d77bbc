// The item tally over every year of a 20-year ledger (280 meeting days a year) against
// reading the same ledger files once (`cat` to /dev/null), warm cache. The target:
// `tovra-cli tally koumoku --range all` within 3 × the cat.
//
// The ledger is generated once per run in a temporary folder (or in $TOVRA_BENCH_LEDGER,
// kept there). BM_KoumokuVsCat reports the ratio as a counter.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"
#include "ledger/years.hpp"
#include "ledger_generator.hpp"
#include "tally/jyoken_tally.hpp"
#include "tally/koumoku_tally.hpp"

using namespace tovra;
namespace fs = std::filesystem;

namespace {

struct BenchLedger {
  fs::path root;
  std::vector<fs::path> files;
  bool keep = false;
  BenchLedger() {
    if (const char* dir = std::getenv("TOVRA_BENCH_LEDGER")) {
      root = dir;
      keep = true;
    } else {
      root = fs::temp_directory_path() / ("tovra_tally_bench_" + std::to_string(::getpid()));
    }
    fs::remove_all(root);
    files = bench::generateLedger(root);
  }
  ~BenchLedger() {
    if (!keep) fs::remove_all(root);
  }
  std::uintmax_t bytes() const {
    std::uintmax_t n = 0;
    for (const auto& f : files) n += fs::file_size(f);
    return n;
  }
};

BenchLedger& ledger() {
  static BenchLedger l;
  return l;
}

// The tovra-cli built beside this benchmark (build/bench/.. -> build/src/tovra-cli).
fs::path cliPath() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return self.parent_path().parent_path() / "src" / "tovra-cli";
}

double seconds(const std::string& command) {
  const auto t0 = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1.0;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

std::string catCommand() { return "cat " + (ledger().root / "tovradatafile").string() + "/*/*.dat > /dev/null"; }
std::string cliCommand() {
  return cliPath().string() + " -C " + ledger().root.string() + " tally koumoku --range all > /dev/null";
}

// The data layer as after start-up: the newest year, meetings counted, course 0 shown.
DataStore openLedger() {
  DataStore ds(ledger().root);
  ds.loadYears();
  initYears(ds);
  ds.countMeetings();
  ds.readShown();
  return ds;
}

void BM_CatLedger(benchmark::State& state) {
  const std::string cmd = catCommand();
  seconds(cmd);  // warm the cache
  for (auto _ : state) state.SetIterationTime(seconds(cmd));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ledger().bytes()));
}
BENCHMARK(BM_CatLedger)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KoumokuTallyCore(benchmark::State& state) {
  DataStore ds = openLedger();
  ScriptedPort port;
  for (auto _ : state) benchmark::DoNotOptimize(tally::runKoumokuTally(ds, port, 0, 0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * ledger().bytes()));
}
BENCHMARK(BM_KoumokuTallyCore)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_JyokenTallyCore(benchmark::State& state) {
  DataStore ds = openLedger();
  ScriptedPort port;
  tally::JyokenConditions conds{};
  conds[0] = {static_cast<std::int16_t>(tally::JyokenKind::Class), 4};
  conds[1] = {static_cast<std::int16_t>(tally::JyokenKind::Bet), 5};
  for (auto _ : state) benchmark::DoNotOptimize(tally::runJyokenTally(ds, port, 0, 0, conds));
}
BENCHMARK(BM_JyokenTallyCore)->UseRealTime()->Unit(benchmark::kMillisecond);

// The command itself, process start and output included, against cat in the same run.
void BM_KoumokuCliVsCat(benchmark::State& state) {
  if (!fs::exists(cliPath())) {
    state.SkipWithError("tovra-cli not built beside the benchmark");
    return;
  }
  const std::string cat = catCommand(), cli = cliCommand();
  seconds(cat);
  seconds(cli);
  double catTotal = 0, cliTotal = 0;
  for (auto _ : state) {
    const double c = seconds(cat), t = seconds(cli);
    catTotal += c;
    cliTotal += t;
    state.SetIterationTime(t);
  }
  state.counters["cat_ms"] = catTotal / static_cast<double>(state.iterations()) * 1000.0;
  state.counters["tally_ms"] = cliTotal / static_cast<double>(state.iterations()) * 1000.0;
  state.counters["ratio"] = cliTotal / catTotal;
}
BENCHMARK(BM_KoumokuCliVsCat)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
