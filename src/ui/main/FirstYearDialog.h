#pragma once
// NENTSUGIDIALOG "年次初期登録": asks for the first racing year when none is registered.
// It has no cancel button; Escape and the window's close box end it without a year
// (Rejected), and the program then ends having written nothing.
#include <QDialog>

class QLineEdit;

namespace tovra {

class UserPort;

class FirstYearDialog : public QDialog {
  Q_OBJECT
 public:
  // `port` tells of a year text that is not accepted.
  explicit FirstYearDialog(UserPort& port, QWidget* parent = nullptr);
  int year() const { return year_; }

 public slots:
  void acceptFirstYear();

 private:
  UserPort& port_;
  QLineEdit* edit_;
  int year_ = 0;
};

}  // namespace tovra
