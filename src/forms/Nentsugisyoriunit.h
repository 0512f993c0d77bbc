#pragma once
// TNentsugiSyoriDialog "年次処理": registers a new racing year or deletes one.
// After a change it closes (Registered or Deleted), the main window shows the current
// year through `showYears`, and then the notice comes; ｷｬﾝｾﾙ closes with Rejected.
#include <QDialog>
#include <functional>

class QListWidget;
class QLineEdit;
class QPushButton;

#include "ledger/years.hpp"

namespace tovra {

class DataStore;
class UserPort;

class TNentsugiSyoriDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { Registered = 2, Deleted = 3 };
  TNentsugiSyoriDialog(DataStore& ds, UserPort& port, std::function<void()> showYears, QWidget* parent = nullptr);

 public slots:
  void TourokuBtnClick();
  void WidwSakujyoBtnClick();

 private:
  void fillNenBox();
  YearWindowHooks hooks(int closeWith);
  DataStore& ds_;
  UserPort& port_;
  std::function<void()> showYears_;
  QListWidget* nenBox_;
  QLineEdit* nenEdit_;
};

}  // namespace tovra
