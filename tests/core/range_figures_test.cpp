// The all-types figures of a range against a plain sum: every meeting day read with its
// store rows (readDayBets) and added up, on a ledger of random tickets, results, lines,
// dead heats and scratches.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/temp_dir.hpp"
#include "domain/settlement.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/bets/range_figures.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

// The sum of readDayBets over every meeting day of the years.
RangeFigures sumOfDays(BetStore& store, const Ledger& ledger, const std::vector<std::string>& years) {
  RangeFigures sum;
  for (const std::string& y : years) {
    for (int course = 0; course < kCourseCount; ++course) {
      const auto meetings = ledger.meetings(y, course);
      if (!meetings) throw std::runtime_error("read");
      for (int index = 0; index < static_cast<int>(meetings->size()); ++index) {
        const auto b = readDayBets(store, ledger, {y, course, index});
        if (!b) throw std::runtime_error("read");
        for (const BetFigures& f : b->figures.old) sum.old += f;
        sum.fresh += b->figures.fresh;
        sum.all += b->figures.all;
      }
    }
  }
  return sum;
}

TEST(RangeFigures, EqualTheSumOfEveryDay) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004, 2005});
  const Ledger ledger = ds.ledger();
  BetStore store(dir.path());
  std::mt19937 rng(25);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (const char* y : {"2004", "2005"}) {
    for (int course : {0, 4, 8}) {
      std::vector<KaisaiRecord> days;
      for (int i = 0; i < 6; ++i) {
        KaisaiRecord k;
        k.tsukiHi = static_cast<std::uint16_t>(100 * pick(1, 12) + pick(1, 28));
        k.kaiNichi = 101;
        days.push_back(k);
      }
      ASSERT_TRUE(ledger.insertMeetings(y, course, days));
      const auto meetings = ledger.meetings(y, course);
      ASSERT_TRUE(meetings);
      for (int index = 0; index < static_cast<int>(meetings->size()); ++index) {
        const DayKey key{y, course, index};
        auto day = ledger.readDay(key);
        ASSERT_TRUE(day);
        for (int r = 0; r < kRacesPerDay; ++r) {
          RaceRecord& race = day->races[static_cast<std::size_t>(r)];
          race.tanUma[0] = static_cast<std::uint16_t>(pick(1, 8));
          race.tanGaku[0] = 100 * pick(0, 20);
          race.umaKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, pick(2, 8)));
          race.umaGaku[0] = 100 * pick(0, 5);
          race.tanKeka[0] = static_cast<std::uint16_t>(pick(1, 8));
          race.tanHaitou[0] = 10 * pick(10, 200);
          race.umaKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, pick(2, 8)));
          race.umaHaitou[0] = 10 * pick(50, 900);
          const RaceKey rk = raceKeyOf(key, day->meeting, r);
          for (int n = pick(0, 2); n > 0; --n) {
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3, 4}, 1), 24)));
          }
          if (pick(0, 1)) {
            ASSERT_TRUE(store.addWinner(rk, {2, {1, 2, pick(3, 4)}, 10 * pick(100, 9000)}));
          }
          if (pick(0, 3) == 0) {
            ASSERT_TRUE(store.setScratch(rk, {pick(1, 8)}, {pick(1, 8)}));
          }
        }
        settleAllRaces(day->meeting, day->races);
        ASSERT_FALSE(ledger.writeDay(key, *day));
      }
    }
  }
  // Rows of a date no meeting is held on count nothing.
  ASSERT_TRUE(store.addLine({{2005, 1, 7, 7}, 1}, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 9), 2)));

  const RangeFigures sum = sumOfDays(store, ledger, {"2004", "2005"});
  // Every day stale (the rows were written without keeping figures), then every day kept,
  // then a few changed again behind the kept figures' back: the same figures each time.
  for (int round = 0; round < 3; ++round) {
    if (round == 1) {
      ASSERT_TRUE(keepStaleFigures(store));
      const auto stale = store.staleDays();
      ASSERT_TRUE(stale);
      EXPECT_TRUE(stale->empty());
    }
    RangeFigures want = sum;
    if (round == 2) {
      const auto kept = store.keptFigures({2005});
      ASSERT_TRUE(kept);
      ASSERT_FALSE(kept->rows.empty());
      const RaceKey changed{kept->rows.front().date, 4};
      ASSERT_TRUE(store.addLine(changed, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 7), 2)));
      ASSERT_TRUE(store.setScratch(changed, {2}, {}));
      want = sumOfDays(store, ledger, {"2004", "2005"});
      EXPECT_NE(want.all, sum.all);
    }
    const auto range = rangeFigures(ledger, store, {"2004", "2005"});
    ASSERT_TRUE(range);
    EXPECT_EQ(range->all, want.all) << round;
    EXPECT_EQ(range->fresh, want.fresh) << round;
    EXPECT_EQ(range->old, want.old) << round;
  }
  EXPECT_GT(sum.all.refunded, 0);
  EXPECT_GT(sum.fresh.all.ret, 0);
  // One year and one course: a part of it.
  const auto part = rangeFigures(ledger, store, {"2005"}, {4});
  const auto whole = rangeFigures(ledger, store, {"2004", "2005"});
  ASSERT_TRUE(part && whole);
  EXPECT_LT(part->all.bought, whole->all.bought);
  EXPECT_GT(part->all.bought, 0);
}

