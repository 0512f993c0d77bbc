// The main window's 全式別 view: race rows and the totals row over all eight types with
// refunds taken out, and exactly the record's view when the store holds nothing of the day.
#include <gtest/gtest.h>

#include "common/temp_dir.hpp"
#include "domain/settlement.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/main/main_selection.hpp"
#include "features/main/meeting_view.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"
#include "storage/win5_store.hpp"

using namespace tovra;
using tovra::testing::TempDir;

namespace {

MainSelection dayWithRaces() {
  MainSelection sel;
  sel.course = 4;
  sel.meetingCount[4] = 2;
  sel.shownMeeting[4] = 0;
  KaisaiRecord& k = sel.day.meeting;
  k.tsukiHi = 1203;
  k.kaiNichi = 308;
  for (int r = 0; r < 4; ++r) setFixedText(k.raceMei[r], sj("ﾚｰｽ" + std::to_string(r + 1)));
  // Race 2: 単勝 5 for 1000 yen, won at 320. Race 3: 単勝 5 for 1000 yen, lost.
  // Race 4: 単勝 7 for 500 yen, won at 200.
  auto tan = [&](int r, int horse, int yen, int winner, int payout) {
    RaceRecord& x = sel.day.races[static_cast<std::size_t>(r)];
    x.tanUma[0] = static_cast<std::uint16_t>(horse);
    x.tanGaku[0] = yen;
    x.tanKeka[0] = static_cast<std::uint16_t>(winner);
    x.tanHaitou[0] = payout;
    settleRace(k, sel.day.races, r);
  };
  tan(1, 5, 1000, 5, 320);
  tan(2, 5, 1000, 6, 450);
  tan(3, 7, 500, 7, 200);
  return sel;
}

std::array<StoredRace, kRacesPerDay> storeRows() {
  std::array<StoredRace, kRacesPerDay> s{};
  // Race 1 (no record data): 馬単 2-1 for 1000 yen, paid 5000 per 100.
  s[0].lines.push_back(storedLineOf(PurchaseLine::normal(NewBetType::Umatan, {2, 1}, 10), 1));
  s[0].winners.push_back({0, {2, 1, 0}, 5000});
  // Race 2: 3連複 box of four (400 yen) that missed, beside the record's hit.
  s[1].lines.push_back(storedLineOf(PurchaseLine::box(NewBetType::Sanrenpuku, {1, 2, 3, 4}, 1), 4));
  s[1].winners.push_back({1, {5, 6, 7}, 12340});
  // Race 3: horse 5 scratched: the 単勝 ticket is refunded, nothing is bought.
  s[2].scratched = {5};
  return s;
}

TEST(MeetingViewAllTypes, RowsAndTotalsOverEveryType) {
  const MainSelection sel = dayWithRaces();
  const auto stored = storeRows();
  const MeetingView v =
      formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), sel.day.meeting, dayBets(sel.day, stored));
  const MeetingView old = formatMeetingView(sel);
  const struct {
    int race;
    const char* name;
    const char* kou;
    const char* shu;
    bool plus, hit;
  } rows[] = {
      {0, "ﾚｰｽ1", "      1000円   5000.0％     50000円", "49000円 ", true, true},
      {1, "ﾚｰｽ2", "      1400円    228.6％      3200円", "1800円 ", true, true},
      {2, "ﾚｰｽ3", "         0円", "  ", false, false},
      // No store rows: the record's row.
      {3, "ﾚｰｽ4", "       500円    200.0％      1000円", "500円 ", true, true},
      {4, "  ", "  ", "  ", false, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.race);
    const MeetingRowView& row = v.rows[r.race];
    EXPECT_EQ(row.raceName, r.name);
    EXPECT_EQ(row.kou, r.kou);
    EXPECT_EQ(row.shu, r.shu);
    EXPECT_EQ(row.plus, r.plus);
    EXPECT_EQ(row.hit, r.hit);
  }
  EXPECT_EQ(old.rows[0].raceName, "  ");  // the record's view does not show race 1
  EXPECT_EQ(old.rows[2].kou, "      1000円      0.0％         0円");
  // 1000 + 1400 + 0 + 500 bought less refunded; 50000 + 3200 + 1000 returned.
  EXPECT_EQ(v.kou13, "      2900円   1869.0％     54200円");
  EXPECT_EQ(v.shu13, "     51300円 ");
  EXPECT_TRUE(v.plus13);
  EXPECT_EQ(v.kaisaiPanel, old.kaisaiPanel);
  EXPECT_EQ(v.statusText, old.statusText);
}

