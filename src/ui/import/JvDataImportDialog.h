#pragma once
// JvDataImportDialog "JV-Dataﾌｧｲﾙ読み込み": the JRA-VAN Data Lab file (RA, SE and HR
// records) to read into the day shown. It only collects the file: exec() gives Accepted
// (読み込み) or Rejected (ｷｬﾝｾﾙ).
#include <QDialog>
#include <QStringList>
#include <filesystem>

#include "ui/import/ImportWidgets.h"

class QLineEdit;

namespace tovra {

class JvDataImportDialog : public QDialog {
  Q_OBJECT
 public:
  // On the day labelled `day`; relative files are below the working folder `root`.
  JvDataImportDialog(const QString& day, std::filesystem::path root, QWidget* parent = nullptr);
  QString fileName() const;

 public slots:
  void chooseFile();  // 参照: picks the file with a file chooser
  void importNamedFile();

 private:
  std::filesystem::path root_;
  QLineEdit* fileEdit_;
};

// JvDataImportResultDialog "JV-Dataﾌｧｲﾙ読み込み終了": the file, the races read ("中止"
// after a cancelled race), the races the file deletes and what becomes of the day's WIN5,
// each in its panel; 登録 stores.
class JvDataImportResultDialog : public ImportResultDialog {
  Q_OBJECT
 public:
  JvDataImportResultDialog(const QString& day, const QString& source, const QStringList& lines,
                           QWidget* parent = nullptr);
};

}  // namespace tovra
