// An import's rows of the bet store: the text an intent keeps them in, the rows written in
// one transaction, and the write of both stores (intent, day, rows) with the course files
// failing at every step and the store's I/O failing at every step; afterwards the day is
// as before without any row, or as the import left it with all of them.
#include <gtest/gtest.h>

#include <random>

#include "common/failing_sqlite_vfs.hpp"
#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/import/import_day.hpp"
#include "storage/bet_intents.hpp"
#include "storage/bet_store.hpp"
#include "storage/day_import_codec.hpp"
#include "storage/recovery.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::fixture::FaultyFs;

namespace {

constexpr int kCourse = 4;
const DateKey kDate{2001, kCourse, 6, 3};

StoredLine line(int type, int method, std::vector<int> a, std::vector<int> b, std::vector<int> c, int stake,
                int points) {
  StoredLine l;
  l.type = type;
  l.method = method;
  l.sets = {std::move(a), std::move(b), std::move(c)};
  l.stake = stake;
  l.points = points;
  return l;
}

DayImport fullImport() {
  DayImport im;
  im.date = kDate;
  ImportedRace r11;
  r11.race = 11;
  r11.lines = {line(2, 1, {1, 2, 3}, {}, {}, 2, 6), line(0, 0, {8}, {16}, {}, 5, 1)};
  r11.results = true;
  r11.winners = {{0, {8, 16, 0}, 4520}, {2, {8, 16, 3}, 123450}, {2, {16, 8, 3}, 98760}};
  r11.special = {std::nullopt, std::int64_t{70}, std::nullopt};
  r11.scratched = {12};
  r11.refundedFrames = {6};
  ImportedRace r3;
  r3.race = 3;
  r3.lines = {line(1, 3, {1}, {2, 3}, {4, 5, 6}, 1, 6)};
  im.races = {r11, r3};
  im.receipts = {"0001-02", "0001-04", "0012-01"};
  return im;
}

TEST(DayImportText, ReadsBackWhatItWrote) {
  const DayImport cases[] = {DayImport{kDate, {}, {}}, fullImport(),
                             DayImport{{2026, 9, 12, 31}, {ImportedRace{12, {}, true, {}, {}, {}, {}}}, {"a b:c"}}};
  for (const DayImport& im : cases) {
    const auto back = decodeDayImport(encodeDayImport(im));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, im);
  }
}

TEST(DayImportText, Golden) {
  DayImport im{kDate, {}, {"0001-02"}};
  ImportedRace r;
  r.race = 5;
  r.lines = {line(0, 0, {8}, {16}, {}, 3, 1)};
  r.results = true;
  r.winners = {{0, {8, 16, 0}, 4520}};
  r.special = {std::nullopt, std::nullopt, std::int64_t{70}};
  r.scratched = {2};
  im.races = {r};
  EXPECT_EQ(encodeDayImport(im),
            "i1 2001 4 6 3 1 5 1 0 0 1 8 1 16 0 0 1 2 3 1 1 1 0 8 16 0 4520 0 0 0 0 1 70 1 2 0 1 7:0001-02");
}

TEST(DayImportText, RefusesEveryCutAndRandomText) {
  const std::string whole = encodeDayImport(fullImport());
  for (std::size_t n = 0; n < whole.size(); ++n) EXPECT_FALSE(decodeDayImport(whole.substr(0, n))) << n;
  EXPECT_FALSE(decodeDayImport(whole + " 1"));
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    std::string t = whole;
    t[rng() % t.size()] = static_cast<char>(rng() % 256);
    if (const auto d = decodeDayImport(t)) {
      EXPECT_EQ(encodeDayImport(*d), t);  // only a text it could have written
    }
  }
}

