// A crash at every step: each file operation of a change is allowed to run up to the
// k-th one and every operation after it fails, for every k. The ledger is then opened
// again with the real file layer: every course reads as before or after the change
// (never a mix), main.dat and the settings likewise, nothing is left behind, and the
// program starts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <set>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "core/support/faulty_fs.hpp"
#include "domain/settlement.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/entry/race_entry.hpp"
#include "features/years/years.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/recovery.hpp"
#include "storage/settings_record.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::fixture::FaultyFs;

namespace {

// Adds a blank day to `course` and shows it, as registering it in the window does.
void addDay(LedgerCursor& ds, int course, const MeetingDate& d) {
  KaisaiRecord k;
  k.tsukiHi = d.tsukiHi();
  k.kaiNichi = d.kaiNichi();
  const auto r = ds.ledger().insertMeetings(ds.year, course, {k});
  if (!r) throw std::runtime_error("setup");
  ds.course = course;
  ds.meetingCount[course] = r->count;
  ds.shownMeeting[course] = r->index;
  ds.readShown();
}

using Files = std::map<std::string, std::vector<unsigned char>>;  // relative path -> bytes

Files snapshot(const std::filesystem::path& root) {
  Files out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file()) out[e.path().lexically_relative(root).generic_string()] = readBytes(e.path());
  return out;
}

std::vector<unsigned char> get(const Files& f, const std::string& k) {
  auto it = f.find(k);
  return it == f.end() ? std::vector<unsigned char>{} : it->second;
}

// The ledger every case starts from: 2001 current, 2000 with meetings too, three tagged
// meetings in 札幌 with a bought race, and a settings file. Made once (without syncing
// to the disk, which a test does not need) and copied for every run.
class CrashLedger {
 public:
  static const CrashLedger& instance() {
    static CrashLedger base;
    return base;
  }

 private:
  CrashLedger() {
    FaultyFs fast;
    fast.realSync = false;
    LedgerCursor ds(dir_.path(), &fast);
    makeLedger(ds, {2000, 2001});
    for (const char* y : {"2000", "2001"}) {
      ds.year = y;
      ds.countMeetings();
      for (int d : {405, 412, 419}) {
        addDay(ds, 0, {d / 100, d % 100, 1, 1});
        ds.races[0].koumoku = static_cast<std::uint32_t>(d);  // the meeting's tag in its race block
        ds.races[3].tanUma[0] = 5;
        ds.races[3].tanGaku[0] = 1000;
        settleRace(ds.kaisai, ds.races, 3);
        ds.writeShown();
      }
      addDay(ds, 4, {6, 1, 3, 1});
    }
    if (!saveSettings(fast, dir_.path(), SettingsRecord::defaults())) throw std::runtime_error("setup");
  }

 public:
  const std::filesystem::path& root() const { return dir_.path(); }

 private:
  RunDir dir_;
};

// One change as the program makes it, on a data layer over `fs`, with 2001 current.
using Change = std::function<void(LedgerCursor&, ScriptedPort&)>;

void openAsAtStart(LedgerCursor& ds) {
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  ASSERT_FALSE(ds.year.empty());
  ds.countMeetings();
}

void select(LedgerCursor& ds, int course, int index) {
  ds.course = course;
  ds.shownMeeting[course] = index;
  ds.readShown();
}

struct Outcome {
  Files before, after;
};

// Runs `change` with every operation after the k-th failing, for every k, and hands the
// ledger as the next open finds it to `check`.
void crashAtEveryStep(const Change& change, const std::function<void(const Files&, const Outcome&, std::size_t)>& check,
                      std::size_t* steps = nullptr) {
  const CrashLedger& base = CrashLedger::instance();
  Outcome o;
  o.before = snapshot(base.root());
  std::size_t total = 0;
  {
    RunDir run(base.root());
    FaultyFs fs;
    fs.realSync = false;
    LedgerCursor ds(run.path(), &fs);
    openAsAtStart(ds);
    const std::size_t start = fs.count;
    ScriptedPort port;
    change(ds, port);
    total = fs.count - start;
    o.after = snapshot(run.path());
  }
  ASSERT_NE(o.before, o.after) << "the change changes nothing";
  if (steps) *steps = total;
  for (std::size_t k = 0; k <= total; ++k) {
    RunDir run(base.root());
    {
      FaultyFs fs;
      fs.realSync = false;
      LedgerCursor ds(run.path(), &fs);
      openAsAtStart(ds);
      fs.stopAfter = fs.count + k;
      ScriptedPort port;
      try {
        change(ds, port);
      } catch (const std::exception&) {
        // the crash: whatever the program was doing stops here
      }
    }
    // The next open.
    ASSERT_NO_THROW(recoverLedger(FileSystem::standard(), run.path())) << "after " << k << " steps";
    const Files now = snapshot(run.path());
    for (const auto& [name, bytes] : now) {
      const std::string leaf = std::filesystem::path(name).filename().string();
      ASSERT_FALSE(isStagedName(leaf) || isCommitMarkName(leaf)) << name << " left after " << k << " steps";
    }
    check(now, o, k);
    if (::testing::Test::HasFatalFailure()) return;
    // The program starts on it.
    LedgerCursor ds(run.path());
    ASSERT_NO_THROW(openAsAtStart(ds)) << k;
    for (int c = 0; c < kCourseCount; ++c) ASSERT_NO_THROW(select(ds, c, 0)) << k;
  }
}

std::string meetingFile(const char* y, int c) { return meetingFilePath(y, c); }
std::string raceFile(const char* y, int c) { return raceFilePath(y, c); }

