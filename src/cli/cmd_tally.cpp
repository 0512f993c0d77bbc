// `tally SUBCOMMAND`: each tally writes its work file exactly as the window's tally
// does and prints the result as its window shows it.
#include "cli/cli_context.hpp"

namespace tovra::cli {

void addTallyShushi(CommandSet& set);
void addTallyKoumoku(CommandSet& set);
void addTallyRank(CommandSet& set);
void addTallyJyoken(CommandSet& set);

void addTallyCommands(CommandSet& set) {
  set.group("tally", "Run a tally, write its work file in tmp/ and print the result");
  addTallyShushi(set);
  addTallyKoumoku(set);
  addTallyRank(set);
  addTallyJyoken(set);
}

}  // namespace tovra::cli
