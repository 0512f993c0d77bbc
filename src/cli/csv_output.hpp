#pragma once
// Where a command's CSV table goes: a file given with --out (a regular or new file written
// whole beside the target and renamed; a symlink's target likewise; a device, FIFO or
// terminal such as /dev/stdout written through), or the standard output.
#include <string>

#include "features/export/csv.hpp"
#include "features/tally/result_files.hpp"

namespace CLI {
class App;
}

namespace tovra::cli {

struct Context;

// `--out FILE`, taken relative to the folder the command is run from (not -C's).
struct CsvOut {
  std::string path;
  void define(CLI::App& app);
  // The table to the file, or to the standard output; a file that cannot be written is
  // refused with its message.
  void write(Context& ctx, const exports::CsvTable& table) const;
};

// `--csv` of the tally commands: the table the window's CSV保存 writes, printed instead
// of the window's lines.
struct TallyCsvFlag {
  bool on = false;
  void define(CLI::App& app);
  // When the flag is given: prints the table of the kind's work file and returns true.
  bool print(Context& ctx, tally::TallyKind kind) const;
};

}  // namespace tovra::cli
