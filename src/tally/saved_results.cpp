#include "tally/saved_results.hpp"

#include <algorithm>
#include <cstring>
#include <optional>

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/paths.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"
#include "tally/tally_common.hpp"

namespace tovra::tally {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The two files of a kind and the new ones written beside them while they change.
struct Pair {
  std::filesystem::path archive, index, archiveNew, indexNew;
};

Pair pairOf(DataStore& ds, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  return {ds.resolve(info.archive), ds.resolve(info.index), ds.resolve(std::string(info.archive) + ".new"),
          ds.resolve(std::string(info.index) + ".new")};
}

// The new archive is renamed first: while it is still there nothing has changed; once it
// is gone, the new index beside the old one belongs to the pair and is renamed too.
void recover(DataStore& ds, const Pair& p) {
  FileSystem& fs = ds.fs();
  if (fs.exists(p.archiveNew)) {
    fs.remove(p.archiveNew);
    fs.remove(p.indexNew);
  } else if (fs.exists(p.indexNew)) {
    fs.rename(p.indexNew, p.index);
  }
}

// The index as it stands, a half-replaced pair counting as replaced (for readers that do
// not write, such as the list).
std::optional<Bytes> readIndex(DataStore& ds, const Pair& p) {
  FileSystem& fs = ds.fs();
  const bool halfDone = !fs.exists(p.archiveNew) && fs.exists(p.indexNew);
  Bytes data;
  if (!readWholeFile(fs, halfDone ? p.indexNew : p.index, data)) return std::nullopt;
  return data;
}

std::optional<Bytes> readArchive(DataStore& ds, const Pair& p) {
  Bytes data;
  if (!readWholeFile(ds.fs(), p.archive, data)) return std::nullopt;
  return data;
}

// Replaces the archive and the index (either may be left alone) as described in the
// header. False when nothing was changed because a new file could not be written.
bool replacePair(DataStore& ds, const Pair& p, const std::optional<Bytes>& archive, const std::optional<Bytes>& index) {
  FileSystem& fs = ds.fs();
  auto discard = [&] {
    fs.remove(p.archiveNew);
    fs.remove(p.indexNew);
    return false;
  };
  // An empty vector may have no buffer at all; the file layer always gets one.
  auto write = [&](const std::filesystem::path& to, const Bytes& b) {
    static const std::uint8_t none = 0;
    return writeWholeFile(fs, to, b.empty() ? &none : b.data(), b.size());
  };
  if (archive && !write(p.archiveNew, *archive)) return discard();
  if (index && !write(p.indexNew, *index)) return discard();
  if (archive && !fs.rename(p.archiveNew, p.archive)) return discard();
  // From here on the change is made: an index that cannot be renamed now stays beside
  // the old one, where every later reader takes it and the next change completes it.
  if (index) fs.rename(p.indexNew, p.index);
  return true;
}

// The first `count` whole units of `data`, then `extra`.
Bytes keepThenAppend(const Bytes& data, std::size_t count, std::size_t unit, const std::uint8_t* extra) {
  Bytes out(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count * unit));
  out.insert(out.end(), extra, extra + unit);
  return out;
}

// Every whole unit of `data` but unit i.
Bytes withoutUnit(const Bytes& data, std::size_t i, std::size_t unit) {
  Bytes out;
  const std::size_t n = data.size() / unit;
  out.reserve(n * unit);
  for (std::size_t k = 0; k < n; ++k)
    if (k != i)
      out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(k * unit),
                 data.begin() + static_cast<std::ptrdiff_t>((k + 1) * unit));
  return out;
}

}  // namespace

std::array<std::uint8_t, kIndexEntrySize> indexEntry(TallyKind kind, const std::uint8_t* record) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  // The copy may end inside the stamp (an item tally keeps 35 of its 64 bytes).
  const std::size_t stampBytes = std::min(kStampSize, info.recordSize - info.stampOffset);
  const char* stamp = reinterpret_cast<const char*>(record + info.stampOffset);
  const std::size_t length = strnlen(stamp, stampBytes);
  std::array<std::uint8_t, kIndexEntrySize> entry{};
  if (length > kStampLead) {
    const std::string text = cutCp932(std::string_view(stamp + kStampLead, length - kStampLead), kIndexEntrySize - 1);
    std::memcpy(entry.data(), text.data(), text.size());
  }
  return entry;
}

