#include "forms/PrintActions.h"

#include <QWidget>

#include "forms/Insatsudialogunit.h"
#include "forms/qtprint/QtPrintBackend.h"

namespace tovra {

namespace {
print::Printer* gTestPrinter = nullptr;
}

void setFormsPrinter(print::Printer* printer) { gTestPrinter = printer; }

bool printWithDialog(QWidget* parent, UserPort& port, const print::PrintJob& job) {
  std::unique_ptr<print::PrintBackend> backend;
  print::Printer* printer = gTestPrinter;
  if (!printer) {
    backend = makeQtPrintBackend();
    printer = &backend->systemPrinter();
  }
  auto confirm = [parent](const std::string& text, const std::string& name) {
    TInsatsuDialog dlg(QString::fromStdString(text), QString::fromStdString(name), parent);
    return dlg.exec() == QDialog::Accepted;
  };
  return print::printOnDefault(*printer, port, confirm, job);
}

bool printWithDialog(QWidget* parent, UserPort& port, const std::optional<print::PrintJob>& job) {
  return job && printWithDialog(parent, port, *job);
}

}  // namespace tovra
