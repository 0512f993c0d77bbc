#pragma once
// The ｢保存｣ buttons that write a file the user names (CSV tables, chart pictures): the
// file dialog opens in the working folder with a suggested name; tests answer it instead.
#include <QString>
#include <functional>

#include "export/csv.hpp"

class QWidget;

namespace tovra {

class FileSystem;
class UserPort;

// The file chosen, or empty when the user cancelled.
QString askSaveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter);
// Tests: answers every question (nullptr: the file dialog again).
using SaveFileQuestion = std::function<QString(const QString& caption, const QString& suggested)>;
void setSaveFileQuestion(SaveFileQuestion question);

// ｢CSV保存｣: asks for the file (proposing `suggested`, a name of export/csv_names.hpp) and
// writes the table. False when the user
// cancelled or the file could not be written (after the message).
bool saveCsvAs(QWidget* parent, FileSystem& fs, UserPort& port, const exports::CsvTable& table,
               const QString& suggested);

}  // namespace tovra
