#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/entry/meeting_series.hpp"

using tovra::MeetingDate;
using tovra::seriesDates;

namespace {

// "3/30 3/31 4/6" with the 日目 checked to run up to 8.
std::string listed(const std::vector<MeetingDate>& days) {
  std::string s;
  for (std::size_t i = 0; i < days.size(); ++i) {
    if (i) s += ' ';
    s += std::to_string(days[i].month) + "/" + std::to_string(days[i].day);
    EXPECT_EQ(days[i].nichi, days[0].nichi + static_cast<int>(i));
    EXPECT_EQ(days[i].kai, days[0].kai);
  }
  if (!days.empty()) {
    EXPECT_EQ(days.back().nichi, 8);
  }
  return s;
}

}  // namespace

TEST(MeetingSeries, WorkedExamples) {
  EXPECT_EQ(listed(seriesDates({3, 30, 1, 1})), "3/30 3/31 4/6 4/7 4/13 4/14 4/20 4/21");
  EXPECT_EQ(listed(seriesDates({1, 31, 1, 2})), "1/31 2/6 2/7 2/13 2/14 2/20 2/21");
  // February always counts 28 days: 2月29日 is 3月1日 whatever the year.
  EXPECT_EQ(listed(seriesDates({2, 22, 1, 1})), "2/22 2/23 3/1 3/2 3/8 3/9 3/15 3/16");
}

TEST(MeetingSeries, DecemberRollsToJanuaryAndKaiIsKept) {
  auto days = seriesDates({12, 28, 5, 1});
  EXPECT_EQ(listed(days), "12/28 12/29 1/4 1/5 1/11 1/12 1/18 1/19");
  for (const auto& d : days) EXPECT_EQ(d.kaiNichi(), 500 + d.nichi);
}

TEST(MeetingSeries, LengthFollowsTheStartingDay) {
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(seriesDates({6, 1, 3, n}).size(), static_cast<std::size_t>(9 - n)) << n;
  EXPECT_EQ(listed(seriesDates({6, 1, 3, 8})), "6/1");
  EXPECT_EQ(listed(seriesDates({6, 6, 3, 7})), "6/6 6/7");
  EXPECT_TRUE(seriesDates({6, 1, 3, 0}).empty());
  EXPECT_TRUE(seriesDates({6, 1, 3, 9}).empty());
}

TEST(MeetingSeries, MonthLengths) {
  // 30-day months.
  EXPECT_EQ(listed(seriesDates({4, 29, 1, 2})), "4/29 5/5 5/6 5/12 5/13 5/19 5/20");
  EXPECT_EQ(listed(seriesDates({11, 30, 1, 3})), "11/30 12/1 12/7 12/8 12/14 12/15");
  // 31-day months, including August into September.
  EXPECT_EQ(listed(seriesDates({8, 31, 1, 5})), "8/31 9/1 9/7 9/8");
  // The first day is taken as entered, even when no such day exists.
  EXPECT_EQ(listed(seriesDates({4, 31, 1, 7})), "4/31 5/2");
  EXPECT_EQ(listed(seriesDates({2, 30, 1, 7})), "2/30 3/3");
  // January into February.
  EXPECT_EQ(listed(seriesDates({1, 31, 1, 1})), "1/31 2/1 2/7 2/8 2/14 2/15 2/21 2/22");
}

TEST(MeetingSeries, PackedCodes) {
  MeetingDate d{12, 3, 3, 8};
  EXPECT_EQ(d.tsukiHi(), 1203);
  EXPECT_EQ(d.kaiNichi(), 308);
}
