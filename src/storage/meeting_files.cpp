#include "storage/meeting_files.hpp"

#include <algorithm>
#include <numeric>

#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"

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

Result<CourseFiles> CourseFiles::read(const Ledger& ledger, const std::string& year, int course) {
  const std::string meetingFile = meetingFilePath(year, course), raceFile = raceFilePath(year, course);
  CourseFiles f;
  {
    auto in = ledger.fs().open(ledger.locate(meetingFile), OpenMode::Read);
    if (!in) return FileFailure{3, meetingFile};
    MeetingScan scan = scanMeetingFile(*in, true);
    if (scan.damage != CourseDamage::None)
      return Refusal{MsgIcon::Error, courseDamageMessage(scan.damage, meetingFile, raceFile)};
    for (std::size_t i = 0; i < scan.count(); ++i) f.dates_.push_back(scan.tsukiHi(i));
    f.meetings_ = std::move(scan.records);
  }
  {
    auto in = ledger.fs().open(ledger.locate(raceFile), OpenMode::Read);
    if (!in) return FileFailure{5, raceFile};
    // Checked first: the file's size, not the meeting count alone, bounds what is read.
    CourseDamage d = checkRaceFile(*in, f.count());
    if (d != CourseDamage::None) return Refusal{MsgIcon::Error, courseDamageMessage(d, meetingFile, raceFile)};
    f.races_.assign(f.count() * kRaceBlockSize, 0);
    if (!in->seek(0) || in->read(f.races_.data(), f.races_.size()) != f.races_.size()) return FileFailure{5, raceFile};
  }
  return f;
}

// ---------------------------------------------------------------- CourseRewrite

CourseRewrite::CourseRewrite(const Ledger& ledger, const std::string& year, int course)
    : fs_(ledger.fs()),
      meeting_(ledger.fs(), ledger.locate(meetingFilePath(year, course))),
      race_(ledger.fs(), ledger.locate(raceFilePath(year, course))) {}

CourseRewrite::Which CourseRewrite::readOnly() const {
  if (!fs_.writable(meeting_.target())) return Which::Meeting;
  if (!fs_.writable(race_.target())) return Which::Race;
  return Which::None;
}

CourseRewrite::Which CourseRewrite::create() {
  if (!meeting_.open()) return Which::Meeting;
  if (!race_.open()) return Which::Race;
  return Which::None;
}

namespace {
// The records, then the all-zero record or block that ends the file; synced and closed.
bool writeAll(StagedFile& f, const std::vector<std::uint8_t>& records, std::size_t terminatorSize) {
  static const std::vector<std::uint8_t> zeros(kRaceBlockSize, 0);
  return f.write(records.data(), records.size()) && f.write(zeros.data(), terminatorSize) && f.finish();
}
}  // namespace

CourseRewrite::Which CourseRewrite::write(const CourseFiles& files) {
  if (!writeAll(meeting_, files.meetingBytes(), KaisaiRecord::kSize)) return Which::Meeting;
  if (!writeAll(race_, files.raceBytes(), kRaceBlockSize)) return Which::Race;
  return Which::None;
}

CourseRewrite::Which CourseRewrite::commit() {
  if (commitTogether(fs_, commitMarkFor(meeting_.target()), {&meeting_, &race_})) return Which::None;
  return meeting_.placed() ? Which::Race : Which::Meeting;
}

}  // namespace tovra
