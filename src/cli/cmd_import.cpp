// `import jravan|nifty|pat`: the imports of the main window on a meeting day. Without
// --yes an import prints what its confirmation dialog shows and writes nothing (ｷｬﾝｾﾙ);
// with --yes it stores the day as 登録 does.
#include "cli/cmd_import.hpp"

#include "cli/cli_selection.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/import/import_day.hpp"

namespace tovra::cli {

void addImportJravan(CommandSet& set);
void addImportJvData(CommandSet& set);
void addImportNifty(CommandSet& set);
void addImportPat(CommandSet& set);
void addImportIpat(CommandSet& set);

void addImportCommands(CommandSet& set) {
  set.group("import", "Import race data of a meeting day from JRA-VAN (JV-Data), NIFTY or PAT files, or a day's purchase history");
  addImportJravan(set);
  addImportJvData(set);
  addImportNifty(set);
  addImportPat(set);
  addImportIpat(set);
}

ImportCommand::Start ImportCommand::startImport(Context& ctx, const std::string& course, const std::string& index) {
  const int c = parseCourse(ctx, course);
  const DayKey key = meetingDay(ctx, c, parseMeetingIndex(ctx, c, index));
  auto day = beginImport(ctx.ds->ledger(), key);
  if (!day) endWith(ctx, day.failure());
  Start start{std::move(*day), {}};
  loadImportFolders(ctx.ds->fs(), ctx.ds->root(), start.folders);
  return start;
}

void ImportCommand::refuseImport(Context& ctx, const Refusal& r) {
  tellImportRefusal(ctx.port, r);
  throw Refused();
}

void ImportCommand::checkFileArgs(Context& ctx, const std::vector<std::string>& args, bool automatic) {
  if (args.size() != (automatic ? 2u : 3u))
    ctx.refuse(automatic ? "--auto では 競馬場 開催ﾃﾞｰﾀ番号 を指定して下さい。"
                         : "ﾌｧｲﾙ名 競馬場 開催ﾃﾞｰﾀ番号 を指定して下さい。(または --auto)");
  if (!automatic && args[0].empty()) ctx.refuse(kEmptyFileName);
}

std::filesystem::path ImportCommand::fromShell(const std::string& file) { return std::filesystem::absolute(file); }

void ImportCommand::finishImport(Context& ctx, const ImportCopy& d, const std::string& caption,
                                 const std::vector<std::string>& lines) {
  ctx.out << caption << "\n" << importDayLabel(d.key.course, d.day.meeting) << "\n";
  // What the import read (race names of outside files) may hold any byte.
  for (const std::string& l : lines) ctx.out << terminalText(l, Keep::Tabs) << "\n";
  if (ctx.port.yes) {
    const LedgerEvents events{};
    if (const auto failed = storeImport(ctx.ds->ledger(), events, d)) endWith(ctx, *failed);
  } else {
    ctx.io.err << "(登録していません: --yes で登録します)\n";
  }
}

}  // namespace tovra::cli
