#pragma once
// PayoutSearchDialog "ﾚｰｽ結果配当検索": range, hit-only, and 金額指定 (two amount
// boxes with their lists), 万馬券, or KinBtn3 高額指定 (KinEdit1 ～ KinEdit2, yen of up to
// nine digits). 検索開始 checks the amounts (金額指定 and 高額指定) and closes with
// Accepted; params() then holds the search. The search lists 馬単, 3連複 and 3連単 too.
#include <QDialog>

#include "features/search/search_engine.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tovra {

class DataStore;
class SearchRangeBox;
class UserPort;

class PayoutSearchDialog : public QDialog {
  Q_OBJECT
 public:
  PayoutSearchDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);
  const search::SearchParams& params() const { return params_; }

 public slots:
  void enablePayoutRange();
  void disablePayoutRange();
  void startSearch();

 private:
  // Each mode's boxes enabled while its button is chosen.
  void enableBoxes();
  QLineEdit* yenEdit(const char* name, QWidget* parent);
  UserPort& port_;
  SearchRangeBox* range_;
  QRadioButton* kin1_;
  QRadioButton* kin2_;
  QRadioButton* kin3_;
  QLineEdit* kinEdit1_;
  QLineEdit* kinEdit2_;
  QLabel* yenLabel_;
  QComboBox* kinBox1_;
  QComboBox* kinBox2_;
  QLabel* label_;
  search::SearchParams params_;
};

}  // namespace tovra
