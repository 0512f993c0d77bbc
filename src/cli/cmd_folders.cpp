// `folders show|set`: the import folder settings (janipa.dat), set by the same rule as
// the folder settings dialog's 設定.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "import/import_folders.hpp"
#include "ledger/text.hpp"

namespace tovra::cli {

void addFolderCommands(CLI::App& app, Context& ctx) {
  auto* folders = app.add_subcommand("folders", "The import folders (読み込み機能設定, janipa.dat)");
  folders->require_subcommand(1);

  auto* show = folders->add_subcommand("show", "Print the four import folders and the PAT kind");
  show->callback([&ctx] {
    ctx.prepare();
    ImportFolders f;
    loadImportFolders(ctx.ds->fs(), ctx.ds->root(), f);
    const char* labels[ImportFolders::kFolders] = {"JRA-VAN 出馬表", "JRA-VAN 成績", "NIFTY", "PAT"};
    for (std::size_t i = 0; i < f.folder.size(); ++i)
      std::cout << labels[i] << "：" << cp932ToUtf8(f.folder[i]) << "\n";
    std::cout << "PATの種類：" << f.patKindIndex() << " " << patKindItem(f.patKindIndex()) << "\n";
  });

  auto* set = folders->add_subcommand("set", "Set import folders (a \"/\" is appended) and the PAT kind; writes janipa.dat");
  static std::optional<std::string> jravan, card, result, nifty, pat;
  static std::optional<int> kind;
  set->add_option("--jravan", jravan, "Folder of both JRA-VAN kinds (出馬表 and 成績)");
  set->add_option("--jravan-card", card, "Folder of the JRA-VAN 出馬表 files");
  set->add_option("--jravan-result", result, "Folder of the JRA-VAN 成績 files");
  set->add_option("--nifty", nifty, "Folder of the NIFTY board texts");
  set->add_option("--pat", pat, "Folder PAT is installed in");
  set->add_option("--pat-kind", kind, "0 PC-9801, 1 Win 3.1, 2 Win95, 3 Win98/95")->check(CLI::Range(0, 3));
  set->callback([&ctx] {
    ctx.prepare();
    DataStore& ds = *ctx.ds;
    ImportFolders f;
    loadImportFolders(ds.fs(), ds.root(), f);
    // What the dialog would show, with the options typed over it.
    FolderEdit edit;
    for (std::size_t i = 0; i < f.folder.size(); ++i) edit.typedUtf8[i] = cp932ToUtf8(f.folder[i]);
    edit.patKind = f.patKindIndex();
    if (jravan) edit.typedUtf8[kFolderJravanCard] = edit.typedUtf8[kFolderJravanResult] = *jravan;
    if (card) edit.typedUtf8[kFolderJravanCard] = *card;
    if (result) edit.typedUtf8[kFolderJravanResult] = *result;
    if (nifty) edit.typedUtf8[kFolderNifty] = *nifty;
    if (pat) edit.typedUtf8[kFolderPat] = *pat;
    if (kind) edit.patKind = *kind;
    if (auto refusal = applyFolderEdit(f, edit)) ctx.refuse(*refusal);
    if (!saveImportFolders(ds.fs(), ds.root(), f)) ctx.refuse("janipa.dat を書き込めませんでした。");
  });
}

}  // namespace tovra::cli
