#pragma once
// How every chart looks, in the chart window and in the PNG files: the settings' colours
// (the tally windows' background, the positive-balance colour for what comes back, the
// hit colour for hit rates, black for what was spent), the Japanese font of the labels,
// and the axes built from the core's ticks.
#include <QColor>
#include <QFont>

#include "features/export/chart_axes.hpp"

class QCategoryAxis;
class QChart;

namespace tovra {

struct SettingsRecord;

struct ChartStyle {
  QColor background{128, 128, 128};  // colour 7, 各集計結果ｳｨﾝﾄﾞｳの背景
  QColor plus{0, 0, 255};            // colour 6: return, recovery rate, the balance above 0
  QColor hit{255, 0, 0};             // colour 5: hit rate
  QColor plain{0, 0, 0};             // purchase, the balance line

  static ChartStyle fromSettings(const SettingsRecord& s);
};

// The charts' font: IPAGothic, so that the Japanese labels render everywhere (also on
// the offscreen platform of tovra-cli).
QFont chartFont(int pixelSize);

// The chart's frame: background, white plot area, title and legend in the chart font.
void styleChart(QChart* chart, const ChartStyle& style, const QString& title);

// The time axis over `months` months (month k spans [k - 0.5, k + 0.5], the bars' places).
QCategoryAxis* timeAxis(int firstYear, int lastYear, int months);
// The money axis, every tick labelled in yen.
QCategoryAxis* yenAxisOf(const exports::YenAxis& a);

}  // namespace tovra
