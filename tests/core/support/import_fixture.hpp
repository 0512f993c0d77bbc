#pragma once
// A ledger holding the day of the Japan Cup of 2018 (東京, 11月25日, 5回8日目) for the
// import tests, with a snapshot of every ledger byte to show what an import changed.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "domain/settlement.hpp"
#include "features/import/import_day.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "storage/fatal_error.hpp"
#include "storage/user_port.hpp"

namespace tovra::importtest {

inline constexpr int kTokyo = 4;

// Every file below the working folder except the work files in tmp/.
using Snapshot = std::map<std::string, std::vector<std::uint8_t>>;
inline Snapshot snapshot(const std::filesystem::path& root) {
  Snapshot s;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const std::string rel = std::filesystem::relative(e.path(), root).string();
    if (rel.rfind("tmp/", 0) == 0) continue;
    std::ifstream f(e.path(), std::ios::binary);
    s[rel] = {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }
  return s;
}

inline void writeFile(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ImportDay {
 public:
  // The 2018 ledger with 東京's day of the Japan Cup (and a day before it); `races` are
  // that day's races as stored, settled as the program stores them.
  explicit ImportDay(RaceBlock races = RaceBlock{}) : ledger_({2018}) {
    KaisaiRecord day = testing::meetingDayCodes(1125, 508);
    settleAllRaces(day, races);
    ledger_.setMeetings(2018, kTokyo, {testing::meetingDayCodes(1124, 507), day}, {RaceBlock{}, races});
    std::filesystem::create_directories(root() / "tmp");
    ds_.emplace(ledger_.open(2018, kTokyo, 1));
  }
  const std::filesystem::path& root() const { return ledger_.root(); }
  LedgerCursor& ds() { return *ds_; }
  ScriptedPort port;
  // The day as stored now.
  KaisaiRecord storedKaisai() {
    LedgerCursor d = ledger_.open(2018, kTokyo, 1);
    return d.kaisai;
  }
  RaceBlock storedRaces() {
    LedgerCursor d = ledger_.open(2018, kTokyo, 1);
    return d.races;
  }

 private:
  testing::LedgerBuilder ledger_;
  std::optional<LedgerCursor> ds_;
};

// An import as a window runs it on the day the data layer shows (the tests keep their
// day there): a copy read by key is filled and, when the import went through, becomes the
// day in memory; a refusal is told and the day in memory stays as stored.
template <class Run>
auto onShownDay(LedgerCursor& ds, UserPort& port, Run run)
    -> std::optional<std::decay_t<decltype(*run(std::declval<tovra::ImportCopy&>()))>> {
  auto d = beginImport(ds.ledger(), DayKey{ds.year, ds.course, ds.shown()});
  if (!d) throw FatalFileError(d.failure().code, d.failure().path);
  auto r = run(*d);
  tellImportNotices(port, *d);
  if (r.failed()) throw FatalFileError(r.failure().code, r.failure().path);
  if (r.refused()) {
    tellImportRefusal(port, r.refusal());
    return std::nullopt;
  }
  ds.kaisai = d->day.meeting;
  ds.races = d->day.races;
  return *r;
}
inline std::optional<std::string> jravanOnShown(LedgerCursor& ds, UserPort& port, const ImportFolders& folders,
                                                const JravanRequest& request, ImportSource* source = nullptr) {
  return onShownDay(
      ds, port, [&](tovra::ImportCopy& d) { return runJravanImport(ds.ledger(), port, folders, d, request, source); });
}
inline std::optional<NiftyTexts> niftyOnShown(LedgerCursor& ds, UserPort& port, const ImportFolders& folders,
                                              const NiftyRequest& request) {
  return onShownDay(ds, port,
                    [&](tovra::ImportCopy& d) { return runNiftyImport(ds.ledger(), port, folders, d, request); });
}
inline std::optional<PatTexts> patOnShown(LedgerCursor& ds, UserPort& port, const ImportFolders& folders,
                                          const PatRequest& request) {
  return onShownDay(ds, port,
                    [&](tovra::ImportCopy& d) { return runPatImport(ds.ledger(), port, folders, d, request); });
}
// 登録 of the day in memory.
inline void storeShown(LedgerCursor& ds) {
  const DayKey key{ds.year, ds.course, ds.shown()};
  if (auto failed =
          storeImport(ds.ledger(), LedgerEvents{}, tovra::ImportCopy{key, MeetingDay{ds.kaisai, ds.races}, {}}))
    throw FatalFileError(failed->code, failed->path);
}

// Two days in memory are equal byte for byte.
inline bool sameDay(const KaisaiRecord& a, const RaceBlock& ra, const KaisaiRecord& b, const RaceBlock& rb) {
  std::vector<std::uint8_t> x(KaisaiRecord::kSize + kRaceBlockSize), y(x.size());
  a.encode(x.data());
  b.encode(y.data());
  for (int r = 0; r < kRacesPerDay; ++r) {
    ra[static_cast<std::size_t>(r)].encode(x.data() + KaisaiRecord::kSize + r * RaceRecord::kSize);
    rb[static_cast<std::size_t>(r)].encode(y.data() + KaisaiRecord::kSize + r * RaceRecord::kSize);
  }
  return x == y;
}

}  // namespace tovra::importtest
