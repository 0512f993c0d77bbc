#pragma once
// What the three search dialogs share: the range group GroupBox1 "検索範囲" (HanBtn1,
// HanBtn2 with NentsugiBox, as the tally dialogs have it) and TekiCheckBox "的中ﾚｰｽのみ".
#include <QWidget>

#include "features/tally/tally_common.hpp"

class QCheckBox;
class QDialog;
class QPushButton;
class QVBoxLayout;

namespace tovra {

class DataStore;
class YearRangeBox;

class SearchRangeBox : public QWidget {
  Q_OBJECT
 public:
  SearchRangeBox(const DataStore& ds, QWidget* parent);
  // Every registered year, or the year chosen in NentsugiBox.
  tally::TallyRange range() const;
  bool hitOnly() const;

 private:
  YearRangeBox* group_;
  QCheckBox* teki_;
};

// KensakuBtn "検索開始" (the default button) over CancelBtn "ｷｬﾝｾﾙ" (closes the dialog with
// Rejected), pushed to the bottom of a column.
QVBoxLayout* kensakuButtons(QDialog* dialog, QPushButton** kensaku);

}  // namespace tovra
