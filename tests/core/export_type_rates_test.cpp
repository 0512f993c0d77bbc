// 的中率 and 回収率 per bet type over all eight types, against a brute-force sum of every
// ticket row of the range (one row per ticket slot or store line, each with its own
// bought, refunded and return); the 馬券式別 chart of a range without new-type rows stays
// the item tally's five types; the toggles keep the types chosen.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"
#include "features/bets/ticket_rows.hpp"
#include "features/export/chart_axes.hpp"
#include "features/export/rate_charts.hpp"
#include "features/export/type_rates.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "storage/bet_store.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;
using exports::ChartKind;
using exports::ChartTypes;
using exports::kChartTypeCount;
using exports::TypeRates;

constexpr int kNakayama = 5;

class TypeRatesTest : public EntryLedger {
 protected:
  void SetUp() override {
    // A second course: 中山 12月4日.
    ledger.setMeetings(2001, kNakayama, {testing::meetingDay(12, 4, 5, 8)});
  }
  void cli(const std::vector<std::string>& steps) {
    std::vector<std::string> args = steps;
    args.insert(args.begin(), "--yes");
    const auto r = testing::runCli(dir, args);
    ASSERT_EQ(r.exitCode, 0) << steps[1] << " " << steps[3] << " " << steps[5] << ": " << r.err;
  }
  // Every kind of line: old tickets hit, lost and refunded (a scratched horse, a refunded
  // frame), new lines hit, lost and refunded, a race bought in the new types only.
  void buyEverything() {
    const std::vector<std::vector<std::string>> steps = {
        {"race", "buy", "tok", "0", "1", "tan", "--horse", "3", "--amount", "10"},
        {"race", "buy", "tok", "0", "1", "tan", "--horse", "7", "--amount", "2"},
        {"race", "result", "tok", "0", "1", "tan", "--horse", "3", "--amount", "25"},
        {"race", "buy", "tok", "0", "1", "fuku", "--horse", "3", "--amount", "4"},
        {"race", "result", "tok", "0", "1", "fuku", "--horse", "3", "--amount", "12"},
        {"race", "buy", "tok", "0", "1", "waku", "--pair", "1", "8", "--amount", "3"},
        {"race", "buy", "tok", "0", "1", "umatan", "--combo", "3-1", "--amount", "3"},
        {"race", "result", "tok", "0", "1", "umatan", "--combo", "3-1", "--amount", "1520"},
        {"race", "buy", "tok", "0", "1", "sanrentan", "--method", "box", "--members", "1,3,7", "--amount", "1"},
        {"race", "scratch", "tok", "0", "1", "--horses", "7", "--frames", "8"},
        {"race", "buy", "tok", "0", "2", "uma", "--pair", "2", "5", "--amount", "1"},
        {"race", "result", "tok", "0", "2", "uma", "--pair", "2", "5", "--amount", "123"},
        {"race", "buy", "tok", "0", "2", "wide", "--pair", "2", "6", "--amount", "5"},
        {"race", "buy", "tok", "0", "2", "sanrenpuku", "--method", "formation", "--first", "1", "--second", "2,3",
         "--third", "3,4", "--amount", "2"},
        {"race", "result", "tok", "0", "2", "sanrenpuku", "--combo", "1-2-4", "--amount", "880"},
        {"race", "buy", "tok", "0", "3", "tan", "--horse", "9", "--amount", "1"},
        {"race", "buy", "nak", "0", "4", "sanrentan", "--method", "nagashi", "--axis", "4", "--partners", "1,2,5",
         "--position", "1", "--amount", "2"},
        {"race", "result", "nak", "0", "4", "sanrentan", "--combo", "4-5-2", "--amount", "12340"},
        {"race", "buy", "nak", "0", "4", "umatan", "--combo", "1-4", "--amount", "1"},
        {"race", "buy", "nak", "0", "5", "umatan", "--method", "box", "--members", "6,8", "--amount", "5"},
        {"race", "scratch", "nak", "0", "5", "--horses", "8"},
        {"race", "buy", "nak", "0", "6", "wide", "--pair", "1", "2", "--amount", "7"},
        {"race", "result", "nak", "0", "6", "wide", "--pair", "1", "2", "--amount", "340"},
    };
    for (const auto& s : steps) ASSERT_NO_FATAL_FAILURE(cli(s));
  }
};

// The chart's position of a ticket row's type name.
int typeAt(const std::string& ascii) {
  for (int i = 0; i < kChartTypeCount; ++i)
    if (ascii == exports::chartTypeAscii(i)) return i;
  ADD_FAILURE() << "no type " << ascii;
  return 0;
}

