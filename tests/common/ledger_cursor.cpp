#include "common/ledger_cursor.hpp"

#include <algorithm>

#include "storage/fileio.hpp"
#include "storage/paths.hpp"

namespace tovra {

namespace {

// n bytes from `offset`; whatever the file does not hold reads as 0.
void readZeroFilled(File& f, std::uint64_t offset, std::uint8_t* buf, std::size_t n) {
  std::size_t got = f.seek(offset) ? f.read(buf, n) : 0;
  std::fill(buf + got, buf + n, std::uint8_t{0});
}

}  // namespace

std::string LedgerCursor::meetingFile(int c) const { return meetingFilePath(year, c); }
std::string LedgerCursor::raceFile(int c) const { return raceFilePath(year, c); }

void LedgerCursor::countMeetings() {
  checkAlive();
  auto counts = ledger().countMeetings(year);
  for (int c = 0; c < kCourseCount; ++c) shownMeeting[c] = 0;
  if (!counts) {
    for (int c = 0; c < kCourseCount; ++c) meetingCount[c] = 0;
    fatal(counts.failure());
  }
  for (int c = 0; c < kCourseCount; ++c) meetingCount[c] = (*counts)[static_cast<std::size_t>(c)];
  course = 0;
}

void LedgerCursor::readMeeting(int i) {
  checkAlive();
  auto f = fs().open(resolve(meetingFile()), OpenMode::Read);
  if (!f) fatal(3, meetingFile());
  std::uint8_t buf[KaisaiRecord::kSize];
  readZeroFilled(*f, static_cast<std::uint64_t>(i) * KaisaiRecord::kSize, buf, sizeof buf);
  kaisai.decode(buf);
}

void LedgerCursor::readRaceBlock(int i) {
  checkAlive();
  auto f = fs().open(resolve(raceFile()), OpenMode::Read);
  if (!f) fatal(5, raceFile());
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  readZeroFilled(*f, static_cast<std::uint64_t>(i) * kRaceBlockSize, buf.data(), buf.size());
  for (int r = 0; r < kRacesPerDay; ++r) races[r].decode(buf.data() + r * RaceRecord::kSize);
}

void LedgerCursor::writeRaceBlock(int i) {
  checkAlive();
  if (auto failed = ledger().writeRaces(key(i), races)) fatal(*failed);
}

void LedgerCursor::writeDay(int i) {
  checkAlive();
  if (auto failed = ledger().writeDay(key(i), day())) fatal(*failed);
}

std::vector<KaisaiRecord> LedgerCursor::readAllMeetings(int c, int fatalCode) {
  checkAlive();
  auto all = ledger().meetings(year, c);
  if (!all) fatal(fatalCode, all.failure().path);
  return std::move(*all);
}

MainSelection LedgerCursor::selection() const {
  MainSelection sel;
  sel.course = course;
  for (int c = 0; c < kCourseCount; ++c) {
    sel.meetingCount[static_cast<std::size_t>(c)] = meetingCount[c];
    sel.shownMeeting[static_cast<std::size_t>(c)] = shownMeeting[c];
  }
  sel.day = day();
  return sel;
}

void LedgerCursor::follow(const MainSelection& sel) {
  course = sel.course;
  for (int c = 0; c < kCourseCount; ++c) {
    meetingCount[c] = sel.meetingCount[static_cast<std::size_t>(c)];
    shownMeeting[c] = sel.shownMeeting[static_cast<std::size_t>(c)];
  }
  kaisai = sel.day.meeting;
  races = sel.day.races;
}

}  // namespace tovra
