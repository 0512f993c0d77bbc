#pragma once
// The ledger addressed by key: a meeting day is read and written as one value (its
// meeting record and its twelve races) under a DayKey, without any selection. Every
// operation returns its outcome: the value, or the numbered file error that stopped it
// (the caller decides what to show). Writes go through the day journal of the file layer:
// a day reads all old or all new after a crash at any point.
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/outcome.hpp"
#include "storage/records.hpp"

namespace tovra {

class FileSystem;

// A meeting day: year ("2018"), course 0..9, and its place in the course's meeting file.
struct DayKey {
  std::string year;
  int course = 0;
  int index = 0;
};

struct MeetingDay {
  KaisaiRecord meeting;
  RaceBlock races;
};

class Ledger {
 public:
  Ledger(std::filesystem::path root, FileSystem& fs) : root_(std::move(root)), fs_(fs) {}

  // The day at `key`; what the files do not hold reads as blank.
  Result<MeetingDay> readDay(const DayKey& key) const;
  // Single race records of one course's race file, read through one open file: race `r`
  // (0..11) of meeting `index` for each pair given, in their order (blank past the end).
  Result<std::vector<RaceRecord>> readRaces(const std::string& year, int course,
                                            const std::vector<std::pair<int, int>>& at) const;
  // Both records of the day together (the day journal); nullopt when written.
  std::optional<FileFailure> writeDay(const DayKey& key, const MeetingDay& day) const;
  // The race block alone (a change of the going leaves the meeting record as it is).
  std::optional<FileFailure> writeRaces(const DayKey& key, const RaceBlock& races) const;
  // Every meeting record of a course up to its end mark (code 2 when unreadable).
  Result<std::vector<KaisaiRecord>> meetings(const std::string& year, int course) const;
  // The index of the meeting of `course` held on month/day (a course holds one meeting
  // a date); nullopt when there is none.
  Result<std::optional<int>> findDay(const std::string& year, int course, int month, int day) const;

  // --- years and meetings (main window, year dialog, meeting dialogs, imports) ---
  // The number of meetings of every course of a year.
  using MeetingCounts = std::array<int, kCourseCount>;
  // Where a meeting day stands after its course was rewritten, and how many the course holds.
  struct MeetingPlace {
    int index = 0;
    int count = 0;
  };
  const std::filesystem::path& root() const { return root_; }
  FileSystem& fs() const { return fs_; }
  // root / logical path, matching existing components without regard to case.
  std::filesystem::path locate(const std::string& logical) const { return resolve(logical); }
  // main.dat; what the file does not hold reads as 0. A missing file reads all-zero and,
  // with `create`, is written so (code 1 when it cannot be).
  Result<NenjiTable> readYears(bool create) const;
  // main.dat replaced whole (code 1).
  std::optional<FileFailure> writeYears(const NenjiTable& years) const;
  // The meetings of every course of a year, each file up to its end mark (code 2).
  Result<MeetingCounts> countMeetings(const std::string& year) const;
  // The meetings of a course rewritten as a whole: both files replaced together, the
  // meetings sorted by date (equal dates in the order registered), each file ended by one
  // all-zero record. A damaged course is refused with the message naming its file and is
  // never rewritten. Codes: 3 / 5 reading, 4 / 6 replacing (8 / 10 when deleting).
  // Adds blank days with twelve blank races, each after the meetings of its date; the
  // place is the one of the last day given.
  Result<MeetingPlace> insertMeetings(const std::string& year, int course, const std::vector<KaisaiRecord>& days) const;
  // Puts `meeting` (a new date, its figures kept) in place of meeting `key.index` and moves
  // it with its races to its place by date; nothing written when the course holds no
  // meeting there (refused with an empty text).
  Result<MeetingPlace> replaceMeeting(const DayKey& key, const KaisaiRecord& meeting) const;
  // Removes meeting `key.index` with its races. Work files that cannot be made (or written
  // completely) are refused with kMeetingWorkFileText (storage/meeting_files.hpp) before the ledger changes; `started`
  // is called once they are made, before the course is read. A course holding fewer
  // meetings than `key.index` is refused with an empty text. The place is meeting 0.
  Result<MeetingPlace> deleteMeeting(const DayKey& key, const std::function<void()>& started = {}) const;

  // --- scans (tallies and searches) ---
  // One meeting day as a scan visits it.
  struct ScanDay {
    const DayKey& key;
    const KaisaiRecord& meeting;
    const RaceBlock* races;  // its twelve races, or nullptr when the scan reads meeting records only
  };
  struct ScanOptions {
    std::vector<int> courses = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};  // in this order, for every year
    bool withRaces = false;
    // Called before each course of each year is read (a progress step).
    std::function<void(const std::string& year, int course)> onCourse;
  };
  // Visits every meeting day of the years (in the order given) and courses: each meeting
  // record up to the all-zero record or the end of the file, and with `withRaces` its race
  // block, read one block at a time (a damaged file may claim any number of meetings). A
  // meeting file that cannot be opened stops the scan with code 3, a race file with 5;
  // what was visited before stays visited.
  Status scan(const std::vector<std::string>& years, const ScanOptions& options,
              const std::function<void(const ScanDay&)>& visit) const;

 private:
  std::filesystem::path resolve(const std::string& logical) const;
  std::optional<FileFailure> write(const DayKey& key, const MeetingDay& day, bool withMeeting) const;
  std::filesystem::path root_;
  FileSystem& fs_;
};

}  // namespace tovra
