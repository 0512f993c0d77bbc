#pragma once
// The balance chart (累計収支): the running balance day by day as a line, the area above 0
// in the positive-balance colour and below 0 in grey, and beneath it the purchase and
// return of every month as bars on the same time axis. The two plot areas are kept the
// same width, so that a month's bars stand under its days. Hovering a day or a bar shows
// its figures (hinted, and as a tooltip).
#include <QWidget>

#include "adapters/qt/chart/ChartStyle.h"
#include "features/export/balance_series.hpp"

class QChart;
class QChartView;
class QLineSeries;
class QBarSet;

namespace tovra {

class BalanceChartPanel : public QWidget {
  Q_OBJECT
 public:
  explicit BalanceChartPanel(QWidget* parent = nullptr);

  void setSeries(const exports::BalanceSeries& s, const ChartStyle& style);
  const exports::BalanceSeries& series() const { return series_; }
  QChart* lineChart() const { return lineChart_; }
  QChart* barChart() const { return barChart_; }

  // The day nearest to a place on the time axis (in the line's coordinates); -1 without days.
  int dayNear(double x) const;
  // What hovering day i or month i shows.
  void hintDay(int i);
  void hintMonth(int i);

 signals:
  void hinted(const QString& text);

 private:
  void build();
  void alignPlotAreas();
  exports::BalanceSeries series_;
  ChartStyle style_;
  QChartView* lineView_ = nullptr;
  QChartView* barView_ = nullptr;
  QChart* lineChart_ = nullptr;
  QChart* barChart_ = nullptr;
  int extraLeft_[2] = {0, 0};  // margins added to line up the plot areas
  bool aligning_ = false;
};

}  // namespace tovra
