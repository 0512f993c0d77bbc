#pragma once
// Reading an outside file for an import: opened, its first bytes read, closed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovra {

class FileSystem;

struct FileHead {
  std::uint64_t size = 0;           // the whole file's size
  std::vector<std::uint8_t> bytes;  // its first min(size, limit) bytes
};

// A file as a confirmation names it (UTF-8): below the working folder relative to it,
// else in full.
std::string shownPath(const std::filesystem::path& root, const std::filesystem::path& p);

// False when the file cannot be opened (or is a folder).
bool readFileHead(FileSystem& fs, const std::filesystem::path& p, std::size_t limit, FileHead& out);

}  // namespace tovra
