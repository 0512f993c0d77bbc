#pragma once
// The figures of the balance chart (累計収支): the running balance day by day over a range
// of years, and the purchase and return of every month beneath it. One pass over the
// meeting files of the range (the race files are not read) feeds the income and expense
// tally's own counting: per year its 月別 result gives the month bars, and the range's
// 月別 result gives the rates per course and per month; the days take what that counting
// takes from each meeting day.
#include <cstdint>
#include <vector>

#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::exports {

// One calendar day with meetings (the meeting days of every course on that date).
struct BalanceDay {
  int year = 0, month = 0, day = 0;
  double x = 0;      // position on the time axis (see monthAxisPosition)
  int meetings = 0;  // meeting days on the date
  std::int64_t purchase = 0, ret = 0, balance = 0;
  std::int64_t cumulative = 0;  // the balance of every day up to this one
};

// One month of the axis, from the year's income and expense tally (月別, all courses).
struct BalanceMonth {
  int year = 0, month = 0;
  std::int64_t purchase = 0, ret = 0;
};

struct BalanceSeries {
  tally::TallyRange range;
  int firstYear = 0, lastYear = 0;   // the axis runs from January of the first to December of the last
  std::vector<BalanceDay> days;      // in calendar order
  std::vector<BalanceMonth> months;  // every month of the axis in order; months of years not registered are 0
  tally::ShushiResult byMonth;       // 収支集計 月別 over the range
  int monthCount() const { return static_cast<int>(months.size()); }
};

// Days of a month (February has 29 in leap years).
int daysInMonth(int year, int month);
// Where a day lies on the time axis: month k of the axis (0 = January of firstYear) spans
// [k, k + 1) and a day sits in the middle of its share of the month. A day number outside
// the month is taken as its first or last day.
double monthAxisPosition(int firstYear, int year, int month, int day);

// The running balance as a line: from 0 at the start of the axis through every day's
// running balance, with a point added wherever the line crosses 0 (so that the areas
// above and below 0 can be filled apart).
struct LinePoint {
  double x = 0, y = 0;
  bool operator==(const LinePoint&) const = default;
};
std::vector<LinePoint> balanceLine(const BalanceSeries& s);

// Scans the range (wait popup "ｸﾞﾗﾌ作成中 !!!", selection given back as every tally does).
// A meeting day counts where the income and expense tally counts it: a date whose month is
// not 1-12 (only in a damaged record) is left out, so the last running balance equals the
// tally's balance of the range.
BalanceSeries balanceSeries(DataStore& ds, UserPort& port, const tally::TallyRange& range);

}  // namespace tovra::exports
