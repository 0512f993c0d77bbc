#include "ui/search/GradedStakesSearchDialog.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/search/SearchRangeBox.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

GradedStakesSearchDialog::GradedStakesSearchDialog(DataStore& ds, QWidget* parent) : QDialog(parent) {
  setObjectName("JyushoKensakuDialog");
  setWindowTitle("重賞検索");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(14);
  range_ = new SearchRangeBox(ds, this);
  grid->addWidget(range_, 0, 0, 2, 1);
  group_ = new RadioGroupBox("Group", "検索する重賞", {"GⅠ", "GⅡ", "GⅢ"}, 1, this);
  group_->setItemIndex(0);
  grid->addWidget(group_, 0, 1);
  QPushButton* kensaku = nullptr;
  grid->addLayout(kensakuButtons(this, &kensaku), 0, 2, 2, 1);
  connect(kensaku, &QPushButton::clicked, this, &GradedStakesSearchDialog::startSearch);
  setFixedSize(sizeHint());
}

void GradedStakesSearchDialog::startSearch() {
  params_ = {};
  params_.type = search::SearchType::Jyusho;
  params_.grade = std::max(0, group_->itemIndex());
  params_.range = range_->range();
  params_.hitOnly = range_->hitOnly();
  accept();
}

}  // namespace tovra
