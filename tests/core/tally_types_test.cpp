// The tallies' bet-type filter and their figures of every type: the old work files byte
// for byte as before when every type is chosen (with or without store rows), the type
// work file's layout at literal offsets, the type figures against a plain sum of every
// day's figures, and the filter's cases one race at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "common/temp_dir.hpp"
#include "domain/settlement.hpp"
#include "features/bets/race_bets.hpp"
#include "features/export/tally_csv.hpp"
#include "features/bets/race_figures.hpp"
#include "features/bets/range_figures.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/saved_results.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_filter.hpp"
#include "features/tally/type_tally.hpp"
#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::tally;
using namespace tovra::testing;

namespace {

const Clock kClock = [] { return StampTime{2026, 12, 9, 21, 5}; };

// Tickets and results on every race of five days at three courses in 2004 and 2005,
// settled; with `storeRows` also 馬単, 3連複 and 3連単 lines, winners and scratches.
void fillLedger(const Ledger& ledger, BetStore& store, bool storeRows) {
  std::mt19937 rng(26);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (const char* y : {"2004", "2005"}) {
    for (int course : {0, 4, 8}) {
      std::vector<KaisaiRecord> days;
      for (int i = 0; i < 5; ++i) {
        KaisaiRecord k;
        k.tsukiHi = static_cast<std::uint16_t>(100 * pick(1, 12) + pick(1, 28));
        k.kaiNichi = static_cast<std::uint16_t>(100 * pick(1, 5) + pick(1, 8));
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
          race.tanUma[0] = static_cast<std::uint16_t>(pick(1, 6));
          race.tanGaku[0] = 100 * pick(0, 20);
          race.tanKeka[0] = static_cast<std::uint16_t>(pick(1, 6));
          race.tanHaitou[0] = 10 * pick(10, 200);
          race.fukuUma[0] = static_cast<std::uint16_t>(pick(1, 6));
          race.fukuGaku[0] = 100 * pick(0, 4);
          race.fukuKeka[0] = static_cast<std::uint16_t>(pick(1, 6));
          race.fukuHaitou[0] = 10 * pick(10, 50);
          race.umaKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, pick(2, 6)));
          race.umaGaku[0] = 100 * pick(0, 5);
          race.umaKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, pick(2, 6)));
          race.umaHaitou[0] = 10 * pick(50, 900);
          race.wakuKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Waku, pick(1, 4), pick(5, 8)));
          race.wakuGaku[0] = 100 * pick(0, 3);
          race.wakuKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Waku, pick(1, 4), pick(5, 8)));
          race.wakuHaitou[0] = 10 * pick(50, 900);
          race.wideKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Wide, 1, pick(2, 6)));
          race.wideGaku[0] = 100 * pick(0, 4);
          race.wideKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Wide, 1, pick(2, 6)));
          race.wideHaitou[0] = 10 * pick(20, 300);
          if (!storeRows) continue;
          const RaceKey rk = raceKeyOf(key, day->meeting, r);
          if (pick(0, 1)) {
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3}, pick(1, 3)), 6)));
            const int first = pick(1, 2);
            ASSERT_TRUE(store.addWinner(rk, {2, {first, 3, pick(0, 1) ? 3 - first : 5}, 10 * pick(100, 9000)}));
          }
          if (pick(0, 2) == 0) {
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Sanrenpuku, {1, 2, 3, 5}, 1), 4)));
            ASSERT_TRUE(store.addWinner(rk, {1, {1, 2, pick(3, 5)}, 10 * pick(30, 900)}));
            ASSERT_TRUE(store.addLine(rk, storedLineOf(PurchaseLine::box(NewBetType::Umatan, {1, 2}, 2), 2)));
            ASSERT_TRUE(store.addWinner(rk, {0, {pick(1, 2), 3}, 10 * pick(30, 900)}));
          }
          if (pick(0, 4) == 0) {
            ASSERT_TRUE(store.setScratch(rk, {pick(1, 6)}, {pick(1, 8)}));
          }
        }
        settleAllRaces(day->meeting, day->races);
        ASSERT_FALSE(ledger.writeDay(key, *day));
      }
    }
  }
}

