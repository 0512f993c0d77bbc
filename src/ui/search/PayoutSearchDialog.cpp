#include "ui/search/PayoutSearchDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "features/search/search_input.hpp"
#include "ui/search/SearchRangeBox.h"
#include "ui/widgets/DigitFilter.h"
#include "ui/widgets/EditableCombo.h"
#include "ui/widgets/Looks.h"

namespace tovra {
namespace {

// An amount box: an editable list of amounts whose typed text is digits only.
QComboBox* amountBox(const char* name, int first, int last, UserPort& port, QWidget* parent) {
  QComboBox* box = makeEditableCombo(name, parent);
  if (first == 100) box->addItem("100");
  for (int v = 500; v <= last; v += 500) box->addItem(QString::number(v));
  box->setCurrentIndex(-1);
  installDigitKeyFilter(box->lineEdit(), port);
  box->lineEdit()->setMaxLength(4);
  return box;
}

}  // namespace

QLineEdit* PayoutSearchDialog::yenEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(9);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  installDigitKeyFilter(edit, port_);
  return edit;
}

PayoutSearchDialog::PayoutSearchDialog(DataStore& ds, UserPort& port, QWidget* parent) : QDialog(parent), port_(port) {
  setObjectName("RaceKekaHaitouKensakuDialog");
  setWindowTitle("ﾚｰｽ結果配当検索");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 14, 16, 14);
  grid->setHorizontalSpacing(14);
  range_ = new SearchRangeBox(ds, this);
  grid->addWidget(range_, 0, 0, 2, 1);

  auto* group = new QGroupBox("配当検索範囲", this);
  group->setObjectName("GroupBox2");
  // Below the two boxes of 金額指定, 高額指定: amounts of up to nine digits (3連単's
  // 十万馬券 and 百万馬券).
  group->setFixedSize(262, 172);
  kin1_ = new QRadioButton("金額指定", group);
  kin1_->setObjectName("KinBtn1");
  kin1_->setGeometry(14, 24, 100, 20);
  kin2_ = new QRadioButton("万馬券", group);
  kin2_->setObjectName("KinBtn2");
  kin2_->setGeometry(124, 24, 100, 20);
  kin1_->setChecked(true);
  // The yen signs stand in one label behind the two boxes: "円 ～" after the lower box,
  // the upper box over the blanks, and "円" after it (6 pixels per half-width cell).
  label_ = new QLabel("円 ～                  円", group);
  label_->setObjectName("Label");
  label_->setFont(figureFont(12));
  label_->setGeometry(86, 64, 150, 24);
  kinBox1_ = amountBox("KinBox1", 100, 9500, port_, group);
  kinBox1_->setGeometry(14, 62, 70, 26);
  kinBox2_ = amountBox("KinBox2", 500, 10000, port_, group);
  kinBox2_->setGeometry(86 + 36, 62, 92, 26);
  // The upper list ends with 10000: the box takes five characters for it, typing stays at four.
  kinBox2_->lineEdit()->setMaxLength(5);
  kinBox2_->lineEdit()->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}|10000"), kinBox2_->lineEdit()));
  label_->lower();
  kin3_ = new QRadioButton("高額指定 (円)", group);
  kin3_->setObjectName("KinBtn3");
  kin3_->setGeometry(14, 104, 200, 20);
  kinEdit1_ = yenEdit("KinEdit1", group);
  kinEdit1_->setGeometry(14, 132, 104, 26);
  yenLabel_ = new QLabel("～", group);
  yenLabel_->setObjectName("YenLabel");
  yenLabel_->setAlignment(Qt::AlignCenter);
  yenLabel_->setGeometry(118, 132, 24, 26);
  kinEdit2_ = yenEdit("KinEdit2", group);
  kinEdit2_->setGeometry(142, 132, 104, 26);
  kinEdit2_->setText(QString::number(search::kPayoutSearchMax));
  grid->addWidget(group, 0, 1);

  QPushButton* kensaku = nullptr;
  grid->addLayout(kensakuButtons(this, &kensaku), 0, 2, 2, 1);
  connect(kensaku, &QPushButton::clicked, this, &PayoutSearchDialog::startSearch);
  connect(kin1_, &QRadioButton::clicked, this, &PayoutSearchDialog::enablePayoutRange);
  connect(kin2_, &QRadioButton::clicked, this, &PayoutSearchDialog::disablePayoutRange);
  connect(kin3_, &QRadioButton::clicked, this, &PayoutSearchDialog::disablePayoutRange);
  enablePayoutRange();
  setFixedSize(sizeHint());
}

void PayoutSearchDialog::enablePayoutRange() { enableBoxes(); }

void PayoutSearchDialog::disablePayoutRange() { enableBoxes(); }

void PayoutSearchDialog::enableBoxes() {
  const bool amounts = kin1_->isChecked();
  kinBox1_->setEnabled(amounts);
  kinBox2_->setEnabled(amounts);
  label_->setEnabled(amounts);
  const bool yen = kin3_->isChecked();
  kinEdit1_->setEnabled(yen);
  kinEdit2_->setEnabled(yen);
  yenLabel_->setEnabled(yen);
}

void PayoutSearchDialog::startSearch() {
  params_ = {};
  params_.type = search::SearchType::Haitou;
  if (kin2_->isChecked()) {
    params_.payout.manbaken = true;
  } else if (kin3_->isChecked()) {
    const auto amounts =
        search::acceptPayoutYen(port_, kinEdit1_->text().toStdString(), kinEdit2_->text().toStdString());
    if (!amounts) return;
    params_.payout = *amounts;
  } else {
    const auto amounts = search::acceptPayoutAmounts(port_, kinBox1_->currentText().toStdString(),
                                                     kinBox2_->currentText().toStdString());
    if (!amounts) return;
    params_.payout = *amounts;
  }
  params_.range = range_->range();
  params_.hitOnly = range_->hitOnly();
  accept();
}

}  // namespace tovra
