#include "cli/cli_context.hpp"

#include <iostream>

#include "cli/terminal_text.hpp"
#include "features/main/folders.hpp"
#include "features/years/years.hpp"
#include "storage/fileio.hpp"
#include "features/bets/kept_figures.hpp"
#include "storage/bet_intents.hpp"
#include "storage/recovery.hpp"

namespace tovra::cli {

Answer TerminalPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  (void)icon;
  // A message may name a file or quote ledger text: control characters are shown escaped.
  io_.err << "[" << terminalText(title) << "] " << terminalText(text, Keep::LineFeedsAndTabs) << "\n";
  if (buttons == MsgButtons::Ok) return Answer::Ok;
  if (yes) return Answer::Ok;
  if (!io_.inTerminal) {
    io_.err << "(確認が必要です: --yes で OK と答えます)\n";
    return Answer::Cancel;
  }
  io_.err << "OK? [y/N] " << std::flush;
  std::string line;
  if (!std::getline(io_.in, line)) return Answer::Cancel;
  return (line == "y" || line == "Y" || line == "yes" || line == "ok" || line == "OK") ? Answer::Ok : Answer::Cancel;
}

void TerminalPort::beep() {
  if (io_.errTerminal) io_.err << '\a' << std::flush;
}

void TerminalPort::waitBegin(const std::string& text, bool progress) {
  progress_ = progress;
  if (io_.errTerminal) io_.err << text << (progress ? "\n" : "") << std::flush;
}

void TerminalPort::waitStep(int step) {
  if (!io_.errTerminal || !progress_) return;
  if (step < 0) step = 0;
  if (step > 10) step = 10;
  io_.err << "\r[" << std::string(static_cast<std::size_t>(step), '#')
          << std::string(static_cast<std::size_t>(10 - step), '.') << "]" << std::flush;
}

void TerminalPort::waitEnd() {
  if (io_.errTerminal) io_.err << "\n" << std::flush;
  progress_ = false;
}

void Context::refuse(const std::string& text) {
  showError(port, text);
  throw Refused();
}

void Context::prepare() {
  if (ds) return;
  ds.emplace(dir, io.fs);
  if (!ds->fs().isDirectory(ds->root())) refuse("ﾌｫﾙﾀﾞ " + dir + " がありません。");
  takeLock();
  if (!prepareFolders(ds->fs(), ds->root(), port)) throw Refused();
  settings = loadSettings(ds->fs(), ds->root());
  ds->loadYears();
  // A reading command has prepared what it reads; from here on it runs without the lock.
  if (writes == Writes::Nothing) lock->release();
  ds->year = newestYear(ds->nenji);
  if (ds->year.empty()) return;
  if (yearOption) {
    bool found = false;
    // Empty places in the table hold 0: year 0 is never registered.
    for (int i = 0; i < NenjiTable::kUsable; ++i) found = found || (*yearOption > 0 && ds->nenji.nen[i] == *yearOption);
    if (!found) refuse("年次 " + std::to_string(*yearOption) + "年は登録されていません。");
    ds->year = std::to_string(*yearOption);
  }
  const auto counted = ds->ledger().countMeetings(ds->year);
  if (!counted) ds->fatal(counted.failure());
  counts = *counted;
}

void Context::takeLock() {
  lock.emplace(ds->root());
  const bool reading = writes == Writes::Nothing;
  const LedgerLock::State state = reading ? lock->tryAcquire() : lock->acquire(kLockWaitMillis);
  // What a crash left behind is completed or removed by the holder of the lock only: a
  // program that holds it may be writing those files right now.
  if (state == LedgerLock::State::Held) {
    recoverLedger(ds->fs(), ds->root());
    // Then what a crash left between the course files and the bet store; a store that
    // cannot be used is reported by the commands that use it.
    if (recoverBetIntents(bets(), ds->ledger())) keepStaleFigures(bets());
    return;
  }
  // A reading command reads what the holder has written so far.
  if (reading) return;
  refuse(state == LedgerLock::State::Busy ? kLedgerBusyText : kLedgerLockFailedText);
}

BetStore& Context::bets() {
  if (!betStore) betStore.emplace(ds ? ds->root() : std::filesystem::path(dir));
  return *betStore;
}

BetStore& Context::openBets() {
  BetStore& store = bets();
  if (const Status opened = store.open(false); !opened) {
    showRefusal(port, opened.refusal());
    throw Refused();
  }
  return store;
}

DataStore& Context::requireYear() {
  prepare();
  if (ds->year.empty()) refuse("年次が登録されていません。年次を登録して下さい。");
  return *ds;
}

}  // namespace tovra::cli
