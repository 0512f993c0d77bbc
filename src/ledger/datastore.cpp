#include "ledger/datastore.hpp"

#include <algorithm>
#include <cstdlib>

#include "ledger/fatal_error.hpp"
#include "ledger/fileio.hpp"
#include "ledger/meeting_scan.hpp"
#include "ledger/paths.hpp"

namespace tovra {

DataStore::DataStore(std::filesystem::path root, FileSystem* fs)
    : root_(std::move(root)), fs_(fs ? fs : &FileSystem::standard()) {}

int DataStore::yearNumber() const { return std::atoi(year.c_str()); }

std::filesystem::path DataStore::resolve(const std::string& logical) const { return resolvePath(*fs_, root_, logical); }
std::string DataStore::meetingFile(int c) const { return meetingFilePath(year, c); }
std::string DataStore::raceFile(int c) const { return raceFilePath(year, c); }

void DataStore::fatal(int code, const std::string& path) {
  dead_ = true;
  throw FatalFileError(code, path);
}

void DataStore::checkAlive() {
  if (dead_) throw FatalFileError(0, "");
}

namespace {

// n bytes from `offset`; whatever the file does not hold reads as 0.
void readZeroFilled(File& f, std::uint64_t offset, std::uint8_t* buf, std::size_t n) {
  std::size_t got = f.seek(offset) ? f.read(buf, n) : 0;
  std::fill(buf + got, buf + n, std::uint8_t{0});
}

}  // namespace

void DataStore::loadYears() {
  checkAlive();
  auto p = resolve(kMainDat);
  std::uint8_t buf[NenjiTable::kSize] = {};
  if (auto f = fs_->open(p, OpenMode::Read)) {
    readZeroFilled(*f, 0, buf, sizeof buf);
    nenji.decode(buf);
    return;
  }
  // Missing: create it with the (all-zero) table.
  nenji.decode(buf);
  if (!writeWholeFile(*fs_, p, buf, sizeof buf)) fatal(1, kMainDat);
}

bool DataStore::peekYears() {
  checkAlive();
  std::uint8_t buf[NenjiTable::kSize] = {};
  if (auto f = fs_->open(resolve(kMainDat), OpenMode::Read)) readZeroFilled(*f, 0, buf, sizeof buf);
  nenji.decode(buf);
  return nenji.nen[0] != 0;
}

void DataStore::saveYears() {
  checkAlive();
  std::uint8_t buf[NenjiTable::kSize];
  nenji.encode(buf);
  if (!writeWholeFile(*fs_, resolve(kMainDat), buf, sizeof buf)) fatal(1, kMainDat);
}

void DataStore::countMeetings() {
  checkAlive();
  for (int c = 0; c < kCourseCount; ++c) {
    meetingCount[c] = 0;
    shownMeeting[c] = 0;
    auto f = fs_->open(resolve(meetingFile(c)), OpenMode::Read);
    if (!f) fatal(2, meetingFile(c));
    meetingCount[c] = static_cast<int>(scanMeetingFile(*f, false).count());
  }
  course = 0;
}

void DataStore::readMeeting(int i) {
  checkAlive();
  auto f = fs_->open(resolve(meetingFile()), OpenMode::Read);
  if (!f) fatal(3, meetingFile());
  std::uint8_t buf[KaisaiRecord::kSize];
  readZeroFilled(*f, static_cast<std::uint64_t>(i) * KaisaiRecord::kSize, buf, sizeof buf);
  kaisai.decode(buf);
}

void DataStore::readRaceBlock(int i) {
  checkAlive();
  auto f = fs_->open(resolve(raceFile()), OpenMode::Read);
  if (!f) fatal(5, raceFile());
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  readZeroFilled(*f, static_cast<std::uint64_t>(i) * kRaceBlockSize, buf.data(), buf.size());
  for (int r = 0; r < kRacesPerDay; ++r) races[r].decode(buf.data() + r * RaceRecord::kSize);
}

void DataStore::writeRaceBlock(int i) {
  checkAlive();
  if (auto failed = ledger().writeRaces({year, course, i}, races)) fatal(failed->code, failed->path);
}

void DataStore::writeDay(int i) {
  checkAlive();
  if (auto failed = ledger().writeDay({year, course, i}, {kaisai, races})) fatal(failed->code, failed->path);
}

std::vector<KaisaiRecord> DataStore::readAllMeetings(int c, int fatalCode) {
  checkAlive();
  auto all = ledger().meetings(year, c);
  if (!all) fatal(fatalCode, all.failure().path);
  return std::move(*all);
}

DataStore::RaceBlocks::RaceBlocks(std::unique_ptr<File> f) : f_(std::move(f)), buf_(kRaceBlockSize) {}
DataStore::RaceBlocks::RaceBlocks(RaceBlocks&&) noexcept = default;
DataStore::RaceBlocks::~RaceBlocks() = default;

void DataStore::RaceBlocks::next(RaceBlock& out) {
  std::size_t got = f_->read(buf_.data(), buf_.size());
  std::fill(buf_.begin() + static_cast<std::ptrdiff_t>(got), buf_.end(), std::uint8_t{0});
  for (int r = 0; r < kRacesPerDay; ++r) out[r].decode(buf_.data() + r * RaceRecord::kSize);
}

DataStore::RaceBlocks DataStore::openRaceBlocks(int c) {
  checkAlive();
  auto f = fs_->open(resolve(raceFile(c)), OpenMode::Read);
  if (!f) fatal(5, raceFile(c));
  return RaceBlocks(std::move(f));
}

DataStore::Selection DataStore::saveSelection() const {
  Selection s{year, course, {}, {}, raceIndex};
  for (int c = 0; c < kCourseCount; ++c) {
    s.meetingCount[c] = meetingCount[c];
    s.shownMeeting[c] = shownMeeting[c];
  }
  return s;
}

void DataStore::restoreSelection(const Selection& s) {
  year = s.year;
  course = s.course;
  raceIndex = s.raceIndex;
  for (int c = 0; c < kCourseCount; ++c) {
    meetingCount[c] = s.meetingCount[c];
    shownMeeting[c] = s.shownMeeting[c];
  }
  readShown();
}

}  // namespace tovra
