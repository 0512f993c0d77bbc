// `folders show|set`: the import folder settings (janipa.dat), set by the same rule as
// the folder settings dialog's 設定.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/terminal_text.hpp"
#include "features/import/import_folders.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

class FoldersShow : public Command {
 public:
  FoldersShow() : Command("folders", "show", "Print the four import folders and the PAT kind", Writes::Nothing) {}
  void define(CLI::App&) override {}
  void run(Context& ctx) override {
    ctx.prepare();
    ImportFolders f;
    loadImportFolders(ctx.ds->fs(), ctx.ds->root(), f);
    const char* labels[ImportFolders::kFolders] = {"JRA-VAN 出馬表", "JRA-VAN 成績", "NIFTY", "PAT"};
    for (std::size_t i = 0; i < f.folder.size(); ++i)
      ctx.out << labels[i] << "：" << terminalText(cp932ToUtf8(f.folder[i])) << "\n";
    ctx.out << "PATの種類：" << f.patKindIndex() << " " << patKindItem(f.patKindIndex()) << "\n";
  }
};

class FoldersSet : public Command {
 public:
  FoldersSet()
      : Command("folders", "set", "Set import folders (a \"/\" is appended) and the PAT kind; writes janipa.dat",
                Writes::Ledger) {}
  void define(CLI::App& app) override {
    app.add_option("--jravan", jravan_, "Folder of both JRA-VAN kinds (出馬表 and 成績)");
    app.add_option("--jravan-card", card_, "Folder of the JRA-VAN 出馬表 files");
    app.add_option("--jravan-result", result_, "Folder of the JRA-VAN 成績 files");
    app.add_option("--nifty", nifty_, "Folder of the NIFTY board texts");
    app.add_option("--pat", pat_, "Folder PAT is installed in");
    app.add_option("--pat-kind", kind_, "0 PC-9801, 1 Win 3.1, 2 Win95, 3 Win98/95")->check(CLI::Range(0, 3));
  }
  void run(Context& ctx) override {
    ctx.prepare();
    DataStore& ds = *ctx.ds;
    ImportFolders f;
    loadImportFolders(ds.fs(), ds.root(), f);
    // What the dialog would show, with the options typed over it.
    FolderEdit edit;
    for (std::size_t i = 0; i < f.folder.size(); ++i) edit.typedUtf8[i] = cp932ToUtf8(f.folder[i]);
    edit.patKind = f.patKindIndex();
    if (jravan_) edit.typedUtf8[kFolderJravanCard] = edit.typedUtf8[kFolderJravanResult] = *jravan_;
    if (card_) edit.typedUtf8[kFolderJravanCard] = *card_;
    if (result_) edit.typedUtf8[kFolderJravanResult] = *result_;
    if (nifty_) edit.typedUtf8[kFolderNifty] = *nifty_;
    if (pat_) edit.typedUtf8[kFolderPat] = *pat_;
    if (kind_) edit.patKind = *kind_;
    if (auto refusal = applyFolderEdit(f, edit)) ctx.refuse(*refusal);
    if (!saveImportFolders(ds.fs(), ds.root(), f)) ctx.refuse("janipa.dat を書き込めませんでした。");
  }

 private:
  std::optional<std::string> jravan_, card_, result_, nifty_, pat_;
  std::optional<int> kind_;
};

}  // namespace

void addFolderCommands(CommandSet& set) {
  set.group("folders", "The import folders (読み込み機能設定, janipa.dat)");
  set.add<FoldersShow>();
  set.add<FoldersSet>();
}

}  // namespace tovra::cli
