#include "features/import/nifty/nifty_import.hpp"

#include "domain/settlement.hpp"
#include "features/import/file_date.hpp"
#include "features/import/file_list.hpp"
#include "features/import/import_files.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/nifty/nifty_records.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

// Twelve race blocks never reach this far into a board text.
constexpr std::size_t kNiftyReadLimit = 4u << 20;
// The file head compared in the search ends at byte 46.
constexpr std::size_t kNiftyHead = 46;

// The bytes before the first race block: where a board text writes its date.
constexpr std::size_t kNiftyBlocksStart = 66;

// The date the file's name or its head gives; nullopt when neither gives one.
std::optional<FileDate> niftyFileDate(const std::filesystem::path& p, std::span<const std::uint8_t> bytes) {
  if (auto d = dateInFileName(p.filename().string())) return d;
  return dateInText(bytes.first(std::min(bytes.size(), kNiftyBlocksStart)));
}

struct NiftyFile {
  FileHead head;
  std::filesystem::path path;
  std::optional<FileDate> date;
};

bool search(const Ledger& ledger, UserPort& port, const ImportFolders& folders, const MeetingKey& key,
            NiftyFile& found) {
  FileSystem& fs = ledger.fs();
  const std::filesystem::path folder = folderPath(ledger.root(), folders.folder[kFolderNifty]);
  const auto names = listFiles(fs, ledger.root(), folder, "*.*", kNiftyFileList);
  port.waitBegin(msg::kSearching, false);
  bool hit = false;
  for (const std::string& n : names) {
    FileHead head;
    if (!readFileHead(fs, folder / n, kNiftyHead, head) || !niftyHeadMatches(head.bytes, key)) continue;
    if (!readFileHead(fs, folder / n, kNiftyReadLimit, found.head)) continue;
    // The same 回 and 日目 recur every year: a file that gives another day is not this one.
    found.date = niftyFileDate(n, found.head.bytes);
    if (found.date && isOtherDay(*found.date, key)) continue;
    found.path = folder / n;
    hit = true;
    break;
  }
  port.waitEnd();
  return hit;
}

}  // namespace

Result<NiftyTexts> runNiftyImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                                  const NiftyRequest& request) {
  const MeetingKey key = meetingKey(d.key, d.day.meeting);
  NiftyFile found;
  if (request.automatic) {
    if (folders.folder[kFolderNifty].empty()) return Refusal{MsgIcon::Error, msg::kNiftyNoFolder};
    port.setBusy(true);
    const bool hit = search(ledger, port, folders, key, found);
    port.setBusy(false);
    if (!hit) return Refusal{MsgIcon::Error, msg::kNiftyNoMatch};
  } else {
    found.path = request.file.is_absolute() ? request.file : ledger.root() / request.file;
    if (!readFileHead(ledger.fs(), found.path, kNiftyReadLimit, found.head))
      return Refusal{MsgIcon::Error, msg::kNiftyNotFound};
    found.date = niftyFileDate(found.path, found.head.bytes);
  }
  // A named file of another day is refused like one of another meeting.
  const bool otherDay = found.date && isOtherDay(*found.date, key);
  const NiftyRead read = otherDay ? NiftyRead{} : readNiftyBlocks(found.head.bytes, key, d.day.races);
  // A leftover of earlier versions' board reader.
  if (const auto leftover = ledger.locate("tmp/nifty.tmp"); ledger.fs().exists(leftover)) ledger.fs().remove(leftover);
  if (otherDay || read.mismatch) return Refusal{MsgIcon::Warning, msg::kNiftyMismatch};
  if (read.read.empty()) {
    // Nothing of the day could be read: no confirmation, nothing to store.
    const std::string errors = raceListText(read.errors);
    return Refusal{MsgIcon::Error, errors.empty() ? std::string(msg::kNiftyNothingRead)
                                                  : std::string(msg::kNiftyNothingRead) + "\n\nｴﾗｰ：" + errors};
  }
  settleAllRaces(d.day.meeting, d.day.races);
  return NiftyTexts{raceListText(read.read), raceListText(read.errors), shownPath(ledger.root(), found.path),
                    found.date ? fileDateText(*found.date) : std::string()};
}

}  // namespace tovra
