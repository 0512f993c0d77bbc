// The all-types figures of a range against a plain sum: every meeting day read with its
// store rows (readDayBets) and added up, on a ledger of random tickets, results, lines,
// dead heats and scratches.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <thread>
#include <tuple>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/temp_dir.hpp"
#include "domain/settlement.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/bets/range_figures.hpp"
#include "features/bets/ticket_rows.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

// Random tickets, results, lines, dead heats and scratches on six days of three courses
// in 2004 and 2005, each race settled, and a store row of a date without a meeting.
void fillRandomLedger(const Ledger& ledger, BetStore& store) {
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
          race.wakuKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Waku, pick(1, 4), pick(5, 8)));
          race.wakuGaku[0] = 100 * pick(0, 3);
          race.wakuKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Waku, pick(1, 4), pick(5, 8)));
          race.wakuHaitou[0] = 10 * pick(50, 900);
          race.fukuUma[0] = static_cast<std::uint16_t>(pick(1, 8));
          race.fukuGaku[0] = 100 * pick(0, 4);
          race.fukuKeka[0] = static_cast<std::uint16_t>(pick(1, 8));
          race.fukuHaitou[0] = 10 * pick(10, 50);
          race.wideKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Wide, 1, pick(2, 8)));
          race.wideGaku[0] = 100 * pick(0, 4);
          race.wideKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Wide, 1, pick(2, 8)));
          race.wideHaitou[0] = 10 * pick(20, 300);
          const RaceKey rk = raceKeyOf(key, day->meeting, r);
          for (int n = pick(0, 2); n > 0; --n) {
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3, 4}, 1), 24)));
          }
          if (pick(0, 1)) {
            ASSERT_TRUE(store.addWinner(rk, {2, {1, 2, pick(3, 4)}, 10 * pick(100, 9000)}));
          }
          if (pick(0, 2) == 0) {
            ASSERT_TRUE(store.addLine(
                rk, storedLineOf(PurchaseLine::box(NewBetType::Sanrenpuku, {1, 2, 3, 5}, pick(1, 3)), 4)));
            ASSERT_TRUE(store.addWinner(rk, {1, {1, 2, pick(3, 5)}, 10 * pick(30, 900)}));
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 2), 2)));
            ASSERT_TRUE(store.addWinner(rk, {0, {pick(1, 2), 3}, 10 * pick(30, 900)}));
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
}

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
  ASSERT_NO_FATAL_FAILURE(fillRandomLedger(ledger, store));

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
      ASSERT_FALSE(kept->days.empty());
      const RaceKey changed{kept->days.front().date, 4};
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

TEST(RangeFigures, PerTypeEqualTheSumOfEveryDay) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004, 2005});
  const Ledger ledger = ds.ledger();
  BetStore store(dir.path());
  ASSERT_NO_FATAL_FAILURE(fillRandomLedger(ledger, store));

  AllTypesFigures sum, sum2005Nakayama;
  for (const char* y : {"2004", "2005"}) {
    for (int course = 0; course < kCourseCount; ++course) {
      const auto meetings = ledger.meetings(y, course);
      ASSERT_TRUE(meetings);
      for (int index = 0; index < static_cast<int>(meetings->size()); ++index) {
        const auto b = readDayBets(store, ledger, {y, course, index});
        ASSERT_TRUE(b);
        sum += b->figures;
        if (std::string(y) == "2005" && course == 4) sum2005Nakayama += b->figures;
      }
    }
  }
  const auto byType = rangeFiguresByType(ledger, store, {"2004", "2005"});
  ASSERT_TRUE(byType);
  EXPECT_EQ(*byType, sum);
  // Every type takes part.
  for (BetType t : kBetTypes) EXPECT_GT(byType->of(t).bought, 0) << betTypeInfo(t).ascii;
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan})
    EXPECT_GT(byType->of(t).bought, 0) << static_cast<int>(t);
  EXPECT_GT(byType->of(NewBetType::Sanrenpuku).ret, 0);
  // The eight types add up to the range's figures.
  BetFigures eight;
  for (BetType t : kBetTypes) eight += byType->of(t);
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) eight += byType->of(t);
  const auto range = rangeFigures(ledger, store, {"2004", "2005"});
  ASSERT_TRUE(range);
  EXPECT_EQ(eight, range->all);
  EXPECT_EQ(byType->all, range->all);
  // One year and one course.
  const auto part = rangeFiguresByType(ledger, store, {"2005"}, {4});
  ASSERT_TRUE(part);
  EXPECT_EQ(*part, sum2005Nakayama);
  EXPECT_GT(part->all.bought, 0);
}

