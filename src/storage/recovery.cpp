#include "storage/recovery.hpp"

#include "storage/fatal_error.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/records.hpp"

namespace tovra {
namespace {

bool isRaceFileName(const std::string& name) {
  for (int c = 0; c < kCourseCount; ++c) {
    const std::string suffix = keibajo(c).raceSuffix;
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      return true;
  }
  return false;
}

void recoverFolder(FileSystem& fs, const std::filesystem::path& root, const std::filesystem::path& dir) {
  std::filesystem::path failed;
  if (recoverInterruptedWrites(fs, dir, &failed)) return;
  const std::string name = failed.filename().string();
  throw FatalFileError(isRaceFileName(name) ? 6 : 4, failed.lexically_relative(root).generic_string());
}

}  // namespace

void recoverLedger(FileSystem& fs, const std::filesystem::path& root) {
  recoverFolder(fs, root, root);
  const auto tmp = resolvePath(fs, root, kTmpFolder);
  if (fs.isDirectory(tmp)) {
    recoverFolder(fs, root, tmp);
    for (const std::string& sub : fs.list(tmp))  // tmp/lzh: where archive members may be unpacked
      if (fs.isDirectory(tmp / sub)) recoverFolder(fs, root, tmp / sub);
  }
  const auto data = resolvePath(fs, root, kDataFolder);
  if (!fs.isDirectory(data)) return;
  recoverFolder(fs, root, data);
  for (const std::string& sub : fs.list(data))
    if (fs.isDirectory(data / sub)) recoverFolder(fs, root, data / sub);
}

}  // namespace tovra
