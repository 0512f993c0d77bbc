#pragma once
// PatImportDialog "PATﾃﾞｰﾀ読み込み": which of the three reads to run (the purchases
// always checked, results and runners for the Windows kinds); exec() gives Accepted or
// Rejected. PatImportResultDialog shows each read's races; 登録 stores.
#include <QDialog>

#include "features/import/pat/pat_import.hpp"
#include "ui/import/ImportWidgets.h"

class QCheckBox;
class QLabel;

namespace tovra {

struct ImportFolders;

class PatImportDialog : public QDialog {
  Q_OBJECT
 public:
  // On the day labelled `day`; a relative PAT folder below the working folder `root`.
  PatImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                  QWidget* parent = nullptr);
  PatRequest request() const;
  // The PAT folder to read (UTF-8): the one of the import settings, or the one chosen
  // with 参照 for this import.
  QString folder() const;

 public slots:
  void importChosenData() { accept(); }
  void chooseFolder();  // 参照: picks the folder with a folder chooser

 private:
  std::filesystem::path root_;
  QCheckBox* checkBox_[3] = {};
  QLabel* forudaPanel_ = nullptr;
};

class PatImportResultDialog : public ImportResultDialog {
  Q_OBJECT
 public:
  PatImportResultDialog(const QString& day, const PatTexts& texts, QWidget* parent = nullptr);
};

}  // namespace tovra
