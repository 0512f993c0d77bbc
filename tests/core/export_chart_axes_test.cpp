// What the charts label and show: the time and money axes, the hover texts, the rate
// bars taken from the tallies' results, and the range a tally window's chart covers.
#include <gtest/gtest.h>

#include "features/export/chart_axes.hpp"
#include "features/export/rate_charts.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::exports;
using namespace tovra::tally;

namespace {

TEST(ChartTimeLabels, OneYearHasItsMonthsSeveralYearsTheirYears) {
  const auto months = timeLabels(2001, 2001);
  ASSERT_EQ(months.size(), 12u);
  EXPECT_EQ(months[0].label, "1月");
  EXPECT_EQ(months[11].label, "12月");
  EXPECT_DOUBLE_EQ(months[5].from, 5);
  EXPECT_DOUBLE_EQ(months[5].to, 6);

  const auto three = timeLabels(2001, 2003);
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[1].label, "2002年");
  EXPECT_DOUBLE_EQ(three[1].from, 12);
  EXPECT_DOUBLE_EQ(three[1].to, 24);

  // Twenty years: every second one, so that no more than twelve labels stand side by side.
  const auto twenty = timeLabels(2005, 2024);
  ASSERT_EQ(twenty.size(), 10u);
  EXPECT_EQ(twenty[0].label, "2005年");
  EXPECT_EQ(twenty[1].label, "2007年");
  EXPECT_DOUBLE_EQ(twenty[9].to, 240);
  EXPECT_TRUE(timeLabels(2002, 2001).empty());
}

struct YenCase {
  std::int64_t low, high;
  std::int64_t min, max, step;
};
class ChartYenAxis : public ::testing::TestWithParam<YenCase> {};

TEST_P(ChartYenAxis, HoldsZeroAndTheValuesInRoundSteps) {
  const YenCase& c = GetParam();
  const YenAxis a = yenAxis(c.low, c.high);
  EXPECT_EQ(a.min, c.min);
  EXPECT_EQ(a.max, c.max);
  EXPECT_EQ(a.step, c.step);
  ASSERT_EQ(a.ticks.size(), static_cast<std::size_t>((c.max - c.min) / c.step + 1));
  EXPECT_LE(a.ticks.size(), 8u);
  EXPECT_EQ(a.ticks.front(), c.min);
  EXPECT_EQ(a.ticks.back(), c.max);
  EXPECT_EQ(a.labels.front(), yenGrouped(c.min));
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartYenAxis,
                         ::testing::Values(YenCase{0, 0, 0, 1000, 200}, YenCase{-1500, 1000, -1500, 1000, 500},
                                           YenCase{0, 7000, 0, 7000, 1000}, YenCase{-123456, 0, -140000, 0, 20000},
                                           YenCase{-2345678, 987654, -2500000, 1000000, 500000},
                                           YenCase{100, 400, 0, 400, 100}));

