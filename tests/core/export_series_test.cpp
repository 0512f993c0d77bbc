// The balance chart's figures and the races export: days merged over the courses, the
// running balance, the positions on the time axis, the months from each year's income
// and expense tally; checked against the tally and against a plain reading of the files.
#include <gtest/gtest.h>

#include <map>

#include "../../bench/ledger_generator.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "common/temp_dir.hpp"
#include "features/export/balance_series.hpp"
#include "features/export/race_export.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/years/years.hpp"
#include "storage/settings_record.hpp"

using namespace tovra;
using namespace tovra::exports;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;
using tovra::testing::meetingDayCodes;

namespace {

constexpr int kSapporo = 0, kTokyo = 4, kNakayama = 5;
const Clock kClock = [] { return StampTime{2024, 6, 1, 9, 5}; };

// The result's bytes without its time stamp.
std::vector<std::uint8_t> tables(const ShushiResult& r) {
  auto b = r.encode();
  b.resize(shushi_off::timeStamp);
  return b;
}

struct ChartTwoYears : ::testing::Test {
  LedgerBuilder ledger{{2002, 2001}};
  void SetUp() override {
    ledger.setMeetings(2001, kTokyo, {meetingDayCodes(601, 301, 10000, -2500, {2, 12, 1})});
    ledger.setMeetings(2001, kSapporo, {meetingDayCodes(601, 101, 2000, 1000, {12, 2})});
    ledger.setMeetings(2002, kTokyo, {meetingDayCodes(1231, 508, 5000, 2500, {12})});
    // A damaged date: the tally counts it nowhere, nor does the chart.
    ledger.setMeetings(2002, kNakayama, {meetingDayCodes(1301, 101, 1000, 1000, {12})});
  }
};

TEST_F(ChartTwoYears, DaysOfSeveralCoursesAreOneDayAndTheBalanceRunsOn) {
  LedgerCursor ds = ledger.open(2002, kTokyo);
  ScriptedPort port;
  const BalanceSeries s = balanceSeries(ds, port, TallyRange::all());
  EXPECT_EQ(s.firstYear, 2001);
  EXPECT_EQ(s.lastYear, 2002);
  ASSERT_EQ(s.days.size(), 2u);
  const BalanceDay& june = s.days[0];
  EXPECT_EQ(june.year, 2001);
  EXPECT_EQ(june.month, 6);
  EXPECT_EQ(june.day, 1);
  EXPECT_EQ(june.meetings, 2);
  EXPECT_EQ(june.purchase, 12000);
  EXPECT_EQ(june.balance, -1500);
  EXPECT_EQ(june.ret, 10500);
  EXPECT_EQ(june.cumulative, -1500);
  EXPECT_DOUBLE_EQ(june.x, 5 + 0.5 / 30);
  const BalanceDay& eve = s.days[1];
  EXPECT_EQ(eve.cumulative, 1000);
  EXPECT_DOUBLE_EQ(eve.x, 23 + 30.5 / 31);

  ASSERT_EQ(s.monthCount(), 24);
  EXPECT_EQ(s.months[5].year, 2001);
  EXPECT_EQ(s.months[5].month, 6);
  EXPECT_EQ(s.months[5].purchase, 12000);
  EXPECT_EQ(s.months[5].ret, 10500);
  EXPECT_EQ(s.months[23].purchase, 5000);
  EXPECT_EQ(s.months[23].ret, 7500);
  EXPECT_EQ(s.months[0].purchase, 0);

  // The rates come from the tally's own result of the range.
  EXPECT_EQ(tables(s.byMonth), tables(computeShushi(ds, port, kShushiAllByMonth, 0, ds.yearNumber(), kClock)));
  EXPECT_EQ(s.byMonth.shushi[ShushiResult::cell(12, 10)], s.days.back().cumulative);
  // The scan showed its popup once and gave the selection back.
  EXPECT_EQ(ds.year, "2002");
  EXPECT_EQ(ds.course, kTokyo);
}

TEST_F(ChartTwoYears, OneYearHasItsTwelveMonths) {
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  const BalanceSeries s = balanceSeries(ds, port, TallyRange::oneYear(2001));
  EXPECT_EQ(s.firstYear, 2001);
  EXPECT_EQ(s.lastYear, 2001);
  EXPECT_EQ(s.monthCount(), 12);
  ASSERT_EQ(s.days.size(), 1u);
  EXPECT_EQ(s.byMonth.mode, kShushiYearByMonth);
  EXPECT_EQ(s.byMonth.selection, 1);  // 2001 is second in the year list
  EXPECT_EQ(tables(s.byMonth), tables(computeShushi(ds, port, kShushiYearByMonth, 1, ds.yearNumber(), kClock)));
  EXPECT_EQ(port.waits, 2);
}

TEST(ChartBalanceLine, StartsAtZeroAndMarksEveryCrossingOfZero) {
  BalanceSeries s;
  EXPECT_TRUE(balanceLine(s).empty());
  auto day = [](double x, std::int64_t cumulative) {
    BalanceDay d;
    d.x = x;
    d.cumulative = cumulative;
    return d;
  };
  s.days = {day(1, -100), day(2, 300), day(3, 300), day(4, 0), day(5, -50)};
  const std::vector<LinePoint> expected{{0, 0}, {1, -100}, {1.25, 0}, {2, 300}, {3, 300}, {4, 0}, {5, -50}};
  EXPECT_EQ(balanceLine(s), expected);
}

struct AxisCase {
  int year, month, day;
  double x;
};
class AxisPosition : public ::testing::TestWithParam<AxisCase> {};
TEST_P(AxisPosition, PutsADayInTheMiddleOfItsShare) {
  const AxisCase& c = GetParam();
  EXPECT_DOUBLE_EQ(monthAxisPosition(2000, c.year, c.month, c.day), c.x);
}
INSTANTIATE_TEST_SUITE_P(Cases, AxisPosition,
                         ::testing::Values(AxisCase{2000, 1, 1, 0.5 / 31}, AxisCase{2000, 2, 29, 1 + 28.5 / 29},
                                           AxisCase{2001, 2, 28, 13 + 27.5 / 28}, AxisCase{2001, 2, 31, 13 + 27.5 / 28},
                                           AxisCase{2001, 3, 0, 14 + 0.5 / 31}, AxisCase{2100, 2, 1, 1201 + 0.5 / 28}));

// A generated ledger read again without the program's readers: every meeting record of
// every year and course, up to the first whose date is 0.
struct Plain {
  std::map<std::pair<int, int>, std::pair<std::int64_t, std::int64_t>> days;  // (year, date) -> purchase, balance
  std::map<int, std::int64_t> racesWithData;
};
Plain readPlainly(const std::filesystem::path& root, const std::vector<int>& years) {
  Plain p;
  for (int y : years)
    for (int c = 0; c < kCourseCount; ++c) {
      const auto bytes = tovra::testing::readBytes(root / meetingFilePath(std::to_string(y), c));
      for (std::size_t at = 0; at + KaisaiRecord::kSize <= bytes.size(); at += KaisaiRecord::kSize) {
        KaisaiRecord k;
        k.decode(bytes.data() + at);
        if (k.tsukiHi == 0) break;
        auto& d = p.days[{y, k.tsukiHi}];
        d.first += k.kounyuGaku[12];
        d.second += k.shushi[12];
        for (int r = 0; r < kRacesPerDay; ++r) p.racesWithData[y] += k.raceJoutai[r] % 10 != 0;
      }
    }
  return p;
}

struct ChartGeneratedLedger : ::testing::Test {
  tovra::testing::TempDir dir;
  const std::vector<int> years{2003, 2002, 2001};
  void SetUp() override { bench::generateLedger(dir.path(), 3, 60, 2003, 7); }
  LedgerCursor open() {
    LedgerCursor ds(dir.path());
    ds.loadYears();
    ds.year = newestYear(ds.nenji);
    ds.countMeetings();
    return ds;
  }
};

TEST_F(ChartGeneratedLedger, TheSeriesHoldsEveryMeetingDayOfTheFiles) {
  LedgerCursor ds = open();
  ScriptedPort port;
  const BalanceSeries s = balanceSeries(ds, port, TallyRange::all());
  const Plain plain = readPlainly(dir.path(), years);
  ASSERT_EQ(s.days.size(), plain.days.size());
  std::int64_t running = 0;
  auto it = plain.days.begin();
  for (const BalanceDay& d : s.days) {
    ASSERT_EQ(std::make_pair(d.year, d.month * 100 + d.day), it->first);
    EXPECT_EQ(d.purchase, it->second.first);
    EXPECT_EQ(d.balance, it->second.second);
    running += it->second.second;
    EXPECT_EQ(d.cumulative, running);
    ++it;
  }
  // Each month bar is the month of that year's 収支集計.
  for (int y : years) {
    const ShushiResult r =
        computeShushi(ds, port, kShushiYearByMonth, yearPosition(ds.nenji, y), ds.yearNumber(), kClock);
    for (int m = 0; m < 12; ++m) {
      const BalanceMonth& bar = s.months[static_cast<std::size_t>((y - 2001) * 12 + m)];
      const int i = ShushiResult::cell(m, 10);
      EXPECT_EQ(bar.purchase, r.kounyu[i]) << y << "/" << m + 1;
      EXPECT_EQ(bar.ret, static_cast<std::int64_t>(r.kounyu[i]) + r.shushi[i]) << y << "/" << m + 1;
    }
  }
}

TEST_F(ChartGeneratedLedger, ExportedRacesAddUpPerYearToTheIncomeAndExpenseTally) {
  LedgerCursor ds = open();
  ScriptedPort port;
  const std::vector<RaceRow> rows = exportRaces(ds, port, TallyRange::all(), SettingsRecord::defaults());
  const Plain plain = readPlainly(dir.path(), years);
  std::map<int, std::int64_t> purchase, ret, balance, count;
  for (const RaceRow& r : rows) {
    purchase[r.year] += r.purchase;
    ret[r.year] += r.ret;
    balance[r.year] += r.balance;
    ++count[r.year];
  }
  for (int y : years) {
    const ShushiResult t =
        computeShushi(ds, port, kShushiYearByMonth, yearPosition(ds.nenji, y), ds.yearNumber(), kClock);
    const int grand = ShushiResult::cell(12, 10);
    EXPECT_EQ(purchase[y], t.kounyu[grand]) << y;
    EXPECT_EQ(balance[y], t.shushi[grand]) << y;
    EXPECT_EQ(ret[y], static_cast<std::int64_t>(t.kounyu[grand]) + t.shushi[grand]) << y;
    EXPECT_EQ(count[y], plain.racesWithData.at(y)) << y;
  }
  // In calendar order.
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const auto key = [](const RaceRow& r) { return std::make_tuple(r.year, r.month, r.day, r.course, r.race); };
    ASSERT_LE(key(rows[i - 1]), key(rows[i])) << i;
  }
}

