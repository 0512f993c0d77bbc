#pragma once
// What the ledger benchmarks share: the generated 20-year ledger (once per run, in a
// temporary folder or in $TOVRA_BENCH_LEDGER, kept there), timing a shell command, `cat`
// of the ledger files, the tovra-cli built beside the benchmark, and a data layer opened
// as after start-up.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/ledger_cursor.hpp"
#include "features/years/years.hpp"
#include "ledger_generator.hpp"

namespace tovra::bench {

struct BenchLedger {
  std::filesystem::path root;
  std::vector<std::filesystem::path> files;
  bool keep = false;
  BenchLedger() {
    if (const char* dir = std::getenv("TOVRA_BENCH_LEDGER")) {
      root = dir;
      keep = true;
    } else {
      root = std::filesystem::temp_directory_path() / ("tovra_bench_" + std::to_string(::getpid()));
    }
    std::filesystem::remove_all(root);
    files = generateLedger(root);
  }
  ~BenchLedger() {
    if (!keep) std::filesystem::remove_all(root);
  }
  std::uintmax_t bytes() const {
    std::uintmax_t n = 0;
    for (const auto& f : files) n += std::filesystem::file_size(f);
    return n;
  }
};

inline BenchLedger& ledger() {
  static BenchLedger l;
  return l;
}

// The tovra-cli built beside this benchmark (build/bench/.. -> build/src/tovra-cli).
inline std::filesystem::path cliPath() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return self.parent_path().parent_path() / "src" / "tovra-cli";
}

// Wall time of a shell command in seconds; -1 when it failed.
inline double seconds(const std::string& command) {
  const auto t0 = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1.0;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

inline std::string catCommand() { return "cat " + (ledger().root / "tovradatafile").string() + "/*/*.dat > /dev/null"; }
// tovra-cli over the ledger with these arguments, output to /dev/null.
inline std::string cliCommand(const std::string& args) {
  return cliPath().string() + " -C " + ledger().root.string() + " " + args + " > /dev/null";
}

// The data layer as after start-up: the newest year, meetings counted, course 0 shown.
inline LedgerCursor openLedger() {
  LedgerCursor ds(ledger().root);
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  ds.countMeetings();
  ds.readShown();
  return ds;
}

// A tovra-cli command against cat of the ledger, alternately in the same run after one
// warm-up of each: the command's time per iteration, both averages (`cat_ms` and
// `<what>_ms`) and their ratio as counters.
inline void cliVsCat(benchmark::State& state, const std::string& cli, const std::string& what) {
  if (!std::filesystem::exists(cliPath())) {
    state.SkipWithError("tovra-cli not built beside the benchmark");
    return;
  }
  const std::string cat = catCommand();
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
  state.counters[what + "_ms"] = cliTotal / static_cast<double>(state.iterations()) * 1000.0;
  state.counters["ratio"] = cliTotal / catTotal;
}

}  // namespace tovra::bench
