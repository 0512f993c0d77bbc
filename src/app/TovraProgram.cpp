#include "app/TovraProgram.h"

#include "forms/AppState.h"
#include "forms/FatalReport.h"
#include "forms/Mainunit.h"
#include "forms/SingleInstance.h"
#include "ledger/fatal_error.hpp"

namespace tovra {

bool TovraApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(e);
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
  // The main window; the race window and the condition tally dialog, which live for the
  // whole run, are created with it by their own units.
  TMainForm form;
  try {
    if (!form.startUp()) return 0;
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(e);
  }
  form.show();
  return QApplication::exec();
}

}  // namespace tovra
