#pragma once
// ConditionTallyDialog "条件集計": the range, and up to seven conditions set one tab at a
// time (設定) into ListBox and taken out again (削除). Made once for the program's run;
// each time it is shown it starts over (no condition, every registered year).
// 集計開始 closes with Accepted once a condition is set and a type is chosen in the filter
// (TallyFilterBox, back to every type and course each time).
#include <QDialog>
#include <array>

#include "features/tally/jyoken_conditions.hpp"
#include "features/tally/tally_filter.hpp"

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace tovra {

class DataStore;
class RadioGroupBox;
class TallyFilterBox;
class UserPort;
class YearRangeBox;

class ConditionTallyDialog : public QDialog {
  Q_OBJECT
 public:
  ConditionTallyDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);

  // 0 every registered year, 1 the chosen one.
  int rangeFlag() const;
  int yearPosition() const;
  const tally::JyokenConditions& conditions() const { return list_.conditions(); }
  tally::TallyFilter filter() const;

 public slots:
  void resetConditions();
  void addCondition();
  void removeCondition();
  void startTally();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The controls of a kind's tab (the distance has two).
  void enableKind(tally::JyokenKind kind, bool enabled);

  DataStore& ds_;
  UserPort& port_;
  tally::JyokenList list_;
  YearRangeBox* range_;
  TallyFilterBox* filter_;
  QTabWidget* page_;
  // RadioGroup1-10 by kind (none for the distance).
  std::array<RadioGroupBox*, tally::kJyokenKinds + 1> groups_{};
  QLineEdit* kyoriEdit_;
  QLabel* label1_;
  QListWidget* listBox_;
};

}  // namespace tovra
