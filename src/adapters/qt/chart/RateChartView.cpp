#include "adapters/qt/chart/RateChartView.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>

namespace tovra {

RateChartView::RateChartView(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
  setMinimumSize(320, 240);
}

void RateChartView::hintBar(int i) {
  if (i < 0 || i >= static_cast<int>(rates_.bars.size())) return;
  const std::size_t at = static_cast<std::size_t>(i);
  const QString text = QString::fromStdString(at < rates_.refunded.size()
                                                  ? exports::rateHint(rates_.bars[at], rates_.refunded[at])
                                                  : exports::rateHint(rates_.bars[at]));
  QToolTip::showText(QCursor::pos(), text, this);
  emit hinted(text);
}

void RateChartView::setRates(const exports::RateChart& c, const ChartStyle& style) {
  rates_ = c;
  auto* chart = new QChart;
  auto* series = new QBarSeries;
  series->setObjectName("RateBars");
  auto* recovery = new QBarSet("回収率");
  auto* hit = new QBarSet("的中率");
  QStringList labels;
  for (const tally::TallyFigures& f : c.bars) {
    *recovery << f.recovery.value_or(0.0);
    *hit << f.hitRate.value_or(0.0);
    labels << QString::fromStdString(f.label);
  }
  recovery->setColor(style.plus);
  recovery->setBorderColor(style.plus);
  hit->setColor(style.hit);
  hit->setBorderColor(style.hit);
  series->append(recovery);
  series->append(hit);
  series->setBarWidth(0.8);
  chart->addSeries(series);

  // Break-even.
  auto* even = new QLineSeries;
  even->setName("100％");
  even->append(-0.5, 100.0);
  even->append(static_cast<double>(c.bars.size()) - 0.5, 100.0);
  QPen pen(style.plain, 1.2, Qt::DashLine);
  even->setPen(pen);
  chart->addSeries(even);

  auto* x = new QBarCategoryAxis;
  x->append(labels);
  auto* y = new QValueAxis;
  const exports::RateAxis axis = exports::rateAxis(c.bars);
  y->setRange(0.0, axis.max);
  y->setTickCount(axis.ticks());
  y->setLabelFormat("%.0f%%");
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries* s : chart->series()) {
    s->attachAxis(x);
    s->attachAxis(y);
  }
  chart->legend()->setAlignment(Qt::AlignTop);
  styleChart(chart, style, QString::fromStdString(c.title));
  connect(series, &QBarSeries::hovered, this, [this](bool state, int index, QBarSet*) {
    if (state) hintBar(index);
  });
  QChart* old = this->chart();
  setChart(chart);
  delete old;
}

}  // namespace tovra
