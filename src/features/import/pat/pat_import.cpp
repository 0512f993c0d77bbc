#include "features/import/pat/pat_import.hpp"

#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/import/file_list.hpp"
#include "features/import/import_files.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/pat/pat_records.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

// PAT's files are small; anything beyond this is not one of them and is not read further.
constexpr std::size_t kPatFileLimit = 1u << 20;

std::string readPurchases(const Ledger& ledger, ImportCopy& d, const std::filesystem::path& folder, int kind) {
  FileSystem& fs = ledger.fs();
  FileHead index;
  if (!readFileHead(fs, findInFolder(fs, folder, patIndexFile(kind)), kPatFileLimit, index)) {
    if (kind == 0)
      d.notices.push_back(Refusal{MsgIcon::Error, msg::kPatIndexMissingDos});
    else
      d.notices.push_back(Refusal{MsgIcon::Warning, msg::kPatIndexMissing});
    return {};
  }
  const MeetingKey key = meetingKey(d.key, d.day.meeting);
  std::array<bool, kRacesPerDay> boughtBefore{};
  for (int r = 0; r < kRacesPerDay; ++r)
    boughtBefore[static_cast<std::size_t>(r)] = raceBought(d.day.meeting.raceJoutai[r]);
  std::vector<int> taken;
  for (const PatIndexEntry& e : readPatIndex(kind, index.bytes)) {
    if (!patIndexEntryMatches(kind, e, key)) continue;
    FileHead file;
    if (!readFileHead(fs, findInFolder(fs, folder, e.file), kPatFileLimit, file)) {
      if (kind >= 2) break;  // the Win95 versions end the index at a missing file
      continue;
    }
    applyPatTickets(readPatPurchaseFile(kind, file.bytes), kind, key, boughtBefore, d.day.races, taken);
  }
  return patRaceText(taken, msg::kPatNoPurchases);
}

// The result read and the entries read: every file of the mask, in list order.
std::string readDayFiles(const Ledger& ledger, ImportCopy& d, const std::filesystem::path& folder, int kind,
                         bool results) {
  if (kind == 0) {
    d.notices.push_back(Refusal{MsgIcon::Error, msg::kPatDos});
    return {};
  }
  FileSystem& fs = ledger.fs();
  const auto names = listFiles(fs, ledger.root(), folder, results ? "Ks-*.*" : "De-*.*", kPatFileList);
  if (names.empty()) {
    d.notices.push_back(Refusal{MsgIcon::Warning, results ? msg::kPatNoResultFiles : msg::kPatNoEntryFiles});
    return {};
  }
  const MeetingKey key = meetingKey(d.key, d.day.meeting);
  std::vector<int> taken;
  for (const std::string& n : names) {
    FileHead file;
    if (!readFileHead(fs, folder / n, kPatFileLimit, file)) continue;
    const int r = results ? readPatResultFile(kind, file.bytes, key, d.day.races)
                          : readPatEntriesFile(file.bytes, key, d.day.races);
    if (r != 0) taken.push_back(r);
  }
  return patRaceText(taken, results ? msg::kPatNoResults : msg::kPatNoEntries);
}

}  // namespace

PatRequest patDefaultRequest(int patKind) {
  const bool windows = patKind != 0;
  return PatRequest{true, windows, windows};
}

Result<PatTexts> runPatImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                              const PatRequest& request) {
  // Without a folder the reads would look into the working folder.
  if (folders.folder[kFolderPat].empty()) return Refusal{MsgIcon::Error, msg::kPatNoFolder};
  const int kind = folders.patKindIndex();
  const std::filesystem::path folder = folderPath(ledger.root(), folders.folder[kFolderPat]);
  if (kind != 0) {
    FileHead program;
    if (!readFileHead(ledger.fs(), findInFolder(ledger.fs(), folder, patProgramFile(kind)), 0, program))
      return Refusal{MsgIcon::Error, msg::kPatNotInstalled[kind]};
  }
  port.setBusy(true);
  PatTexts texts;
  if (request.purchases) texts.purchases = readPurchases(ledger, d, folder, kind);
  if (request.results) texts.results = readDayFiles(ledger, d, folder, kind, true);
  if (request.entries) texts.entries = readDayFiles(ledger, d, folder, kind, false);
  port.setBusy(false);
  // A read took races when its text is neither empty (not chosen, or stopped with a
  // message) nor its "no data" text.
  const auto took = [](const std::string& t, const char* none) { return !t.empty() && t != none; };
  const bool ran = !texts.purchases.empty() || !texts.results.empty() || !texts.entries.empty() ||
                   !(request.purchases || request.results || request.entries);
  if (!took(texts.purchases, msg::kPatNoPurchases) && !took(texts.results, msg::kPatNoResults) &&
      !took(texts.entries, msg::kPatNoEntries)) {
    // Nothing of the day: no confirmation and nothing to store (a read that stopped has
    // said why already, and then nothing more is said).
    if (ran) return Refusal{MsgIcon::Error, msg::kPatNothingRead};
    return Refusal{MsgIcon::Error, ""};
  }
  settleAllRaces(d.day.meeting, d.day.races);
  return texts;
}

}  // namespace tovra
