#include "app/TovraProgram.h"

#include "forms/AppState.h"
#include "forms/FatalReport.h"
#include "forms/Mainunit.h"
#include "forms/SingleInstance.h"
#include "ledger/fatal_error.hpp"
#include "ledger/fileio.hpp"
#include "ledger/ledger_lock.hpp"
#include "ledger/recovery.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

bool TovraApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(e);
  } catch (const std::exception& e) {
    reportUnexpectedAndEnd(&e);
  } catch (...) {
    reportUnexpectedAndEnd(nullptr);
  }
}

int runProgram() {
  SingleInstance instance;
  if (!instance.acquire()) {
    QApplication::beep();
    return 0;
  }
  QApplication::setApplicationName("競走収支帖　トヴラ");
  QApplication::setApplicationVersion("6.32");

  appState().reset(".");
  // One writer at a time: held for the whole run, released by the system when the
  // program ends in any way. A tovra-cli command that writes holds it for a moment only.
  LedgerLock ledgerLock(".");
  if (const auto state = ledgerLock.acquire(3000); state != LedgerLock::State::Held) {
    showError(userPort(), state == LedgerLock::State::Busy ? kLedgerBusyText : kLedgerLockFailedText);
    return 1;
  }
  // The main window; the race window and the condition tally dialog, which live for the
  // whole run, are created with it by their own units.
  TMainForm form;
  try {
    recoverLedger(FileSystem::standard(), ".");
    if (!form.startUp()) return 0;
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(e);
  } catch (const std::exception& e) {
    reportUnexpectedAndEnd(&e);
  }
  form.show();
  return QApplication::exec();
}

}  // namespace tovra
