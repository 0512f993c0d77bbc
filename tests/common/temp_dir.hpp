#pragma once
// A fresh temporary working folder for one test, and whole-file byte helpers.
#include <cstdint>
#include <filesystem>
#include <set>
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
// The bytes of a text, as a file holding it reads.
inline std::vector<unsigned char> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }
// The names of the entries of a folder.
std::set<std::string> namesIn(const std::filesystem::path& dir);

// A folder of its own for one run of a test that makes many (crash steps), in memory where
// the machine has a tmpfs; a copy of `copyOf` when given.
class RunDir {
 public:
  explicit RunDir(const std::filesystem::path& copyOf = {});
  ~RunDir();
  RunDir(const RunDir&) = delete;
  RunDir& operator=(const RunDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tovra::testing
