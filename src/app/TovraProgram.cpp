#include "app/TovraProgram.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/ProgramOptions.h"
#include "forms/qtprint/QtTranslation.h"

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

namespace {

std::string folderText(const QString& folder) { return QDir::toNativeSeparators(folder).toStdString(); }

// Makes the ledger folder the current folder; every ledger path is relative to it. A
// LEDGER_DIR that does not exist is created when the user agrees; the user's data
// folder is created without asking. False: the run ends (the user was told why, or
// declined).
bool enterLedgerFolder(const ProgramOptions& options) {
  const QString& folder = options.folder;
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir()) {
    showError(userPort(), folderText(folder) + " はﾌｫﾙﾀﾞではありません。");
    return false;
  }
  if (!info.exists()) {
    if (!options.ownDataFolder &&
        !askOkCancel(userPort(), "ﾌｫﾙﾀﾞ " + folderText(folder) + " がありません。\n\n作成しますか？",
                     MsgIcon::Question))
      return false;
    if (!QDir().mkpath(folder)) {
      showError(userPort(), "ﾌｫﾙﾀﾞ " + folderText(folder) + " を作成出来ません。");
      return false;
    }
  }
  if (!QDir::setCurrent(folder)) {
    showError(userPort(), "ﾌｫﾙﾀﾞ " + folderText(folder) + " を開けません。");
    return false;
  }
  return true;
}

}  // namespace

int runProgram() { return runProgram(QCoreApplication::arguments()); }

int runProgram(const QStringList& args) {
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
  if (!enterLedgerFolder(options)) return 1;

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
