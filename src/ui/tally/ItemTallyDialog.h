#pragma once
// ItemTallyDialog "項目集計": every registered year (HanBtn1) or one (HanBtn2 with
// NentsugiBox), and what is counted (TallyFilterBox). 集計開始 closes with Accepted unless
// no type is chosen; mode(), yearPosition() and filter() are the tally's.
#include <QDialog>

#include "features/tally/tally_filter.hpp"

namespace tovra {

class DataStore;
class TallyFilterBox;
class UserPort;
class YearRangeBox;

class ItemTallyDialog : public QDialog {
  Q_OBJECT
 public:
  // `port` shows the refusal of a filter without types (a beep without one).
  explicit ItemTallyDialog(DataStore& ds, QWidget* parent = nullptr, UserPort* port = nullptr);
  // 0 every registered year, 1 the chosen year.
  int mode() const;
  int yearPosition() const;
  tally::TallyFilter filter() const;

 public slots:
  void startTally();

 private:
  YearRangeBox* range_;
  TallyFilterBox* filter_;
  UserPort* port_;
};

}  // namespace tovra