TEST(RangeFigures, PerTypeCountsTheRowsOfADateOnce) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004});
  const Ledger ledger = ds.ledger();
  BetStore store(dir.path());
  KaisaiRecord k;
  k.tsukiHi = 605;
  k.kaiNichi = 101;
  KaisaiRecord second = k;
  second.kaiNichi = 102;
  ASSERT_TRUE(ledger.insertMeetings("2004", 4, {k, second}));
  ASSERT_TRUE(store.addLine({{2004, 4, 6, 5}, 3}, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 5), 2)));
  ASSERT_TRUE(store.addLine({{2004, 4, 6, 6}, 3}, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 7), 2)));
  const auto r = rangeFiguresByType(ledger, store, {"2004"});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->of(NewBetType::Umatan).bought, 1000);
  EXPECT_EQ(r->all.bought, 1000);
}

TEST(RangeFigures, TicketRowsAddUpToTheRange) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004, 2005});
  const Ledger ledger = ds.ledger();
  BetStore store(dir.path());
  ASSERT_NO_FATAL_FAILURE(fillRandomLedger(ledger, store));
  for (const std::vector<std::string>& years : {std::vector<std::string>{"2004", "2005"}, {"2005"}}) {
    const auto rows = ticketRows(ledger, store, years);
    ASSERT_TRUE(rows);
    BetFigures sum;
    std::map<std::string, BetFigures> byType;
    for (const TicketRow& r : *rows) {
      EXPECT_EQ(r.bought, r.stake * r.points);
      sum.bought += r.bought;
      sum.refunded += r.refunded;
      sum.ret += r.ret;
      byType[r.type].bought += r.bought;
      byType[r.type].refunded += r.refunded;
      byType[r.type].ret += r.ret;
    }
    const auto range = rangeFigures(ledger, store, years);
    ASSERT_TRUE(range);
    EXPECT_EQ(sum.bought, range->all.bought);
    EXPECT_EQ(sum.refunded, range->all.refunded);
    EXPECT_EQ(sum.ret, range->all.ret);
    EXPECT_GT(sum.refunded, 0);
    // Per type as the per-type figures give them.
    const auto perType = rangeFiguresByType(ledger, store, years);
    ASSERT_TRUE(perType);
    for (BetType t : kBetTypes) {
      EXPECT_EQ(byType[betTypeInfo(t).ascii].bought, perType->of(t).bought) << betTypeInfo(t).ascii;
      EXPECT_EQ(byType[betTypeInfo(t).ascii].refunded, perType->of(t).refunded) << betTypeInfo(t).ascii;
      EXPECT_EQ(byType[betTypeInfo(t).ascii].ret, perType->of(t).ret) << betTypeInfo(t).ascii;
    }
    // In calendar order.
    for (std::size_t i = 1; i < rows->size(); ++i) {
      const TicketRow& a = (*rows)[i - 1];
      const TicketRow& b = (*rows)[i];
      EXPECT_LE(std::tie(a.year, a.month, a.day, a.course, a.race), std::tie(b.year, b.month, b.day, b.course, b.race));
    }
  }
}

struct SetsCase {
  PurchaseLine line;
  const char* text;
};

