#pragma once
// TPatYomikomiDialog "PATﾃﾞｰﾀ読み込み": which of the three reads to run (the purchases
// always checked, results and runners for the Windows kinds); exec() gives Accepted or
// Rejected. TPatYomikomiKekaDialog shows each read's races; 登録 stores.
#include <QDialog>

#include "ui/import/ImportWidgets.h"
#include "features/import/pat/pat_import.hpp"

class QCheckBox;
class QLabel;

namespace tovra {

struct ImportFolders;

class TPatYomikomiDialog : public QDialog {
  Q_OBJECT
 public:
  // On the day labelled `day`; a relative PAT folder below the working folder `root`.
  TPatYomikomiDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                     QWidget* parent = nullptr);
  PatRequest request() const;
  // The PAT folder to read (UTF-8): the one of the import settings, or the one chosen
  // with 参照 for this import.
  QString folder() const;

 public slots:
  void YomikomiBtnClick() { accept(); }
  void SanshoBtnClick();  // 参照: picks the folder with a folder chooser

 private:
  std::filesystem::path root_;
  QCheckBox* checkBox_[3] = {};
  QLabel* forudaPanel_ = nullptr;
};

class TPatYomikomiKekaDialog : public ImportKekaDialog {
  Q_OBJECT
 public:
  TPatYomikomiKekaDialog(const QString& day, const PatTexts& texts, QWidget* parent = nullptr);
};

}  // namespace tovra
