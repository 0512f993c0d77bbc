// Registering, editing and deleting a meeting in a course with 150 meetings, against
// writing the course's two files once (the least any change that keeps both files
// whole can cost), and against the exchange passes over the files pair by pair.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/main/folders.hpp"
#include "features/years/years.hpp"
#include "storage/fileio.hpp"
#include "storage/meeting_files.hpp"
#include "storage/user_port.hpp"

using namespace tovra;

namespace {

constexpr int kMeetings = 150;

// The main window's part of a meeting change: the day it gives read with its races.
template <class R>
int showPlace(LedgerCursor& ds, const R& r) {
  if (!r) throw std::runtime_error("meeting change failed");
  ds.course = 0;
  ds.meetingCount[0] = r->count;
  ds.shownMeeting[0] = r->index;
  ds.readShown();
  return r->index;
}

int registerDays(LedgerCursor& ds, const std::vector<MeetingDate>& days) {
  const std::vector<KaisaiRecord> records = blankMeetings(days);
  return showPlace(ds, ds.ledger().insertMeetings(ds.year, 0, records));
}

// A ledger with the year 2001 and 150 meetings (with named races) at 札幌.
struct Ledger {
  std::filesystem::path root;
  LedgerCursor ds;
  std::vector<std::uint8_t> meetingImage, raceImage;

  Ledger() : root(std::filesystem::temp_directory_path() / ("tovra_bench_" + std::to_string(::getpid()))), ds(root) {
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    ScriptedPort port;
    prepareFolders(ds.fs(), root, port);
    ds.loadYears();
    ds.nenji = *registerFirstYear(ds.ledger(), ds.nenji, 2001);
    ds.year = "2001";
    ds.countMeetings();
    std::vector<MeetingDate> days;
    for (int i = 0; i < kMeetings; ++i) days.push_back({1 + i * 12 / kMeetings, 1 + i % 28, 1, 1});
    registerDays(ds, days);
    for (int i = 0; i < kMeetings; ++i) {
      ds.shownMeeting[0] = i;
      ds.readShown();
      for (auto& r : ds.races) r.kyori = 1600;
      ds.writeShown();
    }
    CourseFiles f = *CourseFiles::read(ds.ledger(), ds.year, 0);
    meetingImage = f.meetingBytes();
    meetingImage.resize(meetingImage.size() + KaisaiRecord::kSize, 0);
    raceImage = f.raceBytes();
    raceImage.resize(raceImage.size() + kRaceBlockSize, 0);
  }
  ~Ledger() { std::filesystem::remove_all(root); }

  void restore() {
    writeWholeFile(ds.fs(), ds.resolve(ds.meetingFile(0)), meetingImage.data(), meetingImage.size());
    writeWholeFile(ds.fs(), ds.resolve(ds.raceFile(0)), raceImage.data(), raceImage.size());
    ds.course = 0;
    ds.meetingCount[0] = kMeetings;
    ds.shownMeeting[0] = kMeetings / 2;
    ds.readShown();
  }
};

Ledger& ledger() {
  static Ledger l;
  return l;
}

void setBytes(benchmark::State& state) {
  const auto& l = ledger();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(l.meetingImage.size() + l.raceImage.size()));
}

// The floor: both files written once, complete, synced to the disk and put in place.
void BM_WriteTwoFilesOnce(benchmark::State& state) {
  Ledger& l = ledger();
  l.restore();
  for (auto _ : state) {
    for (auto [path, image] :
         {std::pair{l.ds.meetingFile(0), &l.meetingImage}, std::pair{l.ds.raceFile(0), &l.raceImage}}) {
      writeWholeFile(l.ds.fs(), l.ds.resolve(path), *image);
    }
  }
  setBytes(state);
}
BENCHMARK(BM_WriteTwoFilesOnce)->Unit(benchmark::kMillisecond);

