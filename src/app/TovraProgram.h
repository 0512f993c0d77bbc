#pragma once
// The desktop program as `main` runs it, in two parts so that the start-up tests run
// exactly the same code: the application object, and everything after it exists.
#include <QApplication>
#include <QStringList>

namespace tovra {

// A ledger file that cannot be opened is reported and ends the program wherever it
// happens, also inside a dialog's own event loop.
class TovraApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

// One run of the program: the command line (tovra [--data-folder | LEDGER_DIR], see
// ProgramOptions.h), single instance, the ledger folder made current, the main
// window's start-up (splash, first year, meetings) and the event loop until the main
// window closes. Returns the exit code.
int runProgram(const QStringList& args);
// The same with the application's own command line.
int runProgram();

}  // namespace tovra