struct TypeLedger {
  RunDir dir;
  LedgerCursor ds{dir.path()};
  BetStore store{dir.path()};
  ScriptedPort port;
  explicit TypeLedger(bool storeRows) {
    makeLedger(ds, {2004, 2005});
    fillLedger(ds.ledger(), store, storeRows);
  }
  std::vector<std::uint8_t> read(const char* logical) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(readWholeFile(ds.fs(), ds.resolve(logical), out));
    return out;
  }
};

// The type figures by a plain walk: every meeting day of every course read with its store
// rows (readDayBets), each race's figures added to its course and type.
TypeTallyResult plainSum(TypeLedger& l, const std::vector<std::string>& years, const TallyFilter& f, int monthDay) {
  TypeTallyResult out;
  out.filter = f;
  auto add = [](TypeCell& c, const BetFigures& x) {
    c.bought += x.bought;
    c.refunded += x.refunded;
    c.ret += x.ret;
    if (x.bought > 0) {
      ++c.races;
      if (x.hit) ++c.hits;
    }
  };
  for (const std::string& y : years) {
    for (int course = 0; course < kCourseCount; ++course) {
      if (!f.counts(course)) continue;
      const auto meetings = l.ds.ledger().meetings(y, course);
      if (!meetings) throw std::runtime_error("read");
      for (int index = 0; index < static_cast<int>(meetings->size()); ++index) {
        const auto b = readDayBets(l.store, l.ds.ledger(), {y, course, index});
        if (!b) throw std::runtime_error("read");
        if (monthDay != 0 && (*meetings)[static_cast<std::size_t>(index)].tsukiHi != monthDay) continue;
        for (const RaceBets& r : b->races) {
          BetFigures chosen;
          for (int t = 0; t < kTallyTypeCount; ++t) {
            if (!f.has(t)) continue;
            add(out.cells[static_cast<std::size_t>(course)][static_cast<std::size_t>(t)], figuresOf(r.figures, t));
            add(out.cells[kAllCoursesRow][static_cast<std::size_t>(t)], figuresOf(r.figures, t));
            chosen.bought += figuresOf(r.figures, t).bought;
            chosen.refunded += figuresOf(r.figures, t).refunded;
            chosen.ret += figuresOf(r.figures, t).ret;
            chosen.hit = chosen.hit || figuresOf(r.figures, t).hit;
          }
          add(out.cells[static_cast<std::size_t>(course)][kChosenCol], chosen);
          add(out.cells[kAllCoursesRow][kChosenCol], chosen);
        }
      }
    }
  }
  return out;
}

}  // namespace

// With every type and course chosen the old work file is the same, byte for byte, as the
// tally without a filter writes it, with and without store rows, in every mode.
TEST(TallyTypes, OldShushiFileByteIdenticalWithEveryTypeChosen) {
  for (bool rows : {false, true}) {
    TypeLedger l(rows);
    const int year = 2005;
    for (auto [mode, selection] : std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {5, 0}}) {
      if (mode == kShushiDay) {
        const auto meetings = l.ds.ledger().meetings("2005", 4);
        ASSERT_TRUE(meetings && !meetings->empty());
        selection = meetings->front().tsukiHi;
      }
      ASSERT_TRUE(runShushiTally(l.ds, l.port, mode, selection, year, kClock));
      const auto before = l.read(kShushiWorkFile);
      ASSERT_TRUE(runShushiTally(l.ds, l.store, l.port, mode, selection, year, TallyFilter{}, kClock));
      EXPECT_EQ(l.read(kShushiWorkFile), before) << rows << " mode " << mode;
      // The type file beside it carries the same time stamp.
      const auto types = readTypeFile(l.ds, kShushiTypeWorkFile, ShushiResult::decode(before.data()).timeStamp);
      ASSERT_TRUE(types) << mode;
      // Without store rows its record types are the old file's grand total.
      if (!rows) {
        const ShushiResult old = ShushiResult::decode(before.data());
        const TypeCell& c = types->cells[kAllCoursesRow][kChosenCol];
        const int i = ShushiResult::cell(ShushiResult::kSumRow, ShushiResult::kSumCol);
        EXPECT_EQ(c.purchase(), old.kounyu[i]) << mode;
        EXPECT_EQ(c.balance(), old.shushi[i]) << mode;
        EXPECT_EQ(c.refunded, 0);
      }
    }
    EXPECT_TRUE(l.port.messages.empty());
  }
}

