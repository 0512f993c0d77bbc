#pragma once
// Listing the files of an import folder: the names of the plain files matching a mask
// ("*.*", "jra*.*", "Ks-*.*", "De-*.*"; letter case ignored) go into a work file below
// tmp/ as consecutive 256-byte records (the name, NUL-terminated, without folder), and
// the import then works through that list.
#include <filesystem>
#include <string>
#include <vector>

namespace tovra {

class FileSystem;

// Work files of the searches.
inline constexpr const char* kJraFileList = "tmp/jrafilename.tmp";
inline constexpr const char* kJraLzhFileList = "tmp/jralzhfilename.tmp";
inline constexpr const char* kNiftyFileList = "tmp/niffilename.tmp";
inline constexpr const char* kPatFileList = "tmp/patfilename.tmp";
inline constexpr std::size_t kFileListRecord = 256;

// A DOS wildcard mask ('*' any run, '?' one character; "*.*" also matches names without
// a dot), compared without regard to ASCII letter case.
bool maskMatches(const std::string& mask, const std::string& name);

// The plain files (not folders) of `folder` whose names match, in name order so that a
// search is repeatable; read-only ones included.
std::vector<std::string> matchingFiles(FileSystem& fs, const std::filesystem::path& folder, const std::string& mask);

// `folder / name`, the name found without regard to letter case when it does not exist
// as written (PAT's program and index files are named in any case).
std::filesystem::path findInFolder(FileSystem& fs, const std::filesystem::path& folder, const std::string& name);

// Writes `names` to the work file `workFile` (a logical path below `root`) as the list
// records above. The work file is overwritten and left in place; it is a scratch file
// (not synced), and a failed write (a full disk) does not stop the import, which works
// from the names it holds.
void writeFileList(FileSystem& fs, const std::filesystem::path& root, const std::vector<std::string>& names,
                   const char* workFile);

// matchingFiles(), written to the work file `workFile` as writeFileList does, and returned.
std::vector<std::string> listFiles(FileSystem& fs, const std::filesystem::path& root,
                                   const std::filesystem::path& folder, const std::string& mask, const char* workFile);

}  // namespace tovra
