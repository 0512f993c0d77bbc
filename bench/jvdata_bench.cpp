// The JV-Data import of a meeting day from a file of a whole year: 288 days of 12 races
// (3456 races: RA, 14 SE and HR each, with an O1 odds record between races, 36 MB),
// read from the disk, scanned for the day and applied to the day; and the scan of the
// whole file keeping every record. Target: under 1 s each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/support/jvdata_builders.hpp"
#include "features/import/import_files.hpp"
#include "features/import/jvdata/jvdata_import.hpp"
#include "storage/fileio.hpp"

using namespace tovra;
using namespace tovra::jvtest;

namespace {

constexpr int kDays = 288;

struct YearFile {
  std::filesystem::path path;
  std::vector<std::uint8_t> bytes;
  YearFile() : path(std::filesystem::temp_directory_path() / ("tovra_jvdata_bench_" + std::to_string(::getpid()))) {
    const Rec odds("O1", 962);
    for (int d = 0; d < kDays; ++d) {
      // Ten courses in turn, 24 days a month from January on.
      const int course = d % 10 + 1;
      const int date = 20180000 + (d / 24 + 1) * 100 + d % 24 + 5;
      for (int r = 1; r <= 12; ++r) {
        std::vector<Rec> recs{raRecord(r, date, course)};
        for (int h = 1; h <= 14; ++h) {
          Rec se = seRecord(r, (h + 1) / 2, h, h);
          se.race(date, course, kKai, kNichi, r);
          recs.push_back(se);
        }
        Rec hr = hrRecord(r, '2', date);
        hr.race(date, course, kKai, kNichi, r);
        hr.put(103, "0100000014001").put(454, "0102000000600002").put(604, "0102030000012000001");
        recs.push_back(hr);
        recs.push_back(odds);
        const auto b = jvFile(recs);
        bytes.insert(bytes.end(), b.begin(), b.end());
      }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  ~YearFile() { std::filesystem::remove(path); }
};

const YearFile& yearFile() {
  static const YearFile f;
  return f;
}

// Day 264 of the file: 2018-12-05 at course 264 % 10 + 1 = 5 (東京, index 4).
const DateKey kBenchDay{2018, 4, 12, 5};

void BM_JvDataDayFromAYearFile(benchmark::State& state) {
  const YearFile& f = yearFile();
  for (auto _ : state) {
    FileHead head;
    if (!readFileHead(FileSystem::standard(), f.path, kJvMaxFile + 1, head)) state.SkipWithError("read");
    const auto day = jvDataDayOf(head.bytes, "year.dat", kBenchDay);
    if (!day) {
      state.SkipWithError("no day");
      break;
    }
    KaisaiRecord k;
    RaceBlock races{};
    const JvApplied a = applyJvDataDay(*day, kBenchDay, k, races, false);
    benchmark::DoNotOptimize(a.bets.races.size());
  }
  state.counters["MB"] = double(f.bytes.size()) / 1e6;
}
BENCHMARK(BM_JvDataDayFromAYearFile)->Unit(benchmark::kMillisecond);

void BM_JvDataScanOfEveryRecord(benchmark::State& state) {
  const YearFile& f = yearFile();
  for (auto _ : state) {
    const JvScan scan = scanJvData(f.bytes, {});
    if (scan.fault || scan.day.races.size() != kDays * 12u) state.SkipWithError("scan");
    benchmark::DoNotOptimize(scan.day.runners.size());
  }
}
BENCHMARK(BM_JvDataScanOfEveryRecord)->Unit(benchmark::kMillisecond);

}  // namespace
