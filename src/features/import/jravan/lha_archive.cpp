#include "features/import/jravan/lha_archive.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "features/import/file_list.hpp"
#include "storage/fileio.hpp"

#include <lhasa.h>

namespace tovra {
namespace {

struct MemoryStream {
  std::span<const std::uint8_t> data;
  std::size_t pos = 0;
};

int streamRead(void* handle, void* buf, size_t len) {
  auto* s = static_cast<MemoryStream*>(handle);
  const std::size_t n = std::min(len, s->data.size() - s->pos);
  if (n > 0) std::memcpy(buf, s->data.data() + s->pos, n);  // an empty span may have no address
  s->pos += n;
  return static_cast<int>(n);
}

int streamSkip(void* handle, size_t len) {
  auto* s = static_cast<MemoryStream*>(handle);
  if (len > s->data.size() - s->pos) return 0;
  s->pos += len;
  return 1;
}

void streamClose(void*) {}

const LHAInputStreamType kStreamType = {streamRead, streamSkip, streamClose};

// One stored name or folder: unsafe when it starts at the root or has a ".." part.
// Parts are split at "/", "\\" and 0xFF (the folder separator of level 2 headers).
bool unsafeStoredName(std::string_view n) {
  if (n.empty()) return false;
  if (n[0] == '/' || n[0] == '\\' || static_cast<unsigned char>(n[0]) == 0xFF) return true;
  std::size_t start = 0;
  while (start <= n.size()) {
    std::size_t end = start;
    while (end < n.size() && n[end] != '/' && n[end] != '\\' && static_cast<unsigned char>(n[end]) != 0xFF) ++end;
    if (n.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// liblhasa drops ".." parts of the names it decodes, so the names are looked at as
// they are stored in the raw header: the name field of levels 0 and 1, and the name
// (type 1) and folder (type 2) extended headers of levels 1 and 2.
bool unsafeRawHeader(const LHAFileHeader* h) {
  const std::uint8_t* raw = h->raw_data;
  const std::size_t len = raw ? h->raw_data_len : 0;
  if (len < 22) return false;
  const int level = raw[20];
  std::size_t ext = 0;  // where the size of the first extended header stands
  if (level == 0 || level == 1) {
    const std::size_t n = raw[21];
    if (22 + n > len) return false;
    if (unsafeStoredName(std::string_view(reinterpret_cast<const char*>(raw + 22), n))) return true;
    if (level == 1) ext = static_cast<std::size_t>(raw[0]);
  } else if (level == 2) {
    ext = 24;
  } else {
    return false;
  }
  if (ext == 0) return false;
  std::size_t pos = ext;
  if (pos + 2 > len) return false;
  std::size_t next = le16(raw + pos);
  pos += 2;
  while (next >= 3 && pos + next <= len) {
    const int type = raw[pos];
    const std::string_view data(reinterpret_cast<const char*>(raw + pos + 1), next - 3);
    if ((type == 1 || type == 2) && unsafeStoredName(data)) return true;
    const std::size_t following = le16(raw + pos + next - 2);
    pos += next;
    next = following;
  }
  return false;
}

// A stored folder may be kept as a relative path; one that leaves the folder it is
// unpacked into is refused.
bool unsafePath(const char* path) { return path && unsafeStoredName(path); }

bool unsafeName(const char* name) {
  if (!name || !*name) return true;
  const std::string n(name);
  return n == "." || n == ".." || n.find_first_of("/\\") != std::string::npos;
}

// Owns the reader and its stream.
struct Reader {
  MemoryStream stream;
  LHAInputStream* in = nullptr;
  LHAReader* reader = nullptr;
  explicit Reader(std::span<const std::uint8_t> d) : stream{d} {
    in = lha_input_stream_new(&kStreamType, &stream);
    if (in) reader = lha_reader_new(in);
  }
  ~Reader() {
    if (reader) lha_reader_free(reader);
    if (in) lha_input_stream_free(in);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
};

}  // namespace

std::uint16_t lhaCrc16(std::span<const std::uint8_t> data, std::uint16_t crc) {
  for (std::uint8_t b : data) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = static_cast<std::uint16_t>(crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1);
  }
  return crc;
}

namespace {

// Walks the archive's headers, unpacking every member in pieces and checking its length
// and CRC; the data of the members `keep` names is returned. `keepMask` null: every member.
LhaContents readMembers(std::span<const std::uint8_t> archive, const LhaLimits& limits, const std::string* keepMask) {
  LhaContents out;
  Reader r(archive);
  if (!r.reader) return out;
  std::size_t total = 0;
  std::size_t headers = 0;
  std::size_t endOfLast = 0;  // where the bytes after the last whole member begin
  std::vector<std::uint8_t> piece(64u << 10);
  for (;;) {
    endOfLast = r.stream.pos;
    LHAFileHeader* h = lha_reader_next_file(r.reader);
    if (!h) break;
    out.status = LhaStatus::Ok;
    if (lha_reader_current_is_fake(r.reader)) continue;
    // Counted before anything of the member is looked at: a hostile archive of countless
    // tiny members ends here after the limit's worth of headers.
    if (++headers > limits.maxMembers) return {LhaStatus::TooManyMembers, {}};
    if (unsafePath(h->path) || unsafeRawHeader(h) || h->symlink_target) return {LhaStatus::UnsafeName, {}};
    if (std::strcmp(h->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) continue;
    if (unsafeName(h->filename)) return {LhaStatus::UnsafeName, {}};
    if (h->length > limits.maxUnpacked - total) return {LhaStatus::Damaged, {}};
    const bool keep = !keepMask || maskMatches(*keepMask, h->filename);
    LhaMember m{h->filename, {}};
    // Read piece by piece: the data grows with what the member really holds, never with
    // what a damaged header claims. One byte more than the header says is asked for, so
    // that a member longer than its header is seen.
    std::size_t got = 0;
    std::uint16_t crc = 0;
    for (;;) {
      const std::size_t want =
          std::min<std::size_t>(piece.size(), h->length - std::min<std::size_t>(got, h->length) + 1);
      const std::size_t n = lha_reader_read(r.reader, piece.data(), want);
      if (n == 0) break;
      got += n;
      if (got > h->length) return {LhaStatus::Damaged, {}};
      const std::span<const std::uint8_t> read(piece.data(), n);
      crc = lhaCrc16(read, crc);
      if (keep) m.data.insert(m.data.end(), read.begin(), read.end());
    }
    // Fewer bytes than the header says, or another CRC: the member is damaged.
    if (got != h->length || crc != h->crc) return {LhaStatus::Damaged, {}};
    total += got;
    if (keep) out.members.push_back(std::move(m));
  }
  // After the last member comes the end mark (a 0 byte) or the end of the file; anything
  // else is a header that could not be read whole: a cut or damaged archive.
  if (out.status == LhaStatus::Ok && endOfLast < archive.size() && archive[endOfLast] != 0)
    return {LhaStatus::Damaged, {}};
  return out;
}

}  // namespace

LhaContents readLhaArchive(std::span<const std::uint8_t> archive, const LhaLimits& limits) {
  return readMembers(archive, limits, nullptr);
}

LhaContents readLhaMembers(std::span<const std::uint8_t> archive, const std::string& mask, const LhaLimits& limits) {
  return readMembers(archive, limits, &mask);
}

LhaStatus unpackLhaArchive(FileSystem& fs, const std::filesystem::path& archive, const std::filesystem::path& folder,
                           std::vector<std::string>& written, std::string* failedName) {
  written.clear();
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(fs, archive, bytes)) return LhaStatus::NotArchive;
  LhaContents c = readLhaArchive(bytes);
  if (c.status != LhaStatus::Ok) return c.status;
  if (!fs.isDirectory(folder)) fs.createDirectory(folder);
  for (const LhaMember& m : c.members) {
    if (!writeScratchFile(fs, folder / m.name, m.data.data(), m.data.size())) {
      for (const std::string& n : written) fs.remove(folder / n);
      written.clear();
      if (failedName) *failedName = m.name;
      return LhaStatus::WriteFailed;
    }
    if (std::find(written.begin(), written.end(), m.name) == written.end()) written.push_back(m.name);
  }
  return LhaStatus::Ok;
}

}  // namespace tovra
