#pragma once
// Axes and hover texts of the charts, decided here so that the window and the PNG files
// of tovra-cli label alike: the time axis in months or years, the money axis in yen with
// thousands separators, and what hovering a point or a bar shows.
#include <cstdint>
#include <string>
#include <vector>

#include "features/export/balance_series.hpp"
#include "features/tally/tally_figures.hpp"

namespace tovra::exports {

// A labelled stretch of the time axis, [from, to) in months of the axis.
struct TimeLabel {
  double from = 0, to = 0;
  std::string label;  // "6月" or "2001年"
};
// One year: its twelve months. Several years: each year (or every second, third, ...
// year, so that at most maxLabels labels stand side by side).
std::vector<TimeLabel> timeLabels(int firstYear, int lastYear, int maxLabels = 12);

// The money axis: from min to max in steps of 1, 2 or 5 times a power of ten, each tick
// labelled "1,000,000円". The range always holds 0 and the values given.
struct YenAxis {
  std::int64_t min = 0, max = 0, step = 1;
  std::vector<std::int64_t> ticks;  // min, min + step, ..., max
  std::vector<std::string> labels;
};
YenAxis yenAxis(std::int64_t low, std::int64_t high, int maxTicks = 8);

// The rate axis: 0 to the next step above the highest rate and above 100 (break-even
// stays in sight, below the top), in steps of 50 percent, or of 1, 2 or 5 times a power
// of ten when 50 would make more than maxIntervals of them.
struct RateAxis {
  double max = 0, step = 50;
  int ticks() const { return static_cast<int>(max / step + 0.5) + 1; }
};
RateAxis rateAxis(const std::vector<tally::TallyFigures>& bars, int maxIntervals = 10);

// "1,234,567円", "-5,000円".
std::string yenGrouped(std::int64_t yen);
// "85.3％", or "-" for none.
std::string percentText(std::optional<double> rate);

// What hovering shows, one line per figure.
std::string dayHint(const BalanceDay& d);
std::string monthHint(const BalanceMonth& m);
std::string rateHint(const tally::TallyFigures& f);
// The same with what was refunded beside the purchase: "購入 X円  返還 Y円  回収 Z円".
std::string rateHint(const tally::TallyFigures& f, std::int64_t refunded);

}  // namespace tovra::exports
