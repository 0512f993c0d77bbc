#include "adapters/qt/chart/BalanceChartPanel.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLegend>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "features/export/rate_charts.hpp"

namespace tovra {

namespace {

QChartView* makeView(QWidget* parent, const char* name) {
  auto* v = new QChartView(parent);
  v->setObjectName(name);
  v->setRenderHint(QPainter::Antialiasing);
  v->setMinimumHeight(120);
  return v;
}

std::int64_t highestMonth(const exports::BalanceSeries& s) {
  std::int64_t top = 0;
  for (const auto& m : s.months) top = std::max({top, m.purchase, m.ret});
  return top;
}

}  // namespace

BalanceChartPanel::BalanceChartPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("BalancePanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  lineView_ = makeView(this, "BalanceView");
  barView_ = makeView(this, "MonthView");
  layout->addWidget(lineView_, 2);
  layout->addWidget(barView_, 1);
}

void BalanceChartPanel::setSeries(const exports::BalanceSeries& s, const ChartStyle& style) {
  series_ = s;
  style_ = style;
  build();
}

int BalanceChartPanel::dayNear(double x) const {
  const auto& days = series_.days;
  if (days.empty()) return -1;
  auto it =
      std::lower_bound(days.begin(), days.end(), x, [](const exports::BalanceDay& d, double v) { return d.x < v; });
  if (it == days.end()) return static_cast<int>(days.size()) - 1;
  if (it != days.begin() && x - std::prev(it)->x < it->x - x) --it;
  return static_cast<int>(it - days.begin());
}

void BalanceChartPanel::hintDay(int i) {
  if (i < 0 || i >= static_cast<int>(series_.days.size())) return;
  const QString text = QString::fromStdString(exports::dayHint(series_.days[static_cast<std::size_t>(i)]));
  QToolTip::showText(QCursor::pos(), text, this);
  emit hinted(text);
}

void BalanceChartPanel::hintMonth(int i) {
  if (i < 0 || i >= series_.monthCount()) return;
  const QString text = QString::fromStdString(exports::monthHint(series_.months[static_cast<std::size_t>(i)]));
  QToolTip::showText(QCursor::pos(), text, this);
  emit hinted(text);
}

void BalanceChartPanel::build() {
  const exports::BalanceSeries& s = series_;
  const int months = std::max(s.monthCount(), 1);
  const QString range = QString::fromStdString(exports::rangeText(s.range));

  // --- the running balance ---
  lineChart_ = new QChart;
  auto* line = new QLineSeries;
  line->setObjectName("BalanceLine");
  auto* zero = new QLineSeries;
  auto* above = new QLineSeries;
  auto* below = new QLineSeries;
  std::int64_t low = 0, high = 0;
  QList<QPointF> points, zeros, ups, downs;
  // The bars' month k spans [k - 0.5, k + 0.5]: the line moves half a month to the left.
  for (const exports::LinePoint& p : exports::balanceLine(s)) {
    const double x = p.x - 0.5;
    points << QPointF(x, p.y);
    zeros << QPointF(x, 0);
    ups << QPointF(x, std::max(p.y, 0.0));
    downs << QPointF(x, std::min(p.y, 0.0));
    low = std::min(low, static_cast<std::int64_t>(p.y));
    high = std::max(high, static_cast<std::int64_t>(p.y));
  }
  line->replace(points);
  zero->replace(zeros);
  above->replace(ups);
  below->replace(downs);
  auto* plusArea = new QAreaSeries(above, zero);
  auto* minusArea = new QAreaSeries(zero, below);
  // An area series does not own its boundary lines.
  above->setParent(plusArea);
  below->setParent(minusArea);
  zero->setParent(lineChart_);
  QColor plusFill = style_.plus;
  plusFill.setAlpha(90);
  plusArea->setBrush(plusFill);
  plusArea->setPen(Qt::NoPen);
  minusArea->setBrush(QColor(0, 0, 0, 45));
  minusArea->setPen(Qt::NoPen);
  line->setPen(QPen(style_.plain, 1.5));
  lineChart_->addSeries(plusArea);
  lineChart_->addSeries(minusArea);
  lineChart_->addSeries(line);
  auto* x1 = timeAxis(s.firstYear, s.lastYear, months);
  auto* y1 = yenAxisOf(exports::yenAxis(low, high));
  lineChart_->addAxis(x1, Qt::AlignBottom);
  lineChart_->addAxis(y1, Qt::AlignLeft);
  for (QAbstractSeries* series : lineChart_->series()) {
    series->attachAxis(x1);
    series->attachAxis(y1);
  }
  lineChart_->legend()->hide();
  QString title = "累計収支  " + range;
  if (s.days.empty())
    title += "  (ﾃﾞｰﾀなし)";
  else
    title += "  " + QString::fromStdString(exports::yenGrouped(s.days.back().cumulative));
  styleChart(lineChart_, style_, title);
  auto hoverLine = [this](const QPointF& p, bool state) {
    if (state) hintDay(dayNear(p.x() + 0.5));
  };
  connect(line, &QLineSeries::hovered, this, hoverLine);
  connect(plusArea, &QAreaSeries::hovered, this, hoverLine);
  connect(minusArea, &QAreaSeries::hovered, this, hoverLine);

  // --- the months beneath ---
  barChart_ = new QChart;
  auto* bars = new QBarSeries;
  bars->setObjectName("MonthBars");
  auto* purchase = new QBarSet("馬券購入額");
  auto* ret = new QBarSet("回収金額");
  for (const auto& m : s.months) {
    *purchase << static_cast<double>(m.purchase);
    *ret << static_cast<double>(m.ret);
  }
  purchase->setColor(style_.plain);
  purchase->setBorderColor(style_.plain);
  ret->setColor(style_.plus);
  ret->setBorderColor(style_.plus);
  bars->append(purchase);
  bars->append(ret);
  bars->setBarWidth(0.9);
  barChart_->addSeries(bars);
  auto* x2 = timeAxis(s.firstYear, s.lastYear, months);
  auto* y2 = yenAxisOf(exports::yenAxis(0, highestMonth(s), 4));
  barChart_->addAxis(x2, Qt::AlignBottom);
  barChart_->addAxis(y2, Qt::AlignLeft);
  bars->attachAxis(x2);
  bars->attachAxis(y2);
  barChart_->legend()->setAlignment(Qt::AlignTop);
  styleChart(barChart_, style_, QString());
  connect(bars, &QBarSeries::hovered, this, [this](bool state, int index, QBarSet*) {
    if (state) hintMonth(index);
  });

  extraLeft_[0] = extraLeft_[1] = 0;
  for (QChart* c : {lineChart_, barChart_})
    connect(c, &QChart::plotAreaChanged, this, &BalanceChartPanel::alignPlotAreas);
  QChart* oldLine = lineView_->chart();
  QChart* oldBar = barView_->chart();
  lineView_->setChart(lineChart_);
  barView_->setChart(barChart_);
  delete oldLine;  // a view does not delete the chart it gives up
  delete oldBar;
}

// The plot areas start at the same x: the chart whose axis labels are narrower gets the
// difference as extra left margin.
void BalanceChartPanel::alignPlotAreas() {
  if (aligning_ || !lineChart_ || !barChart_) return;
  aligning_ = true;
  QChart* charts[2] = {lineChart_, barChart_};
  double natural[2];
  for (int i = 0; i < 2; ++i) natural[i] = charts[i]->plotArea().left() - extraLeft_[i];
  const double target = std::max(natural[0], natural[1]);
  for (int i = 0; i < 2; ++i) {
    const int extra = static_cast<int>(target - natural[i] + 0.5);
    if (extra == extraLeft_[i]) continue;
    QMargins m = charts[i]->margins();
    m.setLeft(m.left() - extraLeft_[i] + extra);
    extraLeft_[i] = extra;
    charts[i]->setMargins(m);
  }
  aligning_ = false;
}

}  // namespace tovra
