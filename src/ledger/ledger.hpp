#pragma once
// The ledger addressed by key: a meeting day is read and written as one value (its
// meeting record and its twelve races) under a DayKey, without any selection. Every
// operation returns its outcome: the value, or the numbered file error that stopped it
// (the caller decides what to show). Writes go through the day journal of the file layer:
// a day reads all old or all new after a crash at any point.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ledger/outcome.hpp"
#include "ledger/records.hpp"

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
  // Both records of the day together (the day journal); nullopt when written.
  std::optional<FileFailure> writeDay(const DayKey& key, const MeetingDay& day) const;
  // The race block alone (a change of the going leaves the meeting record as it is).
  std::optional<FileFailure> writeRaces(const DayKey& key, const RaceBlock& races) const;
  // Every meeting record of a course up to its end mark (code 2 when unreadable).
  Result<std::vector<KaisaiRecord>> meetings(const std::string& year, int course) const;
  // The index of the meeting of `course` held on month/day (a course holds one meeting
  // a date); nullopt when there is none.
  Result<std::optional<int>> findDay(const std::string& year, int course, int month, int day) const;

 private:
  std::filesystem::path resolve(const std::string& logical) const;
  std::optional<FileFailure> write(const DayKey& key, const MeetingDay& day, bool withMeeting) const;
  std::filesystem::path root_;
  FileSystem& fs_;
};

}  // namespace tovra
