#pragma once
// What every tovra-cli command shares: the streams of the run, the data layer over the
// working folder, the terminal's user port and the global options.
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli/command.hpp"
#include "features/export/chart_renderer.hpp"
#include "features/print/print_backend.hpp"
#include "storage/bet_store.hpp"
#include "storage/datastore.hpp"
#include "storage/ledger_lock.hpp"
#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"

namespace tovra::cli {

// Where one run of the tool reads and writes: the process's streams for the tool itself,
// string streams for tests that run it in-process.
struct Io {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
  bool inTerminal = false;   // confirmations are asked only when stdin is a terminal
  bool errTerminal = false;  // beeps and wait texts go only to a terminal
  FileSystem* fs = nullptr;  // the file layer of the ledger and of output files (unset: the system's)
};

// The terminal as the user port: messages to stderr, confirmations asked on the
// terminal (refused when stdin is not one), or answered OK with --yes.
class TerminalPort : public UserPort {
 public:
  explicit TerminalPort(const Io& io) : io_(io) {}
  bool yes = false;
  Answer message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  void beep() override;
  void waitBegin(const std::string& text, bool progress) override;
  void waitStep(int step) override;
  void waitEnd() override;

 private:
  const Io& io_;
  bool progress_ = false;
};

// A refused input: the message has been shown; the program exits 1.
struct Refused : std::runtime_error {
  Refused() : std::runtime_error("refused") {}
};

struct Context {
  explicit Context(const Io& streams) : io(streams), out(streams.out), port(io) {}
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  const Io io;
  std::ostream& out;  // what a command prints
  std::string dir = ".";
  std::optional<int> yearOption;
  TerminalPort port;
  Writes writes = Writes::Nothing;  // what the command being run may change
  std::optional<DataStore> ds;
  // The meetings of every course of the open year, counted as the folder is prepared.
  Ledger::MeetingCounts counts{};
  std::optional<LedgerLock> lock;
  // The bet store beside the ledger (馬単, 3連複, 3連単), over the same folder.
  std::optional<BetStore> betStore;
  BetStore& bets();
  // The bet store, checked (a missing file is created by the first change); a store that
  // cannot be used is refused with its message.
  BetStore& openBets();
  SettingsRecord settings;
  // Printing and PDF files; unset in a build without Qt.
  print::PrintBackendFactory printBackend;
  // PNG files of the charts; unset in a build without Qt.
  exports::ChartRendererFactory chartRenderer;

  // Prepares the working folder as the program's start-up does and loads the years;
  // selects the --year or the newest year when one is registered.
  void prepare();
  // How long a command waits for the ledger's lock: long enough for another command that
  // holds it for a moment, short enough to refuse at once while the desktop program runs.
  static constexpr int kLockWaitMillis = 300;
  // One writer at a time: a command that writes (ledger or work files) holds the ledger's
  // lock to its end and is refused when another program holds it; a reading command holds
  // it only while it prepares the folder, and reads without it when it is busy.
  void takeLock();
  // prepare(), then refuses when no year is registered.
  DataStore& requireYear();
  // Shows the message (error icon, title 確認) and throws Refused.
  [[noreturn]] void refuse(const std::string& text);
};

}  // namespace tovra::cli
