#pragma once
// IncomeTallyWindow "収支集計": the income and expense tally of tmp/shushi.tmp, one row
// of months or meeting numbers at a time (ScrollBar 0 = all of them), per course with the
// row's all-course sum ("合計") and the grand total ("全場合計"). Below them, when the
// tally wrote tmp/shushisk.tmp beside it, the range's figures of the types chosen, the
// bet store's among them ("全式別" or "選択式別": ShikiKouPanel, ShikiShuPanel,
// ShikiTekiPanel), what was bought and refunded apart (ShikiKounyuPanel,
// ShikiHenkanPanel) and what the filter chose (ShikiTaishoLabel).
#include <array>

#include "ui/tally/TallyWindow.h"

class QLabel;
class QScrollBar;

namespace tovra {

class IncomeTallyWindow : public TallyWindow {
  Q_OBJECT
 public:
  IncomeTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Reads the work file and shows scroll position a (0-12).
  void showPosition(int a);
  // The scroll position shown (printing prints it).
  int position() const;

 public slots:
  void scrollTo(int position);

 protected:
  void printResult() override;
  void showResult() override;
  // The chart shows the row on the screen: position 0 the sum row, 1-12 their month or 回次.
  int graphShown() const override;

 private:
  // The types' block from the type work file, hidden without one (nullptr).
  void showTypes(const tally::TypeTallyResult* t);
  QScrollBar* scrollBar_ = nullptr;
  std::array<FigureRow*, kCourseCount> courses_{};
  FigureRow* goukei_ = nullptr;
  FigureRow* zenjou_ = nullptr;
  FigureRow* types_ = nullptr;
  QLabel* bought_ = nullptr;
  QLabel* refunded_ = nullptr;
  QLabel* boughtCaption_ = nullptr;
  QLabel* refundedCaption_ = nullptr;
  QLabel* filter_ = nullptr;
  FigureRow* win5_ = nullptr;
  QLabel* win5Bought_ = nullptr;
  QLabel* win5Refunded_ = nullptr;
  QLabel* win5BoughtCaption_ = nullptr;
  QLabel* win5RefundedCaption_ = nullptr;
};

}  // namespace tovra
