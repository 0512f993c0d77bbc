#pragma once
// Preparing the working folder at start-up (the program and every CLI command).
#include <filesystem>

namespace tovra {

class FileSystem;
class UserPort;

// When tovradatafile is missing but an old-version DATA folder exists, shows the
// "not converted" message and returns true (the program must end). Writes nothing.
bool refuseUnconvertedLedger(FileSystem& fs, const std::filesystem::path& root, UserPort& port);

// Refuses an unconverted ledger as above and returns false. Otherwise creates
// the missing ledger folders (tovradatafile with its ten course folders, tmp,
// tovradatafile/shukei) and deletes the leftover files of older versions.
bool prepareFolders(FileSystem& fs, const std::filesystem::path& root, UserPort& port);

}  // namespace tovra
