#pragma once
// IncomeTallyWindow "収支集計": the income and expense tally of tmp/shushi.tmp, one row
// of months or meeting numbers at a time (ScrollBar 0 = all of them), per course with the
// row's all-course sum ("合計") and the grand total ("全場合計").
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
  QScrollBar* scrollBar_ = nullptr;
  std::array<FigureRow*, kCourseCount> courses_{};
  FigureRow* goukei_ = nullptr;
  FigureRow* zenjou_ = nullptr;
};

}  // namespace tovra
