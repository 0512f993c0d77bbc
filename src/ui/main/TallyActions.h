#pragma once
// The main window's tallies: 収支集計, 項目集計, RANK集計 and 条件集計 (each a dialog, the
// tally with its wait popup, then its result window) and 保存済集計結果処理. Holds the four
// result windows (one each, made on first use, destroyed by their close box) and the
// condition tally dialog, made once for the program's run; and the chart window 収支ｸﾞﾗﾌ,
// which the 集計 menu and every result window open.
#include <QObject>
#include <QPointer>
#include <array>

#include "features/export/rate_charts.hpp"
#include "features/tally/result_files.hpp"

namespace tovra {

class MainWindow;
class TallyWindow;
class ConditionTallyDialog;
class BalanceChartWindow;

class TallyActions : public QObject {
  Q_OBJECT
 public:
  explicit TallyActions(MainWindow& main);

  void startIncomeTally();     // X1, ToolBtn6
  void startItemTally();       // C1, ToolBtn7
  void startRankTally();       // V1, ToolBtn8
  void startConditionTally();  // B1, ToolBtn9
  void openSavedResults();     // N13
  void openChart();            // Graph1: the chart window over every registered year

  // The chart window (one for the run, made on first use) showing a request.
  BalanceChartWindow* showChart(const exports::ChartRequest& request);
  BalanceChartWindow* chartWindow() const;

  // The kind's window (made when there is none) showing its work file as after a tally.
  TallyWindow* showWindow(tally::TallyKind kind);
  // The kind's window when it exists (open or hidden), else nullptr.
  TallyWindow* window(tally::TallyKind kind) const;
  // Every existing window takes the settings' colours again.
  void applyColours();
  ConditionTallyDialog* conditionDialog() const { return jyokenDialog_; }

 private:
  MainWindow& main_;
  std::array<QPointer<TallyWindow>, 4> windows_;
  ConditionTallyDialog* jyokenDialog_;
  QPointer<BalanceChartWindow> graph_;
};

}  // namespace tovra
