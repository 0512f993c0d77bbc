#include "ui/tally/SavedResultsDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/tally/saved_results.hpp"
#include "storage/user_port.hpp"
#include "ui/widgets/EntryWidgets.h"

namespace tovra {

namespace {

struct ListDef {
  const char* label;
  const char* caption;
  const char* list;
};
const ListDef kLists[4] = {
    {"Label1", "収支集計：", "ShushiListBox"},
    {"Label2", "項目集計：", "KoumokuListBox"},
    {"Label3", "RANK集計：", "RankListBox"},
    {"Label4", "条件集計：", "JyokenListBox"},
};

}  // namespace

SavedResultsDialog::SavedResultsDialog(DataStore& ds, UserPort& port, QWidget* parent)
    : QDialog(parent), ds_(ds), port_(port) {
  setObjectName("HozonSyoriDialog");
  setWindowTitle("保存済集計結果処理");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(14);
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    auto* label = new QLabel(kLists[i].caption, this);
    label->setObjectName(kLists[i].label);
    // A line: the time, then the range and rows or conditions of the result (up to 7 conditions).
    lists_[i] = lineList(kLists[i].list, 52, 5, this);
    lists_[i]->setSelectionMode(QAbstractItemView::SingleSelection);
    const int row = int(i / 2) * 2, column = int(i % 2);
    grid->addWidget(label, row, column);
    grid->addWidget(lists_[i], row + 1, column);
    // A line chosen by mouse or keyboard takes the selection from the other lists.
    connect(lists_[i], &QListWidget::itemSelectionChanged, this, [this, i] {
      if (!lists_[i]->selectedItems().isEmpty()) keepOneSelection(i);
    });
    connect(lists_[i], &QListWidget::itemDoubleClicked, this, [this, i] {
      keepOneSelection(i);
      showSelectedResult();
    });
  }
  auto* buttons = new QVBoxLayout;
  const std::pair<const char*, const char*> defs[3] = {
      {"HyojiBtn", "表示"}, {"SakujyoBtn", "削除"}, {"CancelBtn", "ｷｬﾝｾﾙ"}};
  QPushButton* made[3] = {};
  for (int i = 0; i < 3; ++i) {
    made[i] = new QPushButton(QString::fromUtf8(defs[i].second), this);
    made[i]->setObjectName(defs[i].first);
    made[i]->setAutoDefault(false);
    buttons->addWidget(made[i]);
  }
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1);
  connect(made[0], &QPushButton::clicked, this, &SavedResultsDialog::showSelectedResult);
  connect(made[1], &QPushButton::clicked, this, &SavedResultsDialog::deleteSelectedResult);
  connect(made[2], &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(sizeHint());
}

void SavedResultsDialog::showEvent(QShowEvent* event) {
  refillLists();
  QDialog::showEvent(event);
}

void SavedResultsDialog::refillLists() {
  for (std::size_t i = 0; i < lists_.size(); ++i) fill(i);
  // Saved files that cannot be read or are out of step are reported, not taken for none.
  for (tally::TallyKind kind : tally::kTallyKinds) {
    const tally::SavedCheck check = tally::checkSaved(ds_, kind);
    if (!check.problem.empty()) showError(port_, check.problem);
  }
}

void SavedResultsDialog::fill(std::size_t list) {
  entries_[list] = tally::savedEntries(ds_, tally::kTallyKinds[list]);
  std::vector<std::string> lines;
  for (const tally::SavedEntry& e : entries_[list]) lines.push_back(tally::savedLine(e));
  setLines(lists_[list], lines);
}

void SavedResultsDialog::keepOneSelection(std::size_t list) {
  for (std::size_t i = 0; i < lists_.size(); ++i)
    if (i != list) lists_[i]->clearSelection();
}

std::optional<std::pair<tally::TallyKind, int>> SavedResultsDialog::selected() const {
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const int line = selectedLine(lists_[i]);
    if (line >= 0) return std::make_pair(tally::kTallyKinds[i], line);
  }
  return std::nullopt;
}

void SavedResultsDialog::showSelectedResult() {
  const auto s = selected();
  if (!s) {
    port_.beep();
    return;
  }
  chosen_ = *s;
  accept();
}

void SavedResultsDialog::deleteSelectedResult() {
  const auto s = selected();
  if (!s) {
    port_.beep();
    return;
  }
  // The line as listed names what goes; キャンセル keeps it.
  const auto list = std::size_t(static_cast<int>(s->first) - 1);
  if (std::size_t(s->second) >= entries_[list].size()) {
    port_.beep();
    return;
  }
  if (!askOkCancel(port_, tally::savedDeleteQuestion(s->first, entries_[list][std::size_t(s->second)]))) return;
  tally::deleteSavedResult(ds_, port_, s->first, s->second);
  fill(std::size_t(static_cast<int>(s->first) - 1));
}

}  // namespace tovra
