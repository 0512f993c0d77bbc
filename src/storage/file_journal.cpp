// The day journal (both records of a meeting day written together) and the recovery of
// every write a crash interrupted: committed groups completed, journals replayed,
// staged files of dead writers removed.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "storage/file_names.hpp"
#include "storage/fileio.hpp"

namespace tovra {

using namespace file_names;

// ---------------------------------------------------------------- journals

namespace {

constexpr char kJournalMagic[8] = {'T', 'O', 'V', 'R', 'A', 'J', 'N', 'L'};
constexpr std::uint32_t kJournalVersion = 1;
constexpr std::uint32_t kJournalMaxPieces = 16;
constexpr std::uint32_t kJournalMaxPiece = 1u << 20;

std::uint32_t crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

void putLe(std::vector<std::uint8_t>& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Reads little-endian numbers and byte runs from a journal, never past its end.
class JournalReader {
 public:
  JournalReader(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}
  bool take(std::size_t k, const std::uint8_t*& at) {
    if (k > n_ - pos_) return false;
    at = p_ + pos_;
    pos_ += k;
    return true;
  }
  bool number(int bytes, std::uint64_t& v) {
    const std::uint8_t* at = nullptr;
    if (!take(static_cast<std::size_t>(bytes), at)) return false;
    v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | at[i];
    return true;
  }
  bool atEnd() const { return pos_ == n_; }

 private:
  const std::uint8_t* p_;
  std::size_t n_, pos_ = 0;
};

}  // namespace

std::filesystem::path journalFor(const std::filesystem::path& target) {
  std::filesystem::path p = target;
  p += kJournalSuffix;
  return p;
}

std::vector<std::uint8_t> encodeJournal(const std::vector<InPlacePiece>& pieces) {
  std::vector<std::uint8_t> out(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
  putLe(out, kJournalVersion, 4);
  putLe(out, pieces.size(), 4);
  for (const InPlacePiece& piece : pieces) {
    const std::string name = piece.path.filename().string();
    putLe(out, name.size(), 4);
    out.insert(out.end(), name.begin(), name.end());
    putLe(out, piece.offset, 8);
    putLe(out, piece.bytes.size(), 4);
    out.insert(out.end(), piece.bytes.begin(), piece.bytes.end());
  }
  putLe(out, crc32(out.data(), out.size()), 4);
  return out;
}

bool decodeJournal(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& dir,
                   std::vector<InPlacePiece>& pieces) {
  pieces.clear();
  if (bytes.size() < sizeof kJournalMagic + 12) return false;
  const std::size_t body = bytes.size() - 4;
  JournalReader crcAt(bytes.data() + body, 4);
  std::uint64_t crc = 0;
  if (!crcAt.number(4, crc) || crc != crc32(bytes.data(), body)) return false;
  JournalReader r(bytes.data(), body);
  const std::uint8_t* magic = nullptr;
  std::uint64_t version = 0, count = 0;
  if (!r.take(sizeof kJournalMagic, magic) || std::memcmp(magic, kJournalMagic, sizeof kJournalMagic) != 0 ||
      !r.number(4, version) || version != kJournalVersion || !r.number(4, count) || count > kJournalMaxPieces)
    return false;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::uint64_t nameLength = 0, offset = 0, length = 0;
    const std::uint8_t* name = nullptr;
    const std::uint8_t* data = nullptr;
    if (!r.number(4, nameLength) || nameLength > 255 || !r.take(static_cast<std::size_t>(nameLength), name) ||
        !r.number(8, offset) || offset > static_cast<std::uint64_t>(INT64_MAX) || !r.number(4, length) ||
        length > kJournalMaxPiece || !r.take(static_cast<std::size_t>(length), data))
      return false;
    const std::string leaf(reinterpret_cast<const char*>(name), static_cast<std::size_t>(nameLength));
    if (!plainName(leaf)) return false;
    pieces.push_back({dir / leaf, offset, std::vector<std::uint8_t>(data, data + length)});
  }
  return r.atEnd();
}

bool updateTogether(FileSystem& fs, const std::filesystem::path& journal, const std::vector<InPlacePiece>& pieces,
                    std::filesystem::path* failedPath) {
  const auto fail = [&](const std::filesystem::path& p) {
    if (failedPath) *failedPath = p;
    return false;
  };
  // Refused before the journal exists: a journal for a file it cannot change would fail
  // at every later open.
  for (const InPlacePiece& piece : pieces)
    if (piece.path.parent_path() != journal.parent_path() || !fs.exists(piece.path) || !fs.writable(piece.path))
      return fail(piece.path);
  const std::vector<std::uint8_t> bytes = encodeJournal(pieces);
  if (!writeWholeFile(fs, journal, bytes)) return fail(pieces.empty() ? journal : pieces.front().path);
  // From here on the change is committed: a failure leaves the journal for the next open.
  for (const InPlacePiece& piece : pieces)
    if (!updateInPlace(fs, piece.path, piece.offset, piece.bytes.data(), piece.bytes.size())) return fail(piece.path);
  if (!fs.remove(journal)) return fail(pieces.empty() ? journal : pieces.front().path);
  // Made durable now: a journal that came back after a power loss would write its
  // pieces over a later change made without one.
  if (!fs.syncDirectory(journal.parent_path())) return fail(pieces.empty() ? journal : pieces.front().path);
  return true;
}

long stagedWriterPid(const std::string& name) {
  if (!isStagedName(name)) return 0;
  const std::string stem = name.substr(0, name.size() - std::string(kStagedSuffix).size());
  const auto dot = stem.rfind('.');
  const auto dash = stem.rfind('-');
  if (dot == std::string::npos || dash == std::string::npos || dash < dot + 2 || dash + 1 >= stem.size()) return 0;
  long pid = 0;
  for (std::size_t i = dot + 1; i < dash; ++i) {
    if (stem[i] < '0' || stem[i] > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (stem[i] - '0');
  }
  for (std::size_t i = dash + 1; i < stem.size(); ++i)
    if (stem[i] < '0' || stem[i] > '9') return 0;
  return pid;
}

namespace {

// Completes the group a mark names. False when a named file could not be put in place.
bool completeGroup(FileSystem& fs, const std::filesystem::path& dir, const std::string& markName,
                   std::filesystem::path* failedPath) {
  std::vector<std::uint8_t> bytes;
  if (readWholeFile(fs, dir / markName, bytes, 1u << 16)) {
    std::string text(bytes.begin(), bytes.end());
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t nl = text.find('\n', start);
      if (nl == std::string::npos) break;  // a mark is written whole; a line without its end is no mark
      std::string line = text.substr(start, nl - start);
      start = nl + 1;
      auto tab = line.find('\t');
      if (tab == std::string::npos) continue;
      std::string staged = line.substr(0, tab), target = line.substr(tab + 1);
      if (!plainName(staged) || !plainName(target) || !isStagedName(staged)) continue;
      // A staged file that is gone was renamed before the crash.
      if (fs.exists(dir / staged) && !fs.rename(dir / staged, dir / target)) {
        if (failedPath) *failedPath = dir / target;
        return false;
      }
    }
  }
  if (!fs.syncDirectory(dir)) return false;
  fs.remove(dir / markName);
  return true;
}

// Writes the pieces of a journal again and removes it. False when a piece could not be
// written (or the journal cannot be read at all): the change stays to be completed.
bool replayJournal(FileSystem& fs, const std::filesystem::path& dir, const std::string& name,
                   std::filesystem::path* failedPath) {
  const std::filesystem::path journal = dir / name;
  std::filesystem::path first = journal;
  first.replace_extension();  // the journal is named after the file of its first piece
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(fs, journal, bytes, 4u << 20)) {
    if (failedPath) *failedPath = first;
    return false;
  }
  std::vector<InPlacePiece> pieces;
  // A journal is put in place whole: one that does not decode was never committed.
  if (decodeJournal(bytes, dir, pieces)) {
    for (const InPlacePiece& piece : pieces) {
      if (!updateInPlace(fs, piece.path, piece.offset, piece.bytes.data(), piece.bytes.size())) {
        if (failedPath) *failedPath = piece.path;
        return false;
      }
    }
  }
  if (!fs.remove(journal) || !fs.syncDirectory(dir)) {
    if (failedPath) *failedPath = first;
    return false;
  }
  return true;
}

}  // namespace

bool recoverInterruptedWrites(FileSystem& fs, const std::filesystem::path& dir, std::filesystem::path* failedPath) {
  const std::vector<std::string> names = fs.list(dir);
  bool changed = false;
  for (const std::string& n : names) {
    if (!isCommitMarkName(n)) continue;
    if (!completeGroup(fs, dir, n, failedPath)) return false;
    changed = true;
  }
  for (const std::string& n : names) {
    if (!isJournalName(n)) continue;
    if (!replayJournal(fs, dir, n, failedPath)) return false;
    changed = true;
  }
  // What is still staged now was never committed: its target is as it was. A writer that
  // still runs (another program writing its own file here) keeps its file.
  for (const std::string& n : fs.list(dir)) {
    if (!isStagedName(n)) continue;
    // This process's own files are the crash's: nothing of it is being written now.
    if (const long pid = stagedWriterPid(n); pid > 0 && pid != ::getpid() && fs.processRunning(pid)) continue;
    fs.remove(dir / n);
    changed = true;
  }
  if (changed) fs.syncDirectory(dir);
  return true;
}

void removeLeftoversOf(FileSystem& fs, const std::filesystem::path& dir, const std::string& prefix) {
  for (const std::string& n : fs.list(dir)) {
    if ((isStagedName(n) || isCommitMarkName(n) || isJournalName(n)) && n.compare(0, prefix.size(), prefix) == 0)
      fs.remove(dir / n);
  }
}

}  // namespace tovra
