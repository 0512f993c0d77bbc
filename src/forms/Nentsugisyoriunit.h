#pragma once
// TNentsugiSyoriDialog "年次処理": registers a new racing year or deletes one.
// It closes with Registered or Deleted after a change, Rejected otherwise; the main
// window then redraws and refills its year box.
#include <QDialog>

class QListWidget;
class QLineEdit;
class QPushButton;

namespace tovra {

class TNentsugiSyoriDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Registered = 2, Deleted = 3 };
  explicit TNentsugiSyoriDialog(QWidget* parent = nullptr);

 public slots:
  void TourokuBtnClick();
  void WidwSakujyoBtnClick();

 private:
  void fillNenBox();
  QListWidget* nenBox_;
  QLineEdit* nenEdit_;
};

}  // namespace tovra
