// The condition tally: its condition list as the dialog keeps it, the matching of races,
// its counting, its work-file layout and what its window shows.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "domain/settlement.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/jyoken_view.hpp"
#include "storage/bytes.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;

namespace {

struct Day {
  KaisaiRecord k;
  RaceBlock races{};
  explicit Day(int tsukiHi = 601) {
    k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
    k.kaiNichi = 301;
  }
  RaceRecord& race(int r) { return races[static_cast<std::size_t>(r)]; }
  void settle() { settleAllRaces(k, races); }
};

JyokenConditions conds(std::initializer_list<JyokenCondition> list) {
  JyokenConditions c{};
  std::size_t i = 0;
  for (const auto& x : list) c[i++] = x;
  return c;
}
JyokenCondition cond(JyokenKind k, int v) { return {static_cast<std::int16_t>(k), static_cast<std::int16_t>(v)}; }

}  // namespace

TEST(JyokenList, EighthConditionIsRefusedWhateverItsKind) {
  ScriptedPort port;
  JyokenList list;
  for (int k = 1; k <= 7; ++k) ASSERT_TRUE(list.add(port, static_cast<JyokenKind>(k), 1));
  EXPECT_FALSE(list.add(port, JyokenKind::Going, 1));
  EXPECT_FALSE(list.add(port, JyokenKind::Month, 2));  // a kind already set: the same message first
  ASSERT_EQ(port.messages.size(), 2u);
  EXPECT_EQ(port.messages[0].text, "設定出来る条件は 7種までです。");
  EXPECT_EQ(port.messages[0].title, "確認");
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(port.beeps, 0);
  EXPECT_EQ(list.count(), 7);
}

TEST(JyokenList, KindSetTwiceOnlyBeepsAndDeletingFreesIt) {
  ScriptedPort port;
  JyokenList list;
  ASSERT_TRUE(list.add(port, JyokenKind::Month, 3));
  ASSERT_TRUE(list.add(port, JyokenKind::Class, 4));
  EXPECT_FALSE(list.add(port, JyokenKind::Month, 5));
  EXPECT_EQ(port.beeps, 1);
  EXPECT_TRUE(port.messages.empty());

  EXPECT_FALSE(list.remove(port, -1));
  EXPECT_EQ(port.lastText(), "削除する条件を指定して下さい。");
  EXPECT_EQ(list.count(), 2);

  ASSERT_TRUE(list.remove(port, 0));
  EXPECT_FALSE(list.has(JyokenKind::Month));
  ASSERT_TRUE(list.add(port, JyokenKind::Month, 4));
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.conditions()[0], cond(JyokenKind::Class, 4));
  EXPECT_EQ(list.conditions()[1], cond(JyokenKind::Month, 4));
  EXPECT_EQ(list.conditions()[2], JyokenCondition{});
  EXPECT_EQ(list.lines(), (std::vector<std::string>{"  1000万下", "  4月"}));
}

TEST(JyokenList, ValidateRefusesAnEmptyList) {
  ScriptedPort port;
  JyokenList list;
  EXPECT_FALSE(list.validate(port));
  EXPECT_EQ(port.lastText(), "集計させる条件を設定して下さい。");
  list.add(port, JyokenKind::Bet, 5);
  EXPECT_TRUE(list.validate(port));
  list.reset();
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(list.lines().empty());
}

TEST(JyokenList, EmptyDistanceIsZeroAndItsLineKeepsTheText) {
  ScriptedPort port;
  JyokenList list;
  ASSERT_TRUE(list.add(port, JyokenKind::Distance, 99, ""));
  EXPECT_EQ(list.conditions()[0], cond(JyokenKind::Distance, 0));
  EXPECT_EQ(list.lines()[0], "  M");
  list.reset();
  ASSERT_TRUE(list.add(port, JyokenKind::Distance, 0, "1600"));
  EXPECT_EQ(list.conditions()[0], cond(JyokenKind::Distance, 1600));
  EXPECT_EQ(list.lines()[0], "  1600M");
}

