#pragma once
// NameSearchDialog: the race-name search (ﾚｰｽ名検索) or the result horse-name search
// (ﾚｰｽ結果馬名検索). MojiBox offers the search's history list; 検索開始 checks the text and
// closes with Accepted, and params() then holds what the engine needs.
#include <QDialog>

#include "features/search/search_engine.hpp"

class QComboBox;
class QLabel;

namespace tovra {

class DataStore;
class SearchRangeBox;
class UserPort;

class NameSearchDialog : public QDialog {
  Q_OBJECT
 public:
  // raceName: the race-name search, else the horse-name search.
  NameSearchDialog(bool raceName, DataStore& ds, UserPort& port, QWidget* parent = nullptr);
  const search::SearchParams& params() const { return params_; }

 public slots:
  void startSearch();
  void fitSearchText(const QString& text);

 private:
  UserPort& port_;
  search::SearchType type_;
  QComboBox* moji_;
  SearchRangeBox* range_;
  search::SearchParams params_;
};

}  // namespace tovra