TEST(ApplyImport, AddsLinesReplacesResultsAndKeepsReceipts) {
  RunDir dir;
  BetStore store(dir.path());
  EXPECT_TRUE(store.applyImport(DayImport{kDate, {}, {}}));
  EXPECT_FALSE(store.exists()) << "an empty import creates no file";
  const RaceKey r11{kDate, 11};
  ASSERT_TRUE(store.addLine(r11, line(1, 0, {1}, {2}, {3}, 1, 1)));
  ASSERT_TRUE(store.addWinner(r11, {1, {1, 2, 3}, 500}));
  ASSERT_TRUE(store.setScratch(r11, {1}, {}));
  ASSERT_TRUE(store.applyImport(fullImport()));
  const auto race = store.race(r11);
  ASSERT_TRUE(race);
  ASSERT_EQ(race->lines.size(), 3u);
  EXPECT_EQ(race->lines[0].type, 1) << "the line bought before stays first";
  EXPECT_EQ(race->lines[1].points, 6);
  EXPECT_EQ(race->winners, fullImport().races[0].winners);
  EXPECT_EQ(race->special, fullImport().races[0].special);
  EXPECT_EQ(race->scratched, std::vector<int>{12});
  EXPECT_EQ(race->refundedFrames, std::vector<int>{6});
  const auto receipts = store.receipts(2001, 6, 3);
  ASSERT_TRUE(receipts);
  EXPECT_EQ(*receipts, fullImport().receipts);
  EXPECT_TRUE(store.receipts(2001, 6, 4)->empty());
  // Receipts are the date's, whichever course: the same line of another course is not kept twice.
  DayImport other{{2001, 2, 6, 3}, {}, {"0001-02", "0099-01"}};
  ASSERT_TRUE(store.applyImport(other));
  EXPECT_EQ(store.receipts(2001, 6, 3)->size(), 4u);
}

// 2001 with one meeting of 東京 on 6/3; the import sets race 11's distance and brings the
// store's rows.
struct ImportLedger {
  ImportLedger() {
    FaultyFs fast;
    fast.realSync = false;
    LedgerCursor ds(dir.path(), &fast);
    makeLedger(ds, {2001});
    KaisaiRecord k;
    k.tsukiHi = 603;
    k.kaiNichi = 101;
    if (!ds.ledger().insertMeetings("2001", kCourse, {k})) throw std::runtime_error("setup");
  }
  RunDir dir;
};

const DayKey kKey{"2001", kCourse, 0};

Result<Done> runImport(const Ledger& ledger, BetStore& store, bool changeDay) {
  auto d = beginImport(ledger, kKey);
  if (!d) return d.failure();
  if (changeDay) d->day.races[10].kyori = 2400;
  return storeImportWithBets(ledger, LedgerEvents{}, store, *d, fullImport());
}

// The day as before and no row, or the import whole.
void beforeOrAfter(const std::filesystem::path& root, const std::string& when) {
  Ledger ledger(root, FileSystem::standard());
  const auto day = ledger.readDay(kKey);
  ASSERT_TRUE(day) << when;
  BetStore store(root);
  const auto race = store.race({kDate, 11});
  ASSERT_TRUE(race) << when << race.refusal().text;
  const auto receipts = store.receipts(2001, 6, 3);
  ASSERT_TRUE(receipts);
  if (day->races[10].kyori == 2400) {
    EXPECT_EQ(race->lines.size(), 2u) << when;
    EXPECT_EQ(race->winners.size(), 3u) << when;
    EXPECT_EQ(receipts->size(), 3u) << when;
  } else {
    EXPECT_TRUE(race->empty()) << when;
    EXPECT_TRUE(receipts->empty()) << when;
  }
  const auto left = store.intents();
  ASSERT_TRUE(left);
  EXPECT_TRUE(left->empty()) << when;
}