// The same for the item tally, and its type file's 馬単 rows per course against the plain
// sum; the rank and condition tallies with every type are as without a filter.
TEST(TallyTypes, OldItemRankConditionFilesByteIdenticalWithEveryTypeChosen) {
  TypeLedger l(true);
  for (int mode : {0, 1}) {
    ASSERT_TRUE(runKoumokuTally(l.ds, l.port, mode, 0, kClock));
    const auto before = l.read(kKoumokuWorkFile);
    ASSERT_TRUE(runKoumokuTally(l.ds, l.store, l.port, mode, 0, TallyFilter{}, kClock));
    EXPECT_EQ(l.read(kKoumokuWorkFile), before) << mode;
    KoumokuResult old;
    ASSERT_TRUE(old.decode(before.data(), before.size()));
    const auto types = readTypeFile(l.ds, kKoumokuTypeWorkFile, old.timeStamp);
    ASSERT_TRUE(types);
    const std::vector<std::string> years = mode == 0 ? std::vector<std::string>{"2005", "2004"}
                                                     : std::vector<std::string>{"2005"};
    EXPECT_TRUE(types->cells == plainSum(l, years, TallyFilter{}, 0).cells) << mode;
  }
  const std::vector<std::uint8_t> rank0 = computeRank(l.ds, l.port, 3, 0, kClock).encode();
  EXPECT_EQ(computeRank(l.ds, l.port, 3, 0, kClock, TallyFilter{}).encode(), rank0);
  // A course filter keeps the other courses out of the ranks.
  TallyFilter kokura;
  kokura.course = 9;  // no meeting there
  const RankResult none = computeRank(l.ds, l.port, 3, 0, kClock, kokura);
  EXPECT_EQ(none.rows[0].tsuki, 0);
  JyokenConditions month{};
  month[0] = {static_cast<std::int16_t>(JyokenKind::Month), 6};
  const JyokenResult all = computeJyoken(l.ds, l.port, 0, 0, month, kClock);
  const JyokenResult same = computeJyoken(l.ds, l.port, 0, 0, month, kClock, TallyFilter{});
  EXPECT_EQ(std::memcmp(&all.purchase, &same.purchase, sizeof all.purchase), 0);
  const JyokenResult out = computeJyoken(l.ds, l.port, 0, 0, month, kClock, kokura);
  EXPECT_EQ(out.purchase[kJyokenGrandRow], 0);
  EXPECT_NE(all.purchase[kJyokenGrandRow], 0);
}

// The type figures per course and type against the plain sum of every day, for every
// type, a few types with a course, and one day.
TEST(TallyTypes, TypeFiguresEqualThePlainSumOfEveryDay) {
  TypeLedger l(true);
  const std::vector<std::string> years{"2004", "2005"};
  TallyFilter some;
  some.types = 1u << 0 | 1u << 3 | 1u << 7;  // 単勝 馬連 3連単
  TallyFilter tokyo = some;
  tokyo.course = 4;
  for (const TallyFilter& f : {TallyFilter{}, some, tokyo}) {
    const auto got = typeTally(l.ds.ledger(), l.store, years, f);
    ASSERT_TRUE(got);
    const TypeTallyResult want = plainSum(l, years, f, 0);
    EXPECT_TRUE(got->cells == want.cells) << f.types << " " << f.course;
  }
  // Every type took part, refunds among them.
  const auto every = typeTally(l.ds.ledger(), l.store, years, TallyFilter{});
  ASSERT_TRUE(every);
  for (int t = 0; t < kTallyTypeCount; ++t) EXPECT_GT(every->cells[kAllCoursesRow][std::size_t(t)].bought, 0) << t;
  EXPECT_GT(every->cells[kAllCoursesRow][kChosenCol].refunded, 0);
  EXPECT_GT(every->cells[kAllCoursesRow][7].hits, 0);
  // The all-course row agrees with the range's figures per type.
  const auto byType = rangeFiguresByType(l.ds.ledger(), l.store, years);
  ASSERT_TRUE(byType);
  EXPECT_EQ(every->cells[kAllCoursesRow][kChosenCol].bought, byType->all.bought);
  EXPECT_EQ(every->cells[kAllCoursesRow][kChosenCol].refunded, byType->all.refunded);
  EXPECT_EQ(every->cells[kAllCoursesRow][kChosenCol].ret, byType->all.ret);
  // One day of 2005 at 東京.
  const auto meetings = l.ds.ledger().meetings("2005", 4);
  ASSERT_TRUE(meetings && !meetings->empty());
  const int md = meetings->back().tsukiHi;
  const auto day = typeTally(l.ds.ledger(), l.store, {"2005"}, TallyFilter{}, md);
  ASSERT_TRUE(day);
  EXPECT_TRUE(day->cells == plainSum(l, {"2005"}, TallyFilter{}, md).cells);
  EXPECT_GT(day->cells[4][kChosenCol].races, 0);
}

