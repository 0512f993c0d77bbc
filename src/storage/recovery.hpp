#pragma once
// The next open of the ledger after a crash: every committed change of several files is
// completed, everything staged and not committed is removed. Run by the holder of the
// ledger lock (start-up of the desktop program, every tovra-cli command) before the
// ledger is read.
#include <filesystem>

namespace tovra {

class FileSystem;

// The working folder, tmp/ and its subfolders, the data folder and each of its subfolders (courses, saved
// results). Throws FatalFileError (4 for a meeting file, 6 for a race file) when a
// committed change cannot be completed: the ledger would be a mix of two states.
void recoverLedger(FileSystem& fs, const std::filesystem::path& root);

}  // namespace tovra
