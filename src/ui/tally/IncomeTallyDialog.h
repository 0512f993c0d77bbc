#pragma once
// IncomeTallyDialog "収支集計": the range (HanBtn1 every year, HanBtn2 one year of
// NentsugiBox, HanBtn3 one day of the current year by TsukiBox and HiBox) and the rows
// (Group: 月別, 回次別, not for a day), and what is counted (TallyFilterBox: types and
// course). 集計開始 closes with Accepted unless no type is chosen; choice() and filter()
// then say which tally to run.
#include <QDialog>

#include "features/tally/shushi_tally.hpp"

class QComboBox;
class QLabel;
class QRadioButton;

namespace tovra {

class DataStore;
class RadioGroupBox;
class TallyFilterBox;
class UserPort;
class YearRangeBox;

class IncomeTallyDialog : public QDialog {
  Q_OBJECT
 public:
  // currentYear: the year the main window shows (a day is of that year); shown: the
  // meeting day it shows (nullptr for none), the day offered first.
  // `port` shows the refusal of a filter without types (a beep without one).
  IncomeTallyDialog(const DataStore& ds, const std::string& currentYear, const KaisaiRecord* shown,
                    QWidget* parent = nullptr, UserPort* port = nullptr);
  tally::ShushiChoice choice() const;
  tally::TallyFilter filter() const;

 public slots:
  // Enabling by the range button chosen (1-3).
  void enableForRange(int button);
  void startTally();

 private:
  YearRangeBox* range_;
  QRadioButton* han3_;
  QLabel* nenLabel_;
  QComboBox* tsuki_;
  QComboBox* hi_;
  RadioGroupBox* group_;
  TallyFilterBox* filter_;
  UserPort* port_;
};

}  // namespace tovra
