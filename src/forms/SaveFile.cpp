#include "forms/SaveFile.h"

#include <QDir>
#include <QFileDialog>

namespace tovra {

namespace {
SaveFileQuestion& question() {
  static SaveFileQuestion q;
  return q;
}
}  // namespace

void setSaveFileQuestion(SaveFileQuestion q) { question() = std::move(q); }

QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) {
  if (question()) return question()(caption, suggested);
  return QFileDialog::getSaveFileName(parent, caption, QDir::current().filePath(suggested), filter);
}

bool saveCsvAs(QWidget* parent, FileSystem& fs, UserPort& port, const exports::CsvTable& table,
               const QString& suggested) {
  const QString path = askSaveFile(parent, "CSV保存", suggested, "CSV (*.csv)");
  if (path.isEmpty()) return false;
  return exports::writeCsvFile(fs, port, path.toStdString(), table);
}

}  // namespace tovra
