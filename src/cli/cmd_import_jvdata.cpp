// `import jvdata FILE COURSE INDEX [--delete]`: the day's RA, SE and HR records of a
// JV-Data file, and the WIN5 of its date (WF). Without --yes it prints what the confirmation shows and writes nothing;
// with --yes it stores the day and the store's rows together. Results of races the file
// deletes are cleared only with --delete.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "cli/terminal_text.hpp"
#include "features/bets/race_bets.hpp"
#include "features/import/jvdata/jvdata_import.hpp"

namespace tovra::cli {
namespace {

class ImportJvData : public ImportCommand {
 public:
  ImportJvData()
      : ImportCommand("jvdata", "JV-Dataﾌｧｲﾙ読み込み: the day's RA, SE and HR records of a JRA-VAN Data Lab file") {}
  void define(CLI::App& app) override {
    app.add_option("ARGS", args_, "FILE COURSE INDEX")->required();
    app.add_flag("--delete", delete_, "Clear the results of the races the file deletes (data kind 0)");
  }
  void run(Context& ctx) override {
    checkFileArgs(ctx, args_, false);
    Start start = startImport(ctx, args_[1], args_[2]);
    ImportCopy& d = start.day;
    const DateKey date = dateKeyOf(d.key, d.day.meeting);
    ImportSource source;
    const auto records = readJvDataDay(ctx.ds->ledger(), fromShell(args_[0]), date, &source);
    requireRead(ctx, d, records);
    JvApplied applied = applyJvDataDay(*records, date, d.day.meeting, d.day.races, delete_);
    // The day's WIN5 with other legs takes nothing of the file's: the confirmation says so.
    if (const Status held = checkJvWin5(ctx.openBets(), applied); !held) {
      if (held.failed()) endWith(ctx, held.failure());
      refuseImport(ctx, held.refusal());
    }
    ctx.out << msg::kJvDoneCaption << "\n" << importDayLabel(d.key.course, d.day.meeting) << "\n";
    ctx.out << terminalText("読み込んだﾌｧｲﾙ：" + importSourceText(source), Keep::Tabs) << "\n";
    for (const std::string& l : jvConfirmationLines(applied)) ctx.out << terminalText(l, Keep::Tabs) << "\n";
    if (!applied.deleted.empty() && !delete_) ctx.io.err << "(削除されたﾚｰｽの結果は --delete で消去します)\n";
    if (!ctx.port.yes) {
      ctx.io.err << "(登録していません: --yes で登録します)\n";
      return;
    }
    const LedgerEvents events{};
    const Status stored = storeImportWithBets(ctx.ds->ledger(), events, ctx.openBets(), d, applied.bets);
    if (stored.failed()) endWith(ctx, stored.failure());
    if (stored.refused()) refuseImport(ctx, stored.refusal());
  }

 private:
  std::vector<std::string> args_;
  bool delete_ = false;
};

}  // namespace

void addImportJvData(CommandSet& set) { set.add<ImportJvData>(); }

}  // namespace tovra::cli
