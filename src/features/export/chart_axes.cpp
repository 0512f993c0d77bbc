#include "features/export/chart_axes.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tovra::exports {

std::vector<TimeLabel> timeLabels(int firstYear, int lastYear, int maxLabels) {
  std::vector<TimeLabel> out;
  if (lastYear < firstYear) return out;
  if (firstYear == lastYear) {
    for (int m = 0; m < 12; ++m) out.push_back({double(m), double(m + 1), std::to_string(m + 1) + "月"});
    return out;
  }
  const int years = lastYear - firstYear + 1;
  const int step = (years + std::max(maxLabels, 1) - 1) / std::max(maxLabels, 1);
  for (int y = firstYear; y <= lastYear; y += step) {
    const int to = std::min(y + step, lastYear + 1);
    out.push_back({double((y - firstYear) * 12), double((to - firstYear) * 12), std::to_string(y) + "年"});
  }
  return out;
}

std::string yenGrouped(std::int64_t yen) {
  const bool negative = yen < 0;
  // The magnitude as unsigned, so that the most negative value has one too.
  std::uint64_t v = negative ? 0 - static_cast<std::uint64_t>(yen) : static_cast<std::uint64_t>(yen);
  std::string digits = std::to_string(v), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (negative ? "-" : "") + out + "円";
}

namespace {

// The smallest of 1, 2, 5 times a power of ten that is at least `raw`.
std::int64_t niceStep(double raw) {
  std::int64_t power = 1;
  while (true) {
    for (int f : {1, 2, 5})
      if (static_cast<double>(f * power) >= raw) return f * power;
    if (power > INT64_MAX / 100) return power * 10;
    power *= 10;
  }
}

std::int64_t floorTo(std::int64_t v, std::int64_t step) {
  std::int64_t q = v / step;
  if (v % step != 0 && v < 0) --q;
  return q * step;
}

}  // namespace

YenAxis yenAxis(std::int64_t low, std::int64_t high, int maxTicks) {
  YenAxis a;
  low = std::min<std::int64_t>(low, 0);
  high = std::max<std::int64_t>(high, 0);
  if (low == high) high = low + 1000;  // nothing to show: a small axis above 0
  const int intervals = std::max(maxTicks - 1, 1);
  a.step = niceStep(static_cast<double>(high - low) / intervals);
  a.min = floorTo(low, a.step);
  a.max = -floorTo(-high, a.step);
  // Rounding both ends out may need one step more than asked: a wider step then.
  while ((a.max - a.min) / a.step > intervals) {
    a.step = niceStep(static_cast<double>(a.step) * 1.5);
    a.min = floorTo(low, a.step);
    a.max = -floorTo(-high, a.step);
  }
  for (std::int64_t t = a.min; t <= a.max; t += a.step) {
    a.ticks.push_back(t);
    a.labels.push_back(yenGrouped(t));
  }
  return a;
}

RateAxis rateAxis(const std::vector<tally::TallyFigures>& bars, int maxIntervals) {
  double top = 100.0;
  for (const auto& f : bars) {
    top = std::max(top, f.recovery.value_or(0.0));
    top = std::max(top, f.hitRate.value_or(0.0));
  }
  maxIntervals = std::max(maxIntervals, 3);
  RateAxis a;
  // Steps of 50 percent at least; a single big hit (1,000 percent and more) widens them,
  // so that the labels never crowd into one another.
  a.step = static_cast<double>(std::max<std::int64_t>(50, niceStep(top / maxIntervals)));
  // The top strictly above every bar (and above 100).
  auto topFor = [top](double step) { return std::ceil(top / step + 1e-9) * step; };
  a.max = topFor(a.step);
  while (a.max / a.step > maxIntervals + 1e-9) {
    a.step = static_cast<double>(niceStep(a.step * 1.5));
    a.max = topFor(a.step);
  }
  return a;
}

std::string percentText(std::optional<double> rate) {
  if (!rate) return "-";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f％", *rate);
  return buf;
}

std::string dayHint(const BalanceDay& d) {
  return std::to_string(d.year) + "年" + std::to_string(d.month) + "月" + std::to_string(d.day) + "日 (" +
         std::to_string(d.meetings) + "開催)\n購入 " + yenGrouped(d.purchase) + "  回収 " + yenGrouped(d.ret) +
         "\n収支 " + yenGrouped(d.balance) + "\n累計収支 " + yenGrouped(d.cumulative);
}

std::string monthHint(const BalanceMonth& m) {
  return std::to_string(m.year) + "年" + std::to_string(m.month) + "月\n購入 " + yenGrouped(m.purchase) + "  回収 " +
         yenGrouped(m.ret) + "\n収支 " + yenGrouped(m.ret - m.purchase);
}

std::string rateHint(const tally::TallyFigures& f) {
  return f.label + "\n回収率 " + percentText(f.recovery) + "  的中率 " + percentText(f.hitRate) + "\n購入 " +
         yenGrouped(f.purchase) + "  回収 " + yenGrouped(f.ret()) + "\n収支 " + yenGrouped(f.balance);
}

std::string rateHint(const tally::TallyFigures& f, std::int64_t refunded) {
  std::string s = f.label;
  s += "\n回収率 ";
  s += percentText(f.recovery);
  s += "  的中率 ";
  s += percentText(f.hitRate);
  s += "\n購入 ";
  s += yenGrouped(f.purchase);
  s += "  返還 ";
  s += yenGrouped(refunded);
  s += "  回収 ";
  s += yenGrouped(f.ret());
  s += "\n収支 ";
  s += yenGrouped(f.balance);
  return s;
}

}  // namespace tovra::exports
