#pragma once
// The data layer: the one in-memory state of the ledger for the whole run, and the
// record operations every window, dialog, tally and import goes through. Files are
// opened per operation and closed at once; there is no cache and no dirty flag.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ledger/ledger.hpp"
#include "ledger/records.hpp"

namespace tovra {

class File;
class FileSystem;

class DataStore {
 public:
  explicit DataStore(std::filesystem::path root = ".", FileSystem* fs = nullptr);

  // --- the in-memory state ---
  std::string year;  // current year text, e.g. "2001"
  NenjiTable nenji;
  int course = 0;  // current course 0..9
  int meetingCount[kCourseCount] = {};
  int shownMeeting[kCourseCount] = {};
  KaisaiRecord kaisai;  // the meeting day shown
  RaceBlock races;      // its twelve races
  int raceIndex = 0;    // race shown in the race window (0..11)

  int yearNumber() const;
  int shown() const { return shownMeeting[course]; }
  int count() const { return meetingCount[course]; }

  // The ledger under the same folder and file layer, addressed by key.
  Ledger ledger() const { return Ledger(root_, *fs_); }

  // --- paths ---
  const std::filesystem::path& root() const { return root_; }
  FileSystem& fs() const { return *fs_; }
  // root / logical path, matching existing components without regard to case.
  std::filesystem::path resolve(const std::string& logical) const;
  std::string meetingFile() const { return meetingFile(course); }
  std::string raceFile() const { return raceFile(course); }
  std::string meetingFile(int c) const;  // logical path for the current year
  std::string raceFile(int c) const;

  // --- operations (a failed open, or a failed write, throws FatalFileError) ---
  // Reads zero-fill what the file does not hold, so a short file never leaves the
  // previous meeting's data in the buffers. Writes check every step and are synced.
  void loadYears();           // main.dat, created all-zero when missing (fatal 1 when it cannot be)
  bool peekYears();           // main.dat when it is there, writing nothing; true when a year is registered
  void saveYears();           // replaced whole; fatal 1
  void countMeetings();       // fatal 2; afterwards course 0 and every shown index 0
  void readMeeting(int i);    // fatal 3
  void readRaceBlock(int i);  // fatal 5
  // The race block of meeting i alone (fatal 6), or with the meeting record (a failure
  // names the file that failed: fatal 6 for the race file, 4 for the meeting file). Both
  // are written through one journal: after a crash at any point the next open finds the
  // day all old or all new.
  void writeRaceBlock(int i);
  void writeDay(int i);
  // The shown meeting of the current course and its races.
  void readShown() {
    readMeeting(shown());
    readRaceBlock(shown());
  }
  void writeShown() { writeDay(shown()); }

  // Every record of a meeting file up to (not including) the all-zero record or the end
  // of the file: the bulk reader of tallies and searches.
  // fatalCode: 2 as when counting, 3 for the readers that stand for "read meeting i".
  std::vector<KaisaiRecord> readAllMeetings(int c, int fatalCode = 2);

  // The race blocks of course c read one after another from block 0; blocks the file
  // does not hold read as blank. Opening fails with fatal 5.
  class RaceBlocks {
   public:
    explicit RaceBlocks(std::unique_ptr<File> f);
    RaceBlocks(RaceBlocks&&) noexcept;
    ~RaceBlocks();
    void next(RaceBlock& out);

   private:
    std::unique_ptr<File> f_;
    std::vector<std::uint8_t> buf_;
  };
  RaceBlocks openRaceBlocks(int c);

  // Tallies and searches borrow the selection and give it back.
  struct Selection {
    std::string year;
    int course;
    int meetingCount[kCourseCount];
    int shownMeeting[kCourseCount];
    int raceIndex;
  };
  Selection saveSelection() const;
  void restoreSelection(const Selection& s);  // and re-reads the meeting day shown

  // After a fatal error no ledger file is opened or written again.
  [[noreturn]] void fatal(int code, const std::string& path);
  bool dead() const { return dead_; }

 private:
  std::filesystem::path root_;
  FileSystem* fs_;
  bool dead_ = false;
  void checkAlive();
};

}  // namespace tovra