// tmp/shushisk.tmp at literal offsets.
TEST(TallyTypes, TypeFileLayout) {
  TypeTallyResult r;
  r.filter.types = 0x85;
  r.filter.course = 4;
  putTimeStamp(r.timeStamp, kClock());
  r.cells[0][0] = {1, 2, 3, 4, 5};
  r.cells[10][9] = {std::int64_t{5'000'000'000}, -1, 7, 8, 9};
  r.cells[4][7] = {100, 200, 300, 400, 500};
  std::vector<std::uint8_t> f(TypeTallyResult::kSize, 0xEE);
  r.encode(f.data());
  ASSERT_EQ(f.size(), 3592u);
  EXPECT_EQ(bytes::getU32(f.data(), 0), 0x85u);
  EXPECT_EQ(bytes::getI32(f.data(), 4), 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.data() + 8)), timeStampCp932(kClock()));
  EXPECT_EQ(f[8 + 63], 0);
  // Cell (0, 0) at 72: bought, refunded, return (i64), races, hits (i32).
  EXPECT_EQ(bytes::getU32(f.data(), 72), 1u);
  EXPECT_EQ(bytes::getU32(f.data(), 76), 0u);
  EXPECT_EQ(bytes::getU32(f.data(), 80), 2u);
  EXPECT_EQ(bytes::getU32(f.data(), 88), 3u);
  EXPECT_EQ(bytes::getI32(f.data(), 96), 4);
  EXPECT_EQ(bytes::getI32(f.data(), 100), 5);
  // Cell (4, 7) at 72 + 47 * 32 = 1576.
  EXPECT_EQ(bytes::getU32(f.data(), 1576), 100u);
  EXPECT_EQ(bytes::getI32(f.data(), 1576 + 28), 500);
  // Cell (10, 9), the last, at 72 + 109 * 32 = 3560: 5 000 000 000 = 0x1_2A05_F200.
  EXPECT_EQ(bytes::getU32(f.data(), 3560), 0x2A05F200u);
  EXPECT_EQ(bytes::getU32(f.data(), 3564), 1u);
  EXPECT_EQ(bytes::getU32(f.data(), 3568), 0xFFFFFFFFu);
  EXPECT_EQ(bytes::getU32(f.data(), 3572), 0xFFFFFFFFu);
  EXPECT_EQ(bytes::getI32(f.data(), 3588), 9);
  TypeTallyResult back;
  EXPECT_FALSE(back.decode(f.data(), f.size() - 1));
  ASSERT_TRUE(back.decode(f.data(), f.size()));
  EXPECT_TRUE(back == r);
}

namespace {

// One race: 単勝 3 for 1000 yen (won, 250 yen per 100), 馬連 1-2 for 500 yen (lost),
// nothing else.
struct FilterCase {
  std::uint32_t types;
  std::int64_t purchase, balance;
  bool bought, hit;
};

}  // namespace

class OldRaceFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(OldRaceFilter, CountsTheChosenRecordTypes) {
  KaisaiRecord k;
  k.tsukiHi = 601;
  RaceBlock races{};
  RaceRecord& race = races[0];
  race.tanUma[0] = 3;
  race.tanGaku[0] = 1000;
  race.tanKeka[0] = 3;
  race.tanHaitou[0] = 250;
  race.umaKumi[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, 2));
  race.umaGaku[0] = 500;
  race.umaKeka[0] = static_cast<std::uint16_t>(pairCode(BetType::Uma, 1, 5));
  race.umaHaitou[0] = 1200;
  settleAllRaces(k, races);
  ASSERT_EQ(k.kounyuGaku[0], 1500);
  ASSERT_EQ(k.shushi[0], 1000);
  const FilterCase c = GetParam();
  TallyFilter f;
  f.types = c.types;
  const OldRaceCount n = oldRaceCount(k, 0, &race, f);
  EXPECT_EQ(n.purchase, c.purchase);
  EXPECT_EQ(n.balance, c.balance);
  EXPECT_EQ(n.bought, c.bought);
  EXPECT_EQ(n.hit, c.hit);
  // The income tally counts the same into its cell, the course filter taking the day or not.
  for (int course : {-1, 4, 0}) {
    f.course = course;
    ShushiCounter counter(kShushiAllByMonth, 0, f);
    counter.addDay(4, k, &races);
    const ShushiResult r = counter.finish();
    const int i = ShushiResult::cell(5, 4);
    const bool counted = course != 0;
    EXPECT_EQ(r.kounyu[i], counted ? c.purchase : 0) << course;
    EXPECT_EQ(r.shushi[i], counted ? c.balance : 0) << course;
  }
}

INSTANTIATE_TEST_SUITE_P(Types, OldRaceFilter,
                         ::testing::Values(FilterCase{kAllTallyTypes, 1500, 1000, true, true},  // the record's
                                           FilterCase{1u << 0, 1000, 1500, true, true},         // 単勝
                                           FilterCase{1u << 3, 500, -500, true, false},         // 馬連
                                           FilterCase{1u << 1, 0, 0, false, false},             // 複勝: none
                                           FilterCase{1u << 0 | 1u << 3, 1500, 1000, true, true},
                                           FilterCase{1u << 7, 0, 0, false, false},  // 3連単 only
                                           FilterCase{0, 0, 0, false, false}));

TEST(TallyFilterText, NamesAndCourse) {
  EXPECT_EQ(TallyFilter{}.text(), "全式別 全競馬場");
  TallyFilter f;
  f.types = 1u << 0 | 1u << 4 | 1u << 6;
  f.course = 4;
  EXPECT_EQ(f.text(), "単勝 ﾜｲﾄﾞ 3連複 東京");
  EXPECT_FALSE(f.allOld());
  EXPECT_TRUE(TallyFilter{}.everything());
  f.types = 0;
  EXPECT_TRUE(f.empty());
}

namespace {

// A 収支集計 and its type file as a tally leaves them, told apart by the stamp's minute.
void writeShushiPair(LedgerBuilder& b, int minute, bool withTypes, std::int64_t bought) {
  ShushiResult r;
  r.kounyu[ShushiResult::cell(12, 10)] = 1000 + minute;
  putTimeStamp(r.timeStamp, StampTime{2026, 12, 9, 21, minute});
  b.write(kShushiWorkFile, r.encode());
  if (!withTypes) return;
  TypeTallyResult t;
  std::memcpy(t.timeStamp, r.timeStamp, kStampSize);
  t.cells[kAllCoursesRow][kChosenCol].bought = bought;
  std::vector<std::uint8_t> bytes(TypeTallyResult::kSize);
  t.encode(bytes.data());
  b.write(kShushiTypeWorkFile, bytes);
}

std::int64_t shownBought(LedgerCursor& ds) {
  const auto old = readShushiFile(ds);
  if (!old) return -1;
  const auto t = readTypeFile(ds, kShushiTypeWorkFile, old->timeStamp);
  return t ? t->cells[kAllCoursesRow][kChosenCol].bought : -2;
}

}  // namespace

