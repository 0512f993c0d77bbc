// Meeting edit, meeting deletion and year deletion with rows in the bet store: a crash at
// every file step of the course files (every operation after the k-th fails), then the
// next open (the course files' recovery, then the store's intents). Afterwards every
// meeting has exactly its own rows, and no date without a meeting has any.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/failing_sqlite_vfs.hpp"
#include "common/scripted_port.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/bets/race_bets.hpp"
#include "features/entry/meeting_ops.hpp"
#include "features/years/years.hpp"
#include "storage/bet_intents.hpp"
#include "storage/bet_store.hpp"
#include "storage/recovery.hpp"
#include "storage/win5_store.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::fixture::FaultyFs;

namespace {

constexpr int kCourse = 0;
constexpr int kOtherCourse = 4;

// A 3連単 line whose stake tags it with the date its meeting was registered on.
StoredLine taggedLine(int tag) {
  const PurchaseLine l = PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, tag);
  return storedLineOf(l, pointCount(l));
}

// 2000 and 2001, each with three tagged meetings in 札幌 and one in 東京, every one of them
// holding a line, a winner and a scratch in the store, tagged with its date.
class BetsLedger {
 public:
  static const BetsLedger& instance() {
    static BetsLedger base;
    return base;
  }
  const std::filesystem::path& root() const { return dir_.path(); }

 private:
  BetsLedger() {
    FaultyFs fast;
    fast.realSync = false;
    LedgerCursor ds(dir_.path(), &fast);
    makeLedger(ds, {2000, 2001});
    BetStore store(dir_.path());
    for (const char* y : {"2000", "2001"}) {
      for (auto [course, tsukiHi] : {std::pair{kCourse, 405}, {kCourse, 412}, {kCourse, 419}, {kOtherCourse, 601}}) {
        KaisaiRecord k;
        k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
        k.kaiNichi = 101;
        if (!ds.ledger().insertMeetings(y, course, {k})) throw std::runtime_error("setup");
        const RaceKey key{{std::atoi(y), course, tsukiHi / 100, tsukiHi % 100}, 3};
        if (!store.addLine(key, taggedLine(tsukiHi)) || !store.addWinner(key, {2, {1, 2, 3}, 12340}) ||
            !store.setScratch(key, {7}, {}))
          throw std::runtime_error("setup");
      }
      // A WIN5 of the year with a leg at each course and one line.
      Win5Store win5(store);
      const Win5Date date{std::atoi(y), 4, 5};
      StoredWin5Line line;
      line.legs = {{{1}, {2}, {3}, {4}, {5}}};
      line.stake = 1;
      line.points = 1;
      if (!win5.setLegs(date, {{{kCourse, 3}, {kOtherCourse, 9}, {kCourse, 10}, {kOtherCourse, 11}, {kCourse, 11}}}) ||
          !win5.addLine(date, line))
        throw std::runtime_error("setup");
    }
  }
  RunDir dir_;
};

using Change = std::function<void(LedgerCursor&, BetStore&, ScriptedPort&)>;

// Every meeting of every course holds exactly its own rows (the line tagged with the date
// it was registered on, which its race block does not know: the tag is found by order),
// and the store holds rows of no other date.
void eachMeetingHasItsRows(const std::filesystem::path& root, const std::map<int, int>& tagOfDate2001, std::size_t k) {
  Ledger ledger(root, FileSystem::standard());
  BetStore store(root);
  ASSERT_TRUE(store.open(false)) << k;
  const auto intents = store.intents();
  ASSERT_TRUE(intents);
  EXPECT_TRUE(intents->empty()) << "intents left after " << k << " steps";
  const auto years = ledger.readYears(false);
  ASSERT_TRUE(years);
  for (int year : {2000, 2001}) {
    const bool registered = std::find(std::begin(years->nen), std::end(years->nen), year) != std::end(years->nen);
    for (int course : {kCourse, kOtherCourse}) {
      // WIN5 is moved or removed by no meeting: only its year's deletion takes it.
      const auto win5 = Win5Store(store).day({year, 4, 5});
      ASSERT_TRUE(win5);
      EXPECT_EQ(win5->has_value(), registered) << year << " after " << k << " steps";
      if (*win5) {
        EXPECT_EQ((*win5)->lines.size(), 1u);
      }
      const auto held = store.days(year, course);
      ASSERT_TRUE(held);
      if (!registered) {
        EXPECT_TRUE(held->empty()) << "rows of a deleted year after " << k << " steps";
        continue;
      }
      const auto meetings = ledger.meetings(std::to_string(year), course);
      ASSERT_TRUE(meetings);
      std::vector<DateKey> expected;
      for (const KaisaiRecord& m : *meetings) {
        const DateKey date{year, course, m.month(), m.day()};
        expected.push_back(date);
        const auto race = store.race({date, 3});
        ASSERT_TRUE(race);
        ASSERT_EQ(race->lines.size(), 1u) << year << " " << m.tsukiHi << " after " << k << " steps";
        const auto tag = tagOfDate2001.find(m.tsukiHi);
        const int want = (year == 2001 && course == kCourse && tag != tagOfDate2001.end()) ? tag->second : m.tsukiHi;
        EXPECT_EQ(race->lines[0].stake, want) << year << " " << m.tsukiHi << " after " << k << " steps";
        EXPECT_EQ(race->winners.size(), 1u);
        EXPECT_EQ(race->scratched, std::vector<int>{7});
      }
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(*held, expected) << year << " course " << course << " after " << k << " steps";
    }
  }
  const auto check = store.integrityCheck();
  ASSERT_TRUE(check);
  EXPECT_EQ(*check, "ok");
}