TEST(JyokenTexts, ListAndResultTexts) {
  EXPECT_EQ(jyokenListLine(JyokenKind::RaceNo, 11), "  11R");
  EXPECT_EQ(jyokenListLine(JyokenKind::Age, 1), "  2歳 ");
  EXPECT_EQ(jyokenListLine(JyokenKind::Going, 2), " 稍重");
  EXPECT_EQ(jyokenListLine(JyokenKind::Type, 7), "  九州馬");
  EXPECT_EQ(jyokenListLine(JyokenKind::Bet, 4), "  ﾜｲﾄﾞ");
  EXPECT_EQ(jyokenResultText(JyokenKind::Class, 4), "   1000万下");
  EXPECT_EQ(jyokenResultText(JyokenKind::Class, 5), "    1600万下");
  EXPECT_EQ(jyokenResultText(JyokenKind::Going, 2), "   稍重");
  EXPECT_EQ(jyokenResultText(JyokenKind::Distance, 0), "    0M");
  EXPECT_EQ(jyokenResultText(JyokenKind::Month, 12), "    12月");
  EXPECT_EQ(jyokenResultText(JyokenKind::Sex, 2), "    牝馬限定戦");
  EXPECT_EQ(jyokenResultText(JyokenKind::Bet, 5), "    馬連");
}

TEST(JyokenConditions, BetTypeIsTakenOutAndTheRestClosesUp) {
  JyokenConditions c = conds({cond(JyokenKind::Month, 3), cond(JyokenKind::Bet, 2), cond(JyokenKind::Track, 1)});
  EXPECT_EQ(takeBetType(c), 2);
  EXPECT_EQ(c[0], cond(JyokenKind::Month, 3));
  EXPECT_EQ(c[1], cond(JyokenKind::Track, 1));
  EXPECT_EQ(c[2], JyokenCondition{});
  EXPECT_EQ(c[6], JyokenCondition{});
  EXPECT_EQ(takeBetType(c), 0);
}

TEST(JyokenConditions, ClassMatchingAndRacesWithoutItems) {
  KaisaiRecord k;
  k.tsukiHi = 1105;
  RaceRecord race;
  auto classOf = [&](int code) {
    race.koumoku = static_cast<std::uint32_t>(30000000 + code * 100000 + 21111);
    return race;
  };
  auto holds = [&](JyokenKind kind, int v) { return jyokenHolds(cond(kind, v), k, 0, race); };
  classOf(13);
  EXPECT_TRUE(holds(JyokenKind::Class, 4));
  classOf(4);
  EXPECT_TRUE(holds(JyokenKind::Class, 4));
  classOf(12);
  EXPECT_TRUE(holds(JyokenKind::Class, 5));
  EXPECT_FALSE(holds(JyokenKind::Class, 4));
  classOf(10);  // 未出走 matches no class
  for (int v = 1; v <= 9; ++v) EXPECT_FALSE(holds(JyokenKind::Class, v)) << v;
  classOf(3);
  EXPECT_TRUE(holds(JyokenKind::Class, 3));
  EXPECT_TRUE(holds(JyokenKind::Age, 3));
  EXPECT_TRUE(holds(JyokenKind::Type, 2));
  EXPECT_TRUE(holds(JyokenKind::Track, 1));
  EXPECT_TRUE(holds(JyokenKind::Month, 11));
  EXPECT_FALSE(holds(JyokenKind::Month, 1));

  race.koumoku = 0;
  race.kyori = 0;
  EXPECT_FALSE(holds(JyokenKind::Going, 0));
  EXPECT_FALSE(holds(JyokenKind::Class, 0));
  EXPECT_TRUE(holds(JyokenKind::Distance, 0));  // no distance: matches the empty distance
  race.kyori = 1200;
  EXPECT_FALSE(holds(JyokenKind::Distance, 0));
  EXPECT_TRUE(holds(JyokenKind::Distance, 1200));
  EXPECT_TRUE(jyokenHolds(cond(JyokenKind::RaceNo, 5), k, 4, race));
  EXPECT_FALSE(jyokenHolds(cond(JyokenKind::RaceNo, 5), k, 5, race));
}

