#pragma once
// Paths of the ledger. Files are named in lower case ("tovradatafile/sap/2001sap.dat");
// a ledger copied from Windows may spell them otherwise ("Tovradatafile/SAP"), so every
// component that does not exist in lower case is looked up without regard to case.
#include <filesystem>
#include <string>

namespace tovra {

class FileSystem;

// root / logical, with each missing component matched case-insensitively against what
// exists; components that exist in no spelling stay as given (lower case), so new
// files and folders are created in lower case.
std::filesystem::path resolvePath(FileSystem& fs, const std::filesystem::path& root, const std::string& logical);

// Logical paths (relative to the working folder, '/' separated, lower case).
std::string meetingFilePath(const std::string& year, int course);
std::string raceFilePath(const std::string& year, int course);
std::string courseFolderPath(int course);
inline constexpr const char* kDataFolder = "tovradatafile";
inline constexpr const char* kShukeiFolder = "tovradatafile/shukei";
inline constexpr const char* kTmpFolder = "tmp";
inline constexpr const char* kMainDat = "main.dat";

}  // namespace tovra
