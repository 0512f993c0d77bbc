#include "forms/FatalReport.h"

#include <QApplication>
#include <cstdlib>

#include "forms/AppState.h"
#include "ledger/fatal_error.hpp"
#include "ledger/unexpected_error.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

void reportFatal(const FatalFileError& e) {
  QApplication::restoreOverrideCursor();
  showError(userPort(), e.message());
}

void reportFatalAndEnd(const FatalFileError& e) {
  reportFatal(e);
  // Ends here: unwinding further would run the closing code, which writes files.
  std::_Exit(kFatalExitCode);
}

void reportUnexpectedAndEnd(const std::exception* e) {
  QApplication::restoreOverrideCursor();
  showError(userPort(), unexpectedErrorMessage(e));
  std::_Exit(kFatalExitCode);
}

}  // namespace tovra
