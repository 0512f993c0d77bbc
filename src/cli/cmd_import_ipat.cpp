// `import ipat FILE [--register]`: the purchase history of a day. Prints what would be
// taken (each line with its race, type, method, numbers, points and cost, the WIN5 lines
// after the others; lines taken before; lines refused and why; differences from the
// results held); --yes writes it.
#include <CLI/CLI.hpp>

#include "cli/cmd_import.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/import/ipat/ipat_import.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

class ImportIpat : public ImportCommand {
 public:
  ImportIpat() : ImportCommand("ipat", "投票履歴(CSV)読み込み: a day's purchase history of the betting service") {}
  void define(CLI::App& app) override {
    app.add_option("FILE", file_, "the CSV file of one day (投票履歴)")->required();
    app.add_flag("--register", register_, "register the meeting days the file names that are not registered");
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    if (file_.empty()) ctx.refuse(kEmptyFileName);
    const auto file = loadIpatFile(ds.fs(), fromShell(file_));
    if (!file) ctx.refuse(file.refusal().text);
    BetStore& store = ctx.openBets();
    const auto preview = previewIpatImport(ds.ledger(), store, *file, register_);
    if (preview.failed()) endWith(ctx, preview.failure());
    if (preview.refused()) refuseImport(ctx, preview.refusal());
    print(ctx, *file, *preview);
    if (!ctx.port.yes) {
      ctx.io.err << "(登録していません: --yes で登録します)\n";
      return;
    }
    if (preview->taken == 0) return;
    const LedgerEvents events{};
    const auto done = runIpatImport(ds.ledger(), store, ctx.port, events, *file, register_);
    if (done.failed()) endWith(ctx, done.failure());
    if (done.refused()) refuseImport(ctx, done.refusal());
  }

 private:
  static void print(Context& ctx, const IpatFile& file, const IpatPreview& p) {
    ctx.out << "投票履歴(CSV)読み込み\n";
    const auto stateText = [](const IpatLineReport& r) {
      std::string text;
      if (r.state == IpatLineState::Duplicate) {
        text += "  ";
        text += msg::kIpatDuplicate;
      } else if (r.state == IpatLineState::Refused) {
        text += "  読み込めません：";
        text += r.reason;
      }
      return text;
    };
    for (std::size_t i = 0; i < file.lines.size(); ++i)
      ctx.out << terminalText(ipatLineText(file.lines[i]) + stateText(p.lines[i]), Keep::Tabs) << "\n";
    for (std::size_t i = 0; i < file.win5.size() && i < p.win5.size(); ++i)
      ctx.out << terminalText(ipatWin5Text(file.win5[i]) + stateText(p.win5[i]), Keep::Tabs) << "\n";
    for (const std::string& n : p.notices) ctx.out << terminalText(n, Keep::Tabs) << "\n";
    for (const std::string& d : p.differences) ctx.out << "相違：" << terminalText(d, Keep::Tabs) << "\n";
    ctx.out << sjprintfUtf8("読み込む馬券  %d行  %lld円", p.taken, static_cast<long long>(p.takenCost)) << "\n";
  }
  std::string file_;
  bool register_ = false;
};

}  // namespace

void addImportIpat(CommandSet& set) { set.add<ImportIpat>(); }

}  // namespace tovra::cli
