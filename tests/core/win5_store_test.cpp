// The WIN5 days of the bet store: random changes read back as a plain model holds them,
// refusals of days and rows that are not there, and a failure at every I/O step of a
// change leaving the store as before (or, once committed, as after).
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "common/failing_sqlite_vfs.hpp"
#include "common/temp_dir.hpp"
#include "storage/bet_store.hpp"
#include "storage/win5_store.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

using Model = std::map<Win5Date, StoredWin5Day>;

Model contents(BetStore& bets) {
  Win5Store store(bets);
  Model m;
  const Status s = store.scan({}, [&](const Win5Date& d, const StoredWin5Day& day) {
    EXPECT_FALSE(m.count(d)) << "visited twice";
    m[d] = day;
  });
  EXPECT_TRUE(s);
  return m;
}

std::array<Win5Leg, kWin5LegCount> legs(int course) {
  return {{{course, 10}, {(course + 3) % 10, 10}, {course, 11}, {(course + 3) % 10, 11}, {course, 12}}};
}

TEST(Win5Store, RandomChangesReadBackAsTheModelHoldsThem) {
  RunDir dir;
  BetStore bets(dir.path());
  Win5Store store(bets);
  Model model;
  std::mt19937 rng(5);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const Win5Date dates[] = {{2025, 10, 19}, {2025, 10, 26}, {2026, 1, 5}, {2026, 12, 27}};
  for (int step = 0; step < 300; ++step) {
    const Win5Date d = dates[pick(0, 3)];
    const bool there = model.count(d) > 0;
    switch (pick(0, 7)) {
      case 0: {
        const auto l = legs(pick(0, 9));
        ASSERT_TRUE(store.setLegs(d, l));
        model[d].legs = l;
        break;
      }
      case 1: {
        StoredWin5Line line;
        for (auto& leg : line.legs)
          for (int n = pick(1, 3); n > 0; --n) leg.push_back(pick(1, 18));
        line.stake = pick(1, 99999);
        line.points = pick(1, 27);
        auto id = store.addLine(d, line);
        ASSERT_EQ(static_cast<bool>(id), there);
        if (there) {
          line.id = *id;
          model[d].lines.push_back(line);
        } else {
          EXPECT_EQ(id.refusal().text, "");
        }
        break;
      }
      case 2: {
        const int n = pick(0, 4);
        const bool has = there && n >= 1 && static_cast<std::size_t>(n) <= model[d].lines.size();
        ASSERT_EQ(static_cast<bool>(store.deleteLine(d, n)), has);
        if (has) model[d].lines.erase(model[d].lines.begin() + (n - 1));
        break;
      }
      case 3: {
        std::vector<StoredWin5Winner> w;
        for (int n = pick(0, 2); n > 0; --n)
          w.push_back({{pick(1, 18), pick(1, 18), pick(1, 18), pick(1, 18), pick(1, 18)},
                       10 * static_cast<std::int64_t>(pick(1, 60000000))});
        ASSERT_EQ(static_cast<bool>(store.setWinners(d, w)), there);
        if (there) model[d].winners = w;
        break;
      }
      case 4: {
        const int leg = pick(1, 5);
        std::vector<int> h;
        for (int n = pick(0, 2); n > 0; --n) h.push_back(pick(1, 18));
        ASSERT_EQ(static_cast<bool>(store.setScratch(d, leg, h)), there);
        std::sort(h.begin(), h.end());
        h.erase(std::unique(h.begin(), h.end()), h.end());
        if (there) model[d].scratched[static_cast<std::size_t>(leg - 1)] = h;
        break;
      }
      case 5: {
        const bool c = pick(0, 1) == 1;
        ASSERT_EQ(static_cast<bool>(store.setCancelled(d, c)), there);
        if (there) model[d].cancelled = c;
        break;
      }
      case 6: {
        const std::string note = pick(0, 1) ? "ｷｬﾘｰｵｰﾊﾞｰ 5億円" : "";
        ASSERT_EQ(static_cast<bool>(store.setNote(d, note)), there);
        if (there) model[d].note = note;
        break;
      }
      case 7:
        if (pick(0, 3) == 0) {
          ASSERT_EQ(static_cast<bool>(store.deleteDay(d)), there);
          model.erase(d);
        }
        break;
    }
    if (step % 25 == 0) {
      ASSERT_EQ(contents(bets), model) << step;
    }
  }
  EXPECT_EQ(contents(bets), model);
  for (const auto& [d, day] : model) {
    auto read = store.day(d);
    ASSERT_TRUE(read);
    ASSERT_TRUE(*read);
    EXPECT_EQ(**read, day);
  }
  // Reopened from the file.
  BetStore again(dir.path());
  EXPECT_EQ(contents(again), model);
}

