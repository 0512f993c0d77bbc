// WIN5 as text: the main window's line of a day and the WIN5 window's list lines and
// figures, checked against hand-written texts and a store holding the day.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/temp_dir.hpp"
#include "features/bets/win5_bets.hpp"
#include "features/main/win5_line.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

// 東京 (4) and 京都 (7), races 10 and 11, then 阪神 (8) 11R.
constexpr std::array<Win5Leg, kWin5LegCount> kLegs{{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {8, 11}}};

StoredWin5Line line(std::array<std::vector<int>, kWin5LegCount> legs, int stake) {
  StoredWin5Line l;
  l.legs = std::move(legs);
  l.stake = stake;
  l.points = 1;
  for (const auto& g : l.legs) l.points *= static_cast<std::int64_t>(g.size());
  return l;
}

StoredWin5Day dayWithLines() {
  StoredWin5Day d;
  d.legs = kLegs;
  d.lines.push_back(line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1));        // 4 points, 400 yen
  d.lines.push_back(line({{{1, 2, 3}, {2, 6}, {5}, {1, 9}, {4, 8}}}, 1));  // 24 points
  d.lines.push_back(line({{{3}, {2, 6}, {5, 7}, {1}, {4, 8, 11, 12, 13}}}, 1));  // 20 points
  return d;
}

}  // namespace

TEST(Win5Line, LegTexts) {
  const struct {
    Win5Leg leg;
    const char* text;
  } cases[] = {{{0, 1}, "札幌1R"}, {{4, 10}, "東京10R"}, {{9, 12}, "小倉12R"}, {{10, 3}, "?3R"}, {{-1, 11}, "?11R"}};
  for (const auto& c : cases) EXPECT_EQ(win5LegText(c.leg), c.text) << c.text;
}

