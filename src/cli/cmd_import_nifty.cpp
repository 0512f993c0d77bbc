// `import nifty (FILE | --auto) COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "features/import/nifty/nifty_import.hpp"

namespace tovra::cli {
namespace {

class ImportNifty : public ImportCommand {
 public:
  ImportNifty()
      : ImportCommand("nifty", "NIFTY掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み: a named board text, or --auto to search the folder") {}
  void define(CLI::App& app) override {
    app.add_option("ARGS", args_, "FILE COURSE INDEX, or COURSE INDEX with --auto")->required();
    app.add_flag("--auto", automatic_, "自動検索: search the NIFTY folder (folders set)");
  }
  void run(Context& ctx) override {
    checkFileArgs(ctx, args_, automatic_);
    const std::size_t n = args_.size();
    Start start = startImport(ctx, args_[n - 2], args_[n - 1]);
    NiftyRequest r;
    r.automatic = automatic_;
    if (!automatic_) r.file = fromShell(args_[0]);
    const auto t = runNiftyImport(ctx.ds->ledger(), ctx.port, start.folders, start.day, r);
    requireRead(ctx, start.day, t);
    finishImport(
        ctx, start.day, "Nifty掲示板ﾃﾞｰﾀﾌｧｲﾙ読み込み終了",
        {"読み込んだﾌｧｲﾙ：" + importSourceText({t->file, t->date}), "読み込んだﾚｰｽ：" + t->read, "ｴﾗｰ：" + t->errors});
  }

 private:
  std::vector<std::string> args_;
  bool automatic_ = false;
};

}  // namespace

void addImportNifty(CommandSet& set) { set.add<ImportNifty>(); }

}  // namespace tovra::cli
