#include "features/tally/saved_results.hpp"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "features/tally/result_words.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

namespace tovra::tally {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The two files of a kind.
struct Pair {
  std::filesystem::path archive, index;
};

Pair pairOf(DataStore& ds, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  return {ds.resolve(info.archive), ds.resolve(info.index)};
}

std::optional<Bytes> readIndex(DataStore& ds, const Pair& p) {
  Bytes data;
  if (!readWholeFile(ds.fs(), p.index, data)) return std::nullopt;
  return data;
}

std::string fileNameOf(const char* logical) { return std::filesystem::path(logical).filename().string(); }

// A kind's two files as they were found: the index whole, the archive open, and what
// makes the pair unusable (empty when it is sound). Both files missing is a sound, empty
// pair; one file without the other, a file that cannot be read, an index larger than any
// real one, or an archive that does not hold exactly one copy per entry is not.
struct Found {
  Bytes index;
  std::unique_ptr<File> archive;  // null when both files are missing
  std::size_t entries = 0;
  std::string problem;
};

Found findPair(DataStore& ds, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Pair p = pairOf(ds, kind);
  FileSystem& fs = ds.fs();
  const std::string dat = fileNameOf(info.archive), tim = fileNameOf(info.index);
  Found f;
  auto fail = [&](const std::string& detail) {
    f.archive.reset();
    f.index.clear();
    f.entries = 0;
    f.problem = std::string(kSavedDamagedLead) + "\n\n" + detail;
    return std::move(f);
  };
  f.archive = fs.open(p.archive, OpenMode::Read);
  auto indexFile = fs.open(p.index, OpenMode::Read);
  const bool archiveThere = f.archive || fs.exists(p.archive);
  const bool indexThere = indexFile || fs.exists(p.index);
  if (!archiveThere && !indexThere) return f;
  if (!indexThere) return fail(tim + " がありません。");
  if (!archiveThere) return fail(dat + " がありません。");
  if (!indexFile) return fail(tim + " を読み込めません。");
  if (!f.archive) return fail(dat + " を読み込めません。");
  const std::uint64_t indexSize = indexFile->size();
  if (indexSize > kReadWholeLimit) return fail(tim + " が大き過ぎます。");
  f.index.resize(static_cast<std::size_t>(indexSize));
  std::size_t got = 0;
  while (got < f.index.size()) {
    const std::size_t n = indexFile->read(f.index.data() + got, f.index.size() - got);
    if (n == 0) break;
    got += n;
  }
  if (got != f.index.size()) return fail(tim + " を読み込めません。");
  f.entries = f.index.size() / kIndexEntrySize;
  const std::uint64_t archiveSize = f.archive->size();
  if (archiveSize != static_cast<std::uint64_t>(f.entries) * info.recordSize)
    return fail(dat + " (" + std::to_string(archiveSize) + "ﾊﾞｲﾄ) と " + tim + " (" + std::to_string(f.entries) +
                "件) が合いません。");
  return f;
}

// The whole copies an archive holds (a missing archive holds none).
std::size_t copiesIn(File* archive, std::size_t recordSize) {
  return archive ? static_cast<std::size_t>(archive->size() / recordSize) : 0;
}

// Copies the first `count` copies of an archive to its new version, one at a time and
// without copy `skip`: the archive is never read into memory whole.
bool copyCopies(File& from, StagedFile& to, std::size_t recordSize, std::size_t count, std::size_t skip) {
  Bytes copy(recordSize);
  if (!from.seek(0)) return false;
  for (std::size_t k = 0; k < count; ++k) {
    if (from.read(copy.data(), recordSize) != recordSize) return false;
    if (k != skip && !to.write(copy.data(), recordSize)) return false;
  }
  return true;
}

inline constexpr std::size_t kNoCopy = static_cast<std::size_t>(-1);

// Replaces the index and (unless `writeArchive` is empty) the archive, and with
// `writeTypes` the type archive too: the new files are written beside the old ones and
// committed together, so that after a crash they read as the old ones or as the new ones
// (the next open completes a committed change). False when nothing was changed because a
// new file could not be written.
bool replacePair(DataStore& ds, const Pair& p, const std::function<bool(StagedFile&)>& writeArchive,
                 const Bytes& index, const std::function<bool(StagedFile&)>& writeTypes = {},
                 const std::filesystem::path& types = {}) {
  FileSystem& fs = ds.fs();
  StagedFile newIndex(fs, p.index);
  if (!newIndex.open() || !newIndex.write(index.data(), index.size())) return false;
  if (!writeArchive) return newIndex.commit();
  StagedFile newArchive(fs, p.archive);
  if (!newArchive.open() || !writeArchive(newArchive)) return false;
  if (!writeTypes) return commitTogether(fs, commitMarkFor(p.archive), {&newArchive, &newIndex});
  StagedFile newTypes(fs, types);
  if (!newTypes.open() || !writeTypes(newTypes)) return false;
  return commitTogether(fs, commitMarkFor(p.archive), {&newArchive, &newIndex, &newTypes});
}

// ---- the type archive: the type work file saved beside each copy of the archive

constexpr std::size_t kTypeRecord = TypeTallyResult::kSize;

// The stamp text of a copy, NUL-terminated within 64 bytes.
std::array<char, kStampSize> stampOf(TallyKind kind, const std::uint8_t* record) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  std::array<char, kStampSize> stamp{};
  const std::size_t n = std::min(kStampSize - 1, info.recordSize - info.stampOffset);
  std::memcpy(stamp.data(), record + info.stampOffset, n);
  return stamp;
}