// Runs the change with every course-file operation after the k-th failing, for every k,
// then opens the ledger again and checks it. `tagsAfter` maps a 2001 札幌 date the change
// moves a meeting to onto the tag of that meeting.
void crashAtEveryStep(const Change& change, const std::map<int, int>& tagsAfter) {
  const BetsLedger& base = BetsLedger::instance();
  std::size_t total = 0;
  {
    RunDir run(base.root());
    FaultyFs fs;
    fs.realSync = false;
    LedgerCursor ds(run.path(), &fs);
    ds.loadYears();
    ds.year = "2001";
    ds.countMeetings();
    BetStore store(run.path());
    ScriptedPort port;
    const std::size_t start = fs.count;
    change(ds, store, port);
    total = fs.count - start;
    eachMeetingHasItsRows(run.path(), tagsAfter, total);
  }
  ASSERT_GT(total, 5u);
  for (std::size_t k = 0; k <= total; ++k) {
    RunDir run(base.root());
    {
      FaultyFs fs;
      fs.realSync = false;
      LedgerCursor ds(run.path(), &fs);
      ds.loadYears();
      ds.year = "2001";
      ds.countMeetings();
      BetStore store(run.path());
      fs.stopAfter = fs.count + k;
      ScriptedPort port;
      try {
        change(ds, store, port);
      } catch (const std::exception&) {
        // the crash
      }
    }
    // The next open: the course files first, then the store's intents.
    ASSERT_NO_THROW(recoverLedger(FileSystem::standard(), run.path())) << k;
    {
      BetStore store(run.path());
      Ledger ledger(run.path(), FileSystem::standard());
      ASSERT_TRUE(recoverBetIntents(store, ledger)) << k;
    }
    // Whether the change happened or not, the meetings found carry their own rows.
    eachMeetingHasItsRows(run.path(), tagsAfter, k);
    if (::testing::Test::HasFailure()) return;
  }
}

// The same with the store's I/O failing at its n-th step and at every step after (the
// disk gone): the course files change or not, and the next open puts the rows with them.
void storeFailsAtEveryStep(const Change& change, const std::map<int, int>& tagsAfter) {
  const BetsLedger& base = BetsLedger::instance();
  long n = 1;
  for (;; ++n) {
    RunDir run(base.root());
    bool failed = false;
    {
      LedgerCursor ds(run.path());
      ds.loadYears();
      ds.year = "2001";
      ds.countMeetings();
      BetStore store(run.path(), failingVfs());
      ScriptedPort port;
      armFailingVfs(n, true);
      change(ds, store, port);
      failed = failingVfsFailed();
      disarmFailingVfs();
    }
    ASSERT_NO_THROW(recoverLedger(FileSystem::standard(), run.path())) << n;
    {
      BetStore store(run.path());
      Ledger ledger(run.path(), FileSystem::standard());
      ASSERT_TRUE(recoverBetIntents(store, ledger)) << n;
    }
    eachMeetingHasItsRows(run.path(), tagsAfter, static_cast<std::size_t>(n));
    if (::testing::Test::HasFailure() || !failed) break;
  }
  EXPECT_GT(n, 3) << "the change made too few store steps";
}

