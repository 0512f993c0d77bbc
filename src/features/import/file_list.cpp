#include "features/import/file_list.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "storage/fileio.hpp"
#include "storage/paths.hpp"

namespace tovra {
namespace {

bool sameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Wildcard match with backtracking over the last '*': linear in practice.
bool wildcard(const char* m, const char* n) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*n) {
    if (*m == '*') {
      star = m++;
      resume = n;
    } else if (*m == '?' || (*m && sameLetter(*m, *n))) {
      ++m;
      ++n;
    } else if (star) {
      m = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (*m == '*') ++m;
  return *m == '\0';
}

}  // namespace

bool maskMatches(const std::string& mask, const std::string& name) {
  if (name.find('\0') != std::string::npos) return false;
  // "X*.*" names every file starting with X, with or without an extension.
  if (mask.size() >= 3 && mask.compare(mask.size() - 3, 3, "*.*") == 0 &&
      wildcard((mask.substr(0, mask.size() - 2)).c_str(), name.c_str()))
    return true;
  return wildcard(mask.c_str(), name.c_str());
}

std::vector<std::string> matchingFiles(FileSystem& fs, const std::filesystem::path& folder, const std::string& mask) {
  std::vector<std::string> names;
  for (const std::string& name : fs.list(folder))
    if (maskMatches(mask, name) && !fs.isDirectory(folder / name)) names.push_back(name);
  std::sort(names.begin(), names.end());
  return names;
}

std::filesystem::path findInFolder(FileSystem& fs, const std::filesystem::path& folder, const std::string& name) {
  const std::filesystem::path p = folder / name;
  if (fs.exists(p)) return p;
  for (const std::string& n : fs.list(folder))
    if (n.size() == name.size() && maskMatches(name, n) && name.find_first_of("*?") == std::string::npos)
      return folder / n;
  return p;
}

void writeFileList(FileSystem& fs, const std::filesystem::path& root, const std::vector<std::string>& names,
                   const char* workFile) {
  std::vector<std::uint8_t> records(names.size() * kFileListRecord, 0);
  for (std::size_t i = 0; i < names.size(); ++i)
    std::memcpy(records.data() + i * kFileListRecord, names[i].data(), std::min(names[i].size(), kFileListRecord - 1));
  // The import works from the names; the work file only shows the list to whoever looks
  // into tmp/, so a failed write (a full disk) must not stop the import.
  (void)writeScratchFile(fs, resolvePath(fs, root, workFile), records.data(), records.size());
}

std::vector<std::string> listFiles(FileSystem& fs, const std::filesystem::path& root,
                                   const std::filesystem::path& folder, const std::string& mask, const char* workFile) {
  std::vector<std::string> names = matchingFiles(fs, folder, mask);
  writeFileList(fs, root, names, workFile);
  return names;
}

}  // namespace tovra
