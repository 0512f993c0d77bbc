#include "features/bets/win5_figures.hpp"

#include <algorithm>

#include "features/bets/win5_bets.hpp"

namespace tovra {

bool win5CountsFor(const std::vector<int>& courses) {
  if (courses.empty()) return true;
  for (int c = 0; c < kCourseCount; ++c)
    if (std::find(courses.begin(), courses.end(), c) == courses.end()) return false;
  return true;
}

Result<std::vector<Win5DayFigures>> win5DayFigures(BetStore& store, const Win5Range& range) {
  std::vector<Win5DayFigures> out;
  if (!win5CountsFor(range.courses)) return out;
  Win5Store win5(store);
  const Status scanned = win5.scan(range.years, [&](const Win5Date& date, const StoredWin5Day& day) {
    if (range.monthDay != 0 && date.month * 100 + date.day != range.monthDay) return;
    out.push_back({date, settleWin5Day(day).settlement.figures});
  });
  if (scanned.failed()) return scanned.failure();
  if (scanned.refused()) return scanned.refusal();
  std::sort(out.begin(), out.end(), [](const Win5DayFigures& a, const Win5DayFigures& b) { return a.date < b.date; });
  return out;
}

Result<BetFigures> win5RangeFigures(BetStore& store, const Win5Range& range) {
  auto days = win5DayFigures(store, range);
  if (days.failed()) return days.failure();
  if (days.refused()) return days.refusal();
  BetFigures sum;
  for (const Win5DayFigures& d : *days) sum += d.figures;
  return sum;
}

Result<BetFigures> win5FiguresOn(BetStore& store, const Win5Date& date) {
  Win5Store win5(store);
  auto day = win5.day(date);
  if (day.failed()) return day.failure();
  if (day.refused()) return day.refusal();
  if (!*day) return BetFigures{};
  return settleWin5Day(**day).settlement.figures;
}

}  // namespace tovra
