#pragma once
// The names the file layer gives its own files beside the ledger's: staged copies, commit
// marks and day journals. Shared by the writers and by the recovery at the next open.
#include <string>

namespace tovra::file_names {

inline constexpr const char* kStagedSuffix = ".tovra-new";
inline constexpr const char* kMarkSuffix = ".tovra-commit";
inline constexpr const char* kJournalSuffix = ".tovra-journal";

inline bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A plain name inside one folder, never a path that leaves it.
inline bool plainName(const std::string& n) {
  return !n.empty() && n != "." && n != ".." && n.find('/') == std::string::npos && n.find('\0') == std::string::npos;
}

}  // namespace tovra::file_names
