#include "import/jravan_import.hpp"

#include <algorithm>
#include <map>

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

// The import file found: its first records, and the file it was read from.
struct Found {
  FileHead head;
  std::filesystem::path path;  // the file read (an archive's member: the archive)
};

// A file whose name gives another day than the one shown is never taken by the search.
bool namesOtherDay(const std::string& name, const MeetingKey& key) {
  const auto d = dateInFileName(name);
  return d && isOtherDay(*d, key);
}

std::size_t recordsLimit(const JravanFormat& f) { return f.recordLength() * kJravanMaxRecords; }

// Whether a file's first records (and its size) make it the import file of the day.
bool headMatches(const FileHead& head, const JravanFormat& f, const MeetingKey& key) {
  if (head.size == 0 || head.size % f.recordLength() != 0) return false;
  return jravanFileMatches(head.bytes, f, key);
}

bool examine(FileSystem& fs, const std::filesystem::path& p, const JravanFormat& f, const MeetingKey& key,
             FileHead& head) {
  return readFileHead(fs, p, recordsLimit(f), head) && headMatches(head, f, key);
}

// The members an archive is searched for.
constexpr const char* kMemberMask = "jra*.*";

enum class ArchiveSearch { NotArchive, Refused, NoMatch, Match };

// Step a of the search for one listed file: when it is an archive, its "jra*.*" members
// are examined straight from the archive in memory, in name order (a name that comes
// twice counts with its later member, as unpacking both into one folder would leave it);
// nothing of it is written but the list of those names. `found` is filled on a match. A
// damaged archive, one with a member named outside its folder, and one with more members
// than a JRA-VAN archive holds are refused with a message.
ArchiveSearch searchArchive(DataStore& ds, UserPort& port, const std::filesystem::path& p, const std::string& name,
                            const JravanFormat& f, const MeetingKey& key, Found& found) {
  FileSystem& fs = ds.fs();
  FileHead whole;
  if (!readFileHead(fs, p, kMaxArchive, whole) || whole.size > kMaxArchive) return ArchiveSearch::NotArchive;
  const LhaContents contents = readLhaMembers(whole.bytes, kMemberMask);
  if (contents.status == LhaStatus::NotArchive) return ArchiveSearch::NotArchive;
  if (contents.status != LhaStatus::Ok) {
    const std::string shown = utf8ToCp932(name).value_or(name);
    std::string text;
    if (contents.status == LhaStatus::TooManyMembers)
      text = sjprintf(msg::kArchiveTooMany, shown.c_str(), static_cast<int>(kLhaMaxMembers));
    else
      text = sjprintf(contents.status == LhaStatus::UnsafeName ? msg::kArchiveUnsafe : msg::kArchiveDamaged,
                      shown.c_str());
    showError(port, cp932ToUtf8(text));
    return ArchiveSearch::Refused;
  }
  std::map<std::string, const LhaMember*> byName;  // member names are CP932, as the folder's
  for (const LhaMember& m : contents.members) byName[m.name] = &m;
  std::vector<std::string> names;
  for (const auto& [n, m] : byName) names.push_back(n);
  writeFileList(fs, ds.root(), names, kJraLzhFileList);
  for (const auto& [n, m] : byName) {
    if (namesOtherDay(n, key)) continue;
    FileHead head;
    head.size = m->data.size();
    head.bytes.assign(m->data.begin(),
                      m->data.begin() + static_cast<std::ptrdiff_t>(std::min(m->data.size(), recordsLimit(f))));
    if (headMatches(head, f, key)) {
      found.head = std::move(head);
      return ArchiveSearch::Match;
    }
  }
  return ArchiveSearch::NoMatch;
}

enum class SearchOutcome { Hit, Miss };

// The automatic search of the kind's folder; Hit with `found` on a match.
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
    if (outcome == SearchOutcome::Miss) {
      showError(port, msg::kJravanNoMatch);
      return std::nullopt;
    }
  } else {
    const std::filesystem::path p = request.file.is_absolute() ? request.file : ds.root() / request.file;
    found.path = p;
    // A named archive is read as the search reads one.
    const ArchiveSearch archive =
        searchArchive(ds, port, p, request.file.filename().string(), f, meetingKey(ds), found);
    if (archive == ArchiveSearch::Refused) return std::nullopt;
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
