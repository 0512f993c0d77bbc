// The income and expense tally: the work file byte for byte, the rows and columns the
// meeting days land in, the window's texts, and the main window's selection afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/bytes.hpp"
#include "storage/fatal_error.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;
using tovra::testing::meetingDayCodes;

namespace {

const Clock kClock = [] { return StampTime{2024, 6, 1, 9, 5}; };
constexpr int kTokyo = 4, kSapporo = 0;

std::uint32_t u32At(const std::vector<std::uint8_t>& f, std::size_t off) { return bytes::getU32(f.data(), off); }
std::int32_t i32At(const std::vector<std::uint8_t>& f, std::size_t off) { return bytes::getI32(f.data(), off); }
// The work file's pieces at their byte offsets: four tables of 13 rows x 11 columns of
// 4-byte cells (row by row), then the selection, the mode and the time stamp.
constexpr std::size_t kPurchase = 0, kBalance = 572, kRecovery = 1144, kHitRate = 1716, kSelection = 2288, kMode = 2292,
                      kStamp = 2296;
std::size_t at(std::size_t table, int row, int col) { return table + 4 * static_cast<std::size_t>(row * 11 + col); }

// Two years with a June day at 東京 in each, and a day at 札幌 in 2001.
struct TwoJunes : ::testing::Test {
  LedgerBuilder ledger{{2001, 2000}};
  void SetUp() override {
    // 2001: 3回1日目, bought 10000, balance -2500; races: bought, bought and hit, data only.
    ledger.setMeetings(2001, kTokyo, {meetingDayCodes(601, 301, 10000, -2500, {2, 12, 1})});
    // 2000: 2回4日目, bought 5000, balance +2500, one race bought and hit.
    ledger.setMeetings(2000, kTokyo, {meetingDayCodes(611, 204, 5000, 2500, {12})});
    ledger.setMeetings(2001, kSapporo, {meetingDayCodes(805, 105, 2000, 1000, {12, 2})});
  }
  std::vector<std::uint8_t> run(int mode, int selection, ScriptedPort* port = nullptr) {
    LedgerCursor ds = ledger.open();
    ScriptedPort own;
    EXPECT_TRUE(runShushiTally(ds, port ? *port : own, mode, selection, ds.yearNumber(), kClock));
    return ledger.read(kShushiWorkFile);
  }
};

}  // namespace

TEST_F(TwoJunes, AllYearsByMonthPutsBothJunesInOneCellAndWritesTheLayout) {
  ScriptedPort port;
  auto f = run(kShushiAllByMonth, 0, &port);
  ASSERT_EQ(f.size(), 2360u);
  // June at 東京: row 5, column 4.
  EXPECT_EQ(i32At(f, at(kPurchase, 5, 4)), 15000);
  EXPECT_EQ(i32At(f, at(kBalance, 5, 4)), 0);
  EXPECT_EQ(u32At(f, at(kRecovery, 5, 4)), 0x42C80000u);  // 100.0
  // 2 hit races of 3 bought: the rate computed in double and stored as a float.
  EXPECT_EQ(u32At(f, at(kHitRate, 5, 4)), 0x42855555u);
  // Column 10 and row 12 are the sums; row 12, column 10 adds 札幌's August.
  EXPECT_EQ(i32At(f, at(kPurchase, 5, 10)), 15000);
  EXPECT_EQ(i32At(f, at(kPurchase, 12, 4)), 15000);
  EXPECT_EQ(i32At(f, at(kPurchase, 7, 0)), 2000);
  EXPECT_EQ(i32At(f, at(kPurchase, 12, 10)), 17000);
  EXPECT_EQ(i32At(f, at(kBalance, 12, 10)), 1000);
  // 3 hits of 5 bought races over everything.
  float grand;
  std::uint32_t bits = u32At(f, at(kHitRate, 12, 10));
  std::memcpy(&grand, &bits, 4);
  EXPECT_FLOAT_EQ(grand, 60.0f);
  // Cells without purchase keep rate 0.
  EXPECT_EQ(u32At(f, at(kRecovery, 4, 4)), 0u);
  EXPECT_EQ(i32At(f, kSelection), 0);
  EXPECT_EQ(i32At(f, kMode), 0);
  std::string stamp(reinterpret_cast<const char*>(f.data() + kStamp));
  EXPECT_EQ(cp932ToUtf8(stamp), "集計日時    2024年 6月 1日 9時 5分");
  EXPECT_EQ(stamp.size(), 34u);
  for (std::size_t i = kStamp + stamp.size(); i < 2360; ++i) ASSERT_EQ(f[i], 0) << i;
  // Ten progress steps per year.
  EXPECT_EQ(port.waitSteps, 20);
  EXPECT_EQ(port.waits, 1);
}