TEST(MeetingViewAllTypes, RatesOfAMillionPercentKeepTheirNinePlaces) {
  const struct {
    std::int64_t payout;
    const char* kou;
  } cases[] = {
      {999990, "       100円 999990.0％    999990円"},
      {1000000, "       100円  1000000％   1000000円"},
      {29832950, "       100円 29832950％  29832950円"},
  };
  for (const auto& c : cases) {
    MainSelection sel = dayWithRaces();
    std::array<StoredRace, kRacesPerDay> stored{};
    stored[0].lines.push_back(storedLineOf(PurchaseLine::normal(NewBetType::Sanrentan, {1, 2, 3}, 1), 1));
    stored[0].winners.push_back({2, {1, 2, 3}, c.payout});
    const MeetingView v =
        formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), sel.day.meeting, dayBets(sel.day, stored));
    EXPECT_EQ(v.rows[0].kou, c.kou) << c.payout;
  }
}

void expectSameView(const MeetingView& a, const MeetingView& b) {
  EXPECT_EQ(a.statusText, b.statusText);
  EXPECT_EQ(a.jyoLabel, b.jyoLabel);
  EXPECT_EQ(a.kaisaiPanel, b.kaisaiPanel);
  EXPECT_EQ(a.hasMeeting, b.hasMeeting);
  EXPECT_EQ(a.scrollMax, b.scrollMax);
  EXPECT_EQ(a.scrollPos, b.scrollPos);
  for (int r = 0; r < kRacesPerDay; ++r) {
    EXPECT_EQ(a.rows[r].raceName, b.rows[r].raceName) << r;
    EXPECT_EQ(a.rows[r].kou, b.rows[r].kou) << r;
    EXPECT_EQ(a.rows[r].shu, b.rows[r].shu) << r;
    EXPECT_EQ(a.rows[r].hit, b.rows[r].hit) << r;
    EXPECT_EQ(a.rows[r].plus, b.rows[r].plus) << r;
  }
  EXPECT_EQ(a.kou13, b.kou13);
  EXPECT_EQ(a.shu13, b.shu13);
  EXPECT_EQ(a.plus13, b.plus13);
}

TEST(MeetingViewAllTypes, WithoutStoreRowsTheRecordsViewExactly) {
  MainSelection blank;
  blank.course = 2;
  const struct {
    const char* name;
    MainSelection sel;
  } cases[] = {{"a day with races", dayWithRaces()}, {"a course without meetings", blank}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const MeetingView old = formatMeetingView(c.sel);
    expectSameView(formatMeetingViewAllTypes(c.sel.course, c.sel.count(), c.sel.shown(), c.sel.day.meeting,
                                             dayBets(c.sel.day, {})),
                   old);
    // Read through a store that has no file: nothing is created.
    TempDir dir;
    BetStore store(dir.path());
    const auto read = formatMeetingViewAllTypes(c.sel, "2001", store);
    ASSERT_TRUE(read);
    expectSameView(*read, old);
    EXPECT_FALSE(store.exists());
  }
}

