#pragma once
// SavedResultsDialog "保存済集計結果処理": the saved results of the four tallies in four
// lists (at most one line selected in the dialog). 表示 (or a double-click) closes with
// Accepted and chosen() names the result to show; 削除 asks, then deletes the selected one,
// and the dialog stays open. Each line tells the time and what the saved result covers.
#include <QDialog>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "features/tally/result_files.hpp"
#include "features/tally/saved_results.hpp"

class QListWidget;

namespace tovra {

class DataStore;
class UserPort;

class SavedResultsDialog : public QDialog {
  Q_OBJECT
 public:
  SavedResultsDialog(DataStore& ds, UserPort& port, QWidget* parent = nullptr);

  // The kind and line of the result to show (after Accepted).
  std::pair<tally::TallyKind, int> chosen() const { return chosen_; }

 public slots:
  void refillLists();
  void showSelectedResult();
  void deleteSelectedResult();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The first list (in kind order) with a selected line, as kind and line.
  std::optional<std::pair<tally::TallyKind, int>> selected() const;
  void fill(std::size_t list);
  // A click in one list clears the selection of the other three.
  void keepOneSelection(std::size_t list);

  DataStore& ds_;
  UserPort& port_;
  std::array<QListWidget*, 4> lists_{};
  std::array<std::vector<tally::SavedEntry>, 4> entries_;  // what each list shows
  std::pair<tally::TallyKind, int> chosen_{tally::TallyKind::Shushi, 0};
};

}  // namespace tovra
