#pragma once
// A file's stamp: what tells that its bytes may have changed without reading them (device,
// inode, size, modification and change times, as make and git tell it). Every write of the
// file, by this program or another, changes its change time, which no program can set back.
// A file that changed less than `settledAfter` ago may change again within the same tick of
// a coarse file-system clock and keep its stamp: only a settled stamp is worth keeping.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace tovra {

struct FileStamp {
  std::string bytes;
  bool settled = false;
};

inline constexpr std::chrono::seconds kStampSettledAfter{3};

// The stamp of the file at `path`; nullopt when it cannot be read (no such file).
std::optional<FileStamp> fileStamp(const std::filesystem::path& path,
                                   std::chrono::seconds settledAfter = kStampSettledAfter);

}  // namespace tovra
