// The purchase history of a day (投票履歴 CSV) of 200 lines over the twelve races of a
// meeting day, every type and method, from the file's bytes to both stores written
// (target: under 1 s). Each run imports into a fresh copy of the ledger: a second import
// of the same file takes nothing.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "core/support/ipat_csv_builder.hpp"
#include "features/import/ipat/ipat_import.hpp"
#include "features/main/folders.hpp"
#include "features/years/years.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger_events.hpp"

using namespace tovra;

namespace {

std::string two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// 17 lines a race, 200 in all, and their cost.
std::string dayCsv() {
  std::vector<std::string> rows;
  long long total = 0;
  int serial = 0;
  auto add = [&](int race, const std::string& type, const std::string& numbers, const std::string& amount,
                 long long cost) {
    if (rows.size() == 200) return;
    ++serial;
    std::string r = "20220730,";
    r += std::to_string(1000 + serial / 10);
    r += ',';
    r += two(serial % 10 + 1);
    r += ",新潟,土,";
    r += std::to_string(race);
    r += ',';
    r += type;
    r += ',';
    r += numbers;
    r += ',';
    r += amount;
    r += ",―,―,0";
    rows.push_back(r);
    total += cost;
  };
  for (int race = 1; race <= 12; ++race) {
    for (int i = 1; i <= 2; ++i) add(race, "単勝", two(i), "100", 100);
    for (int i = 3; i <= 4; ++i) add(race, "複勝", two(i), "200", 200);
    add(race, "枠連", "1―8", "100", 100);
    add(race, "枠連ながし", "3／1；3；8", "100／300", 300);
    for (int i = 2; i <= 4; ++i) add(race, "ワイド", "01―" + two(i), "100", 100);
    add(race, "馬連ＢＯＸ", "04；07；11；12", "100／600", 600);
    add(race, "馬連ながし", "08／01；03；05", "100／300", 300);
    add(race, "馬単1着ながし", "08／01；03；05", "100／300", 300);
    add(race, "3連複ＢＯＸ", "01；02；03；04；05", "100／1000", 1000);
    add(race, "3連複軸1頭ながし", "08／01；03；05", "100／300", 300);
    add(race, "3連単フォーメーション", "01；02／01；02；03／05；06", "100／800", 800);
    add(race, "3連単軸1頭ながしマルチ", "08／01；03；05", "100／1800", 1800);
    add(race, "3連単ＢＯＸ", "01；02；03；04", "100／2400", 2400);
  }
  return ipattest::csvBytes(rows, total);
}

struct Ledger {
  std::filesystem::path root;
  LedgerCursor ds;
  explicit Ledger(const std::string& tag)
      : root(std::filesystem::temp_directory_path() / ("tovra_ipat_bench_" + tag + std::to_string(::getpid()))),
        ds(root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    ScriptedPort port;
    prepareFolders(ds.fs(), root, port);
    ds.loadYears();
    ds.nenji = *registerFirstYear(ds.ledger(), ds.nenji, 2022);
    ds.year = "2022";
    KaisaiRecord day;
    day.tsukiHi = 730;
    day.kaiNichi = 205;
    if (!ds.ledger().insertMeetings("2022", 3, {day})) throw std::runtime_error("setup");
  }
  ~Ledger() { std::filesystem::remove_all(root); }
};

void BM_IpatDayOf200Lines(benchmark::State& state) {
  const std::string bytes = dayCsv();
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto ledger = std::make_unique<Ledger>(std::to_string(run++));
    BetStore store(ledger->root);
    ScriptedPort port;
    const std::filesystem::path file = ledger->root / "20220730.csv";
    {
      std::FILE* f = std::fopen(file.c_str(), "wb");
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    state.ResumeTiming();
    const auto read = loadIpatFile(ledger->ds.fs(), file);
    if (!read) throw std::runtime_error(read.refusal().text);
    const auto done = runIpatImport(ledger->ds.ledger(), store, port, LedgerEvents{}, *read, false);
    if (!done || done->taken != 200) throw std::runtime_error("import");
    state.PauseTiming();
    ledger.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_IpatDayOf200Lines)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