TEST(JyokenCount, BetTypeCountsOnlyItsTicketsAndGrandTotalIgnoresConditions) {
  Day d(501);
  // Race 0: 単勝 on 3 (1 000 yen) hits at 450; 複勝 on 3 (500 yen) hits at 160.
  RaceRecord& a = d.race(0);
  a.koumoku = 30221111;
  a.tanUma[0] = 3;
  a.tanGaku[0] = 1000;
  a.fukuUma[0] = 3;
  a.fukuGaku[0] = 500;
  a.tanKeka[0] = 3;
  a.tanHaitou[0] = 450;
  a.fukuKeka[0] = 3;
  a.fukuHaitou[0] = 160;
  // Race 1: only 複勝, missed.
  RaceRecord& b = d.race(1);
  b.koumoku = 30221111;
  b.fukuUma[0] = 1;
  b.fukuGaku[0] = 700;
  b.fukuKeka[0] = 2;
  b.fukuHaitou[0] = 120;
  // Race 2: another month's condition fails (age 2歳).
  RaceRecord& c = d.race(2);
  c.koumoku = 10221111;
  c.tanUma[0] = 1;
  c.tanGaku[0] = 300;
  d.settle();

  JyokenCounter tan(conds({cond(JyokenKind::Age, 3)}), 1);
  tan.addMeeting(6, d.k, d.races);
  JyokenResult r = tan.finish();
  EXPECT_EQ(r.purchase[6], 1000);
  EXPECT_EQ(r.balance[6], 4500 - 1000);
  EXPECT_FLOAT_EQ(r.recovery[6], 450.0f);
  EXPECT_FLOAT_EQ(r.hitRate[6], 100.0f);  // race 1 has no 単勝: not bought
  EXPECT_EQ(r.purchase[kJyokenSumRow], 1000);
  EXPECT_EQ(r.purchase[kJyokenGrandRow], 2500);
  EXPECT_EQ(r.balance[kJyokenGrandRow], 4500 + 800 - 2500);
  EXPECT_FLOAT_EQ(r.hitRate[kJyokenGrandRow], 100.0f / 3.0f);
  EXPECT_EQ(r.betType, 1);
  EXPECT_EQ(r.conditions[0], cond(JyokenKind::Age, 3));
  for (int i = 0; i < 10; ++i) {
    if (i == 6) continue;
    EXPECT_EQ(r.purchase[i], 0);
  }

  JyokenCounter fuku(conds({cond(JyokenKind::Age, 3)}), 2);
  fuku.addMeeting(6, d.k, d.races);
  r = fuku.finish();
  EXPECT_EQ(r.purchase[6], 1200);
  EXPECT_EQ(r.balance[6], 800 - 1200);
  EXPECT_FLOAT_EQ(r.hitRate[6], 50.0f);

  JyokenCounter whole(conds({cond(JyokenKind::Age, 3)}), 0);
  whole.addMeeting(6, d.k, d.races);
  r = whole.finish();
  EXPECT_EQ(r.purchase[6], 2200);
  EXPECT_EQ(r.balance[6], 4500 + 800 - 2200);
  EXPECT_FLOAT_EQ(r.recovery[6], static_cast<float>(5300) / static_cast<float>(2200) * 100.0f);
}

TEST(JyokenLayout, FieldsAtTheirOffsets) {
  JyokenResult r;
  r.purchase[0] = 0x01020304;
  r.balance[11] = -2;
  r.recovery[1] = 75.0f;
  r.hitRate[11] = 12.5f;
  r.rangeFlag = 1;
  std::memcpy(r.yearText, "2001", 5);
  r.conditions[0] = cond(JyokenKind::Month, 3);
  r.conditions[6] = cond(JyokenKind::Distance, 1600);
  r.betType = 5;
  std::memcpy(r.timeStamp, "stamp", 6);
  std::vector<std::uint8_t> b(JyokenResult::kSize, 0xEE);
  r.encode(b.data());
  EXPECT_EQ(b.size(), 295u);
  EXPECT_EQ(bytes::getI32(b.data(), 0), 0x01020304);
  EXPECT_EQ(bytes::getI32(b.data(), 48 + 44), -2);
  EXPECT_EQ(bytes::getU32(b.data(), 96 + 4), std::bit_cast<std::uint32_t>(75.0f));
  EXPECT_EQ(bytes::getU32(b.data(), 144 + 44), std::bit_cast<std::uint32_t>(12.5f));
  EXPECT_EQ(bytes::getI32(b.data(), 192), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[196])), "2001");
  EXPECT_EQ(bytes::getU16(b.data(), 201), 1);
  EXPECT_EQ(bytes::getU16(b.data(), 203), 3);
  EXPECT_EQ(bytes::getU16(b.data(), 201 + 24), 9);
  EXPECT_EQ(bytes::getU16(b.data(), 201 + 26), 1600);
  EXPECT_EQ(bytes::getU16(b.data(), 229), 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[231])), "stamp");
  EXPECT_EQ(b[294], 0);

  JyokenResult back;
  ASSERT_TRUE(back.decode(b.data(), b.size()));
  EXPECT_EQ(back.conditions[6], cond(JyokenKind::Distance, 1600));
  EXPECT_EQ(back.hitRate[11], 12.5f);
  EXPECT_FALSE(back.decode(b.data(), 294));
}

