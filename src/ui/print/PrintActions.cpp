#include "ui/print/PrintActions.h"

#include <QWidget>
#include <filesystem>

#include "adapters/qt/print/QtPrintBackend.h"
#include "storage/fileio.hpp"
#include "ui/common/QtUserPort.h"
#include "ui/common/SaveFile.h"
#include "ui/print/PrintDialog.h"

namespace tovra {

bool printWithDialog(QWidget* parent, UserPort& port, const print::PrintJob& job) {
  std::unique_ptr<print::PrintBackend> backend;
  auto* qt = dynamic_cast<QtUserPort*>(&port);
  print::Printer* printer = qt ? qt->printer() : nullptr;
  if (!printer) {
    backend = makeQtPrintBackend();
    printer = &backend->systemPrinter();
  }
  const std::optional<std::string> name = printer->defaultPrinterName();
  int answer = QDialog::Rejected;
  {
    PrintDialog dlg(QString::fromStdString(job.confirmation), QString::fromStdString(name.value_or("")), parent);
    answer = dlg.exec();
  }
  if (answer == PrintDialog::kPdf) {
    const QString path = askSaveFile(parent, port, "PDF保存", QString::fromStdString(job.fileName), "PDF (*.pdf)");
    if (path.isEmpty()) return false;
    if (!backend) backend = makeQtPrintBackend();
    FileSystem fs;
    const auto device = backend->pdfFile(fs, std::filesystem::path(path.toStdString()));
    return print::drawDocument(*device, port, job.document);
  }
  if (answer != QDialog::Accepted) return false;
  // Asked already: a missing printer or one that fails gives its message here.
  return print::printOnDefault(
      *printer, port, [](const std::string&, const std::string&) { return true; }, job);
}

bool printWithDialog(QWidget* parent, UserPort& port, const std::optional<print::PrintJob>& job) {
  return job && printWithDialog(parent, port, *job);
}

}  // namespace tovra
