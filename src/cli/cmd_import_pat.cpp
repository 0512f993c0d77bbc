// `import pat [--purchases] [--results] [--entries] COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "import/pat_import.hpp"

namespace tovra::cli {

void addImportPat(CLI::App& import, Context& ctx) {
  auto* cmd = import.add_subcommand("pat", "PATﾃﾞｰﾀ読み込み from the PAT folder; no flag: what the dialog checks for the PAT kind");
  static std::string course;
  static int index = -1;
  static bool purchases = false, results = false, entries = false;
  cmd->add_option("COURSE", course, "Course code (sap..kok) or index 0-9")->required();
  cmd->add_option("INDEX", index, "Meeting index (0-based)")->required();
  cmd->add_flag("--purchases", purchases, "購入馬券ﾃﾞｰﾀ");
  cmd->add_flag("--results", results, "競走成績・ﾚｰｽ結果");
  cmd->add_flag("--entries", entries, "出馬表・出走馬");
  cmd->callback([&ctx] {
    const ImportFolders folders = selectImportDay(ctx, course, index);
    const PatRequest r = (purchases || results || entries) ? PatRequest{purchases, results, entries}
                                                            : patDefaultRequest(folders.patKindIndex());
    const auto t = runPatImport(*ctx.ds, ctx.port, {}, folders, r);
    if (!t) throw Refused();
    finishImport(ctx, "PATﾃﾞｰﾀ読み込み終了",
                 {"購入馬券ﾃﾞｰﾀ　　読み込んだﾚｰｽ：" + t->purchases, "競走成績　　  　　読み込んだﾚｰｽ：" + t->results,
                  "出走馬　　　　　　　読み込んだﾚｰｽ：" + t->entries});
  });
}

}  // namespace tovra::cli
