// The scan of tallies and searches: every meeting day of the years and courses, against a
// plain list of the days the ledger was built with; its file failures; and the tallies'
// scan over it with its wait popup, touching nothing the main window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/fatal_error.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/paths.hpp"

using namespace tovra;
using tovra::testing::LedgerBuilder;
using tovra::testing::meetingDayCodes;

namespace {

using Visit = std::tuple<std::string, int, int, int, int>;  // year, course, index, date, race 0 koumoku

// The ledger: how many days each (year, course) holds; each day's date and first race
// name where it stands, so a visit tells which record it read.
struct Plan {
  int year, course, days;
};
const Plan kPlan[] = {{2003, 0, 2}, {2003, 4, 3}, {2003, 9, 1}, {2002, 4, 1}, {2001, 5, 2}, {2001, 9, 4}};

int dateOf(int course, int i) { return 100 * (course + 1) + i + 1; }
int koumokuOf(int year, int course, int i) { return year * 1000 + course * 10 + i; }

class LedgerScan : public ::testing::Test {
 protected:
  LedgerBuilder ledger{{2003, 2002, 2001}};
  void SetUp() override {
    for (const Plan& p : kPlan) {
      std::vector<KaisaiRecord> days;
      std::vector<RaceBlock> races;
      for (int i = 0; i < p.days; ++i) {
        days.push_back(meetingDayCodes(dateOf(p.course, i), 101 + i));
        RaceBlock b{};
        b[0].koumoku = koumokuOf(p.year, p.course, i);
        races.push_back(b);
      }
      ledger.setMeetings(p.year, p.course, days, races);
    }
  }
  // What a scan of these years visits, from the plan alone.
  static std::vector<Visit> expected(const std::vector<int>& years, bool withRaces) {
    std::vector<Visit> out;
    for (int y : years)
      for (int c = 0; c < kCourseCount; ++c)
        for (const Plan& p : kPlan)
          if (p.year == y && p.course == c)
            for (int i = 0; i < p.days; ++i)
              out.emplace_back(std::to_string(y), c, i, dateOf(c, i), withRaces ? koumokuOf(y, c, i) : -1);
    return out;
  }
  std::vector<Visit> scan(const Ledger& l, const std::vector<std::string>& years, bool withRaces, Status* status) {
    std::vector<Visit> out;
    Ledger::ScanOptions o;
    o.withRaces = withRaces;
    *status = l.scan(years, o, [&](const Ledger::ScanDay& d) {
      out.emplace_back(d.key.year, d.key.course, d.key.index, d.meeting.tsukiHi, d.races ? (*d.races)[0].koumoku : -1);
    });
    return out;
  }
};

TEST_F(LedgerScan, VisitsEveryDayOfTheYearsInTheirOrderAsThePlainListHasThem) {
  const Ledger l(ledger.root(), FileSystem::standard());
  struct Case {
    std::vector<int> years;
    bool withRaces;
  };
  for (const Case& c :
       {Case{{2003, 2002, 2001}, true}, Case{{2001, 2003}, false}, Case{{2002}, true}, Case{{}, true}}) {
    std::vector<std::string> texts;
    for (int y : c.years) texts.push_back(std::to_string(y));
    Status s = Done{};
    EXPECT_EQ(scan(l, texts, c.withRaces, &s), expected(c.years, c.withRaces));
    EXPECT_TRUE(s);
  }
}

TEST_F(LedgerScan, ReportsEachCourseOfEachYearBeforeReadingIt) {
  const Ledger l(ledger.root(), FileSystem::standard());
  Ledger::ScanOptions o;
  o.courses = {9, 4};
  std::vector<std::pair<std::string, int>> steps;
  o.onCourse = [&](const std::string& y, int c) { steps.emplace_back(y, c); };
  std::vector<int> visited;
  ASSERT_TRUE(l.scan({"2003", "2001"}, o, [&](const Ledger::ScanDay& d) { visited.push_back(d.key.course); }));
  const std::vector<std::pair<std::string, int>> want = {{"2003", 9}, {"2003", 4}, {"2001", 9}, {"2001", 4}};
  EXPECT_EQ(steps, want);
  EXPECT_EQ(visited, (std::vector<int>{9, 4, 4, 4, 9, 9, 9, 9}));
}

TEST_F(LedgerScan, AMissingFileStopsWithItsCodeAfterTheDaysBefore) {
  const Ledger l(ledger.root(), FileSystem::standard());
  std::filesystem::remove(ledger / raceFilePath("2003", 4));
  Status s = Done{};
  // Meeting records alone need no race file.
  EXPECT_EQ(scan(l, {"2003"}, false, &s), expected({2003}, false));
  EXPECT_TRUE(s);
  const std::vector<Visit> seen = scan(l, {"2003"}, true, &s);
  ASSERT_TRUE(s.failed());
  EXPECT_EQ(s.failure().code, 5);
  EXPECT_EQ(s.failure().path, raceFilePath("2003", 4));
  const std::vector<Visit> all = expected({2003}, true);
  EXPECT_EQ(seen, std::vector<Visit>(all.begin(), all.begin() + 2));  // course 0's days

  std::filesystem::remove(ledger / meetingFilePath("2002", 7));
  scan(l, {"2002"}, false, &s);
  ASSERT_TRUE(s.failed());
  EXPECT_EQ(s.failure().code, 3);
  EXPECT_EQ(s.failure().path, meetingFilePath("2002", 7));
}

TEST_F(LedgerScan, RaceBlocksTheFileDoesNotHoldReadBlank) {
  // Three meetings, one race block: a damaged pair of files.
  ledger.setMeetings(2002, 2, {meetingDayCodes(101, 101), meetingDayCodes(102, 102), meetingDayCodes(103, 103)});
  RaceBlock b{};
  b[0].koumoku = 7;
  std::vector<std::uint8_t> bytes(kRaceBlockSize);
  for (int r = 0; r < kRacesPerDay; ++r) b[r].encode(bytes.data() + r * RaceRecord::kSize);
  ledger.write(raceFilePath("2002", 2), bytes);
  const Ledger l(ledger.root(), FileSystem::standard());
  Ledger::ScanOptions o;
  o.courses = {2};
  o.withRaces = true;
  std::vector<int> koumoku;
  ASSERT_TRUE(l.scan({"2002"}, o, [&](const Ledger::ScanDay& d) { koumoku.push_back((*d.races)[0].koumoku); }));
  EXPECT_EQ(koumoku, (std::vector<int>{7, 0, 0}));
}

// The tallies' scan: the wait popup and busy pointer around it, one step per course and
// year, and nothing of what the main window shows read or changed.
class CallLog : public ScriptedPort {
 public:
  std::vector<std::string> calls;
  void setBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
  void waitBegin(const std::string& text, bool progress) override {
    calls.push_back("begin " + text + (progress ? " +bar" : ""));
  }
  void waitStep(int step) override { calls.push_back("step " + std::to_string(step)); }
  void waitEnd() override { calls.push_back("end"); }
};

std::vector<std::string> popupFor(int years) {
  std::vector<std::string> want{"busy", "begin wait +bar"};
  for (int y = 0; y < years; ++y)
    for (int c = 1; c <= kCourseCount; ++c) want.push_back("step " + std::to_string(c));
  want.insert(want.end(), {"end", "idle"});
  return want;
}

TEST_F(LedgerScan, TheTallyScanShowsItsWaitAndLeavesTheShownDayAlone) {
  LedgerCursor ds = ledger.open(2002, 4, 0);
  ds.kaisai.tsukiHi = 999;  // what the window shows, as it holds it
  CallLog port;
  std::vector<std::pair<int, std::string>> years;
  const std::string last = tally::scanLedger(ds, port, {2001, 2003}, {"wait", true}, [&](const tally::ScanDay& d) {
    years.emplace_back(d.year, d.yearText);
    EXPECT_NE(d.races, nullptr);
  });
  EXPECT_EQ(last, "2003");
  EXPECT_EQ(years.size(), 12u);
  EXPECT_EQ(years.front(), std::make_pair(2001, std::string("2001")));
  EXPECT_EQ(years.back(), std::make_pair(2003, std::string("2003")));
  EXPECT_EQ(port.calls, popupFor(2));
  EXPECT_EQ(ds.year, "2002");
  EXPECT_EQ(ds.course, 4);
  EXPECT_EQ(ds.kaisai.tsukiHi, 999);
}

TEST_F(LedgerScan, TheTallyScanEndsItsWaitBeforeTheFatalErrorAndChangesNothing) {
  LedgerCursor ds = ledger.open(2003, 0, 1);
  std::filesystem::remove(ledger / meetingFilePath("2001", 0));
  const auto mainDat = ledger.read(kMainDat);
  CallLog port;
  int visits = 0;
  try {
    tally::scanLedger(ds, port, {2003, 2001}, {"wait", false}, [&](const tally::ScanDay&) { ++visits; });
    FAIL() << "no fatal error";
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 3);
    EXPECT_EQ(e.path(), meetingFilePath("2001", 0));
  }
  EXPECT_EQ(visits, 6);  // 2003's days
  std::vector<std::string> want = popupFor(1);
  want.insert(want.end() - 2, "step 1");
  EXPECT_EQ(port.calls, want);
  EXPECT_EQ(ds.year, "2003");
  EXPECT_EQ(ds.shownMeeting[0], 1);
  EXPECT_TRUE(ds.dead());
  EXPECT_EQ(ledger.read(kMainDat), mainDat);
}

}  // namespace
