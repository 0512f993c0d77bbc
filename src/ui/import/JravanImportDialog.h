#pragma once
// JravanImportDialog "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み": the kind (出馬表 / 成績), the layout
// (新仕様), and a file name or the automatic search of the kind's folder. It only
// collects the choice: exec() gives ImportFile, SearchFolder or Rejected.
#include <QDialog>

#include "ui/import/ImportWidgets.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tovra {

class RadioGroupBox;
struct ImportFolders;

class JravanImportDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { ImportFile = 2, SearchFolder = 3 };
  // On the day labelled `day`, with the folders of the settings; relative files and
  // folders are below the working folder `root`.
  JravanImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                     QWidget* parent = nullptr);

  int kind() const;    // 0 出馬表, 1 成績
  bool newer() const;  // 新仕様
  QString fileName() const;

 public slots:
  void showFolderOfKind(int kind);
  void chooseFile();  // 参照: picks the file with a file chooser
  void importNamedFile() { done(ImportFile); }
  void searchFolder() { done(SearchFolder); }

 private:
  const ImportFolders& folders_;
  std::filesystem::path root_;
  RadioGroupBox* radioGroup_;
  QCheckBox* checkBox_;
  QLineEdit* fileEdit_;
  QLabel* forudaPanel_;
};

// JravanImportResultDialog "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了": the races read; 登録 stores.
class JravanImportResultDialog : public ImportResultDialog {
  Q_OBJECT
 public:
  // `source`: the file read and its date (FilePanel).
  JravanImportResultDialog(const QString& day, const QString& racesRead, const QString& source,
                           QWidget* parent = nullptr);
};

}  // namespace tovra
