// `import jravan (FILE | --auto) --kind card|result [--old] COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "import/jravan_import.hpp"

namespace tovra::cli {

void addImportJravan(CLI::App& import, Context& ctx) {
  auto* cmd = import.add_subcommand("jravan", "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み: a named file, or --auto to search the kind's folder");
  static std::vector<std::string> args;
  static bool automatic = false, old = false;
  static std::string kind;
  cmd->add_option("ARGS", args, "FILE COURSE INDEX, or COURSE INDEX with --auto")->required();
  cmd->add_flag("--auto", automatic, "自動検索: search the folder of the kind (folders set)");
  cmd->add_option("--kind", kind, "card (出馬表) or result (成績)")->required()->check(CLI::IsMember({"card", "result"}));
  cmd->add_flag("--old", old, "The older layout (the check box 新仕様 off)");
  cmd->callback([&ctx] {
    if (args.size() != (automatic ? 2u : 3u))
      ctx.refuse(automatic ? "--auto では 競馬場 開催ﾃﾞｰﾀ番号 を指定して下さい。"
                           : "ﾌｧｲﾙ名 競馬場 開催ﾃﾞｰﾀ番号 を指定して下さい。(または --auto)");
    const std::size_t n = args.size();
    int index = -1;
    try {
      index = std::stoi(args[n - 1]);
    } catch (const std::exception&) {
      ctx.refuse("開催ﾃﾞｰﾀ番号は数字で指定して下さい。");
    }
    const ImportFolders folders = selectImportDay(ctx, args[n - 2], index);
    JravanRequest r;
    r.format = {kind == "card" ? JravanKind::Card : JravanKind::Result, !old};
    r.automatic = automatic;
    if (!automatic) r.file = fromShell(args[0]);
    const auto text = runJravanImport(*ctx.ds, ctx.port, {}, folders, r);
    if (!text) throw Refused();
    finishImport(ctx, "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了", {"読み込んだﾚｰｽ：" + *text});
  });
}

}  // namespace tovra::cli
