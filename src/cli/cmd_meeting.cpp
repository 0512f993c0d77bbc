#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"

namespace tovra::cli {

void addMeetingListCommand(CLI::App& meeting, Context& ctx);

void addMeetingCommands(CLI::App& app, Context& ctx) {
  auto* meeting = app.add_subcommand("meeting", "Meeting days");
  meeting->require_subcommand(1);
  addMeetingListCommand(*meeting, ctx);
}

}  // namespace tovra::cli
