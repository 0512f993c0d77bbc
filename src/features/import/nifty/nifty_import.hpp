#pragma once
// The NIFTY import of a meeting day's results, from a named board text or the one an
// automatic search of the NIFTY folder finds. It fills the copy of the day and settles
// the twelve races; nothing is written (see import_day.hpp).
#include <filesystem>
#include <optional>
#include <string>

#include "features/import/import_day.hpp"

namespace tovra {

class Ledger;
class UserPort;
struct ImportFolders;

struct NiftyRequest {
  bool automatic = false;
  std::filesystem::path file;  // the named file (relative: below the working folder)
};

// The two lists of the confirmation: races read and races with errors (" %2dR" each),
// and the file they were read from with the date it gives ("" when it gives none).
struct NiftyTexts {
  std::string read, errors;
  std::string file, date;  // UTF-8
};

// Runs the import up to the confirmation, or ends with a refusal (the copy is then to be
// dropped). The port serves the search's wait popup and hourglass only.
Result<NiftyTexts> runNiftyImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                                  const NiftyRequest& request);

}  // namespace tovra
