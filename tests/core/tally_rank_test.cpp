// The rank tally: the work file byte for byte, what enters the BEST45 and in which order
// (strict comparisons, the exchange sort's order among equals), the window's texts, and
// the main window's selection afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "features/tally/rank_tally.hpp"
#include "storage/bytes.hpp"
#include "storage/fatal_error.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;
using tovra::testing::meetingDayCodes;

namespace {

const Clock kClock = [] { return StampTime{2024, 12, 31, 23, 59}; };
constexpr int kTokyo = 4, kSapporo = 0;

std::string text(const std::vector<std::uint8_t>& f, std::size_t off) {
  return std::string(reinterpret_cast<const char*>(f.data() + off));
}
// A rank file row is 144 bytes; its fields at their byte offsets within the row.
constexpr std::size_t kMonth = 0, kDay = 4, kKai = 8, kNichi = 12, kBetType = 16, kCourse = 20, kRace = 24,
                      kCombination = 28, kAmount = 32, kRate = 36, kYear = 40, kFirstHorse = 45, kSecondHorse = 64,
                      kRaceName = 83;
// The rank kind code follows the 46 rows.
constexpr std::size_t kKindCode = 6624;
std::size_t row(int i, std::size_t field) { return static_cast<std::size_t>(i) * 144 + field; }
std::uint32_t floatBits(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}

RankResult rank(LedgerBuilder& ledger, int code, int yearIndex = 0, ScriptedPort* port = nullptr) {
  LedgerCursor ds = ledger.open();
  ScriptedPort own;
  EXPECT_TRUE(runRankTally(ds, port ? *port : own, code, yearIndex, kClock));
  auto r = readRankFile(ds);
  EXPECT_TRUE(r);
  return r ? *r : RankResult{};
}

// 東京 12/3 5回6日目, race 11R hit: dead heat for the win, results of every type, and
// horse names longer than a rank row holds.
struct HitRace : ::testing::Test {
  LedgerBuilder ledger{{2001, 2000}};
  void SetUp() override {
    KaisaiRecord k = meetingDayCodes(1203, 506, 5000, 4000);
    k.raceJoutai[10] = 12;
    k.kounyuGaku[10] = 5000;
    k.shushi[10] = 4000;
    setFixedText(k.raceMei[10], sj("ジャパンカップ"));
    k.raceJoutai[11] = 2;  // bought, not hit: its flagged results do not count
    RaceBlock b{};
    RaceRecord& x = b[10];
    x.tanKeka[0] = 105, x.tanHaitou[0] = 300;  // dead heat: horses 5 and 7 both won
    x.tanKeka[1] = 107, x.tanHaitou[1] = 400;
    x.wakuKeka[0] = 135, x.wakuHaitou[0] = 1500;
    x.umaKeka[0] = 10312, x.umaHaitou[0] = 2000;
    x.fukuKeka[0] = 105, x.fukuHaitou[0] = 150;
    x.fukuKeka[1] = 107, x.fukuHaitou[1] = 160;
    x.fukuKeka[2] = 2, x.fukuHaitou[2] = 9990;  // not hit
    x.wideKeka[0] = 10507, x.wideHaitou[0] = 800;
    x.wideKeka[1] = 312, x.wideHaitou[1] = 9990;                // not hit
    setFixedText(x.chakuBamei[0], sj("アイウエオカキクケコ"));  // 20 bytes
    setFixedText(x.chakuBamei[1], sj("ｱアイウエオカキクケ"));   // 19 bytes
    b[11].tanKeka[0] = 101, b[11].tanHaitou[0] = 99999;
    ledger.setMeetings(2001, kTokyo, {k}, {b});
  }
};

}  // namespace

