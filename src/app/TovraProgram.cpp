#include "app/TovraProgram.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "adapters/qt/print/QtTranslation.h"
#include "app/ProgramOptions.h"

#include "app/SingleInstance.h"
#include "features/bets/kept_figures.hpp"
#include "storage/bet_intents.hpp"
#include "storage/fatal_error.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger_lock.hpp"
#include "storage/recovery.hpp"
#include "storage/user_port.hpp"
#include "ui/common/AppState.h"
#include "ui/common/FatalReport.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SplashWindow.h"

namespace tovra {

TovraApplication::TovraApplication(int& argc, char** argv, UserPort& port) : QApplication(argc, argv), port_(port) {}

bool TovraApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(port_, e);
  } catch (const std::exception& e) {
    reportUnexpectedAndEnd(port_, &e);
  } catch (...) {
    reportUnexpectedAndEnd(port_, nullptr);
  }
}

namespace {

std::string folderText(const QString& folder) { return QDir::toNativeSeparators(folder).toStdString(); }

// Makes the ledger folder the current folder; every ledger path is relative to it. A
// LEDGER_DIR that does not exist is created when the user agrees; the user's data
// folder is created without asking. False: the run ends (the user was told why, or
// declined).
bool enterLedgerFolder(const ProgramOptions& options, UserPort& port) {
  const QString& folder = options.folder;
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir()) {
    showError(port, folderText(folder) + " はﾌｫﾙﾀﾞではありません。");
    return false;
  }
  if (!info.exists()) {
    if (!options.ownDataFolder &&
        !askOkCancel(port, "ﾌｫﾙﾀﾞ " + folderText(folder) + " がありません。\n\n作成しますか？", MsgIcon::Question))
      return false;
    if (!QDir().mkpath(folder)) {
      showError(port, "ﾌｫﾙﾀﾞ " + folderText(folder) + " を作成出来ません。");
      return false;
    }
  }
  if (!QDir::setCurrent(folder)) {
    showError(port, "ﾌｫﾙﾀﾞ " + folderText(folder) + " を開けません。");
    return false;
  }
  return true;
}

}  // namespace

int runProgram(const QStringList& args, UserPort& port) {
  const ProgramOptions options = parseProgramOptions(args);
  switch (options.action) {
    case ProgramOptions::Action::Help:
    case ProgramOptions::Action::Version: std::fputs(options.text.toLocal8Bit().constData(), stdout); return 0;
    case ProgramOptions::Action::Refused: std::fputs(options.text.toLocal8Bit().constData(), stderr); return 2;
    case ProgramOptions::Action::Run: break;
  }
  // The standard dialogs (files, colours, questions) speak Japanese like the program.
  installQtJapanese();
  SingleInstance instance;
  if (!instance.acquire()) {
    QApplication::beep();
    return 0;
  }
  QApplication::setApplicationName("競走収支帖　トヴラ");
  QApplication::setApplicationVersion("6.32");
  if (!enterLedgerFolder(options, port)) return 1;

  AppState app(".", port);
  // One writer at a time: held for the whole run, released by the system when the
  // program ends in any way. A tovra-cli command that writes holds it for a moment only.
  LedgerLock ledgerLock(".");
  if (const auto state = ledgerLock.acquire(3000); state != LedgerLock::State::Held) {
    showError(port, state == LedgerLock::State::Busy ? kLedgerBusyText : kLedgerLockFailedText);
    return 1;
  }
  // The main window; the race window and the condition tally dialog, which live for the
  // whole run, are created with it by their own units, on the same objects.
  MainWindow form(app, kSplashMillis);
  try {
    recoverLedger(FileSystem::standard(), ".");
    // Then what a crash left between the course files and the bet store. A store that
    // cannot be used is named once; the five old bet types work without it.
    if (const Status bets = recoverBetIntents(app.bets, app.ds.ledger()); bets.refused()) {
      Refusal shown = bets.refusal();
      shown.icon = MsgIcon::Warning;
      showRefusal(port, shown);
    } else {
      keepStaleFigures(app.bets);
    }
    if (!form.startUp()) return 0;
  } catch (const FatalFileError& e) {
    reportFatalAndEnd(port, e);
  } catch (const std::exception& e) {
    reportUnexpectedAndEnd(port, &e);
  }
  form.show();
  return QApplication::exec();
}

}  // namespace tovra
