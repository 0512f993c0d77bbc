#include "forms/ImportActions.h"

#include "forms/Forudasetteidialogunit.h"
#include "forms/Jravanyomikomidialogunit.h"
#include "forms/Mainunit.h"
#include "forms/Niftyyomikomidialogunit.h"
#include "forms/Patyomikomidialogunit.h"
#include "import/jravan_import.hpp"
#include "import/nifty_import.hpp"
#include "import/import_folders.hpp"
#include "import/pat_import.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {
namespace {

ImportHooks hooksOf(TMainForm& main) {
  return {[&main] { main.closeRaceWindow(); }};
}

// A file named in a dialog: its text as the path (relative ones below the working folder).
std::filesystem::path namedFile(const QString& text) { return std::filesystem::path(text.toStdString()); }

}  // namespace

void jravanYomikomi(TMainForm& main) {
  TJravanYomikomiDialog dlg(main.dataStore(), main.importFolders(), &main);
  const int choice = dlg.exec();
  if (choice != TJravanYomikomiDialog::Yomikomi && choice != TJravanYomikomiDialog::Zidou) return;
  JravanRequest r;
  r.format = {dlg.kind() == 1 ? JravanKind::Result : JravanKind::Card, dlg.newer()};
  r.automatic = choice == TJravanYomikomiDialog::Zidou;
  r.file = namedFile(dlg.fileName());
  ImportSource source;
  if (const auto text =
          runJravanImport(main.dataStore(), main.port(), hooksOf(main), main.importFolders(), r, &source)) {
    TJravanYomikomiKekaDialog keka(main.dataStore(), QString::fromStdString(*text),
                                   QString::fromStdString(importSourceText(source)), &main);
    keka.exec();
  }
  main.ShowKaisaiView();
}

void niftyYomikomi(TMainForm& main) {
  TNiftyYomikomiDialog dlg(main.dataStore(), main.importFolders(), &main);
  const int choice = dlg.exec();
  if (choice != TNiftyYomikomiDialog::Yomikomi && choice != TNiftyYomikomiDialog::Zidou) return;
  NiftyRequest r;
  r.automatic = choice == TNiftyYomikomiDialog::Zidou;
  r.file = namedFile(dlg.fileName());
  if (const auto t = runNiftyImport(main.dataStore(), main.port(), hooksOf(main), main.importFolders(), r)) {
    TNiftyYomikomiKekaDialog keka(main.dataStore(), QString::fromStdString(t->read), QString::fromStdString(t->errors),
                                  QString::fromStdString(importSourceText({t->file, t->date})), &main);
    keka.exec();
  }
  main.ShowKaisaiView();
}

void patYomikomi(TMainForm& main) {
  TPatYomikomiDialog dlg(main.dataStore(), main.importFolders(), &main);
  if (dlg.exec() != QDialog::Accepted) return;
  // A folder chosen with 参照 serves this import; the settings keep theirs.
  ImportFolders folders = main.importFolders();
  FolderEdit edit;
  for (int i = 0; i < ImportFolders::kFolders; ++i)
    edit.typedUtf8[static_cast<std::size_t>(i)] = cp932ToUtf8(folders.folder[static_cast<std::size_t>(i)]);
  edit.typedUtf8[kFolderPat] = dlg.folder().toStdString();
  edit.patKind = folders.patKindIndex();
  if (const auto refusal = applyFolderEdit(folders, edit)) {
    showError(main.port(), *refusal);
    return;
  }
  if (const auto t = runPatImport(main.dataStore(), main.port(), hooksOf(main), folders, dlg.request())) {
    TPatYomikomiKekaDialog keka(main.dataStore(), *t, &main);
    keka.exec();
  }
  main.ShowKaisaiView();
}

void forudaSettei(TMainForm& main) {
  TForudaSetteiDialog dlg(main.importFolders(), main.dataStore(), main.port(), &main);
  dlg.exec();
}

}  // namespace tovra
