#pragma once
// GradedStakesSearchDialog "重賞検索": range, hit-only and the grade (Group: GⅠ GⅡ GⅢ).
// 検索開始 closes with Accepted (nothing to check); params() then holds the search.
#include <QDialog>

#include "features/search/search_engine.hpp"

namespace tovra {

class DataStore;
class SearchRangeBox;
class RadioGroupBox;

class GradedStakesSearchDialog : public QDialog {
  Q_OBJECT
 public:
  explicit GradedStakesSearchDialog(DataStore& ds, QWidget* parent = nullptr);
  const search::SearchParams& params() const { return params_; }

 public slots:
  void startSearch();

 private:
  SearchRangeBox* range_;
  RadioGroupBox* group_;
  search::SearchParams params_;
};

}  // namespace tovra
