// A change of one race on the generated 20-year ledger (target: under 20 ms each, synced
// to the disk): a ticket bought and settled (race block and meeting record through the
// day's journal), the going of a day (the race block alone), and a race comment through
// tovra-cli as a user runs it (start-up, lock and recovery included).
#include <benchmark/benchmark.h>

#include "bench_ledger.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/ledger.hpp"

using namespace tovra;
using namespace tovra::bench;

namespace {

// The middle meeting of the course with meetings: a ticket's amount changed back and forth.
void BM_RaceBuyWrite(benchmark::State& state) {
  LedgerCursor ds = openLedger();
  const Ledger ledger = ds.ledger();
  DayKey key{ds.year, 0, 0};
  while (key.course < kCourseCount - 1 && ds.meetingCount[key.course] == 0) ++key.course;
  key.index = ds.meetingCount[key.course] / 2;
  auto day = ledger.readDay(key);
  if (!day) {
    state.SkipWithError("the day could not be read");
    return;
  }
  std::uint32_t amount = 10;
  for (auto _ : state) {
    day->races[5].tanUma[4] = 3;
    day->races[5].tanGaku[4] = amount;
    amount = amount == 10 ? 20 : 10;
    auto written = commitRace(ledger, key, *day, 5);
    if (!written) {
      state.SkipWithError("the day could not be written");
      return;
    }
    *day = std::move(*written);
  }
}
BENCHMARK(BM_RaceBuyWrite)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GoingWrite(benchmark::State& state) {
  LedgerCursor ds = openLedger();
  const Ledger ledger = ds.ledger();
  const DayKey key{ds.year, 0, 0};
  auto day = ledger.readDay(key);
  if (!day) {
    state.SkipWithError("the day could not be read");
    return;
  }
  for (auto _ : state) {
    day->races[2].kyori = day->races[2].kyori == 1600 ? 1800 : 1600;
    if (ledger.writeRaces(key, day->races)) {
      state.SkipWithError("the race block could not be written");
      return;
    }
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
