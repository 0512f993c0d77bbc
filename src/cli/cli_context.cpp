#include "cli/cli_context.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "ledger/fatal_error.hpp"
#include "ledger/fileio.hpp"
#include "ledger/years.hpp"
#include "mainwindow/folders.hpp"

namespace tovra::cli {

Answer TerminalPort::message(const std::string& title, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  (void)icon;
  std::cerr << "[" << title << "] " << text << "\n";
  if (buttons == MsgButtons::Ok) return Answer::Ok;
  if (yes) return Answer::Ok;
  if (!::isatty(STDIN_FILENO)) {
    std::cerr << "(確認が必要です: --yes で OK と答えます)\n";
    return Answer::Cancel;
  }
  std::cerr << "OK? [y/N] " << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return Answer::Cancel;
  return (line == "y" || line == "Y" || line == "yes" || line == "ok" || line == "OK") ? Answer::Ok : Answer::Cancel;
}

void TerminalPort::beep() {
  if (::isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
}

void TerminalPort::waitBegin(const std::string& text, bool progress) {
  tty_ = ::isatty(STDERR_FILENO);
  progress_ = progress;
  if (tty_) std::cerr << text << (progress ? "\n" : "") << std::flush;
}

void TerminalPort::waitStep(int step) {
  if (!tty_ || !progress_) return;
  if (step < 0) step = 0;
  if (step > 10) step = 10;
  std::cerr << "\r[" << std::string(static_cast<std::size_t>(step), '#') << std::string(static_cast<std::size_t>(10 - step), '.')
            << "]" << std::flush;
}

void TerminalPort::waitEnd() {
  if (tty_) std::cerr << "\n" << std::flush;
  progress_ = false;
}

void Context::refuse(const std::string& text) {
  showError(port, text);
  throw Refused();
}

void Context::prepare() {
  if (ds) return;
  ds.emplace(dir);
  if (!prepareFolders(ds->fs(), ds->root(), port)) throw Refused();
  settings = loadSettings(ds->fs(), ds->root());
  ds->loadYears();
  if (!initYears(*ds)) return;
  if (yearOption) {
    bool found = false;
    for (int i = 0; i < NenjiTable::kUsable; ++i) found = found || ds->nenji.nen[i] == *yearOption;
    if (!found) refuse("年次 " + std::to_string(*yearOption) + "年は登録されていません。");
    ds->year = std::to_string(*yearOption);
  }
  ds->countMeetings();
  ds->course = settings.startCourse;
}

DataStore& Context::requireYear() {
  prepare();
  if (ds->year.empty()) refuse("年次が登録されていません。年次を登録して下さい。");
  return *ds;
}

int Context::parseCourse(const std::string& text) {
  int c = courseFromText(text);
  if (c < 0) refuse("競馬場は sap hak fuk nii tok nak chu kyo han kok または 0～9 で指定して下さい。");
  return c;
}

void Context::selectMeeting(int course, int index) {
  DataStore& d = requireYear();
  d.course = course;
  if (index < 0 || index >= d.meetingCount[course])
    refuse(std::string(keibajo(course).name) + "競馬場に開催ﾃﾞｰﾀ " + std::to_string(index) + " はありません。");
  d.shownMeeting[course] = index;
  d.readShown();
}

int run(int argc, char** argv, print::PrintBackendFactory printBackend) {
  Context ctx;
  ctx.printBackend = std::move(printBackend);
  CLI::App app{"競走収支帖 トヴラ: command-line tool over the ledger in the working folder", "tovra-cli"};
  app.set_help_all_flag("--help-all", "Show the help of every command");
  app.add_option("-C", ctx.dir, "Working folder (default: the current one)");
  app.add_option("--year", ctx.yearOption, "Current year YYYY (default: the newest registered year)");
  app.add_flag("--yes", ctx.port.yes, "Answer OK to every confirmation");
  app.require_subcommand(1);
  addAllCommands(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : 1;
  } catch (const Refused&) {
    return 1;
  } catch (const FatalFileError& e) {
    std::cerr << "[確認] " << e.message() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace tovra::cli