TEST(RankFile, EmptyLedgerLayout) {
  LedgerBuilder ledger({2001, 2000});
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  ASSERT_TRUE(runRankTally(ds, port, kRankHaitou, 0, kClock));
  auto f = ledger.read(kRankWorkFile);
  ASSERT_EQ(f.size(), 6697u);
  for (std::size_t i = 0; i < kKindCode; ++i) ASSERT_EQ(f[i], 0) << i;
  EXPECT_EQ(bytes::getI32(f.data(), 6624), 1);
  EXPECT_EQ(text(f, 6628), "2000");  // the last year scanned
  EXPECT_EQ(f[6632], 0);
  EXPECT_EQ(cp932ToUtf8(text(f, 6633)), "集計日時    2024年12月31日23時59分");
  for (std::size_t i = 6633 + 34; i < 6697; ++i) ASSERT_EQ(f[i], 0) << i;
  EXPECT_EQ(port.waitSteps, 20);

  RankView v = rankView(*readRankFile(ds), 0);
  EXPECT_EQ(v.mainPanel, " 的中配当        全データ   BEST45");
  EXPECT_EQ(v.timeStamp, "集計日時    2024年12月31日23時59分");
  ASSERT_EQ(v.raceRows.size(), 3u);
  EXPECT_EQ(v.raceRows[0].tsuki, " 1位       -------");
  EXPECT_EQ(v.raceRows[0].kin, "  ");
  EXPECT_EQ(rankView(*readRankFile(ds), 14).raceRows[2].tsuki, "45位       -------");

  // One year, per-day kind: the chosen year in the file and the title, nine pages of five.
  ASSERT_TRUE(runRankTally(ds, port, rankCode(true, 2), 1, kClock));
  RankResult r = *readRankFile(ds);
  EXPECT_EQ(r.code, 8);
  EXPECT_EQ(std::string(r.nen), "2000");
  RankView d = rankView(r, 8);
  EXPECT_EQ(d.mainPanel, " 開催日別回収率  2000年   BEST45");
  EXPECT_FALSE(d.perRace);
  EXPECT_EQ(d.maxPage, 8);
  ASSERT_EQ(d.dayRows.size(), 5u);
  EXPECT_EQ(d.dayRows[0].tsuki, "41位       -------");
  EXPECT_EQ(port.waitSteps, 30);
}

TEST_F(HitRace, EveryHitPayoutEntersOnceInPayoutOrder) {
  RankResult r = rank(ledger, kRankHaitou);
  struct Want {
    int shiki, kumi, kingaku;
  };
  const Want want[] = {{4, 312, 2000}, {3, 35, 1500}, {5, 507, 800}, {1, 7, 400},
                       {1, 5, 300},    {2, 7, 160},   {2, 5, 150}};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(r.rows[i].shiki, want[i].shiki);
    EXPECT_EQ(r.rows[i].kumi, want[i].kumi);
    EXPECT_EQ(r.rows[i].kingaku, want[i].kingaku);
  }
  EXPECT_EQ(r.rows[7].tsuki, 0);

  // Row 0 byte for byte.
  auto f = r.encode();
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kMonth)), 12);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kDay)), 3);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kKai)), 5);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kNichi)), 6);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kBetType)), 4);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kCourse)), kTokyo);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kRace)), 10);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kCombination)), 312);
  EXPECT_EQ(bytes::getI32(f.data(), row(0, kAmount)), 2000);
  EXPECT_EQ(bytes::getU32(f.data(), row(0, kRate)), 0u);
  EXPECT_EQ(text(f, row(0, kYear)), "2001");
  // Names cut at a character boundary to the 18 bytes a row holds.
  EXPECT_EQ(text(f, row(0, kFirstHorse)), sj("アイウエオカキクケ"));
  EXPECT_EQ(text(f, row(0, kSecondHorse)), sj("ｱアイウエオカキク"));
  EXPECT_EQ(text(f, row(0, kRaceName)), sj("ジャパンカップ"));
  for (std::size_t i = row(0, kSecondHorse) + 17; i < row(0, kRaceName); ++i) ASSERT_EQ(f[i], 0) << i;
  EXPECT_EQ(ledger.read(kRankWorkFile), f);
}

TEST_F(HitRace, PayoutPageTexts) {
  RankResult r = rank(ledger, kRankHaitou);
  RankView v = rankView(r, 0);
  const RankRaceRowView& uma = v.raceRows[0];
  EXPECT_EQ(uma.tsuki, " 1位  2001年  12月   3日  東京    5回  6日目 ");
  EXPECT_EQ(uma.name, "11R  ジャパンカップ" + std::string(60 - 14, ' ') + std::string(13, ' '));
  EXPECT_EQ(uma.shiki, "馬連");
  EXPECT_EQ(uma.ban, " 3-12");
  EXPECT_EQ(uma.shu, "配当");
  EXPECT_EQ(uma.kin, "      2000円");
  EXPECT_EQ(uma.bamei1, "1着   アイウエオカキクケ         ");
  EXPECT_EQ(uma.bamei2, "2着   ｱアイウエオカキク         ");
  EXPECT_EQ(v.raceRows[1].ban, "3-5");
  EXPECT_EQ(v.raceRows[1].shiki, "枠連");
  EXPECT_EQ(v.raceRows[2].shiki, "ﾜｲﾄﾞ");
  RankView p1 = rankView(r, 1);
  EXPECT_EQ(p1.raceRows[0].tsuki.rfind(" 4位  2001年", 0), 0u);
  EXPECT_EQ(p1.raceRows[0].ban, " 7番");
  EXPECT_EQ(p1.raceRows[0].shiki, "単勝");
  EXPECT_EQ(rankView(r, 2).raceRows[0].shiki, "複勝");
}

