// The years file main.dat and the meeting counts of a year.
#include <algorithm>

#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/meeting_scan.hpp"
#include "storage/paths.hpp"

namespace tovra {

Result<NenjiTable> Ledger::readYears(bool create) const {
  std::uint8_t buf[NenjiTable::kSize] = {};
  NenjiTable table;
  const auto p = resolve(kMainDat);
  if (auto f = fs_.open(p, OpenMode::Read)) {
    const std::size_t got = f->seek(0) ? f->read(buf, sizeof buf) : 0;
    std::fill(buf + got, buf + sizeof buf, std::uint8_t{0});
  } else if (create && !writeWholeFile(fs_, p, buf, sizeof buf)) {
    return FileFailure{1, kMainDat};
  }
  table.decode(buf);
  return table;
}

std::optional<FileFailure> Ledger::writeYears(const NenjiTable& years) const {
  std::uint8_t buf[NenjiTable::kSize];
  years.encode(buf);
  if (!writeWholeFile(fs_, resolve(kMainDat), buf, sizeof buf)) return FileFailure{1, kMainDat};
  return std::nullopt;
}

Result<Ledger::MeetingCounts> Ledger::countMeetings(const std::string& year) const {
  MeetingCounts counts{};
  for (int c = 0; c < kCourseCount; ++c) {
    const std::string file = meetingFilePath(year, c);
    auto f = fs_.open(resolve(file), OpenMode::Read);
    if (!f) return FileFailure{2, file};
    counts[static_cast<std::size_t>(c)] = static_cast<int>(scanMeetingFile(*f, false).count());
  }
  return counts;
}

}  // namespace tovra
