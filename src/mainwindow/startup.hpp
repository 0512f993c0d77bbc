#pragma once
// The plain parts of the program's start-up: the import folder settings kept in memory,
// and bringing the ledger up once the years are known.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace tovra {

class DataStore;
class FileSystem;
struct SettingsRecord;

// janipa.dat: the four import folders (1024 bytes each, NUL-terminated CP932) and the
// PAT kind (i32 at 4096). The imports read it from memory; nothing is written at start-up.
inline constexpr std::size_t kJanipaSize = 4100;
inline constexpr std::size_t kJanipaFolderSize = 1024;
inline constexpr const char* kJanipaFile = "janipa.dat";
using JanipaBytes = std::array<std::uint8_t, kJanipaSize>;

// Reads janipa.dat whole when it exists; all zero (empty folders, PAT kind 0) otherwise.
// A short file leaves the rest zero. Returns whether the file existed.
bool loadJanipa(FileSystem& fs, const std::filesystem::path& root, JanipaBytes& out);

// The start course of the settings as a course index; a value no course has (a damaged
// settings file) falls back to 札幌.
int startCourseOf(const SettingsRecord& s);

// After the current year is known: counts the meetings of every course and makes the
// start course of the settings current (its first meeting is the one shown).
void openLedger(DataStore& ds, const SettingsRecord& s);

}  // namespace tovra
