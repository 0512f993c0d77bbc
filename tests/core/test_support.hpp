#pragma once
// Shared helpers for the core tests: a fresh temporary working folder with a ledger.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"

namespace tovra::testing {

// A temporary working folder, removed when the object goes away.
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

// Prepares the folders and registers `years` (first is the current one at the end:
// they are registered in the given order, the last registered becomes current).
void makeLedger(DataStore& ds, const std::vector<int>& years);

// Appends a meeting (with twelve races) to the end of a course's files of the current
// year, keeping the terminator; does no sorting (tests give dates in order).
void appendMeeting(DataStore& ds, int course, const KaisaiRecord& k, const RaceBlock& races);

}  // namespace tovra::testing
