// `import nifty (FILE | --auto) COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "import/nifty_import.hpp"

namespace tovra::cli {

void addImportNifty(CLI::App& import, Context& ctx) {
  auto* cmd = import.add_subcommand("nifty", "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み: a named board text, or --auto to search the folder");
  static std::vector<std::string> args;
  static bool automatic = false;
  cmd->add_option("ARGS", args, "FILE COURSE INDEX, or COURSE INDEX with --auto")->required();
  cmd->add_flag("--auto", automatic, "自動検索: search the NIFTY folder (folders set)");
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
    NiftyRequest r;
    r.automatic = automatic;
    if (!automatic) r.file = fromShell(args[0]);
    const auto t = runNiftyImport(*ctx.ds, ctx.port, {}, folders, r);
    if (!t) throw Refused();
    finishImport(ctx, "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み終了", {"読み込んだﾚｰｽ：" + t->read, "ｴﾗｰ：" + t->errors});
  });
}

}  // namespace tovra::cli
