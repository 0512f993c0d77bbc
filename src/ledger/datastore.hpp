#pragma once
// The data layer: the one in-memory state of the ledger for the whole run, and the
// record operations every window, dialog, tally and import goes through. Files are
// opened per operation and closed at once; there is no cache and no dirty flag.
#include <filesystem>
#include <string>
#include <vector>

#include "ledger/records.hpp"

namespace tovra {

class FileSystem;

class DataStore {
 public:
  explicit DataStore(std::filesystem::path root = ".", FileSystem* fs = nullptr);

  // --- the in-memory state ---
  std::string year;                 // current year text, e.g. "2001"
  NenjiTable nenji;
  int course = 0;                   // current course 0..9
  int meetingCount[kCourseCount] = {};
  int shownMeeting[kCourseCount] = {};
  KaisaiRecord kaisai;              // the meeting day shown
  RaceBlock races;                  // its twelve races
  int raceIndex = 0;                // race shown in the race window (0..11)

  int yearNumber() const;
  int shown() const { return shownMeeting[course]; }
  int count() const { return meetingCount[course]; }

  // --- paths ---
  const std::filesystem::path& root() const { return root_; }
  FileSystem& fs() const { return *fs_; }
  // root / logical path, matching existing components without regard to case.
  std::filesystem::path resolve(const std::string& logical) const;
  std::string meetingFile() const { return meetingFile(course); }
  std::string raceFile() const { return raceFile(course); }
  std::string meetingFile(int c) const;  // logical path for the current year
  std::string raceFile(int c) const;

  // --- operations (a failed open throws FatalFileError) ---
  void loadYears();               // main.dat, created all-zero when missing
  void saveYears();               // fatal 1
  void countMeetings();           // fatal 2; afterwards course 0 and every shown index 0
  void readMeeting(int i);        // fatal 3
  void writeMeeting(int i);       // fatal 4
  void readRaceBlock(int i);      // fatal 5
  void writeRaceBlock(int i);     // fatal 6
  // The shown meeting of the current course and its races.
  void readShown() { readMeeting(shown()); readRaceBlock(shown()); }
  void writeShown() { writeMeeting(shown()); writeRaceBlock(shown()); }

  // Every record of a meeting file up to (not including) the all-zero record or the end
  // of the file, and the race blocks that belong to them: the bulk readers of tallies and
  // searches. A race file shorter than its meetings gives blank blocks for the missing ones.
  // fatalCode: 2 as when counting, 3 for the readers that stand for "read meeting i".
  std::vector<KaisaiRecord> readAllMeetings(int c, int fatalCode = 2);
  std::vector<RaceBlock> readAllRaceBlocks(int c, std::size_t n);  // fatal 5

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