TEST(MeetingViewAllTypes, ReadsTheDaysRowsByDate) {
  const MainSelection sel = dayWithRaces();
  TempDir dir;
  BetStore store(dir.path());
  const auto rows = storeRows();
  // The day is 2001-12-03 at course 4; a row of the day before is not the day's.
  ASSERT_TRUE(store.addLine({{2001, 4, 12, 3}, 1}, rows[0].lines[0]));
  ASSERT_TRUE(store.addWinner({{2001, 4, 12, 3}, 1}, rows[0].winners[0]));
  ASSERT_TRUE(store.addLine({{2001, 4, 12, 2}, 4}, rows[1].lines[0]));
  const auto v = formatMeetingViewAllTypes(sel, "2001", store);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->rows[0].kou, "      1000円   5000.0％     50000円");
  EXPECT_EQ(v->rows[3].kou, "       500円    200.0％      1000円");
}

// The date's WIN5: one line of its own under the races, its purchase and return in the
// totals row; the race rows as without it.
TEST(MeetingViewAllTypes, TheDaysWin5IsALineOfItsOwnInTheTotals) {
  const MainSelection sel = dayWithRaces();
  const MeetingView without =
      formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), sel.day.meeting, dayBets(sel.day, {}));
  EXPECT_FALSE(without.win5Shown);
  // 3000 yen bought, 1000 refunded, 25000 returned.
  const MeetingView v = formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), sel.day.meeting,
                                                  dayBets(sel.day, {}), BetFigures{3000, 1000, 25000, true});
  ASSERT_TRUE(v.win5Shown);
  EXPECT_EQ(v.win5.raceName, "WIN5");
  EXPECT_EQ(v.win5.kou, "      2000円   1250.0％     25000円");
  EXPECT_EQ(v.win5.shu, "23000円 ");
  EXPECT_TRUE(v.win5.plus);
  EXPECT_TRUE(v.win5.hit);
  for (int r = 0; r < kRacesPerDay; ++r) EXPECT_EQ(v.rows[r].kou, without.rows[r].kou) << r;
  // The record's 2500 yen and 4200 returned, with the WIN5's 2000 and 25000.
  EXPECT_EQ(without.kou13, "      2500円    168.0％      4200円");
  EXPECT_EQ(v.kou13, "      4500円    648.9％     29200円");
  EXPECT_EQ(v.shu13, "     24700円 ");
  // A WIN5 with nothing bought: its line shows 0 yen, the totals stay the record's.
  const MeetingView none = formatMeetingViewAllTypes(sel.course, sel.count(), sel.shown(), sel.day.meeting,
                                                     dayBets(sel.day, {}), BetFigures{});
  ASSERT_TRUE(none.win5Shown);
  EXPECT_EQ(none.win5.kou, "         0円");
  EXPECT_EQ(none.win5.shu, "  ");
  expectSameView(none, without);
}

TEST(MeetingViewAllTypes, ReadsTheWin5OfTheDate) {
  const MainSelection sel = dayWithRaces();  // 12-03, course 4
  TempDir dir;
  BetStore store(dir.path());
  Win5Store win5(store);
  StoredWin5Line line;
  for (auto& leg : line.legs) leg = {1, 2};  // 32 points of 100 yen
  line.stake = 1;
  line.points = 32;
  // The WIN5 of the day before is not the day's.
  ASSERT_TRUE(win5.setLegs({2001, 12, 2}, {{{4, 10}, {7, 10}, {4, 11}, {7, 11}, {4, 12}}}));
  ASSERT_TRUE(win5.addLine({2001, 12, 2}, line));
  auto v = formatMeetingViewAllTypes(sel, "2001", store);
  ASSERT_TRUE(v);
  EXPECT_FALSE(v->win5Shown);
  ASSERT_TRUE(win5.setLegs({2001, 12, 3}, {{{7, 10}, {7, 11}, {8, 10}, {8, 11}, {8, 12}}}));
  ASSERT_TRUE(win5.addLine({2001, 12, 3}, line));
  v = formatMeetingViewAllTypes(sel, "2001", store);
  ASSERT_TRUE(v);
  // Shown at course 4 although no leg is there: the WIN5 belongs to the day.
  ASSERT_TRUE(v->win5Shown);
  EXPECT_EQ(v->win5.kou, "      3200円      0.0％         0円");
  EXPECT_EQ(v->kou13, "      5700円     73.7％      4200円");
}

}  // namespace
