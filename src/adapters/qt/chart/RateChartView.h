#pragma once
// A chart of 回収率 and 的中率 as pairs of bars, one pair per course, bet type or month,
// with break-even (100％) as a dashed line. Hovering a bar shows its group's figures.
#include <QChartView>

#include "adapters/qt/chart/ChartStyle.h"
#include "features/export/rate_charts.hpp"

namespace tovra {

class RateChartView : public QChartView {
  Q_OBJECT
 public:
  explicit RateChartView(QWidget* parent = nullptr);
  void setRates(const exports::RateChart& c, const ChartStyle& style);
  const exports::RateChart& rates() const { return rates_; }
  // What hovering group i shows.
  void hintBar(int i);

 signals:
  void hinted(const QString& text);

 private:
  exports::RateChart rates_;
};

}  // namespace tovra