TEST(RangeFigures, TicketSetsText) {
  const SetsCase cases[] = {
      {PurchaseLine::normal(NewBetType::Sanrentan, {7, 2, 11}, 1), "7.2.11"},
      {PurchaseLine::box(NewBetType::Sanrenpuku, {2, 5, 7, 11}, 1), "2.5.7.11"},
      {PurchaseLine::nagashi(NewBetType::Sanrenpuku, {3}, {1, 4, 7}, false, 1), "3/1.4.7"},
      {PurchaseLine::nagashi(NewBetType::Umatan, {4}, {1, 9}, true, 1), "4/1.9:multi"},
      {PurchaseLine::nagashi(NewBetType::Umatan, {4}, {1, 9}, false, 1, {2, 2}), "4/1.9:2"},
      {PurchaseLine::nagashi(NewBetType::Sanrentan, {1, 2}, {5, 6}, false, 1, {1, 3}), "1.2/5.6:1.3"},
      {PurchaseLine::formation(NewBetType::Umatan, {1, 2}, {3}, {}, 1), "1.2/3"},
      {PurchaseLine::formation(NewBetType::Sanrentan, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}, 1),
       "1.2/1.2.3.4/1.2.3.4.5.6"},
  };
  for (const SetsCase& c : cases) EXPECT_EQ(ticketSetsText(c.line), c.text);
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
  EXPECT_TRUE(kept->days.empty()) << "the figures of a deleted year are kept";
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

// What a range keeps of the races with scratches is read instead of their race records
// while the race file is as it was, and never once the file changed.
TEST(RangeFigures, KeptScratchedRacesHoldUntilTheRaceFileChanges) {
  RunDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2004, 2005});
  const Ledger ledger = ds.ledger();
  BetStore store(dir.path());
  ASSERT_NO_FATAL_FAILURE(fillRandomLedger(ledger, store));
  ASSERT_TRUE(keepStaleFigures(store));
  const std::vector<std::string> years{"2004", "2005"};
  const RangeFigures truth = sumOfDays(store, ledger, years);

  // A file that changed just now is not settled: nothing is kept.
  const auto unsettled = rangeFigures(ledger, store, years, {}, RangeKeep{true, std::chrono::hours(1)});
  ASSERT_TRUE(unsettled);
  EXPECT_EQ(*unsettled, truth);
  EXPECT_TRUE(store.keptCourseFigures({})->empty());

  const RangeKeep keep{true, std::chrono::seconds(0)};
  for (int round = 0; round < 2; ++round) {  // kept, then read from what was kept
    const auto r = rangeFigures(ledger, store, years, {}, keep);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, truth) << round;
  }
  auto kept = store.keptCourseFigures({});
  ASSERT_TRUE(kept);
  ASSERT_FALSE(kept->empty());
  // Proof that the kept figures are what a range reads: one of them changed behind its
  // back shows.
  KeptCourseFigures tampered = kept->front();
  tampered.races.front().figures.ret += 1000;
  ASSERT_TRUE(store.keepCourseFigures(tampered));
  const auto shown = rangeFigures(ledger, store, years, {}, keep);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->old.ret, truth.old.ret + 1000);

  // The race file of that course written again (a ticket of the race changed): the kept
  // figures no longer count, and what the records now give is kept in their place.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // past the file-system clock's tick
  const KeptRaceFigures& k = tampered.races.front();
  const auto index = k.index;
  const DayKey key{std::to_string(tampered.year), tampered.course, index};
  auto day = ledger.readDay(key);
  ASSERT_TRUE(day);
  RaceRecord& race = day->races[static_cast<std::size_t>(k.scratch.race - 1)];
  race.tanUma[1] = static_cast<std::uint16_t>(numbersIn(k.scratch.horses).front());
  race.tanGaku[1] = 700;
  settleAllRaces(day->meeting, day->races);
  ASSERT_FALSE(ledger.writeDay(key, *day));
  const RangeFigures after = sumOfDays(store, ledger, years);
  EXPECT_EQ(after.old.refunded, truth.old.refunded + 700);
  for (int round = 0; round < 2; ++round) {
    const auto r = rangeFigures(ledger, store, years, {}, keep);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, after) << round;
  }
}

}  // namespace
