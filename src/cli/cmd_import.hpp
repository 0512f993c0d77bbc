#pragma once
// What the three import commands share.
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_context.hpp"
#include "cli/cli_selection.hpp"
#include "features/import/import_day.hpp"
#include "features/import/import_folders.hpp"

namespace tovra::cli {

// An import command: the meeting day it imports into and the end of every import.
class ImportCommand : public Command {
 public:
  ImportCommand(std::string name, std::string help)
      : Command("import", std::move(name), std::move(help), Writes::Ledger) {}

 protected:
  // Meeting INDEX of COURSE as stored, the copy the import fills, and the import folders.
  struct Start {
    ImportCopy day;
    ImportFolders folders;
  };
  static Start startImport(Context& ctx, const std::string& course, const std::string& index);
  // FILE COURSE INDEX, or COURSE INDEX with --auto: refuses any other count.
  static void checkFileArgs(Context& ctx, const std::vector<std::string>& args, bool automatic);
  // A file named on the command line, relative to the shell's folder (not to -C).
  static std::filesystem::path fromShell(const std::string& file);
  // The notices of the import, then, when it ended without a value, its refusal told and
  // the command refused (a file failure ends the run).
  template <class T>
  static void requireRead(Context& ctx, const ImportCopy& d, const Result<T>& r) {
    tellImportNotices(ctx.port, d);
    if (r.failed()) endWith(ctx, r.failure());
    if (r.refused()) refuseImport(ctx, r.refusal());
  }
  [[noreturn]] static void refuseImport(Context& ctx, const Refusal& r);
  // Prints the confirmation dialog's caption, day and lines; stores the day read with
  // --yes, else drops it.
  static void finishImport(Context& ctx, const ImportCopy& d, const std::string& caption,
                           const std::vector<std::string>& lines);
};

}  // namespace tovra::cli
