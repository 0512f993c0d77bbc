#pragma once
// The 13-key keypad of the purchase and result dialogs (BitBtn1..BitBtn13: "1".."9",
// "0", "00", "<<<", "C"). It edits whichever amount field the dialog names as current,
// by the keypad rules of the core; a refused key beeps through the port.
#include <QWidget>

class QLineEdit;

namespace tovra {

class UserPort;

class AmountKeypad : public QWidget {
  Q_OBJECT
 public:
  AmountKeypad(UserPort& port, QWidget* parent);
  // The field the keys act on (the amount field of the page shown).
  void setTarget(QLineEdit* edit) { target_ = edit; }

 public slots:
  void press(int key);  // 1..13

 private:
  UserPort& port_;
  QLineEdit* target_ = nullptr;
};

}  // namespace tovra