TEST(Win5Line, ListLinesShowSetsPointsAndCost) {
  const struct {
    StoredWin5Line line;
    const char* text;
  } cases[] = {
      {line({{{1, 3}, {2}, {5, 7}, {1}, {4}}}, 1), "1,3/2/5,7/1/4  4点 400円"},
      {line({{{1}, {2}, {3}, {4}, {5}}}, 99999), "1/2/3/4/5  1点 9,999,900円"},
      {line({{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
              {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}},
            3),
       "1,2,3,4,5,6,7,8,9,10/1,2,3,4,5,6,7,8,9,10/1,2,3,4,5,6,7,8,9,10/1,2,3,4,5,6,7,8,9,10/"
       "1,2,3,4,5,6,7,8,9,10  100000点 30,000,000円"},
  };
  for (const auto& c : cases) EXPECT_EQ(win5ListLine(c.line), c.text);
}

TEST(Win5Line, FiguresText) {
  BetFigures f;
  EXPECT_EQ(win5FiguresText(f), "購入 0円  返還 0円  馬券購入額 0円  払戻 0円  収支 0円");
  f.bought = 4800;
  f.refunded = 800;
  f.ret = 1234560;
  EXPECT_EQ(win5FiguresText(f), "購入 4,800円  返還 800円  馬券購入額 4,000円  払戻 1,234,560円  収支 1,230,560円");
}

TEST(Win5Line, DayLineWithoutResultLosesThePurchase) {
  EXPECT_EQ(win5DayLine(dayWithLines()),
            "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  3行 48点 4,800円 払戻 0円 収支 -4,800円");
}

TEST(Win5Line, DayLineWithoutLines) {
  StoredWin5Day d;
  d.legs = kLegs;
  EXPECT_EQ(win5DayLine(d), "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  0行 0点 0円 払戻 0円 収支 0円");
}

TEST(Win5Line, DayLineCountsAHitAScratchAndACancel) {
  // 3-2-5-1-4 wins 12,340 yen per 100 yen: every line holds it (stake 100 yen each).
  StoredWin5Day d = dayWithLines();
  d.winners.push_back({{3, 2, 5, 1, 4}, 12340});
  EXPECT_EQ(win5DayLine(d),
            "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  3行 48点 4,800円 払戻 37,020円 収支 32,220円");
  // Horse 8 of leg 5 scratched: line 2 keeps 12 of its 24 points, line 3 16 of its 20.
  d.scratched[4] = {8};
  EXPECT_EQ(win5DayLine(d),
            "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  3行 48点 3,200円 払戻 37,020円 収支 33,820円");
  d.cancelled = true;
  EXPECT_EQ(win5DayLine(d), "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  3行 48点 0円 払戻 0円 収支 0円  不成立");
}

TEST(Win5Line, DayLineFromTheStore) {
  RunDir dir;
  BetStore bets(dir.path());
  const Win5Date date{2025, 10, 19};
  auto none = win5DayLineOf(bets, date);
  ASSERT_TRUE(none);
  EXPECT_FALSE(*none);
  Win5Store store(bets);
  ASSERT_TRUE(setWin5Legs(store, date, kLegs));
  Win5Line l;
  l.legs = {{{1, 3}, {2}, {5, 7}, {1}, {4}}};
  l.stake = 2;
  ASSERT_TRUE(buyWin5Line(store, date, l, {}));
  auto shown = win5DayLineOf(bets, date);
  ASSERT_TRUE(shown);
  ASSERT_TRUE(*shown);
  EXPECT_EQ(**shown, "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  1行 4点 800円 払戻 0円 収支 -800円");
  // Another day of the store has none.
  auto other = win5DayLineOf(bets, {2025, 10, 26});
  ASSERT_TRUE(other);
  EXPECT_FALSE(*other);
}

TEST(Win5Entry, HorseTexts) {
  const struct {
    const char* text;
    std::optional<Horses> horses;
  } cases[] = {
      {"", Horses{}},          {"   ", Horses{}},      {"3", Horses{3}},         {"3,4", Horses{3, 4}},
      {" 4 3 ", Horses{3, 4}}, {"18,1", Horses{1, 18}}, {"3,,3", Horses{3}},     {"0", std::nullopt},
      {"19", std::nullopt},    {"003", std::nullopt},  {"3-4", std::nullopt},    {"a", std::nullopt},
      {"3+4", std::nullopt},   {"-3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(parseWin5Horses(c.text), c.horses) << '"' << c.text << '"';
}

TEST(Win5Entry, WinnersOfTheFields) {
  const std::array<std::string, kWin5Legs> plain{"3", "2", "5", "1", "4"};
  auto w = win5WinnersOfEntry(plain, "56252161");
  ASSERT_TRUE(w);
  ASSERT_EQ(w->size(), 1u);
  EXPECT_EQ((*w)[0], (Win5Winner{{3, 2, 5, 1, 4}, 562521610}));

  // A dead heat in legs 2 and 5: every combination of them, each paying the amount typed.
  auto heat = win5WinnersOfEntry({"3", "2,7", "5", "1", "4 9"}, "1000");
  ASSERT_TRUE(heat);
  const std::vector<Win5Winner> expected = {{{3, 2, 5, 1, 4}, 10000},
                                            {{3, 2, 5, 1, 9}, 10000},
                                            {{3, 7, 5, 1, 4}, 10000},
                                            {{3, 7, 5, 1, 9}, 10000}};
  auto sorted = *heat;
  std::sort(sorted.begin(), sorted.end(), [](const Win5Winner& a, const Win5Winner& b) { return a.horses < b.horses; });
  EXPECT_EQ(sorted, expected);

  // Every field empty: no result.
  auto none = win5WinnersOfEntry({"", "", " ", "", ""}, "");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());

  const struct {
    std::array<std::string, kWin5Legs> legs;
    const char* payout;
    const char* message;
  } refused[] = {
      {{"3", "", "5", "1", "4"}, "100", msg::kWin5NoWinner},
      {{"3", "2", "5", "1", "x"}, "100", msg::kWin5NoWinner},
      {{"3", "2", "5", "1", "19"}, "100", msg::kWin5NoWinner},
      {{"3", "2", "5,6,7,8", "1", "4"}, "100", msg::kWin5NoWinner},
      {{"", "", "", "", ""}, "100", msg::kWin5NoWinner},
      {plain, "", msg::kWin5PayoutBad},
      {plain, "0", msg::kWin5PayoutBad},
      {plain, "1x", msg::kWin5PayoutBad},
      {plain, "999999999", msg::kWin5PayoutBad},
  };
  for (const auto& r : refused) {
    auto out = win5WinnersOfEntry(r.legs, r.payout);
    ASSERT_TRUE(out.refused()) << r.payout;
    EXPECT_EQ(out.refusal().text, r.message) << r.payout;
  }
  // The largest payout typed in 10-yen units.
  auto top = win5WinnersOfEntry(plain, "99999999");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->front().payout, 999999990);
}

TEST(Win5Entry, ScratchesOfTheFields) {
  auto s = win5ScratchesOfEntry({"", "7", "1,12", "", ""});
  ASSERT_TRUE(s);
  EXPECT_EQ((*s)[1], Horses{7});
  EXPECT_EQ((*s)[2], (Horses{1, 12}));
  EXPECT_TRUE((*s)[0].empty());
  auto bad = win5ScratchesOfEntry({"", "7", "1;12", "", ""});
  ASSERT_TRUE(bad.refused());
  EXPECT_EQ(bad.refusal().text, msg::kLineHorseRange);
}

TEST(Win5Entry, FieldsOfAStoredDayReadBackAsTheSameResult) {
  StoredWin5Day d = dayWithLines();
  EXPECT_EQ(win5ResultEntryOf(d).payoutUnits, "");
  d.winners = {{{3, 2, 5, 1, 4}, 10000}, {{3, 7, 5, 1, 4}, 10000}};
  d.scratched[3] = {6, 11};
  const Win5ResultEntry e = win5ResultEntryOf(d);
  EXPECT_EQ(e.winners, (std::array<std::string, kWin5Legs>{"3", "2,7", "5", "1", "4"}));
  EXPECT_EQ(e.payoutUnits, "1000");
  EXPECT_EQ(e.scratched, (std::array<std::string, kWin5Legs>{"", "", "", "6,11", ""}));
  auto again = win5WinnersOfEntry(e.winners, e.payoutUnits);
  ASSERT_TRUE(again);
  std::vector<StoredWin5Winner> stored;
  for (const Win5Winner& w : *again) stored.push_back({w.horses, w.payout});
  EXPECT_EQ(stored, d.winners);
}
