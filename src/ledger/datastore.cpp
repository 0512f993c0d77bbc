#include "ledger/datastore.hpp"

#include <cstdlib>

#include "ledger/fatal_error.hpp"
#include "ledger/fileio.hpp"
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

void DataStore::loadYears() {
  checkAlive();
  auto p = resolve(kMainDat);
  if (auto f = fs_->open(p, OpenMode::Read)) {
    std::uint8_t buf[NenjiTable::kSize];
    nenji.encode(buf);  // a short file leaves the rest as it was
    f->read(buf, sizeof buf);
    nenji.decode(buf);
    return;
  }
  // Missing: create it with the (all-zero) table.
  if (auto f = fs_->open(p, OpenMode::Create)) {
    std::uint8_t buf[NenjiTable::kSize];
    nenji.encode(buf);
    f->write(buf, sizeof buf);
  }
}

void DataStore::saveYears() {
  checkAlive();
  auto f = fs_->open(resolve(kMainDat), OpenMode::Create);
  if (!f) fatal(1, kMainDat);
  std::uint8_t buf[NenjiTable::kSize];
  nenji.encode(buf);
  f->write(buf, sizeof buf);
}

void DataStore::countMeetings() {
  checkAlive();
  for (int c = 0; c < kCourseCount; ++c) {
    meetingCount[c] = 0;
    shownMeeting[c] = 0;
    auto f = fs_->open(resolve(meetingFile(c)), OpenMode::Read);
    if (!f) fatal(2, meetingFile(c));
    // Stop at the first record whose date is 0 or at the end of the file: a file copied
    // without its terminator must not be read past its end.
    std::uint8_t buf[KaisaiRecord::kSize];
    while (f->read(buf, sizeof buf) == sizeof buf) {
      if ((buf[0] | buf[1]) == 0) break;
      ++meetingCount[c];
    }
  }
  course = 0;
}

void DataStore::readMeeting(int i) {
  checkAlive();
  auto f = fs_->open(resolve(meetingFile()), OpenMode::Read);
  if (!f) fatal(3, meetingFile());
  std::uint8_t buf[KaisaiRecord::kSize];
  kaisai.encode(buf);  // a short read leaves the rest of the buffer unchanged
  if (f->seek(static_cast<std::uint64_t>(i) * KaisaiRecord::kSize)) f->read(buf, sizeof buf);
  kaisai.decode(buf);
}

void DataStore::writeMeeting(int i) {
  checkAlive();
  auto f = fs_->open(resolve(meetingFile()), OpenMode::Update);
  if (!f) fatal(4, meetingFile());
  std::uint8_t buf[KaisaiRecord::kSize];
  kaisai.encode(buf);
  if (f->seek(static_cast<std::uint64_t>(i) * KaisaiRecord::kSize)) f->write(buf, sizeof buf);
}

void DataStore::readRaceBlock(int i) {
  checkAlive();
  auto f = fs_->open(resolve(raceFile()), OpenMode::Read);
  if (!f) fatal(5, raceFile());
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  for (int r = 0; r < kRacesPerDay; ++r) races[r].encode(buf.data() + r * RaceRecord::kSize);
  if (f->seek(static_cast<std::uint64_t>(i) * kRaceBlockSize)) f->read(buf.data(), buf.size());
  for (int r = 0; r < kRacesPerDay; ++r) races[r].decode(buf.data() + r * RaceRecord::kSize);
}

void DataStore::writeRaceBlock(int i) {
  checkAlive();
  auto f = fs_->open(resolve(raceFile()), OpenMode::Update);
  if (!f) fatal(6, raceFile());
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  for (int r = 0; r < kRacesPerDay; ++r) races[r].encode(buf.data() + r * RaceRecord::kSize);
  if (f->seek(static_cast<std::uint64_t>(i) * kRaceBlockSize)) f->write(buf.data(), buf.size());
}

std::vector<KaisaiRecord> DataStore::readAllMeetings(int c, int fatalCode) {
  checkAlive();
  std::vector<std::uint8_t> data;
  if (!readWholeFile(*fs_, resolve(meetingFile(c)), data)) fatal(fatalCode, meetingFile(c));
  std::vector<KaisaiRecord> out;
  for (std::size_t off = 0; off + KaisaiRecord::kSize <= data.size(); off += KaisaiRecord::kSize) {
    KaisaiRecord k;
    k.decode(data.data() + off);
    if (k.tsukiHi == 0) break;
    out.push_back(k);
  }
  return out;
}

std::vector<RaceBlock> DataStore::readAllRaceBlocks(int c, std::size_t n) {
  checkAlive();
  auto f = fs_->open(resolve(raceFile(c)), OpenMode::Read);
  if (!f) fatal(5, raceFile(c));
  std::vector<RaceBlock> out(n);
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t got = f->read(buf.data(), buf.size());
    if (got < buf.size()) std::fill(buf.begin() + static_cast<std::ptrdiff_t>(got), buf.end(), 0);
    for (int r = 0; r < kRacesPerDay; ++r) out[i][r].decode(buf.data() + r * RaceRecord::kSize);
    if (got < buf.size()) break;
  }
  return out;
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