TEST(Win5Store, WithoutAFileReadsNoneAndRefusesRemovalsCreatingNothing) {
  RunDir dir;
  BetStore bets(dir.path());
  Win5Store store(bets);
  const Win5Date d{2025, 10, 19};
  auto day = store.day(d);
  ASSERT_TRUE(day);
  EXPECT_FALSE(*day);
  EXPECT_FALSE(store.deleteDay(d));
  EXPECT_FALSE(store.setCancelled(d, true));
  EXPECT_FALSE(store.addLine(d, StoredWin5Line{0, {{{1}, {1}, {1}, {1}, {1}}}, 1, 1}));
  EXPECT_FALSE(bets.exists());
  auto at = store.holdsLegAt(d, 4);
  ASSERT_TRUE(at);
  EXPECT_FALSE(*at);
  ASSERT_TRUE(store.setLegs(d, legs(4)));
  EXPECT_TRUE(*store.holdsLegAt(d, 4));
  EXPECT_TRUE(*store.holdsLegAt(d, 7));
  EXPECT_FALSE(*store.holdsLegAt(d, 0));
  EXPECT_FALSE(*store.holdsLegAt({2025, 10, 18}, 4));
}

TEST(Win5Store, AFailureAtEveryStepOfBuyingLeavesTheDayAsBeforeOrAfter) {
  const Win5Date d{2025, 10, 19};
  RunDir base;
  {
    BetStore bets(base.path());
    ASSERT_TRUE(Win5Store(bets).setLegs(d, legs(4)));
  }
  Model before, after;
  {
    BetStore bets(base.path());
    before = contents(bets);
  }
  const StoredWin5Line line{0, {{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 2, 4};
  long n = 1;
  for (bool andLater : {false, true}) {
    for (n = 1;; ++n) {
      SCOPED_TRACE(n);
      RunDir run(base.path());
      bool failed = false;
      bool ok = false;
      {
        BetStore bets(run.path(), failingVfs());
        armFailingVfs(n, andLater);
        ok = static_cast<bool>(Win5Store(bets).addLine(d, line));
        failed = failingVfsFailed();
        disarmFailingVfs();
      }
      BetStore bets(run.path());
      const Model now = contents(bets);
      EXPECT_EQ(*bets.integrityCheck(), "ok");
      if (ok) {
        ASSERT_EQ(now.at(d).lines.size(), 1u);
        EXPECT_EQ(now.at(d).lines[0].legs, line.legs);
      } else {
        EXPECT_EQ(now, before);
      }
      if (!failed) break;
      ASSERT_LT(n, 200);
    }
    EXPECT_GE(n - 1, 3);
  }
}

}  // namespace

// A day deleted takes the receipts of its imported lines: importing them again takes them
// again. Another date's receipts stay.
TEST(Win5Store, DeletingADayTakesItsReceipts) {
  TempDir dir;
  BetStore bets(dir.path());
  Win5Store store(bets);
  const Win5Date day{2025, 10, 19}, other{2025, 10, 26};
  for (const Win5Date& d : {day, other}) {
    Win5Import in;
    in.legs = legs(4);
    Win5ImportLine l;
    l.line.legs = {{{1}, {2}, {3}, {4}, {5}}};
    l.line.stake = 1;
    l.line.points = 1;
    l.receipt = "0001-01";
    in.lines = {l};
    ASSERT_TRUE(store.applyImport(d, in));
  }
  ASSERT_TRUE(store.deleteDay(day));
  EXPECT_EQ(*store.receipts(day), std::vector<std::string>{});
  EXPECT_EQ(*store.receipts(other), std::vector<std::string>{"0001-01"});
}
