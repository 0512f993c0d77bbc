#include "ui/tally/ItemTallyDialog.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "ui/tally/TallyFilterBox.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

ItemTallyDialog::ItemTallyDialog(DataStore& ds, QWidget* parent, UserPort* port) : QDialog(parent), port_(port) {
  setObjectName("KoumokuShukeiDialog");
  setWindowTitle("項目集計");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(16, 14, 16, 14);
  row->setSpacing(14);
  range_ = new YearRangeBox("集計範囲", ds, this);
  row->addWidget(range_);
  filter_ = new TallyFilterBox(this);
  row->addWidget(filter_);
  QPushButton* shukei = nullptr;
  row->addLayout(startCancelColumn(this, "ShukeiBtn", "集計開始", &shukei));
  connect(shukei, &QPushButton::clicked, this, &ItemTallyDialog::startTally);
  setFixedSize(sizeHint());
}

int ItemTallyDialog::mode() const { return range_->allYears() ? 0 : 1; }
int ItemTallyDialog::yearPosition() const { return range_->yearPosition(); }
tally::TallyFilter ItemTallyDialog::filter() const { return filter_->filter(); }

void ItemTallyDialog::startTally() {
  if (filter_->acceptable(port_)) accept();
}

}  // namespace tovra
