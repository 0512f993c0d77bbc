#include "import/nifty_import.hpp"

#include "entry/settlement.hpp"
#include "import/file_list.hpp"
#include "import/import_files.hpp"
#include "import/import_folders.hpp"
#include "import/import_messages.hpp"
#include "import/nifty_records.hpp"
#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/user_port.hpp"

namespace tovra {
namespace {

// Twelve race blocks never reach this far into a board text.
constexpr std::size_t kNiftyReadLimit = 4u << 20;
// The file head compared in the search ends at byte 46.
constexpr std::size_t kNiftyHead = 46;

bool search(DataStore& ds, UserPort& port, const ImportFolders& folders, FileHead& found) {
  FileSystem& fs = ds.fs();
  const MeetingKey key = meetingKey(ds);
  const std::filesystem::path folder = folderPath(ds.root(), folders.folder[kFolderNifty]);
  const auto names = listFiles(fs, ds.root(), folder, "*.*", kNiftyFileList);
  port.waitBegin(msg::kSearching, false);
  bool hit = false;
  for (const std::string& n : names) {
    FileHead head;
    if (!readFileHead(fs, folder / n, kNiftyHead, head) || !niftyHeadMatches(head.bytes, key)) continue;
    hit = readFileHead(fs, folder / n, kNiftyReadLimit, found);
    if (hit) break;
  }
  port.waitEnd();
  return hit;
}

}  // namespace

std::optional<NiftyTexts> runNiftyImport(DataStore& ds, UserPort& port, const ImportHooks& hooks,
                                         const ImportFolders& folders, const NiftyRequest& request) {
  beginImport(ds, hooks);
  FileHead file;
  if (request.automatic) {
    port.setBusy(true);
    const bool hit = search(ds, port, folders, file);
    port.setBusy(false);
    if (!hit) {
      showError(port, msg::kNiftyNoMatch);
      return std::nullopt;
    }
  } else {
    const std::filesystem::path p = request.file.is_absolute() ? request.file : ds.root() / request.file;
    if (!readFileHead(ds.fs(), p, kNiftyReadLimit, file)) {
      showError(port, msg::kNiftyNotFound);
      return std::nullopt;
    }
  }
  const NiftyRead read = readNiftyBlocks(file.bytes, meetingKey(ds), ds.races);
  // A leftover of earlier versions' board reader.
  if (const auto leftover = ds.resolve("tmp/nifty.tmp"); ds.fs().exists(leftover)) ds.fs().remove(leftover);
  if (read.mismatch) {
    port.message("確認", msg::kNiftyMismatch, MsgIcon::Warning);
    discardImport(ds);
    return std::nullopt;
  }
  settleAllRaces(ds.kaisai, ds.races);
  return NiftyTexts{raceListText(read.read), raceListText(read.errors)};
}

}  // namespace tovra
