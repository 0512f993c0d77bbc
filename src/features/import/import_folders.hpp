#pragma once
// The import folder settings (janipa.dat, 4100 bytes): the JRA-VAN 出馬表 and 成績
// folders, the NIFTY folder and the PAT folder (1024 bytes each, NUL-terminated CP932)
// and the PAT kind (i32 at 4096). One instance in memory, read at start-up; the folder
// settings dialog and `tovra-cli folders set` are the only writers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tovra {

class FileSystem;

enum ImportFolder { kFolderJravanCard = 0, kFolderJravanResult = 1, kFolderNifty = 2, kFolderPat = 3 };

struct ImportFolders {
  static constexpr std::size_t kSize = 4100;
  static constexpr std::size_t kFolderSize = 1024;
  static constexpr int kFolders = 4;
  static constexpr int kPatKinds = 4;

  std::array<std::string, kFolders> folder;  // CP932 bytes, at most 1023
  std::int32_t patKind = 0;                  // as stored; patKindIndex() for use

  void encode(std::uint8_t* out) const;  // kSize bytes, every field NUL-filled
  void decode(const std::uint8_t* in);   // kSize bytes; each folder stops at its NUL or field end
  // The PAT kind 0..3; a value no kind has (a damaged file) counts as kind 0.
  int patKindIndex() const { return patKind >= 0 && patKind < kPatKinds ? patKind : 0; }
};

inline constexpr const char* kImportFoldersFile = "janipa.dat";

// The PAT kinds as the folder settings dialog lists them, and as the PAT import names them.
const char* patKindItem(int kind);  // "PAT ( PC-9801用 )" .. "PAT for Win98/95"
const char* patKindName(int kind);  // "PAT(PC-9801)" .. "PAT for Win98/95"

// Reads janipa.dat (found without regard to case) when it exists: a short file leaves the
// rest empty, a longer one is read up to its 4100 bytes. Missing: empty folders, PAT kind 0.
// Returns whether the file existed. Nothing is written.
bool loadImportFolders(FileSystem& fs, const std::filesystem::path& root, ImportFolders& out);
// Writes the 4100 bytes through the durable whole-file write.
bool saveImportFolders(FileSystem& fs, const std::filesystem::path& root, const ImportFolders& f);

// A folder text as 設定 stores it: a "/" appended unless it is empty or its last
// character (not its last byte: 0x5C may be the second byte of 表 or ソ) is "/" or "\".
std::string withFolderSeparator(const std::string& cp932);

// The folder on this system: the CP932 text as a path (relative ones below the working
// folder), a trailing "\" of a folder set on another system read as the separator.
std::filesystem::path folderPath(const std::filesystem::path& root, const std::string& cp932);

// 設定 of the folder settings dialog: the four texts as typed (UTF-8) and the PAT kind.
// A text left as it was shown keeps its stored bytes; every folder gets its separator.
struct FolderEdit {
  std::array<std::string, ImportFolders::kFolders> typedUtf8;
  int patKind = 0;
};
// Stores the edit into `f` and returns nullopt; or, when a text has a character CP932
// cannot hold or does not fit its field with the separator, returns the refusal message
// (UTF-8) and leaves `f` unchanged.
std::optional<std::string> applyFolderEdit(ImportFolders& f, const FolderEdit& edit);

}  // namespace tovra
