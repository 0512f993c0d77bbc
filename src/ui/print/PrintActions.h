#pragma once
// Printing from the windows: PrintDialog, then the job on the default printer or, with
// PDF保存, into an A4 PDF file the user names.
#include <optional>

#include "features/print/print_job.hpp"

class QWidget;

namespace tovra {

class UserPort;

// Prints the job after PrintDialog names it and the printer (the Qt port's printer(),
// else the system's default); the failure messages go
// through the port. The dialog is shown without a default printer too, for PDF保存 (印刷
// then says that there is no printer). True when it was printed or written.
bool printWithDialog(QWidget* parent, UserPort& port, const print::PrintJob& job);
// The same for a tally job (nothing when its work file was missing: the message is shown).
bool printWithDialog(QWidget* parent, UserPort& port, const std::optional<print::PrintJob>& job);

}  // namespace tovra
