// The four tally results as CSV tables: the header, the rows of every course and row, the
// figures as the windows show them (blank rates where nothing was bought), the texts.
#include <gtest/gtest.h>

#include <sstream>

#include "features/export/tally_csv.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::exports;
using namespace tovra::tally;

namespace {

// The table's lines without the byte-order mark.
std::vector<std::string> lines(const CsvTable& t) {
  std::vector<std::string> out;
  std::string body = t.text().substr(3), line;
  std::size_t at = 0;
  while (at < body.size()) {
    const std::size_t end = body.find("\r\n", at);
    out.push_back(body.substr(at, end - at));
    at = end + 2;
  }
  return out;
}

bool hasLine(const std::vector<std::string>& ls, const std::string& line) {
  return std::find(ls.begin(), ls.end(), line) != ls.end();
}

ShushiResult shushiJune(int mode) {
  ShushiResult r;
  r.mode = mode;
  const int june = ShushiResult::cell(5, 4), sum = ShushiResult::cell(5, 10);
  for (int i : {june, sum, ShushiResult::cell(12, 4), ShushiResult::cell(12, 10)}) {
    r.kounyu[i] = 10000;
    r.shushi[i] = -2500;
    r.kaishu[i] = 75.0f;
    r.tekichu[i] = 200.0f / 3.0f;
  }
  return r;
}

TEST(ShushiCsv, HasEveryRowAndCourseWithTheWindowsFigures) {
  const auto ls = lines(shushiCsv(shushiJune(kShushiAllByMonth)));
  ASSERT_EQ(ls.size(), 1u + 13 * 11);
  EXPECT_EQ(ls[0], "区分,競馬場,馬券購入額,回収率,回収金額,収支,的中率");
  EXPECT_EQ(ls[1], "1月,札幌,0,,0,0,");
  EXPECT_TRUE(hasLine(ls, "6月,東京,10000,75.0,7500,-2500,66.7"));
  EXPECT_TRUE(hasLine(ls, "6月,合計,10000,75.0,7500,-2500,66.7"));
  EXPECT_EQ(ls.back(), "全月,合計,10000,75.0,7500,-2500,66.7");
}

TEST(ShushiCsv, RowsByMeetingNumberAndOneDay) {
  const auto kai = lines(shushiCsv(shushiJune(kShushiYearByKai)));
  EXPECT_TRUE(hasLine(kai, "6回,東京,10000,75.0,7500,-2500,66.7"));
  EXPECT_EQ(kai.back(), "全回次,合計,10000,75.0,7500,-2500,66.7");

  ShushiResult day = shushiJune(kShushiDay);
  day.selection = 601;
  const auto ls = lines(shushiCsv(day));
  ASSERT_EQ(ls.size(), 1u + 11);  // the day alone, every course and 合計
  EXPECT_EQ(ls[5], "6月1日,東京,10000,75.0,7500,-2500,66.7");
}

TEST(JyokenCsv, EveryRowCarriesTheConditions) {
  JyokenResult r;
  r.purchase[kJyokenGrandRow] = 30000;
  r.balance[kJyokenGrandRow] = 6000;
  r.recovery[kJyokenGrandRow] = 120.0f;
  r.hitRate[kJyokenGrandRow] = 25.0f;
  r.conditions[0] = {static_cast<std::int16_t>(JyokenKind::Month), 6};
  r.conditions[1] = {static_cast<std::int16_t>(JyokenKind::Going), 2};
  r.betType = 5;
  const auto ls = lines(jyokenCsv(r));
  ASSERT_EQ(ls.size(), 13u);
  EXPECT_EQ(ls[0], "競馬場,馬券購入額,回収率,回収金額,収支,的中率,条件");
  EXPECT_EQ(ls[1], "札幌,0,,0,0,,6月 稍重 馬連");
  EXPECT_EQ(ls[11], "合計,0,,0,0,,6月 稍重 馬連");
  EXPECT_EQ(ls[12], "総合合計,30000,120.0,36000,6000,25.0,6月 稍重 馬連");
}

TEST(RankCsv, ListsTheRankedRowsWithTheirKindsColumns) {
  RankResult r;
  r.code = 6;  // 的中配当, one year
  RankEntry& e = r.rows[0];
  e.tsuki = 6;
  e.hi = 1;
  e.kai = 3;
  e.nichi = 1;
  e.shiki = 4;
  e.jyo = 4;
  e.race = 10;
  e.kumi = 312;
  e.kingaku = 15620;
  setFixedText(e.nen, "2001");
  setFixedText(e.raceMei, sj("ｼﾞｬﾊﾟﾝC, 国際"));
  setFixedText(e.bamei1, sj("ﾄｳﾞﾗ"));
  r.rows[1] = e;
  r.rows[1].tsuki = 0;  // an empty rank is left out
  auto ls = lines(rankCsv(r));
  ASSERT_EQ(ls.size(), 2u);
  EXPECT_EQ(ls[0], "順位,年,月,日,競馬場,回,日目,R,ﾚｰｽ名,式別,組番,金額,回収率,1着,2着");
  EXPECT_EQ(ls[1], "1,2001,6,1,東京,3,1,11,\"ｼﾞｬﾊﾟﾝC, 国際\",馬連,3-12,15620,,ﾄｳﾞﾗ,");

  r.code = 5;  // 開催日別収支: no race, bet type or horses; the rate stands
  r.rows[0].ritsu = 150.0f;
  ls = lines(rankCsv(r));
  EXPECT_EQ(ls[1], "1,2001,6,1,東京,3,1,,,,,15620,150.0,,");
}

TEST(KoumokuCsv, HasEachSlotOfEachCategoryPerCourseAndThePageOther) {
  KoumokuResult r;
  // 東京, 単勝: 4 bought races, 1 hit; purchase 4000, balance +1000.
  for (int n : {4, kAllCoursesRow}) {
    r.betType.count[n][0] = 4;
    r.betType.count[n][5] = 1;
    r.betType.purchase[n][0] = 4000;
    r.betType.balance[n][0] = 1000;
    r.races[n][0] = 4;
    r.races[n][1] = 1;
    r.dayPurchase[n][0] = 4000;
    r.dayBalance[n][0] = 1000;
    r.payoutBand[n][1] = 1;
    r.hitPayoutTotal[n][0] = 1250;
    r.hitEntries[n][0] = 1;
  }
  const auto ls = lines(koumokuCsv(r));
  EXPECT_EQ(ls[0], "競馬場,項目,区分,馬券購入額,回収率,回収金額,収支,的中率,購入ﾚｰｽ数,的中ﾚｰｽ数,値");
  EXPECT_TRUE(hasLine(ls, "東京,馬券式別,単勝,4000,125.0,5000,1000,25.0,4,1,"));
  EXPECT_TRUE(hasLine(ls, "全競馬場,馬券式別,単勝,4000,125.0,5000,1000,25.0,4,1,"));
  EXPECT_TRUE(hasLine(ls, "札幌,馬券式別,単勝,0,,0,0,,0,0,"));
  EXPECT_TRUE(hasLine(ls, "東京,月別,4～ 6月,0,,0,0,,0,0,"));
  EXPECT_TRUE(hasLine(ls, "東京,距離,10～ 14 x100M,0,,0,0,,0,0,"));
  EXPECT_TRUE(hasLine(ls, "東京,総合,東京総合,4000,125.0,5000,1000,25.0,4,1,"));
  EXPECT_TRUE(hasLine(ls, "全競馬場,総合,全場総合,4000,125.0,5000,1000,25.0,4,1,"));
  EXPECT_TRUE(hasLine(ls, "東京,その他,的中配当 1000円 ～ 1990円,,,,,,,,1"));
  EXPECT_TRUE(hasLine(ls, "東京,その他,平均的中配当,,,,,,,,1250"));
  EXPECT_TRUE(hasLine(ls, "東京,その他,馬連実質的中率,,,,,,,,"));
  EXPECT_TRUE(hasLine(ls, "東京,その他,\"馬連 1,3着 2,3着率\",,,,,,,,"));
  // Per course: 71 slots, the totals (one row for 全競馬場, two for a course), 17 of "その他".
  EXPECT_EQ(ls.size(), 1u + 10 * (71 + 2 + 17) + (71 + 1 + 17));
}

}  // namespace
