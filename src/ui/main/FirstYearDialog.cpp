#include "ui/main/FirstYearDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "features/years/years.hpp"
#include "storage/user_port.hpp"
#include "ui/widgets/DigitFilter.h"

namespace tovra {

FirstYearDialog::FirstYearDialog(UserPort& port, QWidget* parent) : QDialog(parent), port_(port) {
  setObjectName("NENTSUGIDIALOG");
  setWindowTitle("年次初期登録");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(20, 18, 20, 16);
  grid->setVerticalSpacing(14);
  auto* text = new QLabel("年次が登録されていません。年次を登録して下さい。", this);
  text->setObjectName("Message");
  grid->addWidget(text, 0, 0, 1, 4);
  grid->addWidget(new QLabel("年次：", this), 1, 0, Qt::AlignRight);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit100");
  edit_->setFixedWidth(64);
  installDigitKeyFilter(edit_, port_);
  grid->addWidget(edit_, 1, 1);
  grid->addWidget(new QLabel("年", this), 1, 2);
  auto* btn = new QPushButton("登録", this);
  btn->setObjectName("TourokuBtn");
  btn->setDefault(true);
  grid->addWidget(btn, 2, 0, 1, 4, Qt::AlignHCenter);
  grid->setColumnStretch(3, 1);
  connect(btn, &QPushButton::clicked, this, &FirstYearDialog::acceptFirstYear);
  setFixedSize(sizeHint());
}

void FirstYearDialog::acceptFirstYear() {
  const QString text = edit_->text();
  if (!firstYearTextAccepted(text.toStdString())) {
    showError(port_, kYearTextRefusedText);
    edit_->selectAll();
    edit_->setFocus();
    return;
  }
  year_ = text.toInt();
  accept();
}

}  // namespace tovra
