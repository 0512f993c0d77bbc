#include <gtest/gtest.h>

#include "entry/settlement.hpp"
#include "ledger/datastore.hpp"
#include "ledger/text.hpp"
#include "mainwindow/meeting_view.hpp"

using namespace tovra;

namespace {
DataStore withMeeting() {
  DataStore ds;
  ds.year = "2001";
  ds.course = 4;
  ds.meetingCount[4] = 3;
  ds.shownMeeting[4] = 1;
  ds.kaisai.tsukiHi = 1203;
  ds.kaisai.kaiNichi = 308;
  return ds;
}
}  // namespace

TEST(MeetingView, HitRaceWithPurchase) {
  DataStore ds = withMeeting();
  setFixedText(ds.kaisai.raceMei[0], sj("有馬記念"));
  ds.races[0].tanUma[0] = 5;
  ds.races[0].tanGaku[0] = 1000;
  ds.races[0].tanKeka[0] = 5;
  ds.races[0].tanHaitou[0] = 320;
  settleRace(ds.kaisai, ds.races, 0);
  MeetingView v = formatMeetingView(ds);
  EXPECT_EQ(v.statusText, "東京競馬場開催ﾃﾞｰﾀ");
  EXPECT_EQ(v.jyoLabel, "東京競馬場");
  EXPECT_EQ(v.kaisaiPanel, " 12月 3日 3回 8日目  ");
  EXPECT_TRUE(v.hasMeeting);
  EXPECT_EQ(v.scrollMax, 2);
  EXPECT_EQ(v.scrollPos, 1);
  EXPECT_EQ(v.rows[0].raceName, "有馬記念");
  EXPECT_EQ(v.rows[0].kou, "      1000円    320.0％      3200円");
  EXPECT_EQ(v.rows[0].shu, "2200円 ");
  EXPECT_TRUE(v.rows[0].plus);
  EXPECT_TRUE(v.rows[0].hit);
  EXPECT_EQ(v.kou13, "      1000円    320.0％      3200円");
  EXPECT_EQ(v.shu13, "      2200円 ");
  EXPECT_TRUE(v.plus13);
}

TEST(MeetingView, StatesOneAndZero) {
  DataStore ds = withMeeting();
  setFixedText(ds.kaisai.raceMei[1], sj("名前あり"));
  ds.kaisai.raceJoutai[1] = 0;  // a name without data is not shown
  ds.kaisai.raceJoutai[2] = 1;  // comment only
  MeetingView v = formatMeetingView(ds);
  EXPECT_EQ(v.rows[1].raceName, "  ");
  EXPECT_EQ(v.rows[1].kou, "  ");
  EXPECT_EQ(v.rows[1].shu, "  ");
  EXPECT_EQ(v.rows[2].raceName, "");
  EXPECT_EQ(v.rows[2].kou, "         0円");
  EXPECT_EQ(v.rows[2].shu, "  ");
  EXPECT_FALSE(v.rows[2].hit);
  EXPECT_EQ(v.kou13, "  ");
  EXPECT_EQ(v.shu13, "  ");
}

TEST(MeetingView, PlusColourFromOneYen) {
  DataStore ds = withMeeting();
  for (int r = 0; r < 3; ++r) {
    ds.kaisai.raceJoutai[r] = 2;
    ds.kaisai.kounyuGaku[r] = 100;
  }
  ds.kaisai.shushi[0] = -1;
  ds.kaisai.shushi[1] = 0;
  ds.kaisai.shushi[2] = 1;
  ds.kaisai.kounyuGaku[12] = 300;
  ds.kaisai.shushi[12] = 0;
  MeetingView v = formatMeetingView(ds);
  EXPECT_FALSE(v.rows[0].plus);
  EXPECT_EQ(v.rows[0].shu, "-1円 ");
  EXPECT_FALSE(v.rows[1].plus);
  EXPECT_TRUE(v.rows[2].plus);
  EXPECT_FALSE(v.plus13);
  // The totals row's return is the sum of the races' returns; its rate uses the day totals.
  EXPECT_EQ(v.kou13, "       300円    100.0％       300円");
}

TEST(MeetingView, CourseWithoutMeetings) {
  DataStore ds;
  ds.year = "2001";
  ds.course = 0;
  MeetingView v = formatMeetingView(ds);
  EXPECT_FALSE(v.hasMeeting);
  EXPECT_EQ(v.kaisaiPanel, " ------------------");
  EXPECT_EQ(v.scrollMax, 0);
  EXPECT_EQ(v.statusText, "札幌競馬場開催ﾃﾞｰﾀ");
}
