#pragma once
// 馬名検索終了 / ﾚｰｽ名検索終了 / 重賞検索終了 / ﾚｰｽ結果配当検索終了
// SearchResultsDialog: the result list of the last search (caption = its title, HaniLabel =
// its summary, one ListBox line per result). 表示 or a double click goes to the selected
// race: after the year question (when its year is another than the one the main window
// shows) the dialog closes with Accepted and target() names the race; the caller then
// shows it. CsvBtn "CSV保存" saves the list as a CSV table.
#include <QDialog>
#include <optional>
#include <string>

#include "features/search/search_list.hpp"

class QListWidget;

namespace tovra {

class DataStore;
class UserPort;

class SearchResultsDialog : public QDialog {
  Q_OBJECT
 public:
  // currentYear: the year the main window shows.
  SearchResultsDialog(DataStore& ds, UserPort& port, const search::KekaList& list, std::string currentYear,
                      QWidget* parent = nullptr);
  const std::optional<search::RaceTarget>& target() const { return target_; }

 public slots:
  void showSelectedRace();
  void showDoubleClickedRace();
  void saveCsv();

 private:
  DataStore& ds_;
  UserPort& port_;
  QListWidget* list_;
  std::string currentYear_;
  std::optional<search::RaceTarget> target_;
  std::string csvName_;  // the name CSV保存 proposes
};

}  // namespace tovra
