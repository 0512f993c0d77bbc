// `import pat [--purchases] [--results] [--entries] COURSE INDEX`.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "cli/parsers.hpp"
#include "features/import/pat/pat_import.hpp"

namespace tovra::cli {
namespace {

class ImportPat : public ImportCommand {
 public:
  ImportPat()
      : ImportCommand("pat", "PATﾃﾞｰﾀ読み込み from the PAT folder; no flag: what the dialog checks for the PAT kind") {}
  void define(CLI::App& app) override {
    day_.define(app);
    app.add_flag("--purchases", purchases_, "購入馬券ﾃﾞｰﾀ");
    app.add_flag("--results", results_, "競走成績・ﾚｰｽ結果");
    app.add_flag("--entries", entries_, "出馬表・出走馬");
  }
  void run(Context& ctx) override {
    Start start = startImport(ctx, day_.course, day_.index);
    const PatRequest r = (purchases_ || results_ || entries_) ? PatRequest{purchases_, results_, entries_}
                                                              : patDefaultRequest(start.folders.patKindIndex());
    const auto t = runPatImport(ctx.ds->ledger(), ctx.port, start.folders, start.day, r);
    requireRead(ctx, start.day, t);
    finishImport(ctx, start.day, "PATﾃﾞｰﾀ読み込み終了",
                 {"購入馬券ﾃﾞｰﾀ　　読み込んだﾚｰｽ：" + t->purchases, "競走成績　　  　　読み込んだﾚｰｽ：" + t->results,
                  "出走馬　　　　　　　読み込んだﾚｰｽ：" + t->entries});
  }

 private:
  MeetingArgs day_;
  bool purchases_ = false, results_ = false, entries_ = false;
};

}  // namespace

void addImportPat(CommandSet& set) { set.add<ImportPat>(); }

}  // namespace tovra::cli