void BM_RegisterInto150(benchmark::State& state) {
  Ledger& l = ledger();
  for (auto _ : state) {
    state.PauseTiming();
    l.restore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(registerDays(l.ds, {{6, 15, 3, 1}}));
  }
  setBytes(state);
}
BENCHMARK(BM_RegisterInto150)->Unit(benchmark::kMillisecond);

void BM_SeriesInto150(benchmark::State& state) {
  Ledger& l = ledger();
  for (auto _ : state) {
    state.PauseTiming();
    l.restore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(registerDays(l.ds, seriesDates({3, 30, 2, 1})));
  }
  setBytes(state);
}
BENCHMARK(BM_SeriesInto150)->Unit(benchmark::kMillisecond);

// The first meeting to the end and back again, in turn.
void BM_EditIn150(benchmark::State& state) {
  Ledger& l = ledger();
  l.restore();
  bool toEnd = true;
  for (auto _ : state) {
    l.ds.shownMeeting[0] = toEnd ? 0 : kMeetings - 1;
    l.ds.readShown();
    const MeetingDate d{toEnd ? 12 : 1, toEnd ? 31 : 1, 1, 1};
    KaisaiRecord k = l.ds.kaisai;
    k.tsukiHi = d.tsukiHi();
    k.kaiNichi = d.kaiNichi();
    benchmark::DoNotOptimize(showPlace(l.ds, l.ds.ledger().replaceMeeting({l.ds.year, 0, l.ds.shown()}, k)));
    toEnd = !toEnd;
  }
  setBytes(state);
}
BENCHMARK(BM_EditIn150)->Unit(benchmark::kMillisecond);

void BM_DeleteFrom150(benchmark::State& state) {
  Ledger& l = ledger();
  ScriptedPort port;
  BetStore bets(l.ds.root());
  for (auto _ : state) {
    state.PauseTiming();
    l.restore();
    state.ResumeTiming();
    for (const std::string& q : deleteQuestions(0, l.ds.kaisai)) askOkCancel(port, q, MsgIcon::Question);
    benchmark::DoNotOptimize(
        showPlace(l.ds, runDeleteMeeting(l.ds.ledger(), bets, port, LedgerEvents{}, {l.ds.year, 0, l.ds.shown()})));
  }
  setBytes(state);
}
BENCHMARK(BM_DeleteFrom150)->Unit(benchmark::kMillisecond);

// For comparison: a registration done as exchange passes over the files, one pair of
// meetings and blocks read (and written back when out of order) at a time, stopping
// after the first pass without an exchange (state.range(0) == 1) or running them all.
void BM_ExchangePassesInto150(benchmark::State& state) {
  Ledger& l = ledger();
  const bool earlyStop = state.range(0) == 1;
  for (auto _ : state) {
    state.PauseTiming();
    l.restore();
    state.ResumeTiming();
    LedgerCursor& ds = l.ds;
    const int i = ds.count();
    ds.readMeeting(i);
    ds.kaisai = {};
    ds.kaisai.tsukiHi = 615;
    ds.kaisai.kaiNichi = 301;
    ds.races = {};
    ds.writeDay(i);
    ds.meetingCount[0] = i + 1;
    ds.kaisai = {};
    ds.writeDay(i + 1);
    const int n = i + 1;
    for (int pass = 0; pass < n; ++pass) {
      bool exchanged = false;
      for (int j = 0; j + 1 < n; ++j) {
        ds.readMeeting(j);
        ds.readRaceBlock(j);
        KaisaiRecord a = ds.kaisai;
        RaceBlock ra = ds.races;
        ds.readMeeting(j + 1);
        ds.readRaceBlock(j + 1);
        if (ds.kaisai.tsukiHi < a.tsukiHi) {
          ds.writeDay(j);
          ds.kaisai = a;
          ds.races = ra;
          ds.writeDay(j + 1);
          exchanged = true;
        }
      }
      if (earlyStop && !exchanged) break;
    }
  }
  setBytes(state);
}
BENCHMARK(BM_ExchangePassesInto150)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangePassesInto150)->Arg(0)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