TEST(StoreImportWithBets, WritesTheDayAndTheRows) {
  ImportLedger base;
  Ledger ledger(base.dir.path(), FileSystem::standard());
  {
    BetStore store(base.dir.path());
    const auto r = runImport(ledger, store, true);
    ASSERT_TRUE(r) << (r.refused() ? r.refusal().text : r.failed() ? r.failure().path : "");
  }
  EXPECT_EQ(ledger.readDay(kKey)->races[10].kyori, 2400);
  beforeOrAfter(base.dir.path(), "written");
  EXPECT_EQ(BetStore(base.dir.path()).race({kDate, 11})->lines.size(), 2u);
}

TEST(StoreImportWithBets, RowsAloneWhenTheDayStaysAsItIs) {
  ImportLedger base;
  Ledger ledger(base.dir.path(), FileSystem::standard());
  BetStore store(base.dir.path());
  ASSERT_TRUE(runImport(ledger, store, false));
  EXPECT_EQ(store.race({kDate, 11})->lines.size(), 2u);
  EXPECT_TRUE(store.intents()->empty());
}

TEST(StoreImportWithBets, ADamagedStoreRefusesBeforeTheDayIsWritten) {
  ImportLedger base;
  std::filesystem::create_directories(base.dir.path() / "tovradatafile");
  writeBytes(base.dir.path() / kBetStorePath, std::vector<unsigned char>(4096, 0x78));
  Ledger ledger(base.dir.path(), FileSystem::standard());
  BetStore store(base.dir.path());
  const auto r = runImport(ledger, store, true);
  ASSERT_TRUE(r.refused());
  EXPECT_NE(r.refusal().text.find("bets.sqlite"), std::string::npos);
  EXPECT_EQ(ledger.readDay(kKey)->races[10].kyori, 0) << "the day is not written";
}

TEST(StoreImportWithBets, ACrashAtEveryStepOfTheCourseFilesLeavesBeforeOrAfter) {
  ImportLedger base;
  std::size_t total = 0;
  {
    RunDir run(base.dir.path());
    FaultyFs fs;
    fs.realSync = false;
    Ledger ledger(run.path(), fs);
    BetStore store(run.path());
    ASSERT_TRUE(runImport(ledger, store, true));
    total = fs.count;
  }
  ASSERT_GT(total, 3u);
  for (std::size_t k = 0; k <= total; ++k) {
    RunDir run(base.dir.path());
    {
      FaultyFs fs;
      fs.realSync = false;
      fs.stopAfter = k;
      Ledger ledger(run.path(), fs);
      BetStore store(run.path());
      try {
        (void)runImport(ledger, store, true);
      } catch (const std::exception&) {
        // the crash
      }
    }
    ASSERT_NO_THROW(recoverLedger(FileSystem::standard(), run.path())) << k;
    {
      BetStore store(run.path());
      Ledger ledger(run.path(), FileSystem::standard());
      ASSERT_TRUE(recoverBetIntents(store, ledger)) << k;
    }
    beforeOrAfter(run.path(), "crash after " + std::to_string(k) + " steps");
    if (HasFailure()) return;
  }
}

TEST(StoreImportWithBets, TheStoreFailingAtEveryStepLeavesBeforeOrAfter) {
  ImportLedger base;
  long n = 1;
  for (;; ++n) {
    RunDir run(base.dir.path());
    bool failed = false;
    {
      Ledger ledger(run.path(), FileSystem::standard());
      BetStore store(run.path(), failingVfs());
      armFailingVfs(n, true);
      (void)runImport(ledger, store, true);
      failed = failingVfsFailed();
      disarmFailingVfs();
    }
    ASSERT_NO_THROW(recoverLedger(FileSystem::standard(), run.path())) << n;
    {
      BetStore store(run.path());
      Ledger ledger(run.path(), FileSystem::standard());
      ASSERT_TRUE(recoverBetIntents(store, ledger)) << n;
    }
    beforeOrAfter(run.path(), "store failing from step " + std::to_string(n));
    if (HasFailure() || !failed) break;
  }
  EXPECT_GT(n, 3);
}

}  // namespace
