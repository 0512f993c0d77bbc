#pragma once
// The ｢保存｣ buttons that write a file the user names (CSV tables, chart pictures): the
// file dialog opens in the working folder with a suggested name. The port asks: the
// program's Qt port shows the file dialog, a test's port answers instead.
#include <QString>

#include "features/export/csv.hpp"

class QWidget;

namespace tovra {

class FileSystem;
class UserPort;

// The file chosen, or empty when the user cancelled.
QString askSaveFile(QWidget* parent, UserPort& port, const QString& caption, const QString& suggested,
                    const QString& filter);

// ｢CSV保存｣: asks for the file (proposing `suggested`, a name of features/export/csv_names.hpp) and
// writes the table. False when the user
// cancelled or the file could not be written (after the message).
bool saveCsvAs(QWidget* parent, FileSystem& fs, UserPort& port, const exports::CsvTable& table,
               const QString& suggested);

}  // namespace tovra