TEST(RaceExport, ARowHoldsTheRaceAsTheRaceWindowNamesIt) {
  LedgerBuilder ledger{{2001}};
  KaisaiRecord k = meetingDayCodes(603, 302, 3000, 1200, {12, 1});
  k.kounyuGaku[0] = 3000;
  k.shushi[0] = 1200;
  setFixedText(k.raceMei[0], sj("ﾄｳﾞﾗ賞, 特別"));
  setFixedText(k.raceMei[1], sj("=1+1"));
  RaceBlock races{};
  races[0].koumoku = 20311211;  // 3歳, 500万下, 混合, 牡牝, 別定, 芝, 良
  races[0].kyori = 1600;
  ledger.setMeetings(2001, kTokyo, {k}, {races});
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  const auto rows = exportRaces(ds, port, TallyRange::oneYear(2001), SettingsRecord::defaults());
  ASSERT_EQ(rows.size(), 2u);  // the ten races without data are left out
  EXPECT_EQ(rows[0].items.find("1600M") != std::string::npos, true);
  const std::string text = racesCsv(rows).text();
  const std::string header = "日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中\r\n";
  ASSERT_EQ(text.substr(0, 3 + header.size()), std::string(kUtf8Bom) + header);
  const std::string body = text.substr(3 + header.size());
  EXPECT_EQ(body, "2001/06/03,東京,3,2,1,\"ﾄｳﾞﾗ賞, 特別\"," + rows[0].items + ",3000,4200,1200,○\r\n" +
                      "2001/06/03,東京,3,2,2,'=1+1,,0,0,0,\r\n");
}

}  // namespace