TEST_F(TwoJunes, ByMeetingNumberAndOneYear) {
  auto f = run(kShushiAllByKai, 0);
  EXPECT_EQ(i32At(f, at(kPurchase, 2, 4)), 10000);  // 3回
  EXPECT_EQ(i32At(f, at(kPurchase, 1, 4)), 5000);   // 2回
  EXPECT_EQ(i32At(f, kMode), 1);

  // Year position 1 is 2000: only its June day counts.
  ScriptedPort port;
  f = run(kShushiYearByMonth, 1, &port);
  EXPECT_EQ(i32At(f, at(kPurchase, 5, 4)), 5000);
  EXPECT_EQ(i32At(f, at(kPurchase, 12, 10)), 5000);
  EXPECT_EQ(i32At(f, kSelection), 1);
  EXPECT_EQ(i32At(f, kMode), 2);
  EXPECT_EQ(port.waitSteps, 10);

  f = run(kShushiYearByKai, 0);
  EXPECT_EQ(i32At(f, at(kPurchase, 2, 4)), 10000);
  EXPECT_EQ(i32At(f, at(kPurchase, 0, 0)), 2000);
  EXPECT_EQ(i32At(f, at(kPurchase, 12, 10)), 12000);
}

TEST_F(TwoJunes, OneDayOfTheCurrentYear) {
  auto f = run(kShushiDay, 601);
  EXPECT_EQ(i32At(f, at(kPurchase, 0, 4)), 10000);
  EXPECT_EQ(i32At(f, at(kBalance, 0, 4)), -2500);
  EXPECT_EQ(i32At(f, at(kPurchase, 12, 10)), 10000);
  EXPECT_EQ(u32At(f, at(kRecovery, 0, 4)), 0x42960000u);  // 75.0
  EXPECT_EQ(i32At(f, kSelection), 601);
  EXPECT_EQ(i32At(f, kMode), 5);

  // A day without meetings (2000's 6/11 is not in the current year) gives all-zero tables.
  f = run(kShushiDay, 611);
  ASSERT_EQ(f.size(), 2360u);
  for (std::size_t i = 0; i < kSelection; ++i) ASSERT_EQ(f[i], 0) << i;
  EXPECT_EQ(i32At(f, kSelection), 611);
}

TEST_F(TwoJunes, LeavesTheMainWindowsSelectionAsItWas) {
  LedgerCursor ds = ledger.open(2000, kTokyo, 0);
  ScriptedPort port;
  ASSERT_TRUE(runShushiTally(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock));
  EXPECT_EQ(ds.year, "2000");
  EXPECT_EQ(ds.course, kTokyo);
  EXPECT_EQ(ds.shown(), 0);
  EXPECT_EQ(ds.kaisai.tsukiHi, 611);
  EXPECT_EQ(ds.meetingCount[kTokyo], 1);
  EXPECT_EQ(ds.meetingCount[kSapporo], 0);  // 2000 has no 札幌 day
}

