// Imports of one meeting day, from reading the files to storing the day (登録):
// - a JRA-VAN results file of a whole year (3456 races, 10.5 MB; the day's races among
//   the first 36 records, which are all a file is examined for), named and found by the
//   automatic search among the other files of its folder;
// - a PAT folder with a season of purchase files (the index's 100 files of 60 tickets)
//   and a season of result and runner files (288 each);
// - LZH archives: one of 1000 members (the most an archive may hold; the day's file the
//   last of them), read in memory, and one of 50 000 empty members, refused by its count.
// Target: under 100 ms each (the refusal: a few milliseconds, whatever the archive holds).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "core/support/import_builders.hpp"
#include "core/support/lzh_builder.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "features/main/folders.hpp"
#include "features/years/years.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

void writeBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& b) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// A ledger of 2018 with the day of the Japan Cup at 東京 and the import files.
struct Ledger {
  std::filesystem::path root;
  LedgerCursor ds;
  ImportFolders folders;
  DayKey key() const { return DayKey{ds.year, ds.course, ds.shown()}; }

  Ledger()
      : root(std::filesystem::temp_directory_path() / ("tovra_import_bench_" + std::to_string(::getpid()))), ds(root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    ScriptedPort port;
    prepareFolders(ds.fs(), root, port);
    ds.loadYears();
    ds.nenji = *registerFirstYear(ds.ledger(), ds.nenji, 2018);
    ds.year = "2018";
    KaisaiRecord jcDay;
    jcDay.tsukiHi = 1125;
    jcDay.kaiNichi = 508;
    if (!ds.ledger().insertMeetings("2018", 4, {jcDay})) throw std::runtime_error("setup");
    ds.countMeetings();
    ds.course = 4;
    ds.readShown();

    // The year's results: the 36 races of the last three days of the meeting first.
    const Rec jc = jvNewResultJapanCup();
    std::vector<std::uint8_t> year;
    year.reserve(3456 * 3048);
    for (int i = 0; i < 3456; ++i) {
      Rec r = jc;
      r.num(14, 2, 1 + i % 12);
      if (i >= 12) r.num(10, 4, 500 + (i / 12) % 9).num(4, 4, 100 + i / 12);
      year.insert(year.end(), r.str().begin(), r.str().end());
    }
    writeBytes(root / "jv" / "2018-seiseki.dat", year);
    for (int f = 0; f < 20; ++f)
      writeBytes(root / "jv" / ("other" + std::to_string(f) + ".dat"), std::vector<std::uint8_t>(3048 * 36, ' '));
    folders.folder[kFolderJravanResult] = "jv/";

    // The PAT folder.
    std::vector<PatIndexRow> rows;
    std::vector<std::string> stems;
    for (int i = 0; i < 100; ++i) stems.push_back("P" + std::to_string(10000 + i).substr(1));
    for (int i = 0; i < 100; ++i)
      rows.push_back({stems[static_cast<std::size_t>(i)].c_str(), "2018", i % 4 == 0 ? 1125 : 1100 + i % 25});
    writeBytes(root / "pat" / "lg-file.jra", patIndex(3, rows));
    writeBytes(root / "pat" / "pat98.exe", {'M', 'Z'});
    for (int i = 0; i < 100; ++i) {
      std::vector<PatTicketRow> t;
      for (int k = 0; k < 60; ++k)
        t.push_back({5, 1 + k % 12, 1 + k % 5, k % 5 < 2 ? 1 + k % 16 : 100 * (1 + k % 7) + 9 + k % 8, 1 + k});
      writeBytes(root / "pat" / (stems[static_cast<std::size_t>(i)] + ".jra"), patPurchases(3, t));
    }
    for (int i = 0; i < 288; ++i) {
      auto ks = patResultJapanCup(3);
      auto de = patEntriesJapanCup();
      for (auto* f : {&ks, &de}) {
        const std::string race = std::to_string(10 + i % 12 + 1).substr(0, 2);
        (*f)[20] = static_cast<std::uint8_t>('0' + (1 + i % 12) / 10);
        (*f)[21] = static_cast<std::uint8_t>('0' + (1 + i % 12) % 10);
        if (i >= 12) (*f)[7] = static_cast<std::uint8_t>('0' + i % 10);  // other days
      }
      writeBytes(root / "pat" / ("Ks-" + std::to_string(i) + ".dat"), ks);
      writeBytes(root / "pat" / ("De-" + std::to_string(i) + ".dat"), de);
    }
    folders.folder[kFolderPat] = "pat/";
    folders.patKind = 3;

    // The archives.
    const auto archive = [](std::size_t members) {
      std::vector<LzhEntry> entries;
      for (std::size_t i = 0; i + 1 < members; ++i)
        entries.push_back({"JV\\JRA" + std::to_string(100000 + i) + ".DAT", std::vector<std::uint8_t>(3048, ' ')});
      entries.push_back({"JV\\JRA1125.DAT", jvNewResultJapanCup().bytes()});
      return lzhArchive(entries);
    };
    writeBytes(root / "lzh" / "limit.lzh", archive(kLhaMaxMembers));
    std::vector<LzhEntry> empty;
    for (int i = 0; i < 50000; ++i) empty.push_back({"jra" + std::to_string(100000 + i) + ".dat", {}});
    writeBytes(root / "lzh" / "many.lzh", lzhArchive(empty));
  }
  ~Ledger() { std::filesystem::remove_all(root); }
};

