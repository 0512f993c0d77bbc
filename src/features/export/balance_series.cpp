#include "features/export/balance_series.hpp"

#include <algorithm>
#include <map>
#include <utility>

#include "storage/datastore.hpp"

namespace tovra::exports {

using tally::ShushiCounter;
using tally::ShushiResult;

int daysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

double monthAxisPosition(int firstYear, int year, int month, int day) {
  const int dim = daysInMonth(year, month);
  const int d = std::clamp(day, 1, dim);
  return (year - firstYear) * 12 + (month - 1) + (d - 0.5) / dim;
}

std::vector<LinePoint> balanceLine(const BalanceSeries& s) {
  std::vector<LinePoint> line;
  if (s.days.empty()) return line;
  line.push_back({0.0, 0.0});
  for (const BalanceDay& d : s.days) {
    const LinePoint next{d.x, static_cast<double>(d.cumulative)};
    const LinePoint& prev = line.back();
    if ((prev.y < 0 && next.y > 0) || (prev.y > 0 && next.y < 0)) {
      const double t = prev.y / (prev.y - next.y);
      line.push_back({prev.x + t * (next.x - prev.x), 0.0});
    }
    line.push_back(next);
  }
  return line;
}

BalanceSeries balanceSeries(DataStore& ds, UserPort& port, const tally::TallyRange& range) {
  BalanceSeries s;
  s.range = range;
  const std::vector<int> years = tally::rangeYears(ds.nenji, range);
  if (years.empty()) return s;
  s.firstYear = *std::min_element(years.begin(), years.end());
  s.lastYear = *std::max_element(years.begin(), years.end());

  // The tally of the range, and one per year for its months.
  ShushiCounter whole = range.allYears
                            ? ShushiCounter(tally::kShushiAllByMonth, 0)
                            : ShushiCounter(tally::kShushiYearByMonth, tally::yearPosition(ds.nenji, range.year));
  std::map<int, ShushiCounter> perYear;
  for (int y : years) perYear.emplace(y, ShushiCounter(tally::kShushiYearByMonth, tally::yearPosition(ds.nenji, y)));
  std::map<std::pair<int, int>, BalanceDay> days;  // (year, month * 100 + day)

  tally::scanLedger(ds, port, years, {"ｸﾞﾗﾌ作成中 !!!\n\nしばらくお待ち下さい。", false}, [&](const tally::ScanDay& d) {
    whole.addDay(d.course, d.kaisai);
    perYear.at(d.year).addDay(d.course, d.kaisai);
    const int month = d.kaisai.tsukiHi / 100;
    if (month < 1 || month > 12) return;  // the tally counts it nowhere
    const tally::ShushiDay figures = tally::shushiDay(d.kaisai);
    BalanceDay& day = days[{d.year, d.kaisai.tsukiHi}];
    day.year = d.year;
    day.month = month;
    day.day = d.kaisai.tsukiHi % 100;
    ++day.meetings;
    day.purchase += figures.purchase;
    day.balance += figures.balance;
  });

  s.byMonth = whole.finish();
  for (int y = s.firstYear; y <= s.lastYear; ++y) {
    auto it = perYear.find(y);
    const ShushiResult r = it != perYear.end() ? it->second.finish() : ShushiResult{};
    for (int m = 0; m < 12; ++m) {
      const int i = ShushiResult::cell(m, ShushiResult::kSumCol);
      s.months.push_back({y, m + 1, r.kounyu[i], static_cast<std::int64_t>(r.kounyu[i]) + r.shushi[i]});
    }
  }
  std::int64_t running = 0;
  for (auto& [key, day] : days) {
    day.ret = day.purchase + day.balance;
    running += day.balance;
    day.cumulative = running;
    day.x = monthAxisPosition(s.firstYear, day.year, day.month, day.day);
    s.days.push_back(day);
  }
  return s;
}

}  // namespace tovra::exports
