#pragma once
// A test's way through a ledger folder: one meeting day in hand (course, meeting index,
// its records) read and written by that place, as the fixtures build and check ledgers.
// It goes through the same Ledger as the program; failures end as the program's do
// (FatalFileError with the code).
#include <filesystem>
#include <string>
#include <vector>

#include "features/main/main_selection.hpp"
#include "storage/datastore.hpp"

namespace tovra {

class LedgerCursor : public DataStore {
 public:
  using DataStore::DataStore;

  int course = 0;
  int meetingCount[kCourseCount] = {};
  int shownMeeting[kCourseCount] = {};
  KaisaiRecord kaisai;
  RaceBlock races;

  int shown() const { return shownMeeting[course]; }
  int count() const { return meetingCount[course]; }
  DayKey key() const { return DayKey{year, course, shown()}; }
  DayKey key(int index) const { return DayKey{year, course, index}; }
  MeetingDay day() const { return MeetingDay{kaisai, races}; }

  std::string meetingFile() const { return meetingFile(course); }
  std::string raceFile() const { return raceFile(course); }
  std::string meetingFile(int c) const;  // logical path in the open year
  std::string raceFile(int c) const;

  void countMeetings();       // fatal 2; afterwards course 0 and every shown index 0
  void readMeeting(int i);    // fatal 3
  void readRaceBlock(int i);  // fatal 5
  void writeRaceBlock(int i);
  void writeDay(int i);
  void readShown() {
    readMeeting(shown());
    readRaceBlock(shown());
  }
  void writeShown() { writeDay(shown()); }
  std::vector<KaisaiRecord> readAllMeetings(int c, int fatalCode = 2);

  // The main window's selection as this cursor holds it, and the cursor set to one.
  MainSelection selection() const;
  void follow(const MainSelection& sel);
};

}  // namespace tovra