// Each course of each year reads as before or after, both of its files together.
void coursesOldOrNew(const Files& now, const Outcome& o, std::size_t k) {
  for (const char* y : {"2000", "2001", "2002"}) {
    for (int c = 0; c < kCourseCount; ++c) {
      const auto pair = [&](const Files& f) {
        return std::make_pair(get(f, meetingFile(y, c)), get(f, raceFile(y, c)));
      };
      const auto n = pair(now);
      ASSERT_TRUE(n == pair(o.before) || n == pair(o.after)) << y << " course " << c << " after " << k << " steps";
    }
  }
  ASSERT_TRUE(get(now, kMainDat) == get(o.before, kMainDat) || get(now, kMainDat) == get(o.after, kMainDat)) << k;
}

}  // namespace

TEST(CrashAtEveryStep, MeetingRegistration) {
  std::size_t steps = 0;
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort& port) {
        runRegisterMeetings(ds.ledger(), port, LedgerEvents{}, ds.year, 0, {{4, 10, 1, 2}});
      },
      coursesOldOrNew, &steps);
  EXPECT_GT(steps, 10u);
}

TEST(CrashAtEveryStep, SeriesRegistration) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort& port) {
        runRegisterMeetings(ds.ledger(), port, LedgerEvents{}, ds.year, 0, seriesDates({3, 30, 2, 1}));
      },
      coursesOldOrNew);
}

TEST(CrashAtEveryStep, MeetingEdit) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort& port) {
        select(ds, 0, 0);
        BetStore bets(ds.root());
        runEditMeeting(ds.ledger(), bets, port, LedgerEvents{}, {ds.year, 0, 0}, ds.kaisai, {12, 20, 5, 8});
      },
      coursesOldOrNew);
}

TEST(CrashAtEveryStep, MeetingDeletion) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort& port) {
        select(ds, 0, 1);
        BetStore bets(ds.root());
        runDeleteMeeting(ds.ledger(), bets, port, LedgerEvents{}, {ds.year, 0, 1});
      },
      coursesOldOrNew);
}

TEST(CrashAtEveryStep, YearRegistration) {
  crashAtEveryStep([](LedgerCursor& ds, ScriptedPort&) { registerYear(ds.ledger(), LedgerEvents{}, ds.nenji, "2002"); },
                   [](const Files& now, const Outcome& o, std::size_t k) {
                     // Files of the new year are whole (one blank record or block) or absent;
                     // once main.dat lists the year all twenty are there.
                     const bool listed = get(now, kMainDat) == get(o.after, kMainDat);
                     ASSERT_TRUE(listed || get(now, kMainDat) == get(o.before, kMainDat)) << k;
                     for (int c = 0; c < kCourseCount; ++c) {
                       for (const auto& [name, size] : {std::make_pair(meetingFile("2002", c), KaisaiRecord::kSize),
                                                        std::make_pair(raceFile("2002", c), kRaceBlockSize)}) {
                         if (!listed && !now.count(name)) continue;
                         ASSERT_EQ(get(now, name), std::vector<unsigned char>(size, 0)) << name << " after " << k;
                       }
                     }
                     for (const char* y : {"2000", "2001"})
                       for (int c = 0; c < kCourseCount; ++c)
                         ASSERT_EQ(get(now, meetingFile(y, c)), get(o.before, meetingFile(y, c)));
                   });
}

TEST(CrashAtEveryStep, YearDeletion) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort&) {
        BetStore bets(ds.root());
        deleteYear(ds.ledger(), bets, LedgerEvents{}, ds.nenji, 2000, ds.yearNumber());
      },
      [](const Files& now, const Outcome& o, std::size_t k) {
        // While main.dat still lists 2000, every one of its files is whole; afterwards
        // each is whole or gone. 2001 is never touched.
        const bool listed = get(now, kMainDat) == get(o.before, kMainDat);
        ASSERT_TRUE(listed || get(now, kMainDat) == get(o.after, kMainDat)) << k;
        for (int c = 0; c < kCourseCount; ++c) {
          for (const std::string& name : {meetingFile("2000", c), raceFile("2000", c)}) {
            if (!listed && !now.count(name)) continue;
            ASSERT_EQ(get(now, name), get(o.before, name)) << name << " after " << k;
          }
          ASSERT_EQ(get(now, meetingFile("2001", c)), get(o.before, meetingFile("2001", c)));
          ASSERT_EQ(get(now, raceFile("2001", c)), get(o.before, raceFile("2001", c)));
        }
      });
}

TEST(CrashAtEveryStep, RaceChange) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort&) {
        select(ds, 0, 1);
        ds.races[3].tanUma[1] = 7;
        ds.races[3].tanGaku[1] = 500;
        const auto written =
            commitRace(ds.ledger(), DayKey{ds.year, ds.course, ds.shown()}, MeetingDay{ds.kaisai, ds.races}, 3);
        if (!written) ds.fatal(written.failure().code, written.failure().path);
      },
      coursesOldOrNew);  // the day's race block and meeting record together
}

TEST(CrashAtEveryStep, GoingChange) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort&) {
        select(ds, 0, 2);
        ds.races[5].koumoku = 0x01020304;
        ds.writeRaceBlock(ds.shown());
      },
      coursesOldOrNew);  // the day's race block and meeting record together
}

TEST(CrashAtEveryStep, SettingsWrite) {
  crashAtEveryStep(
      [](LedgerCursor& ds, ScriptedPort&) {
        SettingsRecord s = SettingsRecord::defaults();
        s.startCourse = 7;
        saveSettings(ds.fs(), ds.root(), s);
      },
      [](const Files& now, const Outcome& o, std::size_t k) {
        ASSERT_TRUE(get(now, kSettingsFile) == get(o.before, kSettingsFile) ||
                    get(now, kSettingsFile) == get(o.after, kSettingsFile))
            << k;
      });
}
