#pragma once
// PayoutSearchDialog "ﾚｰｽ結果配当検索": range, hit-only, and 金額指定 (two amount
// boxes with their lists) or 万馬券. 検索開始 checks the amounts (金額指定 only) and closes
// with Accepted; params() then holds the search.
#include <QDialog>

#include "features/search/search_engine.hpp"

class QComboBox;
class QLabel;
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
  UserPort& port_;
  SearchRangeBox* range_;
  QRadioButton* kin1_;
  QRadioButton* kin2_;
  QComboBox* kinBox1_;
  QComboBox* kinBox2_;
  QLabel* label_;
  search::SearchParams params_;
};

}  // namespace tovra
