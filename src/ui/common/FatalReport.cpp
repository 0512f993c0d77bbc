#include "ui/common/FatalReport.h"

#include <QApplication>
#include <cstdlib>

#include "storage/fatal_error.hpp"
#include "storage/unexpected_error.hpp"
#include "storage/user_port.hpp"

namespace tovra {

void reportFatal(UserPort& port, const FatalFileError& e) {
  QApplication::restoreOverrideCursor();
  showError(port, e.message());
}

void reportFatalAndEnd(UserPort& port, const FatalFileError& e) {
  reportFatal(port, e);
  // Ends here: unwinding further would run the closing code, which writes files.
  std::_Exit(kFatalExitCode);
}

void reportUnexpectedAndEnd(UserPort& port, const std::exception* e) {
  QApplication::restoreOverrideCursor();
  showError(port, unexpectedErrorMessage(e));
  std::_Exit(kFatalExitCode);
}

}  // namespace tovra
