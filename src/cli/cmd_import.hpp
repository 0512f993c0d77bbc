#pragma once
// What the three import commands share.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_context.hpp"
#include "import/import_folders.hpp"

namespace tovra::cli {

// An import command: the meeting day it imports into and the end of every import.
class ImportCommand : public Command {
 public:
  ImportCommand(std::string name, std::string help)
      : Command("import", std::move(name), std::move(help), Writes::Ledger) {}

 protected:
  // Makes meeting INDEX of COURSE the day shown and reads the import folders.
  static ImportFolders selectImportDay(Context& ctx, const std::string& course, const std::string& index);
  // FILE COURSE INDEX, or COURSE INDEX with --auto: refuses any other count.
  static void checkFileArgs(Context& ctx, const std::vector<std::string>& args, bool automatic);
  // A file named on the command line, relative to the shell's folder (not to -C).
  static std::filesystem::path fromShell(const std::string& file);
  // Prints the confirmation dialog's caption, day and lines; stores with --yes, else
  // reads the day back.
  static void finishImport(Context& ctx, const std::string& caption, const std::vector<std::string>& lines);
};

}  // namespace tovra::cli
