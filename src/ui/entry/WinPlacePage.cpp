#include "ui/entry/WinPlacePage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/EntryWidgets.h"
#include "ui/widgets/RadioGroupBox.h"

namespace tovra {

WinPlacePage::WinPlacePage(Use use, UserPort& port) : port_(port) {
  setObjectName("Tab1");
  auto* grid = new QGridLayout(this);
  group_ = new RadioGroupBox("TanGroup", "番号", numberItems(18, true), 3, this);
  grid->addWidget(group_, 0, 0, 4, 1, Qt::AlignTop);

  auto* typeRow = new QHBoxLayout;
  tanBtn_ = new QRadioButton("単勝", this);
  tanBtn_->setObjectName("TanBtn");
  fukuBtn_ = new QRadioButton("複勝", this);
  fukuBtn_->setObjectName("FukuBtn");
  typeRow->addWidget(tanBtn_);
  typeRow->addWidget(fukuBtn_);
  typeRow->addStretch();
  grid->addLayout(typeRow, 0, 1, 1, 2);

  if (use == Use::Purchase)
    buildPurchaseSide(grid);
  else
    buildResultSide(grid);
  // Whatever height the dialog's tallest page gives stays below the amount row.
  grid->setRowStretch(3, 1);
  connect(tanBtn_, &QRadioButton::clicked, this, [this] { chooseList(tanList_, fukuList_); });
  connect(fukuBtn_, &QRadioButton::clicked, this, [this] { chooseList(fukuList_, tanList_); });
}

// The captions (with the amount left to buy at their right) above the lists, the amount
// and its unit at the left of the row below, 追加 and 削除 at its right.
void WinPlacePage::buildPurchaseSide(QGridLayout* grid) {
  tanList_ = lineList("TanListBox", 20, 5, this);
  fukuList_ = lineList("FukuListBox", 20, 5, this);
  tanRemaining_ = new QLabel(this);
  tanRemaining_->setObjectName("TanAtoLabel");
  fukuRemaining_ = new QLabel(this);
  fukuRemaining_->setObjectName("FukuAtoLabel");
  grid->addWidget(new QLabel("単勝", this), 1, 1);
  grid->addWidget(tanRemaining_, 1, 1, Qt::AlignRight);
  grid->addWidget(new QLabel("複勝", this), 1, 2);
  grid->addWidget(fukuRemaining_, 1, 2, Qt::AlignRight);
  grid->addWidget(tanList_, 2, 1);
  grid->addWidget(fukuList_, 2, 2);

  auto* addRow = new QHBoxLayout;
  amountEdit_ = amountEdit("TanGakuEdit", port_, this);
  addRow->addLayout(amountRow(amountEdit_, "00円", this));
  addRow->addStretch();
  addBtn_ = entryButton("TanTsuikaBtn", "追加", this);
  deleteBtn_ = entryButton("TanSakujyobtn", "削除", this);
  addRow->addWidget(addBtn_);
  addRow->addWidget(deleteBtn_);
  grid->addLayout(addRow, 3, 1, 1, 2);
}

// Each list under its caption and as tall as the results it can hold, the payout row
// right below them.
void WinPlacePage::buildResultSide(QGridLayout* grid) {
  tanList_ = fullList("TanListBox", 20, 2, this);
  fukuList_ = fullList("FukuListBox", 20, 4, this);
  grid->addLayout(captioned({{"単勝", tanList_}}, this), 1, 1);
  grid->addLayout(captioned({{"複勝", fukuList_}}, this), 1, 2);
  amountEdit_ = amountEdit("TanGakuEdit", port_, this);
  addBtn_ = entryButton("TanTsuikaBtn", "追加", this);
  deleteBtn_ = entryButton("TanSakujyobtn", "削除", this);
  grid->addLayout(payoutRow(amountEdit_, addBtn_, deleteBtn_, this), 2, 1, 1, 2);
}

void WinPlacePage::reset() {
  amountEdit_->clear();
  group_->setItemIndex(0);
  tanBtn_->setChecked(true);
  chooseList(tanList_, fukuList_);
}

BetType WinPlacePage::type() const { return tanBtn_->isChecked() ? BetType::Tan : BetType::Fuku; }

int WinPlacePage::number() const { return group_->itemIndex() + 1; }

std::string WinPlacePage::amountText() const { return amountEdit_->text().toStdString(); }

QListWidget* WinPlacePage::list(BetType t) const { return t == BetType::Fuku ? fukuList_ : tanList_; }

void WinPlacePage::setRemaining(BetType t, const std::string& text) {
  QLabel* label = t == BetType::Fuku ? fukuRemaining_ : tanRemaining_;
  if (label) label->setText(QString::fromStdString(text));
}

}  // namespace tovra