// The brute force: ticket rows added up per race and type, then per type.
TypeRates bruteForce(const std::vector<TicketRow>& rows, int onlyCourse = -1) {
  struct Sum {
    std::int64_t bought = 0, refunded = 0, ret = 0;
    bool hit = false;
  };
  std::map<std::tuple<int, int, int, int, int, int>, Sum> perRace;  // y m d course race type
  for (const TicketRow& r : rows) {
    if (onlyCourse >= 0 && r.course != onlyCourse) continue;
    Sum& s = perRace[{r.year, r.month, r.day, r.course, r.race, typeAt(r.type)}];
    s.bought += r.bought;
    s.refunded += r.refunded;
    s.ret += r.ret;
    if (r.refunded == 0 && r.ret > 0) s.hit = true;  // no 特払 in these ledgers
  }
  TypeRates out;
  for (const auto& [key, s] : perRace) {
    exports::TypeRate& t = out.byType[static_cast<std::size_t>(std::get<5>(key))];
    t.figures.bought += s.bought;
    t.figures.refunded += s.refunded;
    t.figures.ret += s.ret;
    t.figures.hit = t.figures.hit || s.hit;
    if (s.bought - s.refunded > 0) {
      ++t.races;
      if (s.hit) ++t.hitRaces;
    }
  }
  return out;
}

TEST_F(TypeRatesTest, EveryTypeAgreesWithTheSumOfItsTicketRows) {
  ASSERT_NO_FATAL_FAILURE(buyEverything());
  BetStore store(dir);
  const auto rows = ticketRows(ds.ledger(), store, {"2001"});
  ASSERT_TRUE(rows);
  ASSERT_EQ(rows->size(), 14u);
  const auto rates = exports::typeRates(ds.ledger(), store, {"2001"});
  ASSERT_TRUE(rates);
  const TypeRates expected = bruteForce(*rows);
  for (int i = 0; i < kChartTypeCount; ++i) {
    SCOPED_TRACE(exports::chartTypeName(i));
    EXPECT_EQ(rates->byType[static_cast<std::size_t>(i)], expected.byType[static_cast<std::size_t>(i)]);
  }
  EXPECT_TRUE(rates->beyondOldTypes());
  // Hand-checked: 単勝 bought 1000 + 200 (refunded) + 100, returned 2500, 2 races, 1 hit.
  const exports::TypeRate& tan = rates->byType[0];
  EXPECT_EQ(tan.figures.bought, 1300);
  EXPECT_EQ(tan.figures.refunded, 200);
  EXPECT_EQ(tan.figures.ret, 2500);
  EXPECT_EQ(tan.races, 2);
  EXPECT_EQ(tan.hitRaces, 1);
  // 馬単 of 中山 5R was all refunded: no race of the type there.
  const exports::TypeRate& umatan = rates->byType[5];
  EXPECT_EQ(umatan.figures.refunded, 1000);
  EXPECT_EQ(umatan.races, 2);

  // One course.
  const auto nakayama = exports::typeRates(ds.ledger(), store, {"2001"}, {kNakayama});
  ASSERT_TRUE(nakayama);
  EXPECT_EQ(*nakayama, bruteForce(*rows, kNakayama));
  EXPECT_EQ(nakayama->byType[0].figures.bought, 0);
}

