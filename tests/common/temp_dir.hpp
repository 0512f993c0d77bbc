#pragma once
// A fresh temporary working folder for one test, and whole-file byte helpers.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovra::testing {

// A new empty folder under the system's temporary folder, removed when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& rel) const { return path_ / rel; }

 private:
  std::filesystem::path path_;
};

std::vector<unsigned char> readBytes(const std::filesystem::path& p);
void writeBytes(const std::filesystem::path& p, const std::vector<unsigned char>& bytes);

}  // namespace tovra::testing
