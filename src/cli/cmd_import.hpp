#pragma once
// What the three import commands share.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_context.hpp"
#include "import/import_folders.hpp"

namespace tovra::cli {

// Makes meeting INDEX of COURSE the day shown and reads the import folders.
ImportFolders selectImportDay(Context& ctx, const std::string& course, int index);
// A file named on the command line, relative to the shell's folder (not to -C).
std::filesystem::path fromShell(const std::string& file);
// Prints the confirmation dialog's caption, day and lines; stores with --yes, else
// reads the day back.
void finishImport(Context& ctx, const std::string& caption, const std::vector<std::string>& lines);

}  // namespace tovra::cli