// Saving keeps the type file beside each copy (zeros for a copy without one), showing a
// copy brings it back, deleting a copy takes its record out; the old archive holds the
// old work files alone, and a ledger whose copies were saved before the type archive
// existed still shows them.
TEST(TallyTypes, SavedResultsKeepTheTypeFileBesideTheCopy) {
  LedgerBuilder b({2001});
  LedgerCursor ds = b.open();
  ScriptedPort port;
  // Copy 0: saved before the types existed (no type file, no type archive is made).
  writeShushiPair(b, 1, false, 0);
  const auto copy0 = b.read(kShushiWorkFile);
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Shushi));
  EXPECT_FALSE(b.exists("tovradatafile/shukei/shushisk.dat"));
  // Copies 1 and 2 with their type files.
  writeShushiPair(b, 2, true, 111);
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Shushi));
  writeShushiPair(b, 3, true, 222);
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Shushi));
  // A type file of another run (another stamp) is not saved with a copy: copy 3 has none.
  writeShushiPair(b, 4, true, 333);
  writeShushiPair(b, 5, false, 0);  // the old file anew; the type file stays minute 4's
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Shushi));

  const auto archive = b.read("tovradatafile/shukei/shushi.dat");
  ASSERT_EQ(archive.size(), 4u * 2360u);
  EXPECT_TRUE(std::equal(copy0.begin(), copy0.end(), archive.begin()));
  const auto types = b.read("tovradatafile/shukei/shushisk.dat");
  ASSERT_EQ(types.size(), 4u * 3592u);
  // Record 0 zeros, record 1 with 111 bought at 72 + 109 * 32 = 3560 of its record.
  EXPECT_TRUE(std::all_of(types.begin(), types.begin() + 3592, [](std::uint8_t x) { return x == 0; }));
  EXPECT_EQ(bytes::getU32(types.data(), 3592 + 3560), 111u);
  EXPECT_EQ(bytes::getU32(types.data(), 2 * 3592 + 3560), 222u);
  EXPECT_TRUE(std::all_of(types.begin() + 3 * 3592, types.end(), [](std::uint8_t x) { return x == 0; }));

  for (auto [line, want] : std::vector<std::pair<int, std::int64_t>>{{2, 222}, {0, -2}, {1, 111}, {3, -2}}) {
    ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, line));
    EXPECT_EQ(shownBought(ds), want) << line;
  }
  // Deleting copy 1: copies 2 and 3 move up, their type records with them.
  ASSERT_TRUE(deleteSavedResult(ds, port, TallyKind::Shushi, 1));
  EXPECT_EQ(b.read("tovradatafile/shukei/shushisk.dat").size(), 3u * 3592u);
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, 1));
  EXPECT_EQ(shownBought(ds), 222);
  // A type archive shorter than the archive (copies saved by an older build after it
  // existed) reads the missing records as none and is made whole by the next change.
  b.write("tovradatafile/shukei/shushisk.dat", std::vector<std::uint8_t>(
                                                   types.begin(), types.begin() + 3592));
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, 1));
  EXPECT_EQ(shownBought(ds), -2);
  writeShushiPair(b, 6, true, 666);
  ASSERT_TRUE(saveTallyResult(ds, port, TallyKind::Shushi));
  EXPECT_EQ(b.read("tovradatafile/shukei/shushisk.dat").size(), 4u * 3592u);
  ASSERT_TRUE(restoreSavedResult(ds, port, TallyKind::Shushi, 3));
  EXPECT_EQ(shownBought(ds), 666);
}

// The income tally's CSV: the old table first, unchanged, then a row per type chosen and
// course, the chosen types together, and the refunds apart.
TEST(TallyTypes, ShushiCsvGainsTheTypes) {
  ShushiResult r;
  r.kounyu[ShushiResult::cell(12, 10)] = 5000;
  TypeTallyResult t;
  t.filter.types = 1u << 0 | 1u << 7;  // 単勝 3連単
  t.cells[4][7] = {3000, 600, 4800, 2, 1};
  t.cells[10][7] = t.cells[4][7];
  t.cells[10][kChosenCol] = {4000, 600, 4800, 3, 1};
  const exports::CsvTable old = exports::shushiCsv(r);
  const exports::CsvTable with = exports::shushiCsv(r, &t);
  ASSERT_EQ(with.rows(), old.rows() + 3 * 11 + 11);
  EXPECT_EQ(with.text().substr(0, old.text().size()), old.text());
  const std::string added = with.text().substr(old.text().size());
  // 3連単 at 東京: purchase 2400 (3000 bought, 600 refunded), return 4800, 200.0%, hit 1 of 2.
  EXPECT_NE(added.find("3連単,東京,2400,200.0,4800,2400,50.0"), std::string::npos) << added;
  EXPECT_NE(added.find("選択式別,合計,3400,"), std::string::npos) << added;
  EXPECT_NE(added.find("返還,合計,600,"), std::string::npos) << added;
  EXPECT_EQ(added.find("馬単"), std::string::npos);
}
