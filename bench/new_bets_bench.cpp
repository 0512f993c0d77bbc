// 馬単, 3連複 and 3連単: settling a heavy day, and the all-types figures of a 20-year ledger
// against the old 収支集計 alone. Targets:
//   BM_SettleHeavyDay       12 races × 20 lines of 3連単 ﾎﾞｯｸｽ of 18 horses (4,896 points each),
//                           dead heats and a scratch: under 50 ms;
//   BM_AllTypesRange        the all-types figures of every year with 100,000 new-type lines in
//                           the store: within 1.5 × BM_OldShushiTally (the ratio is the counter
//                           `ratio` of BM_AllTypesVsOldShushi).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <random>
#include <thread>

#include "bench_ledger.hpp"
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

// The bench ledger with a store of 100,000 lines (and a winner and, for one race in fifty,
// a scratch per race with lines) spread over its meeting days, made once.
BetStore& heavyStore() {
  static BetStore* store = [] {
    const auto& root = bench::ledger().root;
    std::filesystem::remove(root / kBetStorePath);
    auto* s = new BetStore(root);
    // The first change makes the file and its schema; the rest go in one transaction.
    const PurchaseLine first = PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3, 4}, 1);
    if (!s->addLine({{2024, 0, 1, 1}, 1}, storedLineOf(first, 24))) std::abort();
    std::vector<DateKey> dates;
    Ledger ledger(root, FileSystem::standard());
    std::vector<std::string> years;
    for (int y = 2005; y <= 2024; ++y) years.push_back(std::to_string(y));
    const Status scanned = ledger.scan(years, {}, [&](const Ledger::ScanDay& d) {
      dates.push_back({std::atoi(d.key.year.c_str()), d.key.course, d.meeting.month(), d.meeting.day()});
    });
    if (!scanned || dates.empty()) std::abort();
    sqlite3* db = nullptr;
    if (sqlite3_open((root / kBetStorePath).c_str(), &db) != SQLITE_OK) std::abort();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* line = nullptr;
    sqlite3_stmt* winner = nullptr;
    sqlite3_stmt* scratch = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO lines(year,course,month,day,race,type,method,set1,set2,set3,multi,place1,place2,"
                       "stake,points) VALUES(?,?,?,?,?,?,1,?,'','',0,1,2,1,?)",
                       -1, &line, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO winners(year,course,month,day,race,type,h1,h2,h3,payout) VALUES(?,?,?,?,?,2,1,2,3,?)", -1,
        &winner, nullptr);
    sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO scratches VALUES(?,?,?,?,?,'5','')", -1, &scratch, nullptr);
    std::mt19937 rng(25);
    const int kLines = 100'000;
    for (int i = 0; i < kLines; ++i) {
      const DateKey& d = dates[static_cast<std::size_t>(rng() % dates.size())];
      const int race = 1 + static_cast<int>(rng() % 12);
      const int type = static_cast<int>(rng() % 3);
      auto bindKey = [&](sqlite3_stmt* st) {
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, d.year);
        sqlite3_bind_int(st, 2, d.course);
        sqlite3_bind_int(st, 3, d.month);
        sqlite3_bind_int(st, 4, d.day);
        sqlite3_bind_int(st, 5, race);
      };
      bindKey(line);
      sqlite3_bind_int(line, 6, type);
      sqlite3_bind_text(line, 7, "1,2,3,4,5,6", -1, SQLITE_STATIC);
      const int points[] = {30, 20, 120};
      sqlite3_bind_int(line, 8, points[type]);
      if (sqlite3_step(line) != SQLITE_DONE) std::abort();
      if (i % 4 == 0) {
        bindKey(winner);
        sqlite3_bind_int64(winner, 6, 10 * (1000 + i % 5000));
        sqlite3_step(winner);
      }
      if (i % 50 == 0) {
        bindKey(scratch);
        sqlite3_step(scratch);
      }
    }
    sqlite3_finalize(line);
    sqlite3_finalize(winner);
    sqlite3_finalize(scratch);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    // The figures of every day kept, as the next change or the next open keeps them.
    if (!keepStaleFigures(*s)) std::abort();
    // The race files were written a moment ago; a user's were written long before a tally
    // runs, and only a settled file's figures are kept.
    std::this_thread::sleep_for(kStampSettledAfter);
    return s;
  }();
  return *store;
}

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
  heavyStore();
  for (auto _ : state) state.SetIterationTime(allTypesSeconds());
}
BENCHMARK(BM_AllTypesRange)->UseManualTime()->Unit(benchmark::kMillisecond);

// Both alternately in one run (warm cache): the ratio all-types / old 収支集計.
void BM_AllTypesVsOldShushi(benchmark::State& state) {
  heavyStore();
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
