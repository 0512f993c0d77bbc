#pragma once
// The one way tests lay out a ledger, for the core tests and the form tests alike: a
// temporary working folder with registered years and their twenty files, meeting and
// race files written from records built in the test (which can also be unterminated or
// damaged), the settings file, and a data layer opened over it as start-up leaves it.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ledger_cursor.hpp"
#include "common/temp_dir.hpp"
#include "storage/paths.hpp"
#include "storage/records.hpp"
#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"

namespace tovra::testing {

class LedgerBuilder {
 public:
  // An empty working folder (nothing created in it yet).
  LedgerBuilder() = default;
  // A ledger with these years registered (see registerYears).
  explicit LedgerBuilder(std::vector<int> years) { registerYears(std::move(years)); }

  const std::filesystem::path& root() const { return dir_.path(); }
  std::filesystem::path operator/(const std::string& rel) const { return root() / rel; }

  // The ledger folders and main.dat with these years (newest first, whatever the order
  // given), each year with its twenty files holding no meeting.
  void registerYears(std::vector<int> years);
  // The meeting file of a course and year: the days, then the all-zero record unless
  // `terminated` is false; the race file: the days' blocks (blank when not given), then a
  // blank block.
  void setMeetings(int year, int course, const std::vector<KaisaiRecord>& days,
                   const std::vector<RaceBlock>& races = {}, bool terminated = true) const;
  void writeSettings(const SettingsRecord& s) const;

  // Whole files by their path below the working folder.
  void write(const std::string& logical, const std::vector<std::uint8_t>& bytes) const;
  std::vector<std::uint8_t> read(const std::string& logical) const;
  bool exists(const std::string& logical) const;

  // A data layer over the ledger as the program holds it after start-up: the newest year
  // (or `year`) current, meetings counted, `course` current with its meeting `shown` read.
  LedgerCursor open(int year = 0, int course = 0, int shown = 0) const;

 private:
  TempDir dir_;
};

// A meeting day with no race data.
KaisaiRecord meetingDay(int month, int dayOfMonth, int kai, int nichi);
// A meeting day with its day totals and race states (the rest of the races blank), from
// the stored codes (tsukiHi 1203, kaiNichi 308).
KaisaiRecord meetingDayCodes(int tsukiHi, int kaiNichi, std::int32_t kounyu = 0, std::int32_t shushi = 0,
                             std::initializer_list<int> joutai = {});
// Race r (0-based) of a day: its state, name (UTF-8), purchase and balance; the day totals
// kept as the settlement keeps them.
void setRaceFigures(KaisaiRecord& k, int r, int joutai, const std::string& nameUtf8, int purchase, int balance);

// Through the program's own code: prepares the folders and registers `years` in the given
// order (the last registered becomes current).
void makeLedger(LedgerCursor& ds, const std::vector<int>& years);
// Appends a meeting (with twelve races) to the end of a course's files of the current
// year through the data layer, keeping the terminator; does no sorting (tests give dates
// in order).
void appendMeeting(LedgerCursor& ds, int course, const KaisaiRecord& k, const RaceBlock& races);

}  // namespace tovra::testing
