#include "features/main/folders.hpp"

#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"

namespace tovra {

bool refuseUnconvertedLedger(FileSystem& fs, const std::filesystem::path& root, UserPort& port) {
  if (fs.isDirectory(resolvePath(fs, root, kDataFolder)) || !fs.isDirectory(resolvePath(fs, root, "data")))
    return false;
  showError(port, "旧版のﾃﾞｰﾀﾌｧｲﾙがｺﾝﾊﾞｰﾄされていません。\n\nｺﾝﾊﾞｰﾄしてから起動して下さい。");
  return true;
}

bool prepareFolders(FileSystem& fs, const std::filesystem::path& root, UserPort& port) {
  if (refuseUnconvertedLedger(fs, root, port)) return false;
  auto dataDir = resolvePath(fs, root, kDataFolder);
  if (!fs.isDirectory(dataDir)) fs.createDirectory(dataDir);
  // Course folders are created when missing, also for a ledger whose data folder exists.
  for (int c = 0; c < kCourseCount; ++c) {
    auto p = resolvePath(fs, root, courseFolderPath(c));
    if (!fs.isDirectory(p)) fs.createDirectory(p);
  }
  for (const char* dir : {kTmpFolder, kShukeiFolder}) {
    auto p = resolvePath(fs, root, dir);
    if (!fs.isDirectory(p)) fs.createDirectory(p);
  }
  for (const char* leftover : {"tovracfg.dat", "dirname.dat", "kensaku.tmp", "kenseku.tmp", "shukei.tmp"}) {
    auto p = resolvePath(fs, root, leftover);
    if (fs.exists(p)) fs.remove(p);
  }
  return true;
}

}  // namespace tovra
