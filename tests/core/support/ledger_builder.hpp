#pragma once
// A throw-away ledger in a temporary folder for tests of the tallies and other readers:
// registered years with their twenty files, and meeting and race files written from
// records built in the test (which can also be unterminated or damaged).
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/paths.hpp"
#include "ledger/records.hpp"
#include "ledger/years.hpp"
#include "core/test_support.hpp"

namespace tovra::fixture {

class TempLedger {
 public:
  // Registers the years (newest first in main.dat) and creates each year's empty files.
  explicit TempLedger(std::vector<int> years) {
    std::filesystem::create_directories(root() / "tmp");
    std::filesystem::create_directories(root() / kShukeiFolder);
    for (int c = 0; c < kCourseCount; ++c) std::filesystem::create_directories(root() / courseFolderPath(c));
    NenjiTable t;
    std::sort(years.begin(), years.end(), std::greater<int>());
    for (std::size_t i = 0; i < years.size(); ++i) t.nen[i] = static_cast<std::uint16_t>(years[i]);
    std::vector<std::uint8_t> buf(NenjiTable::kSize);
    t.encode(buf.data());
    write(kMainDat, buf);
    for (int y : years)
      for (int c = 0; c < kCourseCount; ++c) setMeetings(y, c, {});
  }
  const std::filesystem::path& root() const { return dir_.path(); }

  // The meeting file of a course and year: the days, then the all-zero record unless
  // `terminated` is false; the race file: the days' blocks (blank when not given), then a
  // blank block.
  void setMeetings(int year, int course, const std::vector<KaisaiRecord>& days, const std::vector<RaceBlock>& races = {},
                   bool terminated = true) {
    std::vector<std::uint8_t> m, r;
    for (const KaisaiRecord& k : days) appendRecord(m, k);
    if (terminated) m.resize(m.size() + KaisaiRecord::kSize, 0);
    for (std::size_t i = 0; i < days.size(); ++i) {
      RaceBlock b{};
      if (i < races.size()) b = races[i];
      for (const RaceRecord& x : b) appendRecord(r, x);
    }
    r.resize(r.size() + kRaceBlockSize, 0);
    write(meetingFilePath(std::to_string(year), course), m);
    write(raceFilePath(std::to_string(year), course), r);
  }

  // A data layer over the ledger as the program holds it after start-up: the newest year
  // (or `year`) current, meetings counted, `course` current with its meeting `shown` read.
  DataStore open(int year = 0, int course = 0, int shown = 0) const {
    DataStore ds(root());
    ds.loadYears();
    initYears(ds);
    if (year != 0) ds.year = std::to_string(year);
    ds.countMeetings();
    ds.course = course;
    ds.shownMeeting[course] = shown;
    ds.readShown();
    return ds;
  }

  void write(const std::string& logical, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream f(root() / logical, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::uint8_t> read(const std::string& logical) const {
    std::ifstream f(root() / logical, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  }

 private:
  tovra::testing::TempDir dir_;
  template <class Rec>
  static void appendRecord(std::vector<std::uint8_t>& out, const Rec& rec) {
    std::size_t at = out.size();
    out.resize(at + Rec::kSize);
    rec.encode(out.data() + at);
  }
};

// A meeting day with its day totals and race states (the rest of the races blank).
inline KaisaiRecord meetingDay(int tsukiHi, int kaiNichi, std::int32_t kounyu = 0, std::int32_t shushi = 0,
                               std::initializer_list<int> joutai = {}) {
  KaisaiRecord k;
  k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
  k.kaiNichi = static_cast<std::uint16_t>(kaiNichi);
  k.kounyuGaku[12] = kounyu;
  k.shushi[12] = shushi;
  int r = 0;
  for (int j : joutai) k.raceJoutai[r++] = static_cast<std::uint16_t>(j);
  return k;
}

}  // namespace tovra::fixture