TEST_F(TypeRatesTest, TheChartDrawsTheTypesChosenWithRefundsApart) {
  ASSERT_NO_FATAL_FAILURE(buyEverything());
  BetStore store(dir);
  exports::ChartRequest q;
  q.range = tally::TallyRange::oneYear(2001);
  const exports::RateChart all = exports::rateChart(ds, store, port, q, tally::ShushiResult{}, ChartKind::BetType);
  EXPECT_EQ(all.title, "全式別  2001年  全競馬場  馬券式別");
  ASSERT_EQ(all.bars.size(), 8u);
  ASSERT_EQ(all.refunded.size(), 8u);
  const std::vector<std::string> labels = {"単勝", "複勝", "枠連", "馬連", "ﾜｲﾄﾞ", "馬単", "3連複", "3連単"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(all.bars[i].label, labels[i]);
  const auto rates = exports::typeRates(ds.ledger(), store, {"2001"});
  ASSERT_TRUE(rates);
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(labels[i]);
    const exports::TypeRate& t = rates->byType[i];
    const std::int64_t purchase = t.figures.bought - t.figures.refunded;
    EXPECT_EQ(all.bars[i].purchase, purchase);
    EXPECT_EQ(all.bars[i].ret(), t.figures.ret);
    EXPECT_EQ(all.refunded[i], t.figures.refunded);
    if (purchase == 0) {
      EXPECT_FALSE(all.bars[i].recovery.has_value());
    } else {
      EXPECT_DOUBLE_EQ(*all.bars[i].recovery, static_cast<double>(t.figures.ret) / purchase * 100.0);
    }
    if (t.races > 0) {
      EXPECT_DOUBLE_EQ(*all.bars[i].hitRate, 100.0 * static_cast<double>(t.hitRaces) / static_cast<double>(t.races));
    }
  }
  // 枠連 was all refunded: blank bars.
  EXPECT_FALSE(all.bars[2].shown());
  EXPECT_EQ(all.refunded[2], 300);

  // Two types chosen, one course (as the item tally window of 中山 asks).
  q.types = ChartTypes{};
  q.types.on[4] = q.types.on[7] = true;  // ﾜｲﾄﾞ, 3連単
  q.allTypesCounted = false;
  q.allTypes.reset();
  q.koumokuCourse = kNakayama;
  const exports::RateChart two = exports::rateChart(ds, store, port, q, tally::ShushiResult{}, ChartKind::BetType);
  EXPECT_EQ(two.title, "全式別  2001年  中山競馬場  馬券式別");
  ASSERT_EQ(two.bars.size(), 2u);
  EXPECT_EQ(two.bars[0].label, "ﾜｲﾄﾞ");
  EXPECT_EQ(two.bars[0].purchase, 700);
  EXPECT_DOUBLE_EQ(*two.bars[0].hitRate, 100.0);
  EXPECT_EQ(two.bars[1].label, "3連単");
  EXPECT_EQ(two.bars[1].purchase, 1200);  // 4→{1,2,5}: 6 points of 200
  EXPECT_EQ(two.bars[1].ret(), 246800);
  EXPECT_TRUE(port.messages.empty()) << port.lastText();
}

TEST_F(TypeRatesTest, WithoutNewTypeRowsTheChartIsTheItemTallysFiveTypes) {
  const std::vector<std::vector<std::string>> steps = {
      {"race", "buy", "tok", "0", "1", "tan", "--horse", "3", "--amount", "10"},
      {"race", "result", "tok", "0", "1", "tan", "--horse", "3", "--amount", "25"},
      {"race", "buy", "tok", "0", "2", "uma", "--pair", "2", "5", "--amount", "4"},
  };
  for (const auto& s : steps) ASSERT_NO_FATAL_FAILURE(cli(s));
  BetStore store(dir);
  exports::ChartRequest q;
  q.range = tally::TallyRange::oneYear(2001);
  const exports::RateChart chart = exports::rateChart(ds, store, port, q, tally::ShushiResult{}, ChartKind::BetType);
  EXPECT_FALSE(q.allTypes.has_value());
  const exports::RateChart five = exports::betTypeRates(tally::computeKoumoku(ds, port, 1, 0));
  EXPECT_EQ(chart.title, "項目集計  2001年  全競馬場  馬券式別");
  EXPECT_EQ(chart.title, five.title);
  ASSERT_EQ(chart.bars.size(), 5u);
  EXPECT_TRUE(chart.refunded.empty());
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(chart.bars[i].label, five.bars[i].label);
    EXPECT_EQ(chart.bars[i].purchase, five.bars[i].purchase);
    EXPECT_EQ(chart.bars[i].balance, five.bars[i].balance);
    EXPECT_EQ(chart.bars[i].hitRate, five.bars[i].hitRate);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / kBetStorePath)) << "the chart created the store";

  // Toggles over the five types: the item tally's order kept, the new types have no bar.
  q.types = ChartTypes::every();
  q.types.on[0] = false;  // 単勝
  q.types.on[3] = false;  // 馬連
  const exports::RateChart three = exports::rateChart(ds, store, port, q, tally::ShushiResult{}, ChartKind::BetType);
  ASSERT_EQ(three.bars.size(), 3u);
  EXPECT_EQ(three.bars[0].label, "複勝");
  EXPECT_EQ(three.bars[1].label, "枠連");
  EXPECT_EQ(three.bars[2].label, "ﾜｲﾄﾞ");
}

TEST(ChartTypeHint, ShowsTheRefundBesideThePurchase) {
  tally::TallyFigures f;
  f.label = "3連単";
  f.purchase = 1200;
  f.balance = 245600;
  f.recovery = 20566.7;
  f.hitRate = 50.0;
  EXPECT_EQ(exports::rateHint(f, 600),
            "3連単\n回収率 20566.7％  的中率 50.0％\n購入 1,200円  返還 600円  回収 246,800円\n収支 245,600円");
}

}  // namespace
}  // namespace tovra
