#pragma once
// NiftyImportDialog "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み": a file name or the automatic search
// of the NIFTY folder; exec() gives ImportFile, SearchFolder or Rejected. NiftyImportResultDialog
// shows the races read and the races with errors; 登録 stores.
#include <QDialog>

#include "ui/import/ImportWidgets.h"

class QLabel;
class QLineEdit;

namespace tovra {

struct ImportFolders;

class NiftyImportDialog : public QDialog {
  Q_OBJECT
 public:
  enum Result { ImportFile = 2, SearchFolder = 3 };
  // On the day labelled `day`; relative files below the working folder `root`.
  NiftyImportDialog(const ImportFolders& folders, const QString& day, std::filesystem::path root,
                    QWidget* parent = nullptr);
  QString fileName() const;

 public slots:
  void importNamedFile() { done(ImportFile); }
  void searchFolder() { done(SearchFolder); }
  void chooseFile();  // 参照: picks the file with a file chooser

 private:
  std::filesystem::path root_;
  QLineEdit* fileEdit_;
  QLabel* forudaPanel_ = nullptr;
};

class NiftyImportResultDialog : public ImportResultDialog {
  Q_OBJECT
 public:
  // `source`: the file read and its date (FilePanel).
  NiftyImportResultDialog(const QString& day, const QString& racesRead, const QString& errors, const QString& source,
                          QWidget* parent = nullptr);
};

}  // namespace tovra
