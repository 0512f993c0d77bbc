#pragma once
// The command line of the desktop program: `tovra [--data-folder | LEDGER_DIR]`.
#include <QString>
#include <QStringList>

namespace tovra {

struct ProgramOptions {
  enum class Action { Run, Help, Version, Refused };
  Action action = Action::Run;
  // The folder that holds the ledger: "." (the current folder), LEDGER_DIR, or the
  // user's data folder with --data-folder.
  QString folder = ".";
  // True for the user's data folder: it is the program's own and is created without
  // asking; a LEDGER_DIR that is missing is created only after asking.
  bool ownDataFolder = false;
  // Help or version text for standard output, or why the command line was refused
  // (for standard error).
  QString text;
};

// The ledger folder of --data-folder: $XDG_DATA_HOME/tovra, by default ~/.local/share/tovra.
QString userDataFolder();

// args[0] is the program's name. Never ends the process.
ProgramOptions parseProgramOptions(const QStringList& args);

}  // namespace tovra
