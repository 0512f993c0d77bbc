#pragma once
// The range group of the tally and search dialogs: HanBtn1 "登録済全ﾃﾞｰﾀ" (checked at
// start), HanBtn2 "年次指定" with NentsugiBox (the registered years, newest first, the
// current one selected; enabled only while HanBtn2 is checked). A dialog may add rows of
// its own (the income and expense tally's 月日指定) below them in grid().
#include <QGroupBox>
#include <vector>

#include "features/tally/tally_common.hpp"

class QComboBox;
class QDialog;
class QGridLayout;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace tovra {

class DataStore;

class YearRangeBox : public QGroupBox {
  Q_OBJECT
 public:
  YearRangeBox(const QString& caption, const DataStore& ds, QWidget* parent);
  // Back to the start: HanBtn1 checked, NentsugiBox refilled (the years may have changed
  // since) and disabled.
  void reset(const DataStore& ds);

  bool allYears() const;
  // The position of the chosen year in the year list (0 when the list is empty).
  int yearPosition() const;
  // Every registered year, or the year chosen.
  tally::TallyRange range() const;

  QGridLayout* grid() const { return grid_; }
  QRadioButton* hanBtn1() const { return han1_; }
  QRadioButton* hanBtn2() const { return han2_; }
  QComboBox* yearBox() const { return nentsugi_; }

 signals:
  // A range button was clicked (1 or 2; a dialog's own rows report theirs).
  void rangeClicked(int button);

 public slots:
  void chooseAllYears();
  void chooseOneYear();

 private:
  QGridLayout* grid_;
  QRadioButton* han1_;
  QRadioButton* han2_;
  QComboBox* nentsugi_;
  std::vector<int> years_;
};

// The start button (the default one: "集計開始" ShukeiBtn, "検索開始" KensakuBtn) over
// CancelBtn "ｷｬﾝｾﾙ" (closes the dialog with Rejected), pushed to the bottom of a column.
QVBoxLayout* startCancelColumn(QDialog* dialog, const char* objectName, const char* caption, QPushButton** start);

}  // namespace tovra
