#pragma once
// TKensakuKekaDialog: the result list of the last search (caption = its title, HaniLabel =
// its summary, one ListBox line per result). 表示 or a double click goes to the selected
// race: after the year question (when its year is another) the dialog closes with Accepted
// and outcome() says whether the year changed; the caller then shows the race. CsvBtn
// "CSV保存" saves the list as a CSV table.
#include <QDialog>
#include <string>

#include "search/search_list.hpp"

class QListWidget;

namespace tovra {

class DataStore;
class UserPort;

class TKensakuKekaDialog : public QDialog {
  Q_OBJECT
 public:
  TKensakuKekaDialog(DataStore& ds, UserPort& port, const search::KekaList& list, QWidget* parent = nullptr);
  const search::GoOutcome& outcome() const { return outcome_; }

 public slots:
  void HyojiBtnClick();
  void ListBoxDblClick();
  void CsvBtnClick();

 private:
  DataStore& ds_;
  UserPort& port_;
  QListWidget* list_;
  search::GoOutcome outcome_;
  std::string csvName_;  // the name CSV保存 proposes
};

}  // namespace tovra
