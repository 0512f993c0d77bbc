#pragma once
// A ledger in a temporary folder with year 2001 and one meeting day (東京, 12月3日
// 3回 8日目) shown, for the race entry tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"
#include "storage/user_port.hpp"

namespace tovra::entrytest {

inline constexpr int kCourse = 4;  // 東京

class EntryLedger : public ::testing::Test {
 protected:
  testing::LedgerBuilder ledger{{2001}};
  std::filesystem::path dir = ledger.root();
  LedgerCursor ds = openDay(ledger);
  ScriptedPort port;
  const DayKey key{"2001", kCourse, 0};

  // The day as the tests hold it (read at the start, kept as the operations wrote it).
  MeetingDay day() const { return {ds.kaisai, ds.races}; }
  // The end of an operation as a dialog ends it: the refusal shown, or the day written
  // kept. True when written.
  bool run(Result<MeetingDay> outcome) {
    if (outcome.failed()) {
      ADD_FAILURE() << "file failure " << outcome.failure().code << " " << outcome.failure().path;
      return false;
    }
    if (outcome.refused()) {
      showRefusal(port, outcome.refusal());
      return false;
    }
    ds.kaisai = outcome->meeting;
    ds.races = outcome->races;
    return true;
  }

  // The meeting day as it is on disk.
  struct OnDisk {
    KaisaiRecord kaisai;
    RaceBlock races;
  };
  OnDisk onDisk() {
    LedgerCursor other = ledger.open(2001, kCourse, 0);
    return {other.kaisai, other.races};
  }

  std::vector<unsigned char> fileBytes(const std::string& logical) { return ledger.read(logical); }

 private:
  static LedgerCursor openDay(const testing::LedgerBuilder& ledger) {
    ledger.setMeetings(2001, kCourse, {testing::meetingDay(12, 3, 3, 8)});
    return ledger.open(2001, kCourse, 0);
  }
};

}  // namespace tovra::entrytest
