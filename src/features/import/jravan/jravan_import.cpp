#include "features/import/jravan/jravan_import.hpp"

#include <algorithm>
#include <map>

#include "domain/settlement.hpp"
#include "features/import/file_date.hpp"
#include "features/import/file_list.hpp"
#include "features/import/import_files.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/jravan/lha_archive.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

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
// than a JRA-VAN archive holds are refused (`refusal` says why).
ArchiveSearch searchArchive(const Ledger& ledger, const std::filesystem::path& p, const std::string& name,
                            const JravanFormat& f, const MeetingKey& key, Found& found, Refusal& refusal) {
  FileSystem& fs = ledger.fs();
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
    refusal = Refusal{MsgIcon::Error, cp932ToUtf8(text)};
    return ArchiveSearch::Refused;
  }
  std::map<std::string, const LhaMember*> byName;  // member names are CP932, as the folder's
  for (const LhaMember& m : contents.members) byName[m.name] = &m;
  std::vector<std::string> names;
  for (const auto& [n, m] : byName) names.push_back(n);
  writeFileList(fs, ledger.root(), names, kJraLzhFileList);
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

// The automatic search of the kind's folder; Hit with `found` on a match. An archive that
// is passed over is noted, and the search goes on.
SearchOutcome search(const Ledger& ledger, UserPort& port, const ImportFolders& folders, const JravanFormat& f,
                     const MeetingKey& key, Found& found, std::vector<Refusal>& notices) {
  FileSystem& fs = ledger.fs();
  const std::filesystem::path folder =
      folderPath(ledger.root(), folders.folder[f.kind == JravanKind::Card ? kFolderJravanCard : kFolderJravanResult]);
  const std::vector<std::string> names = listFiles(fs, ledger.root(), folder, "*.*", kJraFileList);
  port.waitBegin(msg::kSearching, false);
  SearchOutcome outcome = SearchOutcome::Miss;
  for (const std::string& name : names) {
    const std::filesystem::path p = folder / name;
    found.path = p;
    if (namesOtherDay(name, key)) continue;
    Refusal passedOver;
    const ArchiveSearch archive = searchArchive(ledger, p, name, f, key, found, passedOver);
    if (archive == ArchiveSearch::Refused) notices.push_back(passedOver);
    if (archive == ArchiveSearch::Match || examine(fs, p, f, key, found.head)) {
      outcome = SearchOutcome::Hit;
      break;
    }
  }
  port.waitEnd();
  return outcome;
}

}  // namespace

Result<std::string> runJravanImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                                    const JravanRequest& request, ImportSource* source) {
  const JravanFormat& f = request.format;
  const MeetingKey key = meetingKey(d.key, d.day.meeting);
  Found found;
  if (request.automatic) {
    if (folders.folder[f.kind == JravanKind::Card ? kFolderJravanCard : kFolderJravanResult].empty())
      return Refusal{MsgIcon::Error, msg::kJravanNoFolder};
    port.setBusy(true);
    const SearchOutcome outcome = search(ledger, port, folders, f, key, found, d.notices);
    port.setBusy(false);
    if (outcome == SearchOutcome::Miss) return Refusal{MsgIcon::Error, msg::kJravanNoMatch};
  } else {
    const std::filesystem::path p = request.file.is_absolute() ? request.file : ledger.root() / request.file;
    found.path = p;
    // A named archive is read as the search reads one.
    Refusal refusal;
    const ArchiveSearch archive = searchArchive(ledger, p, request.file.filename().string(), f, key, found, refusal);
    if (archive == ArchiveSearch::Refused) return refusal;
    if (archive == ArchiveSearch::NoMatch) return Refusal{MsgIcon::Error, msg::kJravanNoMatch};
    if (archive == ArchiveSearch::NotArchive) {
      if (!readFileHead(ledger.fs(), p, recordsLimit(f), found.head))
        return Refusal{MsgIcon::Error, msg::kJravanNotFound};
      if (found.head.size % f.recordLength() != 0) return Refusal{MsgIcon::Error, msg::kJravanWrongKind};
    }
  }
  const std::vector<int> taken = readJravanRecords(found.head.bytes, f, key, d.day.meeting, d.day.races);
  // No record of the day: nothing to confirm and nothing to store.
  if (taken.empty()) return Refusal{MsgIcon::Error, msg::kJravanNothingRead};
  if (!f.newer) {
    if (const int r = jravanItemsFault(d.day.races))
      return Refusal{MsgIcon::Error, cp932ToUtf8(sjprintf(msg::kItemsBrokenImport, r))};
  }
  settleAllRaces(d.day.meeting, d.day.races);
  if (source) *source = {shownPath(ledger.root(), found.path), jravanDateText(found.head.bytes, f, key)};
  return jravanRaceText(taken);
}

}  // namespace tovra
