#include "app/ProgramOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

namespace tovra {

QString userDataFolder() {
  // GenericDataLocation is $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath("tovra");
}

ProgramOptions parseProgramOptions(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "競走収支帖 トヴラ: a betting ledger for JRA flat racing.\n"
      "The ledger is kept in LEDGER_DIR, by default the current folder; a folder that\n"
      "does not exist is created after asking. The desktop menu starts the program with\n"
      "--data-folder, the ledger in $XDG_DATA_HOME/tovra (by default ~/.local/share/tovra).");
  const QCommandLineOption help({"h", "help"}, "Show this help and end.");
  const QCommandLineOption version({"v", "version"}, "Show the version and end.");
  const QCommandLineOption dataFolder(
      "data-folder", "Keep the ledger in the user's data folder, $XDG_DATA_HOME/tovra (created when missing).");
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(dataFolder);
  parser.addPositionalArgument("LEDGER_DIR", "The folder of the ledger (default: the current folder).", "[LEDGER_DIR]");

  ProgramOptions o;
  const QString name = args.isEmpty() ? QString("tovra") : args.first();
  if (!parser.parse(args.isEmpty() ? QStringList{name} : args)) {
    o.action = ProgramOptions::Action::Refused;
    o.text = parser.errorText() + "\n";
    return o;
  }
  if (parser.isSet(help)) {
    o.action = ProgramOptions::Action::Help;
    o.text = parser.helpText();
    return o;
  }
  if (parser.isSet(version)) {
    o.action = ProgramOptions::Action::Version;
    o.text = "tovra 6.32\n";
    return o;
  }
  const QStringList folders = parser.positionalArguments();
  if (folders.size() > 1 || (parser.isSet(dataFolder) && !folders.isEmpty())) {
    o.action = ProgramOptions::Action::Refused;
    o.text = "Give one ledger folder: either LEDGER_DIR or --data-folder.\n";
    return o;
  }
  if (parser.isSet(dataFolder)) {
    o.folder = userDataFolder();
    o.ownDataFolder = true;
  } else if (!folders.isEmpty()) {
    if (folders.first().isEmpty()) {
      o.action = ProgramOptions::Action::Refused;
      o.text = "The ledger folder must not be empty.\n";
      return o;
    }
    o.folder = folders.first();
  }
  return o;
}

}  // namespace tovra
