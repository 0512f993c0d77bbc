#pragma once
// ItemTallyDialog "項目集計": every registered year (HanBtn1) or one (HanBtn2 with
// NentsugiBox). 集計開始 closes with Accepted; mode() and yearPosition() are the tally's.
#include <QDialog>

namespace tovra {

class DataStore;
class YearRangeBox;

class ItemTallyDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ItemTallyDialog(DataStore& ds, QWidget* parent = nullptr);
  // 0 every registered year, 1 the chosen year.
  int mode() const;
  int yearPosition() const;

 private:
  YearRangeBox* range_;
};

}  // namespace tovra
