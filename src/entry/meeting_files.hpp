#pragma once
// Both ledger files of one course, held whole in memory while a meeting is registered,
// edited or deleted. Each file is read once and written once, so the work grows with
// the number of meetings and not with its square.
//
// The new files are written completely beside the old ones (same folder, so the rename
// is atomic), flushed to the disk, and only then put in place of the old ones by rename:
// a crash or a full disk leaves either the old ledger or the new one, never half of each
// file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "ledger/records.hpp"

namespace tovra {

class DataStore;
class File;

// The meetings of a course up to the all-zero record, with their race blocks, as raw
// bytes: records move between places unchanged, byte for byte.
class CourseFiles {
 public:
  std::size_t count() const { return dates_.size(); }
  std::uint16_t tsukiHi(std::size_t i) const { return dates_[i]; }
  const std::uint8_t* meeting(std::size_t i) const { return meetings_.data() + i * KaisaiRecord::kSize; }
  const std::uint8_t* block(std::size_t i) const { return races_.data() + i * kRaceBlockSize; }

  void append(const KaisaiRecord& k, const std::uint8_t* block);  // block nullptr: twelve blank races
  void setMeeting(std::size_t i, const KaisaiRecord& k);
  void erase(std::size_t i);
  // Sorts by tsukiHi keeping the order of equal dates, which is what repeated exchange
  // passes of neighbours with a smaller date after a larger one give. Returns the new
  // place of the meeting that stood at `follow`.
  std::size_t sortByDate(std::size_t follow);

  // The records as they follow one another in the files, without the all-zero record and
  // block that end them.
  const std::vector<std::uint8_t>& meetingBytes() const { return meetings_; }
  const std::vector<std::uint8_t>& raceBytes() const { return races_; }

  // Reads the meeting file up to its all-zero record (or its end) and as many race blocks;
  // a race file that ends early gives blank blocks. Fatal 3 / 5 when a file cannot be opened.
  static CourseFiles read(DataStore& ds, int course);

 private:
  std::vector<std::uint16_t> dates_;
  std::vector<std::uint8_t> meetings_;
  std::vector<std::uint8_t> races_;
};

// Replacing the two files of a course: work files beside them, then rename.
class CourseRewrite {
 public:
  enum class Which { None, Meeting, Race };

  CourseRewrite(DataStore& ds, int course);
  ~CourseRewrite();  // removes work files that were not put in place
  CourseRewrite(const CourseRewrite&) = delete;
  CourseRewrite& operator=(const CourseRewrite&) = delete;

  // Creates both work files (empty). On failure nothing is left behind.
  Which create();
  // Writes the images into the work files and flushes them to the disk. On failure both
  // work files are removed and the ledger is as it was.
  Which write(const CourseFiles& files);
  // Puts the work files in place of the meeting file, then of the race file. When the
  // race file cannot be replaced, the meeting file is put back (its records as they were,
  // `before`) so that the two files still belong together.
  Which replace(const std::vector<std::uint8_t>& before);

  const std::filesystem::path& meetingPath() const { return meetingPath_; }
  const std::filesystem::path& racePath() const { return racePath_; }
  const std::filesystem::path& meetingWork() const { return meetingWork_; }
  const std::filesystem::path& raceWork() const { return raceWork_; }

 private:
  DataStore& ds_;
  std::filesystem::path meetingPath_, racePath_, meetingWork_, raceWork_;
  std::unique_ptr<File> meetingFile_, raceFile_;
  bool meetingWorkLeft_ = false, raceWorkLeft_ = false;
  void removeWork();
};

// The work file next to a ledger file.
std::filesystem::path workFileFor(const std::filesystem::path& ledgerFile);

}  // namespace tovra