struct GroupCase {
  std::int64_t yen;
  const char* text;
};
class ChartYenText : public ::testing::TestWithParam<GroupCase> {};
TEST_P(ChartYenText, HasThousandsSeparators) { EXPECT_EQ(yenGrouped(GetParam().yen), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Cases, ChartYenText,
                         ::testing::Values(GroupCase{0, "0円"}, GroupCase{999, "999円"}, GroupCase{1000, "1,000円"},
                                           GroupCase{-1234567, "-1,234,567円"}, GroupCase{100000, "100,000円"},
                                           GroupCase{INT64_MIN, "-9,223,372,036,854,775,808円"}));

// {highest rate, axis top, step}: steps of 50 up to ten of them, wider steps (1, 2, 5
// times a power of ten) above, the top always above the highest bar and above 100.
struct RateAxisCase {
  double highest, max, step;
};

TEST(ChartRates, AxisKeepsBreakEvenInSightAndItsLabelsApart) {
  EXPECT_DOUBLE_EQ(rateAxis({}).max, 150.0);
  EXPECT_DOUBLE_EQ(rateAxis({}).step, 50.0);
  const RateAxisCase cases[] = {{20.0, 150, 50},     {100.0, 150, 50},    {149.9, 150, 50},        {231.4, 250, 50},
                                {450.0, 500, 50},    {499.9, 500, 50},    {500.0, 600, 100},       {850.0, 900, 100},
                                {1730.0, 1800, 200}, {4321.0, 4500, 500}, {99999.0, 100000, 10000}};
  for (const RateAxisCase& c : cases) {
    SCOPED_TRACE(c.highest);
    TallyFigures f;
    f.recovery = c.highest;
    f.hitRate = 20.0;
    const RateAxis a = rateAxis({f});
    EXPECT_DOUBLE_EQ(a.max, c.max);
    EXPECT_DOUBLE_EQ(a.step, c.step);
    EXPECT_LE(a.ticks(), 11);
    EXPECT_GT(a.max, c.highest);
  }
  TallyFigures hits;  // the hit rate counts too
  hits.hitRate = 100.0;
  EXPECT_DOUBLE_EQ(rateAxis({hits}).max, 150.0);
}

TEST(ChartHints, NameTheDayOrGroupAndItsFigures) {
  BalanceDay d{2001, 6, 3, 0.0, 2, 12000, 10500, -1500, 250000};
  EXPECT_EQ(dayHint(d), "2001年6月3日 (2開催)\n購入 12,000円  回収 10,500円\n収支 -1,500円\n累計収支 250,000円");
  EXPECT_EQ(monthHint({2001, 6, 12000, 10500}), "2001年6月\n購入 12,000円  回収 10,500円\n収支 -1,500円");
  TallyFigures f{"東京", 10000, -2500, 75.0, 200.0 / 3, std::nullopt, std::nullopt};
  EXPECT_EQ(rateHint(f), "東京\n回収率 75.0％  的中率 66.7％\n購入 10,000円  回収 7,500円\n収支 -2,500円");
  TallyFigures none{"札幌", 0, 0, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  EXPECT_EQ(rateHint(none), "札幌\n回収率 -  的中率 -\n購入 0円  回収 0円\n収支 0円");
}

TEST(ChartRates, ComeFromTheResultsRows) {
  ShushiResult s;
  s.mode = kShushiYearByKai;
  const int tokyo = ShushiResult::cell(12, 4), third = ShushiResult::cell(2, 10);
  s.kounyu[tokyo] = s.kounyu[third] = 10000;
  s.shushi[tokyo] = s.shushi[third] = -2500;
  s.kaishu[tokyo] = s.kaishu[third] = 75.0f;
  const RateChart course = courseRates(s, "2001年");
  ASSERT_EQ(course.bars.size(), 11u);
  EXPECT_EQ(course.bars[4].label, "東京");
  EXPECT_DOUBLE_EQ(*course.bars[4].recovery, 75.0);
  EXPECT_FALSE(course.bars[0].recovery.has_value());
  EXPECT_EQ(course.bars[10].label, "全場");
  EXPECT_EQ(course.title, "収支集計  2001年  全回次  競馬場別");
  const RateChart kai = monthRates(s, "2001年");
  ASSERT_EQ(kai.bars.size(), 12u);
  EXPECT_EQ(kai.bars[2].label, "3回");
  EXPECT_EQ(kai.bars[2].purchase, 10000);

  KoumokuResult k;
  k.mode = 1;
  setFixedText(k.yearText, "2001");
  k.betType.count[10][4] = 2;
  k.betType.purchase[10][4] = 2000;
  k.betType.balance[10][4] = 3000;
  const RateChart bet = betTypeRates(k);
  ASSERT_EQ(bet.bars.size(), 5u);
  EXPECT_EQ(bet.bars[4].label, "馬連");
  EXPECT_DOUBLE_EQ(*bet.bars[4].recovery, 250.0);
  EXPECT_DOUBLE_EQ(*bet.bars[4].hitRate, 0.0);
  EXPECT_EQ(bet.title, "項目集計  2001年  全競馬場  馬券式別");

  JyokenResult j;
  j.rangeFlag = 0;
  j.betType = 1;
  const RateChart cond = courseRates(j);
  ASSERT_EQ(cond.bars.size(), 12u);
  EXPECT_EQ(cond.bars[11].label, "総合合計");
  EXPECT_EQ(cond.title, "条件集計  全データ  単勝");
}

TEST(ChartRequests, CoverTheRangeOfTheResultTheWindowShows) {
  NenjiTable nenji;
  nenji.nen[0] = 2002;
  nenji.nen[1] = 2001;
  ShushiResult s;
  s.mode = kShushiYearByMonth;
  s.selection = 1;
  ChartRequest q = requestForShushi(s, nenji, 2002);
  EXPECT_FALSE(q.range.allYears);
  EXPECT_EQ(q.range.year, 2001);
  EXPECT_EQ(q.first, ChartKind::Course);
  EXPECT_TRUE(q.shushi.has_value());
  s.mode = kShushiDay;  // one day: the current year
  EXPECT_EQ(requestForShushi(s, nenji, 2002).range.year, 2002);
  s.mode = kShushiYearByMonth;
  s.selection = 5;  // a position without a year
  EXPECT_TRUE(requestForShushi(s, nenji, 2002).range.allYears);

  KoumokuResult k;
  k.mode = 1;
  setFixedText(k.yearText, "1999");  // a year deleted since: all years
  q = requestForKoumoku(k, nenji, 4);
  EXPECT_TRUE(q.range.allYears);
  EXPECT_EQ(q.first, ChartKind::BetType);
  EXPECT_EQ(q.koumokuCourse, 4);

  RankResult r;
  r.code = 7;
  setFixedText(r.nen, "2002");
  q = requestForRank(r, nenji);
  EXPECT_EQ(q.range.year, 2002);
  EXPECT_EQ(q.first, ChartKind::Balance);
  r.code = 2;
  EXPECT_TRUE(requestForRank(r, nenji).range.allYears);

  JyokenResult j;
  j.rangeFlag = 1;
  setFixedText(j.yearText, "2001");
  q = requestForJyoken(j, nenji);
  EXPECT_EQ(q.range.year, 2001);
  EXPECT_TRUE(q.jyoken.has_value());
}

}  // namespace