TEST(ShushiScan, UnterminatedFileDamagedRecordsAndMissingFiles) {
  LedgerBuilder ledger({2001});
  // No all-zero record, a trailing piece of a record, a month 13 and a meeting number 0.
  ledger.setMeetings(
      2001, kTokyo,
      {meetingDayCodes(501, 101, 1000, 0, {2}), meetingDayCodes(1301, 101, 7000, 0), meetingDayCodes(502, 2, 3000, 0)},
      {}, false);
  auto m = ledger.read(meetingFilePath("2001", kTokyo));
  m.resize(m.size() + 100, 0x11);
  ledger.write(meetingFilePath("2001", kTokyo), m);
  {
    LedgerCursor ds = ledger.open();
    ScriptedPort port;
    ShushiResult r = computeShushi(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock);
    EXPECT_EQ(r.kounyu[ShushiResult::cell(4, kTokyo)], 4000);
    EXPECT_EQ(r.kounyu[ShushiResult::cell(12, 10)], 4000);  // month 13 counts nowhere
    r = computeShushi(ds, port, kShushiAllByKai, 0, ds.yearNumber(), kClock);
    EXPECT_EQ(r.kounyu[ShushiResult::cell(12, 10)], 8000);  // meeting number 0 counts nowhere
  }
  LedgerCursor ds = ledger.open();
  std::filesystem::remove(ledger.root() / meetingFilePath("2001", kTokyo));
  ScriptedPort port;
  try {
    computeShushi(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock);
    FAIL() << "no fatal error";
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 3);
    EXPECT_EQ(e.path(), meetingFilePath("2001", kTokyo));
  }
}

TEST(ShushiScan, PurchaseWithoutBoughtRaceHasHitRateZero) {
  LedgerBuilder ledger({2001});
  ledger.setMeetings(2001, kTokyo, {meetingDayCodes(501, 101, 1000, -1000)});
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  ShushiResult r = computeShushi(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock);
  EXPECT_EQ(r.tekichu[ShushiResult::cell(4, kTokyo)], 0.0f);
  EXPECT_EQ(r.kaishu[ShushiResult::cell(4, kTokyo)], 0.0f);
}

TEST(ShushiView, PanelsHeadingsAndTotals) {
  ShushiResult r;
  r.mode = kShushiAllByMonth;
  r.kounyu[ShushiResult::cell(5, kTokyo)] = 10000;
  r.shushi[ShushiResult::cell(5, kTokyo)] = -2500;
  r.kaishu[ShushiResult::cell(5, kTokyo)] = 75.0f;
  r.tekichu[ShushiResult::cell(5, kTokyo)] = 50.0f;
  r.shushi[ShushiResult::cell(5, kSapporo)] = 300;  // results without purchase
  r.kounyu[ShushiResult::cell(12, 10)] = 20000;
  r.shushi[ShushiResult::cell(12, 10)] = 500;
  r.kaishu[ShushiResult::cell(12, 10)] = 102.5f;
  NenjiTable nenji;
  nenji.nen[0] = 2001;
  nenji.nen[1] = 2000;

  ShushiView v = shushiView(r, 6, nenji, "2001");
  EXPECT_EQ(v.heading, "  収支集計   全ﾃﾞｰﾀ      6月");
  EXPECT_EQ(v.courses[kTokyo].kou, "     10000円       75.0％        7500円");
  EXPECT_EQ(v.courses[kTokyo].shu, "     -2500円");
  EXPECT_FALSE(v.courses[kTokyo].plus);
  EXPECT_EQ(v.courses[kTokyo].teki, "     50.0％");
  EXPECT_EQ(v.courses[kSapporo].kou, "         0円");
  EXPECT_EQ(v.courses[kSapporo].shu, "  ");
  EXPECT_EQ(v.courses[kSapporo].teki, "  ");
  EXPECT_TRUE(v.goukeiVisible);
  EXPECT_EQ(v.zenjou.kou, "     20000円      102.5％       20500円");
  EXPECT_TRUE(v.zenjou.plus);

  ShushiView v0 = shushiView(r, 0, nenji, "2001");
  EXPECT_EQ(v0.heading, "  収支集計   全ﾃﾞｰﾀ     全月");
  EXPECT_FALSE(v0.goukeiVisible);
  EXPECT_EQ(v0.zenjou.kou, v.zenjou.kou);
  EXPECT_EQ(shushiView(r, 12, nenji, "2001").zenjou.shu, v.zenjou.shu);

  r.mode = kShushiAllByKai;
  EXPECT_EQ(shushiView(r, 0, nenji, "2001").heading, "  収支集計   全ﾃﾞｰﾀ    全回次");
  EXPECT_EQ(shushiView(r, 3, nenji, "2001").heading, "  収支集計   全ﾃﾞｰﾀ      3回");
  r.mode = kShushiYearByMonth;
  r.selection = 1;
  EXPECT_EQ(shushiView(r, 0, nenji, "2001").heading, "  収支集計   2000年     全月");
  EXPECT_EQ(shushiView(r, 12, nenji, "2001").heading, "  収支集計   2000年     12月");
  r.mode = kShushiYearByKai;
  EXPECT_EQ(shushiView(r, 0, nenji, "2001").heading, "  収支集計   2000年    全回次");
  EXPECT_EQ(shushiView(r, 10, nenji, "2001").heading, "  収支集計   2000年     10回");
  r.mode = kShushiDay;
  r.selection = 1203;
  ShushiView d = shushiView(r, 4, nenji, "2001");
  EXPECT_EQ(d.heading, "  収支集計       2001年 12月 3日");
  EXPECT_FALSE(d.scrollEnabled);
  EXPECT_FALSE(d.goukeiVisible);
}

