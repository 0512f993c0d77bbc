#include <gtest/gtest.h>

#include "domain/settlement.hpp"
#include "features/main/main_selection.hpp"
#include "features/main/meeting_view.hpp"
#include "storage/text.hpp"

using namespace tovra;

namespace {
MainSelection withMeeting() {
  MainSelection sel;
  sel.course = 4;
  sel.meetingCount[4] = 3;
  sel.shownMeeting[4] = 1;
  sel.day.meeting.tsukiHi = 1203;
  sel.day.meeting.kaiNichi = 308;
  return sel;
}
}  // namespace

TEST(MeetingView, HitRaceWithPurchase) {
  MainSelection ds = withMeeting();
  setFixedText(ds.day.meeting.raceMei[0], sj("有馬記念"));
  ds.day.races[0].tanUma[0] = 5;
  ds.day.races[0].tanGaku[0] = 1000;
  ds.day.races[0].tanKeka[0] = 5;
  ds.day.races[0].tanHaitou[0] = 320;
  settleRace(ds.day.meeting, ds.day.races, 0);
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
  MainSelection ds = withMeeting();
  setFixedText(ds.day.meeting.raceMei[1], sj("名前あり"));
  ds.day.meeting.raceJoutai[1] = 0;  // a name without data is not shown
  ds.day.meeting.raceJoutai[2] = 1;  // comment only
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
  MainSelection ds = withMeeting();
  for (int r = 0; r < 3; ++r) {
    ds.day.meeting.raceJoutai[r] = 2;
    ds.day.meeting.kounyuGaku[r] = 100;
  }
  ds.day.meeting.shushi[0] = -1;
  ds.day.meeting.shushi[1] = 0;
  ds.day.meeting.shushi[2] = 1;
  ds.day.meeting.kounyuGaku[12] = 300;
  ds.day.meeting.shushi[12] = 0;
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
  MainSelection ds;
  ds.course = 0;
  MeetingView v = formatMeetingView(ds);
  EXPECT_FALSE(v.hasMeeting);
  EXPECT_EQ(v.kaisaiPanel, " ------------------");
  EXPECT_EQ(v.scrollMax, 0);
  EXPECT_EQ(v.statusText, "札幌競馬場開催ﾃﾞｰﾀ");
}
