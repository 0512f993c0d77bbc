#include "ui/main/ImportActions.h"

#include "features/import/import_day.hpp"
#include "features/import/import_folders.hpp"
#include "features/bets/race_bets.hpp"
#include "features/import/ipat/ipat_import.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/jvdata/jvdata_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"
#include "ui/import/ImportFoldersDialog.h"
#include "ui/import/IpatImportDialog.h"
#include "ui/import/JravanImportDialog.h"
#include "ui/import/JvDataImportDialog.h"
#include "ui/import/NiftyImportDialog.h"
#include "ui/import/PatImportDialog.h"
#include "ui/main/MainWindow.h"

namespace tovra {
namespace {

// A file named in a dialog: its text as the path (relative ones below the working folder).
std::filesystem::path namedFile(const QString& text) { return std::filesystem::path(text.toStdString()); }

// The label of the day shown, as every import dialog names it.
QString dayText(MainWindow& main) {
  const MainSelection& sel = main.selection();
  return QString::fromStdString(importDayLabel(sel.course, sel.day.meeting));
}

// The import's start: the race window closed, and a copy of the day shown as stored.
ImportCopy startImport(MainWindow& main) {
  main.closeRaceWindow();
  auto d = beginImport(main.ledger(), main.shownKey());
  if (!d) main.fatal(d.failure());
  return std::move(*d);
}

// The end of an import: the confirmation (`confirm` runs it: true for 登録) stores the
// day read, which the main window then shows; a refusal is told and nothing is kept.
template <class T, class Confirm>
void finishImport(MainWindow& main, const ImportCopy& d, const Result<T>& read, Confirm confirm) {
  tellImportNotices(main.port(), d);
  if (read.failed()) main.fatal(read.failure());
  if (read.refused()) {
    tellImportRefusal(main.port(), read.refusal());
    return;
  }
  if (!confirm(*read)) return;
  if (const auto failed = storeImport(main.ledger(), main.ledgerEvents(), d)) main.fatal(*failed);
}

}  // namespace

void runJravanImport(MainWindow& main) {
  const QString day = dayText(main);
  JravanImportDialog dlg(main.importFolders(), day, main.ledger().root(), &main);
  const int choice = dlg.exec();
  if (choice != JravanImportDialog::ImportFile && choice != JravanImportDialog::SearchFolder) return;
  JravanRequest r;
  r.format = {dlg.kind() == 1 ? JravanKind::Result : JravanKind::Card, dlg.newer()};
  r.automatic = choice == JravanImportDialog::SearchFolder;
  r.file = namedFile(dlg.fileName());
  ImportCopy d = startImport(main);
  ImportSource source;
  const auto read = runJravanImport(main.ledger(), main.port(), main.importFolders(), d, r, &source);
  finishImport(main, d, read, [&](const std::string& text) {
    JravanImportResultDialog keka(day, QString::fromStdString(text), QString::fromStdString(importSourceText(source)),
                                  &main);
    return keka.exec() == QDialog::Accepted;
  });
}

void runJvDataImport(MainWindow& main) {
  const QString day = dayText(main);
  JvDataImportDialog dlg(day, main.ledger().root(), &main);
  if (dlg.exec() != QDialog::Accepted) return;
  ImportCopy d = startImport(main);
  const DateKey date = dateKeyOf(d.key, d.day.meeting);
  ImportSource source;
  const auto read = readJvDataDay(main.ledger(), namedFile(dlg.fileName()), date, &source);
  if (read.failed()) main.fatal(read.failure());
  if (read.refused()) {
    tellImportRefusal(main.port(), read.refusal());
    return;
  }
  // Results the file deletes are cleared only when the user says so.
  bool clearDeleted = false;
  if (const std::vector<int> deleted = jvDeletedRaces(*read); !deleted.empty()) {
    std::string text = msg::kJvCaption;
    text += "：\n\nﾌｧｲﾙは次のﾚｰｽの払戻を削除しています。\n";
    for (const int r : deleted) {
      text += ' ';
      text += std::to_string(r);
      text += 'R';
    }
    text += "\n\nこれらのﾚｰｽの結果を消去しますか？";
    clearDeleted = askOkCancel(main.port(), text);
  }
  JvApplied applied = applyJvDataDay(*read, date, d.day.meeting, d.day.races, clearDeleted);
  // The day's WIN5 with other races takes nothing of the file's: the confirmation says so.
  if (const Status held = checkJvWin5(main.bets(), applied); !held) {
    if (held.failed()) return main.fatal(held.failure());
    return tellImportRefusal(main.port(), held.refusal());
  }
  QStringList lines;
  for (const std::string& l : jvConfirmationLines(applied)) lines << QString::fromStdString(l);
  JvDataImportResultDialog keka(day, QString::fromStdString(importSourceText(source)), lines, &main);
  if (keka.exec() != QDialog::Accepted) return;
  const Status stored = storeImportWithBets(main.ledger(), main.ledgerEvents(), main.bets(), d, applied.bets);
  if (stored.failed()) main.fatal(stored.failure());
  if (stored.refused()) tellImportRefusal(main.port(), stored.refusal());
}

void runNiftyImport(MainWindow& main) {
  const QString day = dayText(main);
  NiftyImportDialog dlg(main.importFolders(), day, main.ledger().root(), &main);
  const int choice = dlg.exec();
  if (choice != NiftyImportDialog::ImportFile && choice != NiftyImportDialog::SearchFolder) return;
  NiftyRequest r;
  r.automatic = choice == NiftyImportDialog::SearchFolder;
  r.file = namedFile(dlg.fileName());
  ImportCopy d = startImport(main);
  const auto read = runNiftyImport(main.ledger(), main.port(), main.importFolders(), d, r);
  finishImport(main, d, read, [&](const NiftyTexts& t) {
    NiftyImportResultDialog keka(day, QString::fromStdString(t.read), QString::fromStdString(t.errors),
                                 QString::fromStdString(importSourceText({t.file, t.date})), &main);
    return keka.exec() == QDialog::Accepted;
  });
}

void runPatImport(MainWindow& main) {
  const QString day = dayText(main);
  PatImportDialog dlg(main.importFolders(), day, main.ledger().root(), &main);
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
  ImportCopy d = startImport(main);
  const auto read = runPatImport(main.ledger(), main.port(), folders, d, dlg.request());
  finishImport(main, d, read, [&](const PatTexts& t) {
    PatImportResultDialog keka(day, t, &main);
    return keka.exec() == QDialog::Accepted;
  });
}

void runIpatImport(MainWindow& main) {
  main.closeRaceWindow();
  BetStore& store = main.bets();
  IpatImportDialog::Reader reader{
      [&main](const std::filesystem::path& p) { return loadIpatFile(main.ledger().fs(), p); },
      [&main, &store](const IpatFile& f, bool registerDays) {
        return previewIpatImport(main.ledger(), store, f, registerDays);
      }};
  IpatImportDialog dlg(std::move(reader), main.port(), main.ledger().root(), &main);
  if (dlg.exec() != QDialog::Accepted || !dlg.file()) return;
  const auto done =
      runIpatImport(main.ledger(), store, main.port(), main.ledgerEvents(), *dlg.file(), dlg.registerDays());
  if (done.failed()) main.fatal(done.failure());
  // WIN5 lines change no meeting day: the view is drawn again for the day's WIN5 line and
  // its 全式別 totals.
  main.refreshMeetingView();
  if (done.refused()) tellImportRefusal(main.port(), done.refusal());
}

void runImportFolderSettings(MainWindow& main) {
  ImportFoldersDialog dlg(main.importFolders(), main.dataStore(), main.port(), &main);
  dlg.exec();
}

}  // namespace tovra