Ledger& ledger() {
  static Ledger l;
  return l;
}

void BM_JravanYearFileNamed(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  for (auto _ : state) {
    ImportCopy d = *beginImport(l.ds.ledger(), l.key());
    auto t = runJravanImport(l.ds.ledger(), port, l.folders, d,
                             JravanRequest{{JravanKind::Result, true}, false, "jv/2018-seiseki.dat"});
    if (!t || t->size() != 48) state.SkipWithError("the day was not read");
    storeImport(l.ds.ledger(), LedgerEvents{}, d);
  }
}
BENCHMARK(BM_JravanYearFileNamed)->Unit(benchmark::kMillisecond);

void BM_JravanYearFileSearched(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  for (auto _ : state) {
    ImportCopy d = *beginImport(l.ds.ledger(), l.key());
    auto t = runJravanImport(l.ds.ledger(), port, l.folders, d, JravanRequest{{JravanKind::Result, true}, true, {}});
    if (!t || t->size() != 48) state.SkipWithError("the day was not found");
    storeImport(l.ds.ledger(), LedgerEvents{}, d);
  }
}
BENCHMARK(BM_JravanYearFileSearched)->Unit(benchmark::kMillisecond);

void BM_JravanArchiveOfAThousandMembers(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  for (auto _ : state) {
    ImportCopy d = *beginImport(l.ds.ledger(), l.key());
    auto t = runJravanImport(l.ds.ledger(), port, l.folders, d,
                             JravanRequest{{JravanKind::Result, true}, false, "lzh/limit.lzh"});
    if (!t || *t != " 11R") state.SkipWithError("the day was not read");
  }
}
BENCHMARK(BM_JravanArchiveOfAThousandMembers)->Unit(benchmark::kMillisecond);

void BM_JravanArchiveOfFiftyThousandMembersRefused(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  for (auto _ : state) {
    ImportCopy d = *beginImport(l.ds.ledger(), l.key());
    auto t = runJravanImport(l.ds.ledger(), port, l.folders, d,
                             JravanRequest{{JravanKind::Result, true}, false, "lzh/many.lzh"});
    if (t) state.SkipWithError("the archive was not refused");
  }
}
BENCHMARK(BM_JravanArchiveOfFiftyThousandMembersRefused)->Unit(benchmark::kMillisecond);

void BM_PatSeasonFolder(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  for (auto _ : state) {
    // The day as it was before: every import starts from races without tickets.
    for (auto& r : l.ds.races) r = RaceRecord{};
    for (auto& j : l.ds.kaisai.raceJoutai) j = 0;
    l.ds.writeShown();
    ImportCopy d = *beginImport(l.ds.ledger(), l.key());
    auto t = runPatImport(l.ds.ledger(), port, l.folders, d, PatRequest{true, true, true});
    if (!t || t->results.size() != 48) state.SkipWithError("the day was not read");
    storeImport(l.ds.ledger(), LedgerEvents{}, d);
  }
}
BENCHMARK(BM_PatSeasonFolder)->Unit(benchmark::kMillisecond);

}  // namespace
