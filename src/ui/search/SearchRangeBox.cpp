#include "ui/search/SearchRangeBox.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/YearRangeBox.h"

namespace tovra {

SearchRangeBox::SearchRangeBox(const DataStore& ds, QWidget* parent) : QWidget(parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  group_ = new YearRangeBox("検索範囲", ds, this);
  outer->addWidget(group_);
  teki_ = new QCheckBox("的中ﾚｰｽのみ", this);
  teki_->setObjectName("TekiCheckBox");
  outer->addWidget(teki_);
}

tally::TallyRange SearchRangeBox::range() const { return group_->range(); }

bool SearchRangeBox::hitOnly() const { return teki_->isChecked(); }

QVBoxLayout* kensakuButtons(QDialog* dialog, QPushButton** kensaku) {
  return startCancelColumn(dialog, "KensakuBtn", "検索開始", kensaku);
}

}  // namespace tovra
