#include "features/import/import_files.hpp"

#include <algorithm>

#include "storage/fileio.hpp"

namespace tovra {

bool readFileHead(FileSystem& fs, const std::filesystem::path& p, std::size_t limit, FileHead& out) {
  out = FileHead{};
  if (fs.isDirectory(p)) return false;
  auto f = fs.open(p, OpenMode::Read);
  if (!f) return false;
  out.size = f->size();
  out.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(out.size, limit)));
  out.bytes.resize(f->read(out.bytes.data(), out.bytes.size()));
  return true;
}

}  // namespace tovra

namespace tovra {

std::string shownPath(const std::filesystem::path& root, const std::filesystem::path& p) {
  const std::filesystem::path rel = p.lexically_normal().lexically_relative(root.lexically_normal());
  if (!rel.empty() && *rel.begin() != "..") return rel.generic_string();
  return p.lexically_normal().string();
}

}  // namespace tovra
