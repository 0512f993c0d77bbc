#include "storage/paths.hpp"

#include <cctype>

#include "storage/fileio.hpp"
#include "storage/records.hpp"

namespace tovra {
namespace {
bool equalNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}
}  // namespace

std::filesystem::path resolvePath(FileSystem& fs, const std::filesystem::path& root, const std::string& logical) {
  std::filesystem::path cur = root;
  std::size_t start = 0;
  while (start <= logical.size()) {
    std::size_t slash = logical.find('/', start);
    std::string part = logical.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (!part.empty()) {
      std::filesystem::path candidate = cur / part;
      if (!fs.exists(candidate)) {
        for (const std::string& name : fs.list(cur)) {
          if (equalNoCase(name, part)) {
            candidate = cur / name;
            break;
          }
        }
      }
      cur = candidate;
    }
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return cur;
}

std::string courseFolderPath(int course) { return std::string(kDataFolder) + "/" + keibajo(course).folder; }
std::string meetingFilePath(const std::string& year, int course) {
  return courseFolderPath(course) + "/" + year + keibajo(course).meetSuffix;
}
std::string raceFilePath(const std::string& year, int course) {
  return courseFolderPath(course) + "/" + year + keibajo(course).raceSuffix;
}

}  // namespace tovra
