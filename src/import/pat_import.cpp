#include "import/pat_import.hpp"

#include "entry/settlement.hpp"
#include "import/file_list.hpp"
#include "import/import_files.hpp"
#include "import/import_folders.hpp"
#include "import/import_messages.hpp"
#include "import/pat_records.hpp"
#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/user_port.hpp"
#include "ledger/race_state.hpp"

namespace tovra {
namespace {

// PAT's files are small; anything beyond this is not one of them and is not read further.
constexpr std::size_t kPatFileLimit = 1u << 20;

std::string readPurchases(DataStore& ds, UserPort& port, const std::filesystem::path& folder, int kind) {
  FileSystem& fs = ds.fs();
  FileHead index;
  if (!readFileHead(fs, findInFolder(fs, folder, patIndexFile(kind)), kPatFileLimit, index)) {
    if (kind == 0)
      showError(port, msg::kPatIndexMissingDos);
    else
      port.message("確認", msg::kPatIndexMissing, MsgIcon::Warning);
    return {};
  }
  const MeetingKey key = meetingKey(ds);
  std::array<bool, kRacesPerDay> boughtBefore{};
  for (int r = 0; r < kRacesPerDay; ++r)
    boughtBefore[static_cast<std::size_t>(r)] = raceBought(ds.kaisai.raceJoutai[r]);
  std::vector<int> taken;
  for (const PatIndexEntry& e : readPatIndex(kind, index.bytes)) {
    if (!patIndexEntryMatches(kind, e, key)) continue;
    FileHead file;
    if (!readFileHead(fs, findInFolder(fs, folder, e.file), kPatFileLimit, file)) {
      if (kind >= 2) break;  // the Win95 versions end the index at a missing file
      continue;
    }
    applyPatTickets(readPatPurchaseFile(kind, file.bytes), kind, key, boughtBefore, ds.races, taken);
  }
  return patRaceText(taken, msg::kPatNoPurchases);
}

// The result read and the entries read: every file of the mask, in list order.
std::string readDayFiles(DataStore& ds, UserPort& port, const std::filesystem::path& folder, int kind, bool results) {
  if (kind == 0) {
    showError(port, msg::kPatDos);
    return {};
  }
  FileSystem& fs = ds.fs();
  const auto names = listFiles(fs, ds.root(), folder, results ? "Ks-*.*" : "De-*.*", kPatFileList);
  if (names.empty()) {
    port.message("確認", results ? msg::kPatNoResultFiles : msg::kPatNoEntryFiles, MsgIcon::Warning);
    return {};
  }
  const MeetingKey key = meetingKey(ds);
  std::vector<int> taken;
  for (const std::string& n : names) {
    FileHead file;
    if (!readFileHead(fs, folder / n, kPatFileLimit, file)) continue;
    const int r =
        results ? readPatResultFile(kind, file.bytes, key, ds.races) : readPatEntriesFile(file.bytes, key, ds.races);
    if (r != 0) taken.push_back(r);
  }
  return patRaceText(taken, results ? msg::kPatNoResults : msg::kPatNoEntries);
}

}  // namespace

PatRequest patDefaultRequest(int patKind) {
  const bool windows = patKind != 0;
  return PatRequest{true, windows, windows};
}

std::optional<PatTexts> runPatImport(DataStore& ds, UserPort& port, const ImportHooks& hooks,
                                     const ImportFolders& folders, const PatRequest& request) {
  beginImport(ds, hooks);
  if (folders.folder[kFolderPat].empty()) {
    // Without a folder the reads would look into the working folder.
    showError(port, msg::kPatNoFolder);
    return std::nullopt;
  }
  const int kind = folders.patKindIndex();
  const std::filesystem::path folder = folderPath(ds.root(), folders.folder[kFolderPat]);
  if (kind != 0) {
    FileHead program;
    if (!readFileHead(ds.fs(), findInFolder(ds.fs(), folder, patProgramFile(kind)), 0, program)) {
      showError(port, msg::kPatNotInstalled[kind]);
      return std::nullopt;
    }
  }
  port.setBusy(true);
  PatTexts texts;
  if (request.purchases) texts.purchases = readPurchases(ds, port, folder, kind);
  if (request.results) texts.results = readDayFiles(ds, port, folder, kind, true);
  if (request.entries) texts.entries = readDayFiles(ds, port, folder, kind, false);
  port.setBusy(false);
  // A read took races when its text is neither empty (not chosen, or stopped with a
  // message) nor its "no data" text.
  const auto took = [](const std::string& t, const char* none) { return !t.empty() && t != none; };
  const bool ran = !texts.purchases.empty() || !texts.results.empty() || !texts.entries.empty() ||
                   !(request.purchases || request.results || request.entries);
  if (!took(texts.purchases, msg::kPatNoPurchases) && !took(texts.results, msg::kPatNoResults) &&
      !took(texts.entries, msg::kPatNoEntries)) {
    // Nothing of the day: no confirmation and nothing to store (a read that stopped has
    // said why already).
    if (ran) showError(port, msg::kPatNothingRead);
    discardImport(ds);
    return std::nullopt;
  }
  settleAllRaces(ds.kaisai, ds.races);
  return texts;
}

}  // namespace tovra
