#pragma once
// The desktop program as `main` runs it, in two parts so that the start-up tests run
// exactly the same code: the application object, and everything after it exists.
#include <QApplication>
#include <QStringList>

namespace tovra {

class UserPort;

// A ledger file that cannot be opened is reported through `port` and ends the program
// wherever it happens, also inside a dialog's own event loop.
class TovraApplication : public QApplication {
 public:
  TovraApplication(int& argc, char** argv, UserPort& port);
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  UserPort& port_;
};

// One run of the program: the command line (tovra [--data-folder | LEDGER_DIR], see
// ProgramOptions.h), single instance, the ledger folder made current, the program's
// objects made over it (AppState, with `port` for every message), the main window's
// start-up (splash, first year, meetings) and the event loop until the main window
// closes. Returns the exit code.
int runProgram(const QStringList& args, UserPort& port);

}  // namespace tovra