std::vector<std::string> savedLabels(DataStore& ds, TallyKind kind) {
  std::vector<std::string> labels;
  const auto index = readIndex(ds, pairOf(ds, kind));
  if (!index) return labels;
  const std::size_t n = index->size() / kIndexEntrySize;
  for (std::size_t i = 0; i < n; ++i)
    labels.push_back(
        cp932ToUtf8(fixedText(reinterpret_cast<const char*>(index->data() + i * kIndexEntrySize), kIndexEntrySize)));
  return labels;
}

bool saveTallyResult(DataStore& ds, UserPort& port, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  WorkFileState state;
  const auto record = readWorkRecord(ds, kind, state);
  if (!record) {
    showError(port, workFileMessage(kind, state));
    return false;
  }
  if (port.message("集計結果保存", info.saveQuestion, MsgIcon::Information, MsgButtons::OkCancel) != Answer::Ok)
    return false;

  const Pair p = pairOf(ds, kind);
  recover(ds, p);
  const auto shukei = ds.resolve(kShukeiFolder);
  if (!ds.fs().isDirectory(shukei)) ds.fs().createDirectory(shukei);
  const Bytes index = readIndex(ds, p).value_or(Bytes{});
  const Bytes archive = readArchive(ds, p).value_or(Bytes{});
  // The new copy goes where its entry goes. Files put out of step from outside keep only
  // the entries that have their copy (the others could never be shown).
  const std::size_t inStep = std::min(index.size() / kIndexEntrySize, archive.size() / info.recordSize);
  const auto entry = indexEntry(kind, record->data());
  if (!replacePair(ds, p, keepThenAppend(archive, inStep, info.recordSize, record->data()),
                   keepThenAppend(index, inStep, kIndexEntrySize, entry.data()))) {
    showError(port, kSavedSaveFailedMessage);
    return false;
  }
  return true;
}

bool restoreSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Pair p = pairOf(ds, kind);
  recover(ds, p);
  auto broken = [&] {
    port.message("確認", kSavedBrokenMessage, MsgIcon::Warning);
    return false;
  };
  const std::size_t entries = readIndex(ds, p).value_or(Bytes{}).size() / kIndexEntrySize;
  if (index < 0 || static_cast<std::size_t>(index) >= entries) return broken();
  // Only the one copy is read: the archive is not taken into memory whole.
  auto f = ds.fs().open(p.archive, OpenMode::Read);
  if (!f) return broken();
  const std::uint64_t at = static_cast<std::uint64_t>(index) * info.recordSize;
  if (f->size() < at + info.recordSize || !f->seek(at)) return broken();
  Bytes record(info.recordSize);
  if (f->read(record.data(), record.size()) != record.size()) return broken();
  f.reset();
  if (!plausibleRecord(kind, record.data(), record.size())) return broken();
  return writeWorkFile(ds, port, info.workFile, record);
}

bool deleteSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Pair p = pairOf(ds, kind);
  recover(ds, p);
  const auto oldIndex = readIndex(ds, p);
  if (!oldIndex || index < 0 || static_cast<std::size_t>(index) >= oldIndex->size() / kIndexEntrySize) return false;
  const auto oldArchive = readArchive(ds, p);
  std::optional<Bytes> newArchive;
  if (oldArchive) newArchive = withoutUnit(*oldArchive, static_cast<std::size_t>(index), info.recordSize);
  if (!replacePair(ds, p, newArchive, withoutUnit(*oldIndex, static_cast<std::size_t>(index), kIndexEntrySize))) {
    showError(port, kSavedDeleteFailedMessage);
    return false;
  }
  return true;
}

void recoverSavedResults(DataStore& ds) {
  for (TallyKind kind : kTallyKinds) recover(ds, pairOf(ds, kind));
}

}  // namespace tovra::tally
