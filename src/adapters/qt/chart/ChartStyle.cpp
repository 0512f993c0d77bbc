#include "adapters/qt/chart/ChartStyle.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>

#include "storage/settings_record.hpp"

namespace tovra {

namespace {
QColor colourOf(std::int32_t v) { return QColor(colourRed(v), colourGreen(v), colourBlue(v)); }
}  // namespace

ChartStyle ChartStyle::fromSettings(const SettingsRecord& s) {
  ChartStyle c;
  c.background = colourOf(s.colours[kColTallyBack]);
  c.plus = colourOf(s.colours[kColPlus]);
  c.hit = colourOf(s.colours[kColRaceHitResult]);
  return c;
}

QFont chartFont(int pixelSize) {
  QFont f(QStringLiteral("IPAGothic"));
  f.setPixelSize(pixelSize);
  return f;
}

void styleChart(QChart* chart, const ChartStyle& style, const QString& title) {
  chart->setBackgroundBrush(style.background);
  chart->setBackgroundRoundness(0);
  chart->setPlotAreaBackgroundBrush(Qt::white);
  chart->setPlotAreaBackgroundVisible(true);
  chart->setTitleFont(chartFont(14));
  chart->setTitleBrush(QColor(style.background.lightness() < 100 ? Qt::white : Qt::black));
  chart->setTitle(title);
  chart->legend()->setFont(chartFont(12));
  chart->legend()->setLabelColor(style.background.lightness() < 100 ? Qt::white : Qt::black);
  chart->setAnimationOptions(QChart::NoAnimation);
  for (QAbstractAxis* axis : chart->axes()) {
    axis->setLabelsFont(chartFont(11));
    axis->setLabelsColor(style.background.lightness() < 100 ? Qt::white : Qt::black);
  }
}

QCategoryAxis* timeAxis(int firstYear, int lastYear, int months) {
  auto* axis = new QCategoryAxis;
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  axis->setStartValue(-0.5);
  axis->setRange(-0.5, months - 0.5);
  for (const exports::TimeLabel& l : exports::timeLabels(firstYear, lastYear))
    axis->append(QString::fromStdString(l.label), l.to - 0.5);
  axis->setGridLineVisible(true);
  return axis;
}

QCategoryAxis* yenAxisOf(const exports::YenAxis& a) {
  auto* axis = new QCategoryAxis;
  axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  // The lowest tick gets its label too: a category ends on it.
  axis->setStartValue(static_cast<double>(a.min) - 1e-6 * static_cast<double>(a.step));
  axis->setRange(static_cast<double>(a.min), static_cast<double>(a.max));
  for (std::size_t i = 0; i < a.ticks.size(); ++i)
    axis->append(QString::fromStdString(a.labels[i]), static_cast<double>(a.ticks[i]));
  return axis;
}

}  // namespace tovra
