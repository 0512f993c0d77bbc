#include "storage/file_stamp.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <ctime>

namespace tovra {
namespace {

void put(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::int64_t nanoseconds(const timespec& t) { return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec; }

}  // namespace

std::optional<FileStamp> fileStamp(const std::filesystem::path& path, std::chrono::seconds settledAfter) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  FileStamp out;
  put(out.bytes, static_cast<std::uint64_t>(st.st_dev));
  put(out.bytes, static_cast<std::uint64_t>(st.st_ino));
  put(out.bytes, static_cast<std::uint64_t>(st.st_size));
  put(out.bytes, static_cast<std::uint64_t>(nanoseconds(st.st_mtim)));
  put(out.bytes, static_cast<std::uint64_t>(nanoseconds(st.st_ctim)));
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const std::int64_t changed = std::max(nanoseconds(st.st_mtim), nanoseconds(st.st_ctim));
  out.settled = nanoseconds(now) - changed >= std::int64_t{settledAfter.count()} * 1'000'000'000;
  return out;
}

}  // namespace tovra
