#pragma once
// The ledger folder a run works on: where it is, the file layer it goes through, the
// registered years (main.dat as last read or written) and the year that is open. What a
// window shows (course, meeting, race) is not here: the main window owns that, and every
// meeting day is read and written by key through ledger().
#include <filesystem>
#include <string>

#include "storage/ledger.hpp"
#include "storage/records.hpp"

namespace tovra {

class FileSystem;

class DataStore {
 public:
  explicit DataStore(std::filesystem::path root = ".", FileSystem* fs = nullptr);

  NenjiTable nenji;  // the registered years
  std::string year;  // the open year, e.g. "2001" ("" before one is registered)
  int yearNumber() const;

  // The ledger under the same folder and file layer, addressed by key.
  Ledger ledger() const { return Ledger(root_, *fs_); }

  const std::filesystem::path& root() const { return root_; }
  FileSystem& fs() const { return *fs_; }
  // root / logical path, matching existing components without regard to case.
  std::filesystem::path resolve(const std::string& logical) const;

  // main.dat into `nenji`, created all-zero when missing (fatal 1 when it cannot be).
  void loadYears();
  // `nenji` written over main.dat (fatal 1).
  void saveYears();

  // After a fatal error no ledger file is opened or written again.
  [[noreturn]] void fatal(int code, const std::string& path);
  [[noreturn]] void fatal(const FileFailure& f) { fatal(f.code, f.path); }
  bool dead() const { return dead_; }
  void checkAlive();

 private:
  std::filesystem::path root_;
  FileSystem* fs_;
  bool dead_ = false;
};

}  // namespace tovra
