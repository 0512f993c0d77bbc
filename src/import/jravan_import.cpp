#include "import/jravan_import.hpp"

#include "entry/settlement.hpp"
#include "import/file_date.hpp"
#include "import/file_list.hpp"
#include "import/import_files.hpp"
#include "import/import_folders.hpp"
#include "import/import_messages.hpp"
#include "import/lha_archive.hpp"
#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/paths.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {
namespace {

// Archives bigger than this are not JRA-VAN archives; they are examined as plain files.
constexpr std::size_t kMaxArchive = 64u << 20;

// The import file found: its first records, and the archive members to remove afterwards.
struct Found {
  FileHead head;
  std::vector<std::string> unpacked;
  std::filesystem::path path;  // the file read (an archive's member: the archive)
};

// A file whose name gives another day than the one shown is never taken by the search.
bool namesOtherDay(const std::string& name, const MeetingKey& key) {
  const auto d = dateInFileName(name);
  return d && isOtherDay(*d, key);
}

std::size_t recordsLimit(const JravanFormat& f) { return f.recordLength() * kJravanMaxRecords; }

bool examine(FileSystem& fs, const std::filesystem::path& p, const JravanFormat& f, const MeetingKey& key,
             FileHead& head) {
  if (!readFileHead(fs, p, recordsLimit(f), head)) return false;
  if (head.size == 0 || head.size % f.recordLength() != 0) return false;
  return jravanFileMatches(head.bytes, f, key);
}

void removeUnpacked(FileSystem& fs, const std::filesystem::path& folder, const std::vector<std::string>& names) {
  for (const std::string& n : names) fs.remove(folder / n);
}

enum class ArchiveSearch { NotArchive, Refused, WriteFailed, NoMatch, Match };

// Step a of the search for one listed file: when it is an archive, unpack it and look
// for a matching "jra*.*" member (`found` is filled on a match). A damaged archive, or
// one with a member named outside its folder, is refused with a message; so is a member
// that cannot be written (WriteFailed: the message names it, nothing of it stays).
ArchiveSearch searchArchive(DataStore& ds, UserPort& port, const std::filesystem::path& p, const std::string& name,
                            const JravanFormat& f, const MeetingKey& key, Found& found) {
  FileSystem& fs = ds.fs();
  FileHead whole;
  if (!readFileHead(fs, p, kMaxArchive, whole) || whole.size > kMaxArchive) return ArchiveSearch::NotArchive;
  const LhaContents contents = readLhaArchive(whole.bytes);
  if (contents.status == LhaStatus::NotArchive) return ArchiveSearch::NotArchive;
  if (contents.status != LhaStatus::Ok) {
    const char* text = contents.status == LhaStatus::UnsafeName ? msg::kArchiveUnsafe : msg::kArchiveDamaged;
    showError(port, cp932ToUtf8(sjprintf(text, utf8ToCp932(name).value_or(name).c_str())));
    return ArchiveSearch::Refused;
  }
  const std::filesystem::path folder = ds.resolve(kLzhFolder);
  if (!fs.isDirectory(folder)) fs.createDirectory(folder);
  std::vector<std::string> written;
  for (const LhaMember& m : contents.members) {
    if (writeWholeFile(fs, folder / m.name, m.data.data(), m.data.size())) {
      if (std::find(written.begin(), written.end(), m.name) == written.end()) written.push_back(m.name);
      continue;
    }
    removeUnpacked(fs, folder, written);
    const std::string shown = std::string(kLzhFolder) + "/" + m.name;  // member names are CP932 already
    showError(port,
              cp932ToUtf8(sjprintf(msg::kArchiveWriteFailed, utf8ToCp932(name).value_or(name).c_str(), shown.c_str())));
    return ArchiveSearch::WriteFailed;
  }
  for (const std::string& n : listFiles(fs, ds.root(), folder, "jra*.*", kJraLzhFileList)) {
    if (std::find(written.begin(), written.end(), n) == written.end()) continue;  // not from this archive
    if (namesOtherDay(n, key)) continue;
    if (examine(fs, folder / n, f, key, found.head)) {
      found.unpacked = written;
      return ArchiveSearch::Match;
    }
  }
  removeUnpacked(fs, folder, written);
  return ArchiveSearch::NoMatch;
}

enum class SearchOutcome { Hit, Miss, WriteFailed };

// The automatic search of the kind's folder; Hit with `found` on a match. An archive
// that could not be unpacked for a failed write ends the search (its message was shown).
SearchOutcome search(DataStore& ds, UserPort& port, const ImportFolders& folders, const JravanFormat& f, Found& found) {
  FileSystem& fs = ds.fs();
  const MeetingKey key = meetingKey(ds);
  const std::filesystem::path folder =
      folderPath(ds.root(), folders.folder[f.kind == JravanKind::Card ? kFolderJravanCard : kFolderJravanResult]);
  const std::vector<std::string> names = listFiles(fs, ds.root(), folder, "*.*", kJraFileList);
  port.waitBegin(msg::kSearching, false);
  SearchOutcome outcome = SearchOutcome::Miss;
  for (const std::string& name : names) {
    const std::filesystem::path p = folder / name;
    found.path = p;
    if (namesOtherDay(name, key)) continue;
    const ArchiveSearch archive = searchArchive(ds, port, p, name, f, key, found);
    if (archive == ArchiveSearch::WriteFailed) {
      outcome = SearchOutcome::WriteFailed;
      break;
    }
    if (archive == ArchiveSearch::Match || examine(fs, p, f, key, found.head)) {
      outcome = SearchOutcome::Hit;
      break;
    }
  }
  port.waitEnd();
  return outcome;
}

}  // namespace

