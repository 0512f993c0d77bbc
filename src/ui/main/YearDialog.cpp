#include "ui/main/YearDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "features/years/years.hpp"
#include "storage/datastore.hpp"
#include "storage/user_port.hpp"
#include "ui/widgets/DigitFilter.h"

namespace tovra {

YearDialog::YearDialog(DataStore& ds, BetStore& bets, const LedgerEvents& events, const NenjiTable& years,
                       int currentYear, UserPort& port, QWidget* parent)
    : QDialog(parent), ds_(ds), bets_(bets), events_(events), years_(years), currentYear_(currentYear), port_(port) {
  setObjectName("NentsugiSyoriDialog");
  setWindowTitle("年次処理");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(10);
  grid->addWidget(new QLabel("登録済年次：", this), 0, 0);
  nenBox_ = new QListWidget(this);
  nenBox_->setObjectName("NenBox");
  nenBox_->setFixedSize(120, 200);
  grid->addWidget(nenBox_, 1, 0, 4, 1);

  auto* editRow = new QHBoxLayout;
  nenEdit_ = new QLineEdit(this);
  nenEdit_->setObjectName("NenEdit");
  nenEdit_->setMaxLength(4);
  nenEdit_->setFixedWidth(64);
  installDigitKeyFilter(nenEdit_, port_);
  editRow->addWidget(nenEdit_);
  editRow->addWidget(new QLabel("年", this));
  editRow->addStretch();
  grid->addLayout(editRow, 1, 1);

  auto* touroku = new QPushButton("登録", this);
  touroku->setObjectName("TourokuBtn");
  auto* sakujyo = new QPushButton("削除", this);
  sakujyo->setObjectName("WideSakujyoBtn");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("CancelBtn");
  for (QPushButton* b : {touroku, sakujyo, cancel}) b->setAutoDefault(false);
  grid->addWidget(touroku, 2, 1);
  grid->addWidget(sakujyo, 3, 1);
  grid->addWidget(cancel, 4, 1, Qt::AlignBottom);
  connect(touroku, &QPushButton::clicked, this, &YearDialog::addYear);
  connect(sakujyo, &QPushButton::clicked, this, &YearDialog::deleteChosenYear);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  fillNenBox();
  setFixedSize(sizeHint());
  // Typing a new year is the usual errand; the list has no entry chosen until clicked.
  nenEdit_->setFocus();
}

void YearDialog::fillNenBox() {
  const YearList list = yearComboList(years_, currentYear_, kNenBoxFormat);
  nenBox_->clear();
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(list.entries[i]), nenBox_);
    item->setData(Qt::UserRole, list.years[i]);
  }
}

void YearDialog::addYear() {
  auto r = registerYear(ds_.ledger(), events_, years_, nenEdit_->text().toStdString());
  if (r.failed()) ds_.fatal(r.failure().code, r.failure().path);
  if (r.refused()) {
    showRefusal(port_, r.refusal());
    return;
  }
  registered_ = std::move(*r);
  done(Registered);
}

void YearDialog::deleteChosenYear() {
  QListWidgetItem* item = nenBox_->currentItem();
  const int year = item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
  if (const auto refusal = deleteYearRefusal(year, currentYear_)) {
    showRefusal(port_, *refusal);
    return;
  }
  if (!askOkCancel(port_, kDeleteYearQuestion, MsgIcon::Warning)) return;
  auto r = deleteYear(ds_.ledger(), bets_, events_, years_, year, currentYear_);
  if (r.failed()) ds_.fatal(r.failure().code, r.failure().path);
  if (r.refused()) {
    showRefusal(port_, r.refusal());
    return;
  }
  deleted_ = std::move(*r);
  done(Deleted);
}

}  // namespace tovra
