#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"

namespace tovra::cli {

void addAllCommands(CLI::App& app, Context& ctx) {
  addYearCommands(app, ctx);
  addMeetingCommands(app, ctx);
  addShowCommands(app, ctx);
  addSettleCommands(app, ctx);
  addTallyCommands(app, ctx);
  addRaceCommands(app, ctx);
  addSearchCommands(app, ctx);
  addSavedCommands(app, ctx);
  addPrintCommands(app, ctx);
  addSettingsCommands(app, ctx);
  addFolderCommands(app, ctx);
  addImportCommands(app, ctx);
}

}  // namespace tovra::cli
