#include "ui/widgets/AmountKeypad.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "features/entry/amount_field.hpp"
#include "storage/user_port.hpp"

namespace tovra {

AmountKeypad::AmountKeypad(UserPort& port, QWidget* parent) : QWidget(parent), port_(port) {
  setObjectName("Keypad");
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(3);
  // 7 8 9 / 4 5 6 / 1 2 3 / 0 00 <<< / C
  static const int layout[5][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}, {10, 11, 12}, {13, 0, 0}};
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int key = layout[row][col];
      if (key == 0) continue;
      auto* b = new QPushButton(keypadCaption(key), this);
      b->setObjectName(QStringLiteral("BitBtn%1").arg(key));
      b->setAutoDefault(false);
      b->setFocusPolicy(Qt::NoFocus);
      b->setFixedSize(key == 13 ? 3 * 40 + 6 : 40, 30);
      grid->addWidget(b, row, col, 1, key == 13 ? 3 : 1);
      connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
    }
  }
}

void AmountKeypad::press(int key) {
  if (!target_) return;
  std::string field = target_->text().toStdString();
  if (!pressKeypad(field, key)) {
    port_.beep();
    return;
  }
  target_->setText(QString::fromStdString(field));
}

}  // namespace tovra
