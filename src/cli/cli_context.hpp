#pragma once
// What every tovra-cli command shares: the data layer over the working folder, the
// terminal's user port, and the global options.
#include <optional>
#include <stdexcept>
#include <string>

#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"
#include "print/print_backend.hpp"
#include "settings/settings_record.hpp"
#include "tally/tally_common.hpp"

namespace CLI {
class App;
}

namespace tovra::cli {

// The terminal as the user port: messages to stderr, confirmations asked on the
// terminal (refused when stdin is not one), or answered OK with --yes.
class TerminalPort : public UserPort {
 public:
  bool yes = false;
  Answer message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) override;
  void beep() override;
  void waitBegin(const std::string& text, bool progress) override;
  void waitStep(int step) override;
  void waitEnd() override;

 private:
  bool progress_ = false;
  bool tty_ = false;
};

// A refused input: the message has been shown; the program exits 1.
struct Refused : std::runtime_error {
  Refused() : std::runtime_error("refused") {}
};

struct Context {
  std::string dir = ".";
  std::optional<int> yearOption;
  TerminalPort port;
  std::optional<DataStore> ds;
  SettingsRecord settings;
  // Printing and PDF files; unset in a build without Qt.
  print::PrintBackendFactory printBackend;

  // Prepares the working folder as the program's start-up does and loads the years;
  // selects the --year or the newest year when one is registered.
  void prepare();
  // prepare(), then refuses when no year is registered.
  DataStore& requireYear();
  // Shows the message (error icon, title 確認) and throws Refused.
  [[noreturn]] void refuse(const std::string& text);
  int parseCourse(const std::string& text);
  // Makes meeting `index` of `course` the shown one and reads it with its races.
  void selectMeeting(int course, int index);
};

// Each file of commands adds its subcommands to the app.
void addYearCommands(CLI::App& app, Context& ctx);
void addMeetingCommands(CLI::App& app, Context& ctx);
void addShowCommands(CLI::App& app, Context& ctx);
void addSettleCommands(CLI::App& app, Context& ctx);
// The `tally` group (cmd_tally.cpp) and one function per tally adding its subcommand.
void addTallyCommands(CLI::App& app, Context& ctx);
void addTallyShushi(CLI::App& tally, Context& ctx);
void addTallyKoumoku(CLI::App& tally, Context& ctx);
void addTallyRank(CLI::App& tally, Context& ctx);
void addTallyJyoken(CLI::App& tally, Context& ctx);
// `--range all|YYYY` of the tallies and searches: every registered year, or a registered
// year (refused otherwise). Requires a registered current year.
tally::TallyRange parseTallyRange(Context& ctx, const std::string& text,
                                  const char* badFormat = "集計範囲は all または西暦4桁の年次で指定して下さい。");
void addRaceCommands(CLI::App& app, Context& ctx);
void addSearchCommands(CLI::App& app, Context& ctx);
// `saved list|save|show|delete` (cmd_saved.cpp).
void addSavedCommands(CLI::App& app, Context& ctx);
// `print meeting|race|shushi|koumoku|rank|jyoken` (cmd_print.cpp) and `settings show|set`.
void addPrintCommands(CLI::App& app, Context& ctx);
void addSettingsCommands(CLI::App& app, Context& ctx);
// `show race`, added under the show command.
void addShowRaceCommand(CLI::App& show, Context& ctx);
// `folders show|set` (janipa.dat) and the `import` group with one function per format.
void addFolderCommands(CLI::App& app, Context& ctx);
void addImportCommands(CLI::App& app, Context& ctx);
void addImportJravan(CLI::App& import, Context& ctx);
void addImportNifty(CLI::App& import, Context& ctx);
void addImportPat(CLI::App& import, Context& ctx);
// Every command of the tool (commands.cpp lists them).
void addAllCommands(CLI::App& app, Context& ctx);

// Runs the tool; returns the exit code (0 success, 1 refused, 2 fatal file error).
// `printBackend` makes the print back end when a command needs one.
int run(int argc, char** argv, print::PrintBackendFactory printBackend = nullptr);

}  // namespace tovra::cli