// Copies records 0 .. count - 1 of the type archive but record `skip`, a record the
// archive does not hold written as zeros (a copy saved without type figures).
bool copyTypeRecords(File* from, StagedFile& to, std::size_t count, std::size_t skip) {
  const std::size_t held = copiesIn(from, kTypeRecord);
  Bytes record(kTypeRecord);
  if (from && !from->seek(0)) return false;
  for (std::size_t k = 0; k < count; ++k) {
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    if (k < held && from->read(record.data(), kTypeRecord) != kTypeRecord) return false;
    if (k != skip && !to.write(record.data(), kTypeRecord)) return false;
  }
  return true;
}

// The first `count` whole entries of an index, then `extra`.
Bytes entriesThenAppend(const Bytes& index, std::size_t count, const std::uint8_t* extra) {
  Bytes out(index.begin(), index.begin() + static_cast<std::ptrdiff_t>(count * kIndexEntrySize));
  out.insert(out.end(), extra, extra + kIndexEntrySize);
  return out;
}

// Every whole entry of an index but entry i.
Bytes withoutEntry(const Bytes& index, std::size_t i) {
  Bytes out;
  const std::size_t n = index.size() / kIndexEntrySize;
  for (std::size_t k = 0; k < n; ++k)
    if (k != i)
      out.insert(out.end(), index.begin() + static_cast<std::ptrdiff_t>(k * kIndexEntrySize),
                 index.begin() + static_cast<std::ptrdiff_t>((k + 1) * kIndexEntrySize));
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

std::vector<SavedEntry> savedEntries(DataStore& ds, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const std::vector<std::string> times = savedLabels(ds, kind);
  std::vector<SavedEntry> entries;
  auto archive = ds.fs().open(pairOf(ds, kind).archive, OpenMode::Read);
  const std::size_t copies = copiesIn(archive.get(), info.recordSize);
  const ByteSpan span = resultWordsSpan(kind);
  Bytes record(info.recordSize);
  for (std::size_t i = 0; i < times.size(); ++i) {
    SavedEntry e{times[i], kSavedNoCopy};
    const std::uint64_t at = static_cast<std::uint64_t>(i) * info.recordSize + span.first;
    const std::size_t want = span.end - span.first;
    if (i < copies && archive->seek(at) && archive->read(record.data() + span.first, want) == want) {
      const auto words = resultWords(kind, record.data(), ds.nenji);
      e.description = words.empty() ? std::string(kSavedUnknown) : joinWords(words, " ");
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string savedLine(const SavedEntry& entry) { return entry.time + "  " + entry.description; }

std::string savedDeleteQuestion(TallyKind kind, const SavedEntry& entry) {
  return std::string("保存済") + tallyKindInfo(kind).title + "結果を削除します。\n\n" + savedLine(entry);
}

bool saveTallyResult(DataStore& ds, UserPort& port, TallyKind kind) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  WorkFileState state;
  const auto record = readWorkRecord(ds, kind, state);
  if (!record) {
    showError(port, workFileMessage(kind, state));
    return false;
  }
  // Files that are not sound are refused before the question: nothing could be saved.
  Found found = findPair(ds, kind);
  if (!found.problem.empty()) {
    showError(port, found.problem + "\n\n処理を中止します。");
    return false;
  }
  if (port.message("集計結果保存", info.saveQuestion, MsgIcon::Information, MsgButtons::OkCancel) != Answer::Ok)
    return false;

  const Pair p = pairOf(ds, kind);
  const auto shukei = ds.resolve(kShukeiFolder);
  if (!ds.fs().isDirectory(shukei)) ds.fs().createDirectory(shukei);
  const auto entry = indexEntry(kind, record->data());
  auto writeArchive = [&](StagedFile& to) {
    return (found.entries == 0 || copyCopies(*found.archive, to, info.recordSize, found.entries, kNoCopy)) &&
           to.write(record->data(), record->size());
  };
  // The type figures that go with the copy: saved at the same position of the type
  // archive, which is made only once a copy has any.
  std::function<bool(StagedFile&)> writeTypes;
  std::filesystem::path typesPath;
  if (info.typeArchive) {
    typesPath = ds.resolve(info.typeArchive);
    const auto stamp = stampOf(kind, record->data());
    const auto types = readTypeFile(ds, info.typeWorkFile, stamp.data());
    if (types || ds.fs().exists(typesPath)) {
      Bytes typeRecord(kTypeRecord, 0);
      if (types) types->encode(typeRecord.data());
      writeTypes = [&, typeRecord](StagedFile& to) {
        auto from = ds.fs().open(typesPath, OpenMode::Read);
        return copyTypeRecords(from.get(), to, found.entries, kNoCopy) && to.write(typeRecord.data(), kTypeRecord);
      };
    }
  }
  if (!replacePair(ds, p, writeArchive, entriesThenAppend(found.index, found.entries, entry.data()), writeTypes,
                   typesPath)) {
    showError(port, kSavedSaveFailedMessage);
    return false;
  }
  return true;
}

bool restoreSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Pair p = pairOf(ds, kind);
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
  if (info.typeWorkFile) ds.fs().remove(ds.resolve(info.typeWorkFile));
  if (!writeWorkFile(ds, port, info.workFile, record)) return false;
  // The copy's type figures, when they were saved with it.
  if (info.typeArchive) {
    auto t = ds.fs().open(ds.resolve(info.typeArchive), OpenMode::Read);
    const std::uint64_t typeAt = static_cast<std::uint64_t>(index) * kTypeRecord;
    Bytes typeRecord(kTypeRecord);
    TypeTallyResult types;
    if (t && t->size() >= typeAt + kTypeRecord && t->seek(typeAt) &&
        t->read(typeRecord.data(), kTypeRecord) == kTypeRecord && types.decode(typeRecord.data(), kTypeRecord) &&
        std::strncmp(types.timeStamp, stampOf(kind, record.data()).data(), kStampSize) == 0)
      writeWorkFile(ds, port, info.typeWorkFile, typeRecord);
  }
  return true;
}

bool deleteSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index) {
  const TallyKindInfo& info = tallyKindInfo(kind);
  const Pair p = pairOf(ds, kind);
  Found found = findPair(ds, kind);
  if (!found.problem.empty()) {
    showError(port, found.problem + "\n\n処理を中止します。");
    return false;
  }
  if (index < 0 || static_cast<std::size_t>(index) >= found.entries) return false;
  const auto line = static_cast<std::size_t>(index);
  auto writeArchive = [&](StagedFile& to) {
    return copyCopies(*found.archive, to, info.recordSize, found.entries, line);
  };
  std::function<bool(StagedFile&)> writeTypes;
  std::filesystem::path typesPath;
  if (info.typeArchive && ds.fs().exists(ds.resolve(info.typeArchive))) {
    typesPath = ds.resolve(info.typeArchive);
    writeTypes = [&](StagedFile& to) {
      auto from = ds.fs().open(typesPath, OpenMode::Read);
      return copyTypeRecords(from.get(), to, found.entries, line);
    };
  }
  if (!replacePair(ds, p, writeArchive, withoutEntry(found.index, line), writeTypes, typesPath)) {
    showError(port, kSavedDeleteFailedMessage);
    return false;
  }
  return true;
}

SavedCheck checkSaved(DataStore& ds, TallyKind kind) {
  const Found found = findPair(ds, kind);
  return {found.entries, found.problem};
}

}  // namespace tovra::tally
