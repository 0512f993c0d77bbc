#pragma once
// ImportFoldersDialog "読み込み機能設定": the four import folders and the PAT kind.
// 設定 stores them (a "/" appended to each folder) in memory and in janipa.dat and
// accepts; ｷｬﾝｾﾙ changes nothing.
#include <QDialog>

class QLineEdit;
class QTabWidget;

namespace tovra {

class DataStore;
class RadioGroupBox;
class UserPort;
struct ImportFolders;

class ImportFoldersDialog : public QDialog {
  Q_OBJECT
 public:
  // 設定 stores `folders` in the ledger folder of `ds`; a refusal goes through `port`.
  ImportFoldersDialog(ImportFolders& folders, const DataStore& ds, UserPort& port, QWidget* parent = nullptr);

 public slots:
  void saveFolders();

 private:
  ImportFolders& folders_;
  const DataStore& ds_;
  UserPort& port_;
  QTabWidget* page1_;
  QLineEdit* edits_[4] = {};  // ShuEdit, SeiEdit, NifEdit, PatEdit
  RadioGroupBox* radioGroup_;
};

}  // namespace tovra