TEST(JyokenView, PanelsHeadingAndConditions) {
  JyokenResult r;
  r.rangeFlag = 1;
  std::memcpy(r.yearText, "1998", 5);
  r.conditions[0] = cond(JyokenKind::Month, 3);
  r.conditions[1] = cond(JyokenKind::Class, 4);
  r.betType = 1;
  r.purchase[4] = 10000;
  r.balance[4] = -2500;
  r.recovery[4] = 75.0f;
  r.hitRate[4] = 50.0f;
  r.purchase[11] = 300;
  r.balance[11] = 0;
  r.recovery[11] = 100.0f;
  const JyokenView v = jyokenView(r);
  EXPECT_EQ(v.heading, " 条件集計      1998年");
  EXPECT_EQ(v.conditions, "    3月   1000万下    単勝");
  EXPECT_EQ(v.rows[4].kou, "     10000円       75.0％        7500円");
  EXPECT_EQ(v.rows[4].shu, "     -2500円");
  EXPECT_EQ(v.rows[4].teki, "     50.0％");
  EXPECT_FALSE(v.rows[4].plus);
  EXPECT_EQ(v.rows[0].kou, "         0円");
  EXPECT_EQ(v.rows[0].shu, "  ");
  EXPECT_EQ(v.rows[0].teki, "  ");
  EXPECT_FALSE(v.rows[11].plus);  // a balance of 0 is black
  r.rangeFlag = 0;
  EXPECT_EQ(jyokenView(r).heading, " 条件集計      全データ");
  const auto lines = jyokenLines(v);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[2], "条件：    3月   1000万下    単勝");
  EXPECT_EQ(lines[15].rfind("総合合計", 0), 0u);
}

namespace {

const Clock kClock = [] { return StampTime{2024, 6, 1, 9, 5}; };

// 2001: at 中山 in March a 1000万下 race entered as 900万下 (単勝 hit) and a 1500万下 race
// (複勝 only); at 京都 in March a race without items or distance. 2000: at 中山 in March a
// 1000万下 race.
struct JyokenLedger : ::testing::Test {
  LedgerBuilder ledger{{2001, 2000}};
  void SetUp() override {
    Day nakayama(305);
    RaceRecord& a = nakayama.race(0);
    a.koumoku = 30421111;  // class 4 (900万下)
    a.kyori = 1800;
    a.tanUma[0] = 2;
    a.tanGaku[0] = 1000;
    a.tanKeka[0] = 2;
    a.tanHaitou[0] = 300;
    RaceRecord& b = nakayama.race(1);
    b.koumoku = 31221111;  // class 12 (1500万下)
    b.kyori = 2000;
    b.fukuUma[0] = 4;
    b.fukuGaku[0] = 2000;
    nakayama.settle();
    Day kyoto(312);
    kyoto.race(6).tanUma[0] = 1;
    kyoto.race(6).tanGaku[0] = 400;
    kyoto.settle();
    Day old(306);
    old.race(3).koumoku = 31321111;  // class 13 (1000万下)
    old.race(3).kyori = 1800;
    old.race(3).tanUma[0] = 7;
    old.race(3).tanGaku[0] = 700;
    old.settle();
    ledger.setMeetings(2001, 5, {nakayama.k}, {nakayama.races});
    ledger.setMeetings(2001, 7, {kyoto.k}, {kyoto.races});
    ledger.setMeetings(2000, 5, {old.k}, {old.races});
  }
  JyokenResult run(int rangeFlag, int position, JyokenConditions c) {
    LedgerCursor ds = ledger.open(2001, 7, 0);
    ScriptedPort port;
    EXPECT_TRUE(runJyokenTally(ds, port, rangeFlag, position, c, kClock));
    EXPECT_EQ(ds.year, "2001");
    EXPECT_EQ(ds.course, 7);
    EXPECT_EQ(ds.races[6].tanGaku[0], 400);
    EXPECT_EQ(ledger.read(kJyokenWorkFile).size(), 295u);
    auto r = readJyokenFile(ds);
    EXPECT_TRUE(r.has_value());
    return r.value_or(JyokenResult{});
  }
};

}  // namespace

