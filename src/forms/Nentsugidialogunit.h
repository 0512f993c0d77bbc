#pragma once
// NENTSUGIDIALOG "年次初期登録": asks for the first racing year when none is registered.
// It has no cancel: the ledger cannot work without a year.
#include <QDialog>

class QLineEdit;

namespace tovra {

class TNentsugiDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TNentsugiDialog(QWidget* parent = nullptr);
  int year() const { return year_; }

 public slots:
  void TourokuBtnClick();
  // Escape and the window's close box do not cancel.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLineEdit* edit_;
  int year_ = 0;
};

}  // namespace tovra