TEST_F(HitRace, RaceRateAndBalanceKinds) {
  // ﾚｰｽ別回収率: (float)(5000 + 4000) / (float)5000 * 100 = 180.
  RankResult r = rank(ledger, kRankRaceRitsu);
  EXPECT_EQ(r.rows[0].ritsu, 180.0f);
  EXPECT_EQ(r.rows[0].kingaku, 4000);
  EXPECT_EQ(r.rows[0].shiki, 0);
  EXPECT_EQ(r.rows[0].race, 10);
  EXPECT_EQ(r.rows[1].tsuki, 0);  // race 12 is not hit
  RankRaceRowView v = rankView(r, 0).raceRows[0];
  EXPECT_EQ(v.shiki, "収支");
  EXPECT_EQ(v.ban, "      4000円");
  EXPECT_EQ(v.shu, "回収率");
  EXPECT_EQ(v.kin, "    180.0％");

  r = rank(ledger, kRankRaceShushi);
  EXPECT_EQ(r.rows[0].kingaku, 4000);
  EXPECT_EQ(r.rows[0].ritsu, 180.0f);  // the rate is kept for the companion label
  v = rankView(r, 0).raceRows[0];
  EXPECT_EQ(v.shiki, "回収率");
  EXPECT_EQ(v.ban, "    180.0％");
  EXPECT_EQ(v.shu, "収支");
  EXPECT_EQ(v.kin, "      4000円");
}

TEST(RankRates, ComputedInSinglePrecision) {
  LedgerBuilder ledger({2001});
  KaisaiRecord k = meetingDayCodes(501, 101, 300, -200);
  k.raceJoutai[0] = 12;
  k.kounyuGaku[0] = 300;
  k.shushi[0] = -200;
  ledger.setMeetings(2001, kSapporo, {k});
  // 100 / 300 * 100 in float is 33.333336, not the double's 33.333332.
  EXPECT_EQ(floatBits(rank(ledger, kRankRaceRitsu).rows[0].ritsu), 0x42055556u);
  EXPECT_EQ(floatBits(rank(ledger, kRankDayRitsu).rows[0].ritsu), 0x42055556u);
  // A negative balance never enters the balance rankings.
  EXPECT_EQ(rank(ledger, kRankRaceShushi).rows[0].tsuki, 0);
  EXPECT_EQ(rank(ledger, kRankDayShushi).rows[0].tsuki, 0);
}

TEST(RankEntries, ZeroAndNegativeNeverListedDayWithoutPurchaseNeverRated) {
  LedgerBuilder ledger({2001});
  KaisaiRecord even = meetingDayCodes(501, 101, 1000, 0, {12});
  even.kounyuGaku[0] = 1000;
  KaisaiRecord loss = meetingDayCodes(502, 102, 1000, -100, {12});
  loss.kounyuGaku[0] = 1000;
  loss.shushi[0] = -100;
  KaisaiRecord none = meetingDayCodes(503, 103, 0, 0, {1});
  ledger.setMeetings(2001, kTokyo, {even, loss, none});
  EXPECT_EQ(rank(ledger, kRankRaceShushi).rows[0].tsuki, 0);
  EXPECT_EQ(rank(ledger, kRankDayShushi).rows[0].tsuki, 0);
  RankResult r = rank(ledger, kRankDayRitsu);
  EXPECT_EQ(r.rows[0].hi, 1);     // 100 %
  EXPECT_EQ(r.rows[1].hi, 2);     // 90 %
  EXPECT_EQ(r.rows[2].tsuki, 0);  // the day without purchase
}

