#pragma once
// TForudaSetteiDialog "読み込み機能設定": the four import folders and the PAT kind.
// 設定 stores them (a "/" appended to each folder) in memory and in janipa.dat and
// accepts; ｷｬﾝｾﾙ changes nothing.
#include <QDialog>

class QLineEdit;
class QTabWidget;

namespace tovra {

class RadioGroupBox;
struct ImportFolders;

class TForudaSetteiDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TForudaSetteiDialog(ImportFolders& folders, QWidget* parent = nullptr);

 public slots:
  void SetteiBtnClick();

 private:
  ImportFolders& folders_;
  QTabWidget* page1_;
  QLineEdit* edits_[4] = {};  // ShuEdit, SeiEdit, NifEdit, PatEdit
  RadioGroupBox* radioGroup_;
};

}  // namespace tovra
