#pragma once
// RankTallyDialog "RANK集計": the range (HanBtn1, HanBtn2 with NentsugiBox) and the kind
// ranked (Group: 的中配当, ﾚｰｽ別回収率, 開催日別回収率, ﾚｰｽ別収支, 開催日別収支). 集計開始
// closes with Accepted; code() and yearPosition() are the tally's.
#include <QDialog>

namespace tovra {

class DataStore;
class RadioGroupBox;
class YearRangeBox;

class RankTallyDialog : public QDialog {
  Q_OBJECT
 public:
  explicit RankTallyDialog(DataStore& ds, QWidget* parent = nullptr);
  // The rank kind code 1-10.
  int code() const;
  int yearPosition() const;

 public slots:
  void startTally();

 private:
  YearRangeBox* range_;
  RadioGroupBox* group_;
};

}  // namespace tovra
