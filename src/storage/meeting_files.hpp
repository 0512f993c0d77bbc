#pragma once
// Both ledger files of one course, held whole in memory while a meeting is registered,
// edited or deleted. Each file is read once and written once, so the work grows with
// the number of meetings and not with its square.
//
// The course changes all or nothing across its two files: both new files are written
// completely beside the old ones (same folder, so the renames are atomic) and synced, a
// small commit mark is written, and only then are they renamed over the old ones. A crash
// before the mark leaves the old course (the next open removes the new files), a crash
// after it the new one (the next open completes the renames).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/meeting_scan.hpp"
#include "storage/records.hpp"

namespace tovra {

// The refusal of a deletion whose work files cannot be made (or written completely).
inline constexpr const char* kMeetingWorkFileText = "開催ﾃﾞｰﾀ削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。";

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

  // Reads the meeting file up to its all-zero record and as many race blocks, for a
  // rewrite. Code 3 / 5 when a file cannot be opened; a course whose files are damaged is
  // refused (the message names the file) before anything is read from the race file: a
  // rewrite would keep only what the reading found and drop the rest.
  static Result<CourseFiles> read(const Ledger& ledger, const std::string& year, int course);

 private:
  std::vector<std::uint16_t> dates_;
  std::vector<std::uint8_t> meetings_;
  std::vector<std::uint8_t> races_;
};

// Replacing the two files of a course: staged files beside them, a commit mark, renames.
class CourseRewrite {
 public:
  enum class Which { None, Meeting, Race };

  CourseRewrite(const Ledger& ledger, const std::string& year, int course);

  // The first of the two files the user made read-only (None: both may be replaced).
  Which readOnly() const;

  // Creates both staged files (empty). On failure nothing is left behind.
  Which create();
  // Writes the images into the staged files and syncs them. On failure the staged files
  // are removed (with the CourseRewrite) and the ledger is as it was.
  Which write(const CourseFiles& files);
  // Writes the commit mark and renames both files into place. Meeting: nothing changed
  // (the mark could not be written) or the meeting file could not be replaced; Race: the
  // race file could not be replaced. After a failed rename the mark stays, and the next
  // open of the ledger completes the change.
  Which commit();

  const std::filesystem::path& meetingPath() const { return meeting_.target(); }
  const std::filesystem::path& racePath() const { return race_.target(); }

 private:
  FileSystem& fs_;
  StagedFile meeting_, race_;
};

}  // namespace tovra
