#include "ui/tally/RankTallyDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>

#include "features/tally/rank_tally.hpp"
#include "ui/tally/TallyFilterBox.h"
#include "ui/widgets/RadioGroupBox.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

RankTallyDialog::RankTallyDialog(DataStore& ds, QWidget* parent, UserPort* port) : QDialog(parent), port_(port) {
  setObjectName("RankShukeiDialog");
  setWindowTitle("RANK集計");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(16, 14, 16, 14);
  row->setSpacing(14);
  range_ = new YearRangeBox("集計範囲", ds, this);
  row->addWidget(range_, 0, Qt::AlignTop);
  group_ = new RadioGroupBox("Group", "集計種別",
                             {"的中配当", "ﾚｰｽ別回収率", "開催日別回収率", "ﾚｰｽ別収支", "開催日別収支"}, 1, this);
  group_->setItemIndex(0);
  row->addWidget(group_);
  filter_ = new TallyFilterBox(this);
  row->addWidget(filter_, 0, Qt::AlignTop);
  QPushButton* shukei = nullptr;
  row->addLayout(startCancelColumn(this, "ShukeiBtn", "集計開始", &shukei));
  connect(shukei, &QPushButton::clicked, this, &RankTallyDialog::startTally);
  setFixedSize(sizeHint());
}

int RankTallyDialog::code() const { return tally::rankCode(!range_->allYears(), std::max(0, group_->itemIndex())); }
int RankTallyDialog::yearPosition() const { return range_->yearPosition(); }

tally::TallyFilter RankTallyDialog::filter() const { return filter_->filter(); }

void RankTallyDialog::startTally() {
  if (filter_->acceptable(port_)) accept();
}

}  // namespace tovra
