// `import jravan (FILE | --auto) --kind card|result [--old] COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "features/import/jravan/jravan_import.hpp"

namespace tovra::cli {
namespace {

class ImportJravan : public ImportCommand {
 public:
  ImportJravan()
      : ImportCommand("jravan", "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み: a named file, or --auto to search the kind's folder") {}
  void define(CLI::App& app) override {
    app.add_option("ARGS", args_, "FILE COURSE INDEX, or COURSE INDEX with --auto")->required();
    app.add_flag("--auto", automatic_, "自動検索: search the folder of the kind (folders set)");
    app.add_option("--kind", kind_, "card (出馬表) or result (成績)")
        ->required()
        ->check(CLI::IsMember({"card", "result"}));
    app.add_flag("--old", old_, "The older layout (the check box 新仕様 off)");
  }
  void run(Context& ctx) override {
    checkFileArgs(ctx, args_, automatic_);
    const std::size_t n = args_.size();
    Start start = startImport(ctx, args_[n - 2], args_[n - 1]);
    JravanRequest r;
    r.format = {kind_ == "card" ? JravanKind::Card : JravanKind::Result, !old_};
    r.automatic = automatic_;
    if (!automatic_) r.file = fromShell(args_[0]);
    ImportSource source;
    const auto text = runJravanImport(ctx.ds->ledger(), ctx.port, start.folders, start.day, r, &source);
    requireRead(ctx, start.day, text);
    finishImport(ctx, start.day, "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了",
                 {"読み込んだﾌｧｲﾙ：" + importSourceText(source), "読み込んだﾚｰｽ：" + *text});
  }

 private:
  std::vector<std::string> args_;
  bool automatic_ = false, old_ = false;
  std::string kind_;
};

}  // namespace

void addImportJravan(CommandSet& set) { set.add<ImportJravan>(); }

}  // namespace tovra::cli
