// A change of one race on the generated 20-year ledger (target: under 20 ms each, synced
// to the disk): a ticket bought and settled (race block and meeting record through the
// day's journal), the going of a day (the race block alone), and a race comment through
// tovra-cli as a user runs it (start-up, lock and recovery included).
#include <benchmark/benchmark.h>

#include "bench_ledger.hpp"
#include "entry/race_entry.hpp"

using namespace tovra;
using namespace tovra::bench;

namespace {

// The middle meeting of the course with meetings: a ticket's amount changed back and forth.
void BM_RaceBuyWrite(benchmark::State& state) {
  DataStore ds = openLedger();
  while (ds.course < kCourseCount - 1 && ds.count() == 0) ++ds.course;
  ds.shownMeeting[ds.course] = ds.count() / 2;
  ds.readShown();
  std::uint32_t amount = 10;
  for (auto _ : state) {
    ds.races[5].tanUma[4] = 3;
    ds.races[5].tanGaku[4] = amount;
    amount = amount == 10 ? 20 : 10;
    commitRace(ds, 5);
  }
}
BENCHMARK(BM_RaceBuyWrite)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GoingWrite(benchmark::State& state) {
  DataStore ds = openLedger();
  ds.readShown();
  for (auto _ : state) {
    ds.races[2].kyori = ds.races[2].kyori == 1600 ? 1800 : 1600;
    ds.writeRaceBlock(ds.shown());
  }
}
BENCHMARK(BM_GoingWrite)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_RaceCommentCli(benchmark::State& state) {
  if (!std::filesystem::exists(cliPath())) {
    state.SkipWithError("tovra-cli not built beside the benchmark");
    return;
  }
  // The comment of a race, changed back and forth (a ticket list would fill up).
  const std::string change[2] = {cliCommand("race comment tok 0 11 出遅れ"), cliCommand("race comment tok 0 11 好位")};
  int turn = 0;
  for (auto _ : state) {
    const double t = seconds(change[turn]);
    turn = 1 - turn;
    if (t < 0) {
      state.SkipWithError("race comment failed");
      return;
    }
    state.SetIterationTime(t);
  }
}
BENCHMARK(BM_RaceCommentCli)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