// The three changes of both stores, as the windows run them.
void editMeeting(LedgerCursor& ds, BetStore& store, ScriptedPort& port) {
  // 4/05 becomes 12/20: its rows (tagged 405) must follow it.
  const DayKey key{"2001", kCourse, 0};
  const auto day = ds.ledger().readDay(key);
  if (!day) throw std::runtime_error("read");
  runEditMeeting(ds.ledger(), store, port, LedgerEvents{}, key, day->meeting, {12, 20, 5, 8});
}
const std::map<int, int> kEditedTags{{1220, 405}};

void deleteMeeting(LedgerCursor& ds, BetStore& store, ScriptedPort& port) {
  runDeleteMeeting(ds.ledger(), store, port, LedgerEvents{}, {"2001", kCourse, 1});
}

void deleteYear2000(LedgerCursor& ds, BetStore& store, ScriptedPort&) {
  deleteYear(ds.ledger(), store, LedgerEvents{}, ds.nenji, 2000, 2001);
}

}  // namespace

TEST(BetIntentsCrash, MeetingEditMovesItsRows) { crashAtEveryStep(editMeeting, kEditedTags); }
TEST(BetIntentsCrash, MeetingDeletionRemovesItsRows) { crashAtEveryStep(deleteMeeting, {}); }
TEST(BetIntentsCrash, YearDeletionRemovesItsRows) { crashAtEveryStep(deleteYear2000, {}); }
TEST(BetIntentsStoreFails, MeetingEdit) { storeFailsAtEveryStep(editMeeting, kEditedTags); }
TEST(BetIntentsStoreFails, MeetingDeletion) { storeFailsAtEveryStep(deleteMeeting, {}); }
TEST(BetIntentsStoreFails, YearDeletion) { storeFailsAtEveryStep(deleteYear2000, {}); }

TEST(BetIntents, RowsOfADeletedMeetingNeverComeBack) {
  RunDir run(BetsLedger::instance().root());
  LedgerCursor ds(run.path());
  ds.loadYears();
  BetStore store(run.path());
  ScriptedPort port;
  ASSERT_TRUE(runDeleteMeeting(ds.ledger(), store, port, LedgerEvents{}, {"2001", kCourse, 1}));
  // The same date registered again: a blank day, with nothing of the old one.
  ASSERT_TRUE(runRegisterMeetings(ds.ledger(), port, LedgerEvents{}, "2001", kCourse, {{4, 12, 1, 2}}));
  const auto race = store.race({{2001, kCourse, 4, 12}, 3});
  ASSERT_TRUE(race);
  EXPECT_TRUE(race->empty());
}

TEST(BetIntents, AnIntentWhoseChangeNeverHappenedIsDropped) {
  RunDir run(BetsLedger::instance().root());
  BetStore store(run.path());
  Ledger ledger(run.path(), FileSystem::standard());
  // Intents for changes the course files never saw: a move and a deletion.
  const auto move = beginDayIntent(store, ledger, "2001", kCourse, 405, 1220);
  ASSERT_TRUE(move && *move);
  const auto del = beginDayIntent(store, ledger, "2001", kCourse, 412, std::nullopt);
  ASSERT_TRUE(del && *del);
  const auto year = beginYearIntent(store, 2000);
  ASSERT_TRUE(year && *year);
  ASSERT_TRUE(recoverBetIntents(store, ledger));
  eachMeetingHasItsRows(run.path(), {}, 0);
}

TEST(BetIntents, NoIntentWithoutRowsOrWithoutAStore) {
  RunDir run(BetsLedger::instance().root());
  BetStore store(run.path());
  Ledger ledger(run.path(), FileSystem::standard());
  const struct {
    int from;
    std::optional<int> to;
  } cases[] = {{405, 405}, {510, 1220}, {510, std::nullopt}};
  for (const auto& c : cases) {
    const auto r = beginDayIntent(store, ledger, "2001", kCourse, c.from, c.to);
    ASSERT_TRUE(r);
    EXPECT_FALSE(*r) << c.from;
  }
  RunDir empty;
  BetStore none(empty.path());
  const auto r = beginYearIntent(none, 2000);
  ASSERT_TRUE(r);
  EXPECT_FALSE(*r);
  EXPECT_FALSE(none.exists());
}