TEST(RankOrder, EqualKeysComeOutAsTheExchangeSortLeavesThem) {
  LedgerBuilder ledger({2001});
  // Offered in order A (100), B (100), C (200): C's exchange through the scratch row
  // moves A behind B.
  ledger.setMeetings(
      2001, kSapporo,
      {meetingDayCodes(401, 101, 100, 100), meetingDayCodes(402, 102, 100, 100), meetingDayCodes(403, 103, 100, 200)});
  RankResult r = rank(ledger, kRankDayShushi);
  EXPECT_EQ(r.rows[0].hi, 3);
  EXPECT_EQ(r.rows[1].hi, 2);
  EXPECT_EQ(r.rows[2].hi, 1);
  EXPECT_EQ(r.rows[3].tsuki, 0);
  RankDayRowView v = rankView(r, 0).dayRows[0];
  EXPECT_EQ(v.tsuki, " 1位  2001年   4月   3日  札幌    1回  3日目 ");
  EXPECT_EQ(v.shiki, "回収率");
  EXPECT_EQ(v.ban, "    300.0％");
  EXPECT_EQ(v.gou, "収支");
  EXPECT_EQ(v.ran, "       200円");
}

TEST(RankOrder, ACandidateEqualToThe45thDoesNotEnter) {
  LedgerBuilder ledger({2001});
  std::vector<KaisaiRecord> days;
  for (int i = 0; i < 45; ++i) days.push_back(meetingDayCodes(100 * (1 + i / 28) + 1 + i % 28, 101, 1000, 500));
  days.push_back(meetingDayCodes(301, 101, 1000, 500));  // equal to the 45th
  days.push_back(meetingDayCodes(302, 101, 1000, 501));  // better: enters at the top
  ledger.setMeetings(2001, kSapporo, days);
  RankResult r = rank(ledger, kRankDayShushi);
  EXPECT_EQ(r.rows[0].tsuki * 100 + r.rows[0].hi, 302);
  for (int i = 0; i < RankResult::kRanked; ++i) {
    EXPECT_NE(r.rows[i].tsuki * 100 + r.rows[i].hi, 301) << i;
    EXPECT_NE(r.rows[i].tsuki, 0) << i;
  }
  RankResult rate = rank(ledger, kRankDayRitsu);  // 150 % for all but the last (150.1 %)
  EXPECT_EQ(rate.rows[0].tsuki * 100 + rate.rows[0].hi, 302);
  for (int i = 0; i < RankResult::kRanked; ++i) EXPECT_NE(rate.rows[i].tsuki * 100 + rate.rows[i].hi, 301) << i;
}

TEST_F(HitRace, LeavesTheMainWindowsSelectionAsItWas) {
  ledger.setMeetings(2000, kSapporo, {meetingDayCodes(701, 101)});
  LedgerCursor ds = ledger.open(2001, kTokyo, 0);
  ScriptedPort port;
  ASSERT_TRUE(runRankTally(ds, port, kRankHaitou, 0, kClock));
  EXPECT_EQ(ds.year, "2001");
  EXPECT_EQ(ds.course, kTokyo);
  EXPECT_EQ(ds.shown(), 0);
  EXPECT_EQ(ds.kaisai.tsukiHi, 1203);
  EXPECT_EQ(ds.races[10].tanHaitou[1], 400);
  EXPECT_EQ(ds.meetingCount[kSapporo], 0);  // 2001's count, not 2000's
}

TEST_F(HitRace, MissingRaceFileIsFatalOnlyForPerRaceKinds) {
  LedgerCursor ds = ledger.open();
  std::filesystem::remove(ledger.root() / raceFilePath("2001", kTokyo));
  ScriptedPort port;
  EXPECT_TRUE(runRankTally(ds, port, kRankDayShushi, 0, kClock));
  try {
    runRankTally(ds, port, kRankRaceShushi, 0, kClock);
    FAIL() << "no fatal error";
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 5);
    EXPECT_EQ(e.path(), raceFilePath("2001", kTokyo));
  }
}

TEST_F(HitRace, Cli) {
  auto cli = [&](const std::string& args) { return tovra::testing::runCli(ledger.root(), args); };
  auto r = cli("tally rank --range all --kind 1");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find(" 的中配当        全データ   BEST45"), std::string::npos);
  EXPECT_NE(r.out.find("馬連   3-12  配当        2000円"), std::string::npos);
  EXPECT_EQ(cli("tally rank --range 2001 --kind 3 --page 8").exitCode, 0);
  LedgerCursor ds = ledger.open();
  EXPECT_EQ(std::string(readRankFile(ds)->nen), "2001");

  std::filesystem::remove(ledger.root() / kRankWorkFile);
  EXPECT_EQ(cli("tally rank --range all --kind 6").exitCode, 1);
  EXPECT_EQ(cli("tally rank --range 1999 --kind 1").exitCode, 1);
  EXPECT_EQ(cli("tally rank --range all --kind 1 --page 15").exitCode, 1);
  EXPECT_EQ(cli("tally rank --range all --kind 5 --page 9").exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(ledger.root() / kRankWorkFile));
}