std::optional<std::string> runJravanImport(DataStore& ds, UserPort& port, const ImportHooks& hooks,
                                           const ImportFolders& folders, const JravanRequest& request,
                                           ImportSource* source) {
  beginImport(ds, hooks);
  const JravanFormat& f = request.format;
  Found found;
  if (request.automatic) {
    if (folders.folder[f.kind == JravanKind::Card ? kFolderJravanCard : kFolderJravanResult].empty()) {
      showError(port, msg::kJravanNoFolder);
      return std::nullopt;
    }
    port.setBusy(true);
    const SearchOutcome outcome = search(ds, port, folders, f, found);
    port.setBusy(false);
    if (outcome == SearchOutcome::WriteFailed) return std::nullopt;
    if (outcome == SearchOutcome::Miss) {
      showError(port, msg::kJravanNoMatch);
      return std::nullopt;
    }
  } else {
    const std::filesystem::path p = request.file.is_absolute() ? request.file : ds.root() / request.file;
    found.path = p;
    // A named archive is unpacked as the search unpacks one.
    const ArchiveSearch archive =
        searchArchive(ds, port, p, request.file.filename().string(), f, meetingKey(ds), found);
    if (archive == ArchiveSearch::Refused || archive == ArchiveSearch::WriteFailed) return std::nullopt;
    if (archive == ArchiveSearch::NoMatch) {
      showError(port, msg::kJravanNoMatch);
      return std::nullopt;
    }
    if (archive == ArchiveSearch::NotArchive) {
      if (!readFileHead(ds.fs(), p, recordsLimit(f), found.head)) {
        showError(port, msg::kJravanNotFound);
        return std::nullopt;
      }
      if (found.head.size % f.recordLength() != 0) {
        showError(port, msg::kJravanWrongKind);
        return std::nullopt;
      }
    }
  }
  const std::vector<int> taken = readJravanRecords(found.head.bytes, f, meetingKey(ds), ds.kaisai, ds.races);
  removeUnpacked(ds.fs(), ds.resolve(kLzhFolder), found.unpacked);
  if (taken.empty()) {
    // No record of the day shown: nothing to confirm and nothing to store.
    showError(port, msg::kJravanNothingRead);
    discardImport(ds);
    return std::nullopt;
  }
  if (!f.newer) {
    if (const int r = jravanItemsFault(ds.races)) {
      showError(port, cp932ToUtf8(sjprintf(msg::kItemsBrokenImport, r)));
      discardImport(ds);
      return std::nullopt;
    }
  }
  settleAllRaces(ds.kaisai, ds.races);
  if (source) *source = {shownPath(ds, found.path), jravanDateText(found.head.bytes, f, meetingKey(ds))};
  return jravanRaceText(taken);
}

}  // namespace tovra