TEST(ShushiFile, RoundTripAndShortFile) {
  LedgerBuilder ledger({2001});
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  ASSERT_TRUE(runShushiTally(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock));
  auto f = ledger.read(kShushiWorkFile);
  ASSERT_TRUE(readShushiFile(ds));
  EXPECT_EQ(readShushiFile(ds)->encode(), f);
  f.pop_back();
  ledger.write(kShushiWorkFile, f);
  EXPECT_FALSE(readShushiFile(ds));
}

TEST(ShushiCli, RangesAndRefusals) {
  LedgerBuilder ledger({2001, 2000});
  ledger.setMeetings(2001, kTokyo, {meetingDayCodes(601, 301, 10000, -2500, {2})});
  auto cli = [&](const std::string& args, std::string* out = nullptr) {
    auto r = tovra::testing::runCli(ledger.root(), args);
    if (out) *out = r.out;
    return r.exitCode;
  };
  std::string out;
  ASSERT_EQ(cli("tally shushi --range all --row 6", &out), 0);
  EXPECT_NE(out.find("  収支集計   全ﾃﾞｰﾀ      6月"), std::string::npos);
  EXPECT_NE(out.find("東京\t     10000円       75.0％        7500円\t     -2500円"), std::string::npos);
  EXPECT_EQ(ledger.read(kShushiWorkFile).size(), 2360u);
  ASSERT_EQ(cli("tally shushi --range 2000 --by kai", &out), 0);
  EXPECT_NE(out.find("  収支集計   2000年    全回次"), std::string::npos);
  ASSERT_EQ(cli("tally shushi --range 6/1", &out), 0);
  EXPECT_NE(out.find("  収支集計       2001年 6月 1日"), std::string::npos);

  // Refused input writes nothing.
  std::filesystem::remove(ledger.root() / kShushiWorkFile);
  EXPECT_EQ(cli("tally shushi --range 1999"), 1);
  EXPECT_EQ(cli("tally shushi --range 13/1"), 1);
  EXPECT_EQ(cli("tally shushi --range 6/1 --row 3"), 1);
  EXPECT_EQ(cli("tally shushi --range all --row 13"), 1);
  EXPECT_EQ(cli("tally shushi --range all --by week"), 1);
  EXPECT_FALSE(std::filesystem::exists(ledger.root() / kShushiWorkFile));
}
