#include <algorithm>

#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/meeting_scan.hpp"
#include "storage/paths.hpp"

namespace tovra {

Status Ledger::scan(const std::vector<std::string>& years, const ScanOptions& options,
                    const std::function<void(const ScanDay&)>& visit) const {
  std::vector<std::uint8_t> block(kRaceBlockSize);
  KaisaiRecord meeting;
  RaceBlock races;
  for (const std::string& year : years) {
    for (int course : options.courses) {
      if (options.onCourse) options.onCourse(year, course);
      const std::string meetingFile = meetingFilePath(year, course);
      auto mf = fs_.open(resolve(meetingFile), OpenMode::Read);
      if (!mf) return FileFailure{3, meetingFile};
      const MeetingScan found = scanMeetingFile(*mf, false);
      mf.reset();
      if (found.count() == 0) continue;
      std::unique_ptr<File> rf;
      if (options.withRaces) {
        const std::string raceFile = raceFilePath(year, course);
        rf = fs_.open(resolve(raceFile), OpenMode::Read);
        if (!rf) return FileFailure{5, raceFile};
      }
      DayKey key{year, course, 0};
      for (std::size_t i = 0; i < found.count(); ++i) {
        meeting.decode(found.record(i));
        if (rf) {
          // What the file does not hold reads as blank.
          const std::size_t got = rf->read(block.data(), block.size());
          std::fill(block.begin() + static_cast<std::ptrdiff_t>(got), block.end(), std::uint8_t{0});
          for (int r = 0; r < kRacesPerDay; ++r) races[r].decode(block.data() + r * RaceRecord::kSize);
        }
        key.index = static_cast<int>(i);
        visit(ScanDay{key, meeting, rf ? &races : nullptr});
      }
    }
  }
  return Done{};
}

}  // namespace tovra
