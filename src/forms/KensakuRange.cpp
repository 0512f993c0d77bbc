#include "forms/KensakuRange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ledger/helpers.hpp"

namespace tovra {

KensakuRange::KensakuRange(const DataStore& ds, QWidget* parent) : QWidget(parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox("検索範囲", this);
  group->setObjectName("GroupBox1");
  auto* grid = new QGridLayout(group);
  han1_ = new QRadioButton("登録済全ﾃﾞｰﾀ", group);
  han1_->setObjectName("HanBtn1");
  han2_ = new QRadioButton("年次指定", group);
  han2_->setObjectName("HanBtn2");
  nentsugi_ = new QComboBox(group);
  nentsugi_->setObjectName("NentsugiBox");
  const YearList years = yearComboList(ds);
  for (const std::string& e : years.entries) nentsugi_->addItem(QString::fromStdString(e));
  years_ = years.years;
  nentsugi_->setCurrentIndex(years.entries.empty() ? -1 : years.selected);
  han1_->setChecked(true);
  nentsugi_->setEnabled(false);
  grid->addWidget(han1_, 0, 0, 1, 2);
  grid->addWidget(han2_, 1, 0);
  grid->addWidget(nentsugi_, 1, 1);
  grid->setColumnStretch(2, 1);
  outer->addWidget(group);
  teki_ = new QCheckBox("的中ﾚｰｽのみ", this);
  teki_->setObjectName("TekiCheckBox");
  outer->addWidget(teki_);
  connect(han1_, &QRadioButton::clicked, this, &KensakuRange::HanBtn1Click);
  connect(han2_, &QRadioButton::clicked, this, &KensakuRange::HanBtn2Click);
}

void KensakuRange::HanBtn1Click() { nentsugi_->setEnabled(false); }
void KensakuRange::HanBtn2Click() { nentsugi_->setEnabled(true); }

tally::TallyRange KensakuRange::range() const {
  const int i = nentsugi_->currentIndex();
  if (han1_->isChecked() || i < 0 || i >= int(years_.size())) return tally::TallyRange::all();
  return tally::TallyRange::oneYear(years_[std::size_t(i)]);
}

bool KensakuRange::hitOnly() const { return teki_->isChecked(); }

QVBoxLayout* kensakuButtons(QDialog* dialog, QPushButton** kensaku) {
  auto* column = new QVBoxLayout;
  *kensaku = new QPushButton("検索開始", dialog);
  (*kensaku)->setObjectName("KensakuBtn");
  (*kensaku)->setDefault(true);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", dialog);
  cancel->setObjectName("CancelBtn");
  cancel->setAutoDefault(false);
  column->addStretch();
  column->addWidget(*kensaku);
  column->addWidget(cancel);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return column;
}

}  // namespace tovra
