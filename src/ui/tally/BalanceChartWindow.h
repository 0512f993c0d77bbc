#pragma once
// BalanceChartWindow "収支ｸﾞﾗﾌ": the charts of the ledger over a range (RangeBox: all registered
// years or one year) on four pages of GraphPage: Tab1 累計収支 (the running balance day by
// day with the month bars beneath), Tab2 競馬場別, Tab3 馬券式別 and Tab4 月別 (回収率 and
// 的中率 as bars). Opened from the 集計 menu (Graph1) and from each tally window, whose
// result then gives the bars it can (and its range). Hovering shows the figures in
// HintLabel (and as a tooltip); PngBtn saves the chart shown as a PNG file. One window for
// the program's run, hidden by CloseBtn. Above the 馬券式別 chart ShikiGroup holds a toggle
// per bet type (ShikiCheck1-8: 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ 馬単 3連複 3連単); the chart draws the
// types ticked, all eight when the bet store adds to the five types in the range (a new
// type bought or a ticket refunded), else the five as the item tally counts them (the
// toggles of the new types are then off and greyed). At least one type stays ticked.
#include <QWidget>
#include <optional>

#include "features/export/balance_series.hpp"
#include "features/export/rate_charts.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tovra {

class BalanceChartPanel;
class BetStore;
class DataStore;
class RateChartView;
class UserPort;
class YearRangeBox;
struct SettingsRecord;

class BalanceChartWindow : public QWidget {
  Q_OBJECT
 public:
  BalanceChartWindow(DataStore& ds, BetStore& bets, SettingsRecord& settings, UserPort& port,
                     QWidget* parent = nullptr);

  // Chooses the request's range in RangeBox, counts the charts and shows its first page.
  void showRequest(const exports::ChartRequest& q);
  // The settings' colours again (after 各種設定).
  void applyColours();

  BalanceChartPanel* balancePanel() const { return balance_; }
  RateChartView* rateView(exports::ChartKind kind) const;
  const exports::ChartRequest& request() const { return request_; }
  // The toggle of chart type i (0-7: 単勝 ... 3連単).
  QCheckBox* typeCheck(int i) const { return typeChecks_[i]; }

 public slots:
  void recountOverChosenRange();
  void fillShownChart(int index);
  void saveChartPng();
  void hideWindow();
  void showHint(const QString& text);
  void toggleChartType(int i, bool on);

 private:
  void setRangeBox(const tally::TallyRange& range);
  void recount();
  void fillRates(exports::ChartKind kind);
  void showTypeChecks();

  DataStore& ds_;
  BetStore& bets_;  // 馬単, 3連複 and 3連単 beside the course files
  SettingsRecord& settings_;
  UserPort& port_;
  exports::ChartRequest request_;
  std::optional<exports::BalanceSeries> series_;
  bool betTypeFilled_ = false;
  exports::ChartTypes types_ = exports::ChartTypes::every();  // the toggles, kept over recounts

  YearRangeBox* range_ = nullptr;
  QTabWidget* page_ = nullptr;
  BalanceChartPanel* balance_ = nullptr;
  RateChartView* rates_[exports::kChartKinds] = {};  // Course, BetType, Month (Balance unused)
  QGroupBox* typeGroup_ = nullptr;
  QCheckBox* typeChecks_[exports::kChartTypeCount] = {};
  QLabel* hint_ = nullptr;
  QPushButton* pngBtn_ = nullptr;
  QPushButton* closeBtn_ = nullptr;
};

}  // namespace tovra
