#include "ui/common/SaveFile.h"

#include <QDir>
#include <QFileDialog>

#include "ui/common/QtUserPort.h"

namespace tovra {

QString askSaveFile(QWidget* parent, UserPort& port, const QString& caption, const QString& suggested,
                    const QString& filter) {
  // The windows are handed the program's Qt port; a port of the core alone has no file
  // dialog of its own, so the standard one is shown for it.
  if (auto* qt = dynamic_cast<QtUserPort*>(&port)) return qt->askSaveFile(parent, caption, suggested, filter);
  return QFileDialog::getSaveFileName(parent, caption, QDir::current().filePath(suggested), filter);
}

bool saveCsvAs(QWidget* parent, FileSystem& fs, UserPort& port, const exports::CsvTable& table,
               const QString& suggested) {
  const QString path = askSaveFile(parent, port, "CSV保存", suggested, "CSV (*.csv)");
  if (path.isEmpty()) return false;
  return exports::writeCsvFile(fs, port, path.toStdString(), table);
}

}  // namespace tovra
