#include "ui/tally/IncomeTallyDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "storage/datastore.hpp"
#include "storage/text.hpp"
#include "ui/tally/TallyFilterBox.h"
#include "ui/widgets/RadioGroupBox.h"
#include "ui/widgets/YearRangeBox.h"

namespace tovra {

IncomeTallyDialog::IncomeTallyDialog(const DataStore& ds, const std::string& currentYear, const KaisaiRecord* shown,
                                     QWidget* parent, UserPort* port)
    : QDialog(parent), port_(port) {
  setObjectName("ShushiShukeiDialog");
  setWindowTitle("収支集計");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(14);

  range_ = new YearRangeBox("集計範囲", ds, this);
  han3_ = new QRadioButton("月日指定", range_);
  han3_->setObjectName("HanBtn3");
  nenLabel_ = new QLabel(QString::fromStdString(currentYear) + "年", range_);
  nenLabel_->setObjectName("NenLabel");
  tsuki_ = new QComboBox(range_);
  tsuki_->setObjectName("TsukiBox");
  for (int m = 1; m <= 12; ++m) tsuki_->addItem(QString::fromStdString(sjprintfUtf8("%2d月", m)));
  hi_ = new QComboBox(range_);
  hi_->setObjectName("HiBox");
  for (int d = 1; d <= 31; ++d) hi_->addItem(QString::fromStdString(sjprintfUtf8("%2d日", d)));
  const auto [month, day] = tally::shushiFirstDay(shown);
  tsuki_->setCurrentIndex(month - 1);
  hi_->setCurrentIndex(day - 1);
  range_->grid()->addWidget(han3_, 2, 0);
  range_->grid()->addWidget(nenLabel_, 2, 1);
  range_->grid()->addWidget(tsuki_, 2, 2);
  range_->grid()->addWidget(hi_, 2, 3);
  grid->addWidget(range_, 0, 0);

  group_ = new RadioGroupBox("Group", "集計種別", {"月別", "回次別"}, 1, this);
  group_->setItemIndex(0);
  grid->addWidget(group_, 0, 1);
  filter_ = new TallyFilterBox(this);
  grid->addWidget(filter_, 1, 0, 1, 2);

  QPushButton* shukei = nullptr;
  grid->addLayout(startCancelColumn(this, "ShukeiBtn", "集計開始", &shukei), 0, 2);
  connect(shukei, &QPushButton::clicked, this, &IncomeTallyDialog::startTally);
  connect(range_, &YearRangeBox::rangeClicked, this, &IncomeTallyDialog::enableForRange);
  connect(han3_, &QRadioButton::clicked, this, [this] { enableForRange(3); });
  enableForRange(1);
  setFixedSize(sizeHint());
}

void IncomeTallyDialog::enableForRange(int button) {
  range_->yearBox()->setEnabled(button == 2);
  for (QWidget* w : {static_cast<QWidget*>(nenLabel_), static_cast<QWidget*>(tsuki_), static_cast<QWidget*>(hi_)})
    w->setEnabled(button == 3);
  group_->setEnabled(button != 3);
}

tally::ShushiChoice IncomeTallyDialog::choice() const {
  const int range = han3_->isChecked() ? 2 : range_->allYears() ? 0 : 1;
  return tally::shushiChoice(range, group_->itemIndex() == 1, range_->yearPosition(), tsuki_->currentIndex() + 1,
                             hi_->currentIndex() + 1);
}

tally::TallyFilter IncomeTallyDialog::filter() const { return filter_->filter(); }

void IncomeTallyDialog::startTally() {
  if (filter_->acceptable(port_)) accept();
}

}  // namespace tovra
