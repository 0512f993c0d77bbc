#pragma once
// RankTallyDialog "RANK集計": the range (HanBtn1, HanBtn2 with NentsugiBox) and the kind
// ranked (Group: 的中配当, ﾚｰｽ別回収率, 開催日別回収率, ﾚｰｽ別収支, 開催日別収支). 集計開始
// closes with Accepted unless the filter (TallyFilterBox) has no type; code(),
// yearPosition() and filter() are the tally's.
#include <QDialog>

#include "features/tally/tally_filter.hpp"

namespace tovra {

class DataStore;
class RadioGroupBox;
class TallyFilterBox;
class UserPort;
class YearRangeBox;

class RankTallyDialog : public QDialog {
  Q_OBJECT
 public:
  // `port` shows the refusal of a filter without types (a beep without one).
  explicit RankTallyDialog(DataStore& ds, QWidget* parent = nullptr, UserPort* port = nullptr);
  // The rank kind code 1-10.
  int code() const;
  int yearPosition() const;
  tally::TallyFilter filter() const;

 public slots:
  void startTally();

 private:
  YearRangeBox* range_;
  RadioGroupBox* group_;
  TallyFilterBox* filter_;
  UserPort* port_;
};

}  // namespace tovra
