#pragma once
// ConditionTallyWindow "条件集計": the condition tally of tmp/jyoken.tmp: the conditions, then
// per course, their sum ("合計") and the range without conditions ("総合合計") the purchase,
// recovery rate, return, balance and hit rate.
#include <array>

#include "features/tally/jyoken_result.hpp"
#include "ui/tally/TallyWindow.h"

class QLabel;

namespace tovra {

class ConditionTallyWindow : public TallyWindow {
  Q_OBJECT
 public:
  ConditionTallyWindow(DataStore& ds, SettingsRecord& settings, UserPort& port, QWidget* parent = nullptr);

  // Reads the work file and shows it.
  void ShowResult();

 protected:
  void printResult() override;
  void showResult() override { ShowResult(); }

 private:
  QLabel* jyokenPanel_ = nullptr;
  std::array<FigureRow*, tally::kJyokenRows> rows_{};
};

}  // namespace tovra
