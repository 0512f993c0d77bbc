#include "entry/meeting_files.hpp"

#include <algorithm>
#include <numeric>

#include "ledger/bytes.hpp"
#include "ledger/datastore.hpp"
#include "ledger/fatal_error.hpp"
#include "ledger/fileio.hpp"

namespace tovra {

// ---------------------------------------------------------------- CourseFiles

void CourseFiles::append(const KaisaiRecord& k, const std::uint8_t* block) {
  std::size_t at = meetings_.size();
  meetings_.resize(at + KaisaiRecord::kSize);
  k.encode(meetings_.data() + at);
  dates_.push_back(k.tsukiHi);
  if (block)
    races_.insert(races_.end(), block, block + kRaceBlockSize);
  else
    races_.resize(races_.size() + kRaceBlockSize, 0);
}

void CourseFiles::setMeeting(std::size_t i, const KaisaiRecord& k) {
  k.encode(meetings_.data() + i * KaisaiRecord::kSize);
  dates_[i] = k.tsukiHi;
}

void CourseFiles::erase(std::size_t i) {
  auto m = meetings_.begin() + static_cast<std::ptrdiff_t>(i * KaisaiRecord::kSize);
  meetings_.erase(m, m + KaisaiRecord::kSize);
  auto r = races_.begin() + static_cast<std::ptrdiff_t>(i * kRaceBlockSize);
  races_.erase(r, r + kRaceBlockSize);
  dates_.erase(dates_.begin() + static_cast<std::ptrdiff_t>(i));
}

std::size_t CourseFiles::sortByDate(std::size_t follow) {
  std::vector<std::size_t> order(count());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) { return dates_[a] < dates_[b]; });
  if (std::is_sorted(order.begin(), order.end())) return follow;

  CourseFiles sorted;
  sorted.dates_.reserve(count());
  sorted.meetings_.reserve(meetings_.size());
  sorted.races_.reserve(races_.size());
  std::size_t followed = follow;
  for (std::size_t to = 0; to < order.size(); ++to) {
    std::size_t from = order[to];
    if (from == follow) followed = to;
    sorted.dates_.push_back(dates_[from]);
    sorted.meetings_.insert(sorted.meetings_.end(), meeting(from), meeting(from) + KaisaiRecord::kSize);
    sorted.races_.insert(sorted.races_.end(), block(from), block(from) + kRaceBlockSize);
  }
  *this = std::move(sorted);
  return followed;
}

CourseFiles CourseFiles::read(DataStore& ds, int course) {
  if (ds.dead()) throw FatalFileError(0, "");
  CourseFiles f;
  {
    auto in = ds.fs().open(ds.resolve(ds.meetingFile(course)), OpenMode::Read);
    if (!in) ds.fatal(3, ds.meetingFile(course));
    std::uint8_t rec[KaisaiRecord::kSize];
    while (in->read(rec, sizeof rec) == sizeof rec) {
      std::uint16_t date = bytes::getU16(rec, kaisai_off::tsukiHi);
      if (date == 0) break;
      f.dates_.push_back(date);
      f.meetings_.insert(f.meetings_.end(), rec, rec + sizeof rec);
    }
  }
  {
    auto in = ds.fs().open(ds.resolve(ds.raceFile(course)), OpenMode::Read);
    if (!in) ds.fatal(5, ds.raceFile(course));
    f.races_.assign(f.count() * kRaceBlockSize, 0);
    in->read(f.races_.data(), f.races_.size());  // the rest stays blank when the file ends early
  }
  return f;
}

// ---------------------------------------------------------------- CourseRewrite

std::filesystem::path workFileFor(const std::filesystem::path& ledgerFile) {
  std::filesystem::path p = ledgerFile;
  p += ".tmp";
  return p;
}

CourseRewrite::CourseRewrite(DataStore& ds, int course)
    : ds_(ds),
      meetingPath_(ds.resolve(ds.meetingFile(course))),
      racePath_(ds.resolve(ds.raceFile(course))),
      meetingWork_(workFileFor(meetingPath_)),
      raceWork_(workFileFor(racePath_)) {}

CourseRewrite::~CourseRewrite() { removeWork(); }

void CourseRewrite::removeWork() {
  meetingFile_.reset();
  raceFile_.reset();
  if (meetingWorkLeft_) ds_.fs().remove(meetingWork_);
  if (raceWorkLeft_) ds_.fs().remove(raceWork_);
  meetingWorkLeft_ = raceWorkLeft_ = false;
}

CourseRewrite::Which CourseRewrite::create() {
  meetingFile_ = ds_.fs().open(meetingWork_, OpenMode::Create);
  if (!meetingFile_) return Which::Meeting;
  meetingWorkLeft_ = true;
  raceFile_ = ds_.fs().open(raceWork_, OpenMode::Create);
  if (!raceFile_) {
    removeWork();
    return Which::Race;
  }
  raceWorkLeft_ = true;
  return Which::None;
}

namespace {
// The records, then the all-zero record or block that ends the file; flushed to the disk.
bool writeAll(File& f, const std::vector<std::uint8_t>& records, std::size_t terminatorSize) {
  static const std::vector<std::uint8_t> zeros(kRaceBlockSize, 0);
  return f.write(records.data(), records.size()) && f.write(zeros.data(), terminatorSize) && f.flush();
}
}  // namespace

CourseRewrite::Which CourseRewrite::write(const CourseFiles& files) {
  if (!meetingFile_ || !raceFile_) return Which::Meeting;
  Which failed = Which::None;
  if (!writeAll(*meetingFile_, files.meetingBytes(), KaisaiRecord::kSize))
    failed = Which::Meeting;
  else if (!writeAll(*raceFile_, files.raceBytes(), kRaceBlockSize))
    failed = Which::Race;
  meetingFile_.reset();
  raceFile_.reset();
  if (failed != Which::None) removeWork();
  return failed;
}

CourseRewrite::Which CourseRewrite::replace(const std::vector<std::uint8_t>& before) {
  if (!ds_.fs().rename(meetingWork_, meetingPath_)) {
    removeWork();
    return Which::Meeting;
  }
  meetingWorkLeft_ = false;
  if (!ds_.fs().rename(raceWork_, racePath_)) {
    removeWork();
    // Put the old meeting file back: a meeting file without the race file that belongs
    // to it would show every later meeting with the races of another.
    if (auto f = ds_.fs().open(meetingWork_, OpenMode::Create)) {
      bool ok = writeAll(*f, before, KaisaiRecord::kSize);
      f.reset();
      if (!ok || !ds_.fs().rename(meetingWork_, meetingPath_)) ds_.fs().remove(meetingWork_);
    }
    return Which::Race;
  }
  raceWorkLeft_ = false;
  return Which::None;
}

}  // namespace tovra
