#include "common/temp_dir.hpp"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

namespace tovra::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("tovra-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& p, const std::vector<unsigned char>& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> namesIn(const std::filesystem::path& dir) {
  std::set<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir)) out.insert(e.path().filename().string());
  return out;
}

RunDir::RunDir(const std::filesystem::path& copyOf) {
  static std::atomic<int> serial{0};
  std::filesystem::path base = std::filesystem::temp_directory_path();
  if (::access("/dev/shm", W_OK) == 0) base = "/dev/shm";
  path_ = base / ("tovra-run-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(path_);
  if (copyOf.empty())
    std::filesystem::create_directories(path_);
  else
    std::filesystem::copy(copyOf, path_, std::filesystem::copy_options::recursive);
}

RunDir::~RunDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace tovra::testing
