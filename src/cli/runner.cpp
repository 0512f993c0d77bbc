#include "cli/runner.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "cli/command.hpp"
#include "storage/fatal_error.hpp"
#include "storage/unexpected_error.hpp"

namespace tovra::cli {

namespace {

int runCommand(const std::vector<std::string>& args, const Io& io, print::PrintBackendFactory printBackend,
               exports::ChartRendererFactory chartRenderer) {
  Context ctx(io);
  ctx.printBackend = std::move(printBackend);
  ctx.chartRenderer = std::move(chartRenderer);
  CLI::App app{"競走収支帖 トヴラ: command-line tool over the ledger in the working folder", "tovra-cli"};
  app.set_help_all_flag("--help-all", "Show the help of every command");
  app.add_option("-C", ctx.dir, "Working folder (default: the current one)");
  app.add_option("--year", ctx.yearOption, "Current year YYYY (default: the newest registered year)");
  app.add_flag("--yes", ctx.port.yes, "Answer OK to every confirmation");
  app.require_subcommand(1);
  CommandSet commands(app, ctx);
  addAllCommands(commands);
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e, io.out, io.err);
    return rc == 0 ? 0 : 1;
  } catch (const Refused&) {
    return 1;
  } catch (const FatalFileError& e) {
    io.err << "[確認] " << e.message() << "\n";
    return kFatalExitCode;
  } catch (const std::exception& e) {
    io.err << "[確認] " << unexpectedErrorMessage(&e) << "\n";
    return kFatalExitCode;
  } catch (...) {
    io.err << "[確認] " << unexpectedErrorMessage(nullptr) << "\n";
    return kFatalExitCode;
  }
  return 0;
}

}  // namespace

int run(const std::vector<std::string>& args, const Io& io, print::PrintBackendFactory printBackend,
        exports::ChartRendererFactory chartRenderer) {
  const int rc = runCommand(args, io, std::move(printBackend), std::move(chartRenderer));
  // What a command printed must have reached stdout: a full disk or a failed device behind
  // it is a failure, never a silent success.
  io.out.flush();
  if (io.out.fail()) {
    io.err << "[確認] " << kOutputFailedMessage << "\n";
    return kFatalExitCode;
  }
  return rc;
}

int run(int argc, char** argv, print::PrintBackendFactory printBackend, exports::ChartRendererFactory chartRenderer) {
  const Io io{std::cout, std::cerr, std::cin, ::isatty(STDIN_FILENO) != 0, ::isatty(STDERR_FILENO) != 0};
  const int rc = run(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), io, std::move(printBackend),
                     std::move(chartRenderer));
  // The C library may still hold bytes of stdout: they are written now, and a failure then
  // (or an earlier one it remembers) is reported as well.
  if (rc != kFatalExitCode && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
    std::cerr << "[確認] " << kOutputFailedMessage << "\n";
    return kFatalExitCode;
  }
  return rc;
}

}  // namespace tovra::cli
