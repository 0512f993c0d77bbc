// The files of commands of tovra-cli, in the order `--help` lists them. A new file of
// commands defines `void addXCommands(CommandSet&)` (its group and its commands) and
// adds one line here.
#include "cli/command.hpp"

#define TOVRA_CLI_COMMAND_FILES(X) \
  X(addYearCommands)               \
  X(addMeetingCommands)            \
  X(addShowCommands)               \
  X(addSettleCommands)             \
  X(addTallyCommands)              \
  X(addRaceCommands)               \
  X(addSearchCommands)             \
  X(addSavedCommands)              \
  X(addPrintCommands)              \
  X(addSettingsCommands)           \
  X(addFolderCommands)             \
  X(addImportCommands)             \
  X(addExportCommands)             \
  X(addChartCommands)              \
  X(addWin5Commands)

namespace tovra::cli {

#define TOVRA_DECLARE(fn) void fn(CommandSet& set);
TOVRA_CLI_COMMAND_FILES(TOVRA_DECLARE)
#undef TOVRA_DECLARE

void addAllCommands(CommandSet& set) {
#define TOVRA_ADD(fn) fn(set);
  TOVRA_CLI_COMMAND_FILES(TOVRA_ADD)
#undef TOVRA_ADD
}

}  // namespace tovra::cli