// Every change of a day's rows marks it stale in its own transaction, whatever makes it.
TEST(KeptFigures, EveryChangeMarksItsDays) {
  RunDir dir;
  BetStore store(dir.path());
  const DateKey a{2012, 3, 8, 4}, b{2012, 3, 8, 5};
  const RaceKey ra{a, 5};
  auto keptAll = [&] {
    ASSERT_TRUE(keepStaleFigures(store));
    const auto stale = store.staleDays();
    ASSERT_TRUE(stale);
    ASSERT_TRUE(stale->empty());
  };
  const StoredLine line = storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, 1), 6);
  ASSERT_TRUE(store.addLine(ra, line));
  ASSERT_TRUE(store.addWinner(ra, {2, {1, 2, 3}, 12340}));
  const struct {
    const char* what;
    std::function<bool()> change;
    std::vector<DateKey> stale;
  } cases[] = {
      {"add a line", [&] { return bool(store.addLine(ra, line)); }, {a}},
      {"delete a line", [&] { return bool(store.deleteLine(ra, 1)); }, {a}},
      {"add a winner",
       [&] {
         return bool(store.addWinner(ra, {2, {1, 3, 2}, 500}));
       },
       {a}},
      {"delete a winner", [&] { return bool(store.deleteWinner(ra, 2, 2)); }, {a}},
      {"set a special payout", [&] { return bool(store.setSpecial(ra, 0, 70)); }, {a}},
      {"clear a result", [&] { return bool(store.clearResult(ra, 0)); }, {a}},
      {"scratch", [&] { return bool(store.setScratch(ra, {4}, {2})); }, {a}},
      {"move the day",
       [&] {
         StoreIntent i;
         i.kind = StoreIntent::Kind::MoveDay;
         i.from = a;
         i.to = b;
         const auto begun = store.beginIntent(i);
         return begun && bool(store.applyIntent(*begun));
       },
       {a, b}},
      {"delete the year",
       [&] {
         StoreIntent i;
         i.kind = StoreIntent::Kind::DeleteYear;
         i.from = b;
         const auto begun = store.beginIntent(i);
         return begun && bool(store.applyIntent(*begun));
       },
       {b}},
  };
  for (const auto& c : cases) {
    keptAll();
    ASSERT_TRUE(c.change()) << c.what;
    const auto stale = store.staleDays();
    ASSERT_TRUE(stale);
    EXPECT_EQ(*stale, c.stale) << c.what;
  }
  keptAll();
  const auto kept = store.keptFigures({});
  ASSERT_TRUE(kept);
  EXPECT_TRUE(kept->rows.empty()) << "the figures of a deleted year are kept";
}

TEST(RangeFigures, ALedgerWithoutAStoreHasItsRecordsFigures) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004});
  BetStore store(dir.path());
  const auto r = rangeFigures(ds.ledger(), store, {"2004"});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->all, BetFigures{});
  EXPECT_FALSE(store.exists());
}

}  // namespace