TEST_F(JyokenLedger, ClassConditionOverAllYearsWithTheBetTypeTakenOut) {
  const JyokenResult r =
      run(0, 0, conds({cond(JyokenKind::Bet, 1), cond(JyokenKind::Class, 4), cond(JyokenKind::Month, 3)}));
  EXPECT_EQ(r.rangeFlag, 0);
  EXPECT_STREQ(r.yearText, "2000");  // the last year scanned
  EXPECT_EQ(r.betType, 1);
  EXPECT_EQ(r.conditions[0], cond(JyokenKind::Class, 4));
  EXPECT_EQ(r.conditions[1], cond(JyokenKind::Month, 3));
  EXPECT_EQ(r.conditions[2], JyokenCondition{});
  EXPECT_EQ(r.purchase[5], 1700);  // 900万下 of 2001 and 1000万下 of 2000
  EXPECT_EQ(r.balance[5], 3000 - 1700);
  EXPECT_FLOAT_EQ(r.hitRate[5], 50.0f);
  EXPECT_EQ(r.purchase[7], 0);
  EXPECT_EQ(r.purchase[kJyokenSumRow], 1700);
  EXPECT_EQ(r.purchase[kJyokenGrandRow], 1000 + 2000 + 400 + 700);
  EXPECT_EQ(cp932ToUtf8(r.timeStamp), "集計日時    2024年 6月 1日 9時 5分");
}

TEST_F(JyokenLedger, OneYearAndTheEmptyDistance) {
  JyokenResult r = run(1, 0, conds({cond(JyokenKind::Class, 5)}));
  EXPECT_EQ(r.rangeFlag, 1);
  EXPECT_STREQ(r.yearText, "2001");
  EXPECT_EQ(r.purchase[5], 2000);  // 1500万下 counts as 1600万下
  EXPECT_FLOAT_EQ(r.recovery[5], 0.0f);
  EXPECT_EQ(r.purchase[kJyokenGrandRow], 3400);

  // Distance 0 matches only the race without a distance.
  r = run(1, 0, conds({cond(JyokenKind::Distance, 0)}));
  EXPECT_EQ(r.purchase[7], 400);
  EXPECT_EQ(r.purchase[5], 0);
  EXPECT_EQ(r.purchase[kJyokenSumRow], 400);
  EXPECT_EQ(jyokenView(r).conditions, "    0M");
}

TEST_F(JyokenLedger, CommandLine) {
  auto cli = [&](const std::string& args) { return tovra::testing::runCli(ledger.root(), args); };
  auto r = cli("tally jyoken --range all --cond class=4 --cond bet=1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind(" 条件集計      全データ\n集計日時    ", 0), 0u);
  EXPECT_NE(r.out.find("\n条件：   1000万下    単勝\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n中山\t      1700円      176.5％        3000円\t      1300円\t     50.0％\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\n札幌\t         0円\t  \t  \n"), std::string::npos);

  r = cli("tally jyoken --range 2001 --cond distance=");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(" 条件集計      2001年\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n条件：    0M\n"), std::string::npos);

  std::filesystem::remove(ledger.root() / kJyokenWorkFile);
  r = cli("tally jyoken --range all");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("集計させる条件を設定して下さい。"), std::string::npos);
  r =
      cli("tally jyoken --range all --cond month=1 --cond race=1 --cond age=1 --cond class=1 --cond type=1 "
          "--cond sex=1 --cond weight=1 --cond track=1");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("設定出来る条件は 7種までです。"), std::string::npos);
  r = cli("tally jyoken --range all --cond month=1 --cond month=2");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("既に設定されています"), std::string::npos);
  EXPECT_EQ(cli("tally jyoken --range all --cond class=10").exitCode, 1);
  EXPECT_EQ(cli("tally jyoken --range all --cond bet=0").exitCode, 1);
  EXPECT_EQ(cli("tally jyoken --range all --cond distance=12345").exitCode, 1);
  EXPECT_EQ(cli("tally jyoken --range all --cond colour=1").exitCode, 1);
  EXPECT_EQ(cli("tally jyoken --range all --cond month").exitCode, 1);
  EXPECT_EQ(cli("tally jyoken --range 1999 --cond month=1").exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(ledger.root() / kJyokenWorkFile));
}
