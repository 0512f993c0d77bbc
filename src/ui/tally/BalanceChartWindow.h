#pragma once
// BalanceChartWindow "収支ｸﾞﾗﾌ": the charts of the ledger over a range (RangeBox: all registered
// years or one year) on four pages of GraphPage: Tab1 累計収支 (the running balance day by
// day with the month bars beneath), Tab2 競馬場別, Tab3 馬券式別 and Tab4 月別 (回収率 and
// 的中率 as bars). Opened from the 集計 menu (Graph1) and from each tally window, whose
// result then gives the bars it can (and its range). Hovering shows the figures in
// HintLabel (and as a tooltip); PngBtn saves the page shown as a PNG file. One window for
// the program's run, hidden by CloseBtn.
#include <QWidget>
#include <optional>

#include "features/export/balance_series.hpp"
#include "features/export/rate_charts.hpp"

class QLabel;
class QPushButton;
class QTabWidget;

namespace tovra {

class BalanceChartPanel;
class DataStore;
class RateChartView;
class UserPort;
class YearRangeBox;
struct SettingsRecord;

class BalanceChartWindow : public QWidget {
  Q_OBJECT
 public:
  BalanceChartWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Chooses the request's range in RangeBox, counts the charts and shows its first page.
  void showRequest(const exports::ChartRequest& q);
  // The settings' colours again (after 各種設定).
  void applyColours();

  BalanceChartPanel* balancePanel() const { return balance_; }
  RateChartView* rateView(exports::ChartKind kind) const;
  const exports::ChartRequest& request() const { return request_; }

 public slots:
  void recountOverChosenRange();
  void fillShownChart(int index);
  void saveChartPng();
  void hideWindow();
  void showHint(const QString& text);

 private:
  void setRangeBox(const tally::TallyRange& range);
  void recount();
  void fillRates(exports::ChartKind kind);

  DataStore& ds_;
  SettingsRecord& settings_;
  UserPort& port_;
  exports::ChartRequest request_;
  std::optional<exports::BalanceSeries> series_;
  bool betTypeFilled_ = false;

  YearRangeBox* range_ = nullptr;
  QTabWidget* page_ = nullptr;
  BalanceChartPanel* balance_ = nullptr;
  RateChartView* rates_[exports::kChartKinds] = {};  // Course, BetType, Month (Balance unused)
  QLabel* hint_ = nullptr;
  QPushButton* pngBtn_ = nullptr;
  QPushButton* closeBtn_ = nullptr;
};

}  // namespace tovra
