#include "import/lha_archive.hpp"

#include <algorithm>
#include <cstring>

#include "ledger/fileio.hpp"

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
  std::memcpy(buf, s->data.data() + s->pos, n);
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

// A stored folder may be kept as a relative path; one that leaves the folder it is
// unpacked into is refused.
bool unsafePath(const char* path) {
  if (!path || !*path) return false;
  const std::string p(path);
  if (p[0] == '/' || p[0] == '\\') return true;
  std::size_t start = 0;
  while (start <= p.size()) {
    std::size_t end = p.find_first_of("/\\", start);
    if (end == std::string::npos) end = p.size();
    if (p.compare(start, end - start, "..") == 0) return true;
    start = end + 1;
  }
  return false;
}

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

std::uint16_t lhaCrc16(std::span<const std::uint8_t> data) {
  std::uint16_t crc = 0;
  for (std::uint8_t b : data) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = static_cast<std::uint16_t>(crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1);
  }
  return crc;
}

LhaContents readLhaArchive(std::span<const std::uint8_t> archive, std::size_t maxUnpacked) {
  LhaContents out;
  Reader r(archive);
  if (!r.reader) return out;
  std::size_t total = 0;
  std::size_t endOfLast = 0;  // where the bytes after the last whole member begin
  for (;;) {
    endOfLast = r.stream.pos;
    LHAFileHeader* h = lha_reader_next_file(r.reader);
    if (!h) break;
    out.status = LhaStatus::Ok;
    if (lha_reader_current_is_fake(r.reader)) continue;
    if (unsafePath(h->path) || h->symlink_target) return {LhaStatus::UnsafeName, {}};
    if (std::strcmp(h->compress_method, LHA_COMPRESS_TYPE_DIR) == 0) continue;
    if (unsafeName(h->filename)) return {LhaStatus::UnsafeName, {}};
    if (h->length > maxUnpacked - total) return {LhaStatus::Damaged, {}};
    LhaMember m{h->filename, {}};
    m.data.resize(h->length);
    std::size_t got = 0;
    while (got < m.data.size()) {
      const std::size_t n = lha_reader_read(r.reader, m.data.data() + got, m.data.size() - got);
      if (n == 0) break;
      got += n;
    }
    // Fewer bytes than the header says, more, or another CRC: the member is damaged.
    std::uint8_t extra;
    if (got != h->length || lha_reader_read(r.reader, &extra, 1) != 0 || lhaCrc16(m.data) != h->crc)
      return {LhaStatus::Damaged, {}};
    total += m.data.size();
    out.members.push_back(std::move(m));
  }
  // After the last member comes the end mark (a 0 byte) or the end of the file; anything
  // else is a header that could not be read whole: a cut or damaged archive.
  if (out.status == LhaStatus::Ok && endOfLast < archive.size() && archive[endOfLast] != 0)
    return {LhaStatus::Damaged, {}};
  return out;
}

LhaStatus unpackLhaArchive(FileSystem& fs, const std::filesystem::path& archive, const std::filesystem::path& folder,
                           std::vector<std::string>& written) {
  written.clear();
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(fs, archive, bytes)) return LhaStatus::NotArchive;
  LhaContents c = readLhaArchive(bytes);
  if (c.status != LhaStatus::Ok) return c.status;
  if (!fs.isDirectory(folder)) fs.createDirectory(folder);
  for (const LhaMember& m : c.members) {
    if (!writeWholeFile(fs, folder / m.name, m.data.data(), m.data.size())) continue;
    if (std::find(written.begin(), written.end(), m.name) == written.end()) written.push_back(m.name);
  }
  return LhaStatus::Ok;
}

}  // namespace tovra
