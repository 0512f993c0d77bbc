// `import jravan|nifty|pat`: the imports of the main window on a meeting day. Without
// --yes an import prints what its confirmation dialog shows and writes nothing (ｷｬﾝｾﾙ);
// with --yes it stores the day as 登録 does.
#include "cli/cmd_import.hpp"

#include <CLI/CLI.hpp>
#include <iostream>

#include "import/import_day.hpp"
#include "import/import_folders.hpp"

namespace tovra::cli {

void addImportCommands(CLI::App& app, Context& ctx) {
  auto* import = app.add_subcommand("import", "Import race data of a meeting day from JRA-VAN, NIFTY or PAT files");
  import->require_subcommand(1);
  addImportJravan(*import, ctx);
  addImportNifty(*import, ctx);
  addImportPat(*import, ctx);
}

ImportFolders selectImportDay(Context& ctx, const std::string& course, int index) {
  ctx.selectMeeting(ctx.parseCourse(course), index);
  ImportFolders f;
  loadImportFolders(ctx.ds->fs(), ctx.ds->root(), f);
  return f;
}

std::filesystem::path fromShell(const std::string& file) { return std::filesystem::absolute(file); }

void finishImport(Context& ctx, const std::string& caption, const std::vector<std::string>& lines) {
  DataStore& ds = *ctx.ds;
  std::cout << caption << "\n" << importDayLabel(ds) << "\n";
  for (const std::string& l : lines) std::cout << l << "\n";
  if (ctx.port.yes) {
    storeImport(ds);
  } else {
    discardImport(ds);
    std::cerr << "(登録していません: --yes で登録します)\n";
  }
}

}  // namespace tovra::cli
