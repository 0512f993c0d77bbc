#include "storage/ledger.hpp"

#include <algorithm>

#include "storage/fileio.hpp"
#include "storage/meeting_scan.hpp"
#include "storage/paths.hpp"

namespace tovra {
namespace {

// n bytes from `offset`; whatever the file does not hold reads as 0.
void readZeroFilled(File& f, std::uint64_t offset, std::uint8_t* buf, std::size_t n) {
  std::size_t got = f.seek(offset) ? f.read(buf, n) : 0;
  std::fill(buf + got, buf + n, std::uint8_t{0});
}

}  // namespace

std::filesystem::path Ledger::resolve(const std::string& logical) const { return resolvePath(fs_, root_, logical); }

Result<MeetingDay> Ledger::readDay(const DayKey& key) const {
  MeetingDay day;
  const std::string meetingFile = meetingFilePath(key.year, key.course), raceFile = raceFilePath(key.year, key.course);
  {
    auto f = fs_.open(resolve(meetingFile), OpenMode::Read);
    if (!f || key.index < 0) return FileFailure{3, meetingFile};
    std::uint8_t buf[KaisaiRecord::kSize];
    readZeroFilled(*f, static_cast<std::uint64_t>(key.index) * KaisaiRecord::kSize, buf, sizeof buf);
    day.meeting.decode(buf);
  }
  auto f = fs_.open(resolve(raceFile), OpenMode::Read);
  if (!f) return FileFailure{5, raceFile};
  std::vector<std::uint8_t> buf(kRaceBlockSize);
  readZeroFilled(*f, static_cast<std::uint64_t>(key.index) * kRaceBlockSize, buf.data(), buf.size());
  for (int r = 0; r < kRacesPerDay; ++r) day.races[r].decode(buf.data() + r * RaceRecord::kSize);
  return day;
}

Result<std::vector<RaceRecord>> Ledger::readRaces(const std::string& year, int course,
                                                  const std::vector<std::pair<int, int>>& at) const {
  const std::string raceFile = raceFilePath(year, course);
  auto f = fs_.open(resolve(raceFile), OpenMode::Read);
  if (!f) return FileFailure{5, raceFile};
  std::vector<RaceRecord> out(at.size());
  std::uint8_t buf[RaceRecord::kSize];
  for (std::size_t i = 0; i < at.size(); ++i) {
    const auto [index, r] = at[i];
    if (index < 0 || r < 0 || r >= kRacesPerDay) return FileFailure{5, raceFile};
    readZeroFilled(
        *f, static_cast<std::uint64_t>(index) * kRaceBlockSize + static_cast<std::uint64_t>(r) * RaceRecord::kSize, buf,
        sizeof buf);
    out[i].decode(buf);
  }
  return out;
}

std::optional<FileFailure> Ledger::writeDay(const DayKey& key, const MeetingDay& day) const {
  return write(key, day, true);
}

std::optional<FileFailure> Ledger::writeRaces(const DayKey& key, const RaceBlock& races) const {
  MeetingDay day;
  day.races = races;
  return write(key, day, false);
}

std::optional<FileFailure> Ledger::write(const DayKey& key, const MeetingDay& day, bool withMeeting) const {
  const std::string meetingFile = meetingFilePath(key.year, key.course), raceFile = raceFilePath(key.year, key.course);
  if (key.index < 0) return FileFailure{6, raceFile};
  const std::filesystem::path racePath = resolve(raceFile);
  std::vector<InPlacePiece> pieces(1);
  pieces[0].path = racePath;
  pieces[0].offset = static_cast<std::uint64_t>(key.index) * kRaceBlockSize;
  pieces[0].bytes.resize(kRaceBlockSize);
  for (int r = 0; r < kRacesPerDay; ++r) day.races[r].encode(pieces[0].bytes.data() + r * RaceRecord::kSize);
  if (withMeeting) {
    InPlacePiece meeting;
    // Beside the race file: a ledger copied from Windows may spell the folder otherwise.
    meeting.path = racePath.parent_path() / resolve(meetingFile).filename();
    meeting.offset = static_cast<std::uint64_t>(key.index) * KaisaiRecord::kSize;
    meeting.bytes.resize(KaisaiRecord::kSize);
    day.meeting.encode(meeting.bytes.data());
    pieces.push_back(std::move(meeting));
  }
  std::filesystem::path failed;
  if (updateTogether(fs_, journalFor(racePath), pieces, &failed)) return std::nullopt;
  if (withMeeting && failed == pieces[1].path) return FileFailure{4, meetingFile};
  return FileFailure{6, raceFile};
}

Result<std::vector<KaisaiRecord>> Ledger::meetings(const std::string& year, int course) const {
  const std::string file = meetingFilePath(year, course);
  auto f = fs_.open(resolve(file), OpenMode::Read);
  if (!f) return FileFailure{2, file};
  const MeetingScan scan = scanMeetingFile(*f, false);
  std::vector<KaisaiRecord> out(scan.count());
  for (std::size_t i = 0; i < out.size(); ++i) out[i].decode(scan.record(i));
  return out;
}

Result<std::optional<int>> Ledger::findDay(const std::string& year, int course, int month, int day) const {
  auto all = meetings(year, course);
  if (!all) return all.failure();
  const int tsukiHi = month * 100 + day;
  for (std::size_t i = 0; i < all->size(); ++i)
    if ((*all)[i].tsukiHi == tsukiHi) return std::optional<int>(static_cast<int>(i));
  return std::optional<int>();
}

}  // namespace tovra
