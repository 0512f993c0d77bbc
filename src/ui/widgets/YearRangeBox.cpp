#include "ui/widgets/YearRangeBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "features/years/years.hpp"
#include "storage/datastore.hpp"

namespace tovra {

YearRangeBox::YearRangeBox(const QString& caption, const DataStore& ds, QWidget* parent) : QGroupBox(caption, parent) {
  setObjectName("GroupBox1");
  grid_ = new QGridLayout(this);
  han1_ = new QRadioButton("登録済全ﾃﾞｰﾀ", this);
  han1_->setObjectName("HanBtn1");
  han2_ = new QRadioButton("年次指定", this);
  han2_->setObjectName("HanBtn2");
  nentsugi_ = new QComboBox(this);
  nentsugi_->setObjectName("NentsugiBox");
  reset(ds);
  grid_->addWidget(han1_, 0, 0, 1, 2);
  grid_->addWidget(han2_, 1, 0);
  grid_->addWidget(nentsugi_, 1, 1);
  grid_->setColumnStretch(4, 1);
  connect(han1_, &QRadioButton::clicked, this, &YearRangeBox::chooseAllYears);
  connect(han2_, &QRadioButton::clicked, this, &YearRangeBox::chooseOneYear);
}

void YearRangeBox::reset(const DataStore& ds) {
  nentsugi_->clear();
  const YearList years = yearComboList(ds.nenji, ds.yearNumber());
  for (const std::string& e : years.entries) nentsugi_->addItem(QString::fromStdString(e));
  years_ = years.years;
  nentsugi_->setCurrentIndex(years.entries.empty() ? -1 : years.selected);
  han1_->setChecked(true);
  nentsugi_->setEnabled(false);
}

void YearRangeBox::chooseAllYears() {
  nentsugi_->setEnabled(false);
  emit rangeClicked(1);
}

void YearRangeBox::chooseOneYear() {
  nentsugi_->setEnabled(true);
  emit rangeClicked(2);
}

bool YearRangeBox::allYears() const { return han1_->isChecked(); }

int YearRangeBox::yearPosition() const { return std::max(0, nentsugi_->currentIndex()); }

tally::TallyRange YearRangeBox::range() const {
  const int i = nentsugi_->currentIndex();
  if (!han2_->isChecked() || i < 0 || i >= int(years_.size())) return tally::TallyRange::all();
  return tally::TallyRange::oneYear(years_[std::size_t(i)]);
}

QVBoxLayout* startCancelColumn(QDialog* dialog, const char* objectName, const char* caption, QPushButton** start) {
  auto* column = new QVBoxLayout;
  *start = new QPushButton(QString::fromUtf8(caption), dialog);
  (*start)->setObjectName(objectName);
  (*start)->setDefault(true);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", dialog);
  cancel->setObjectName("CancelBtn");
  cancel->setAutoDefault(false);
  column->addStretch();
  column->addWidget(*start);
  column->addWidget(cancel);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return column;
}

}  // namespace tovra
