#pragma once
// The JRA-VAN import of a meeting day: from a named file, or from the file that an
// automatic search of the kind's folder finds (looking into LZH archives there on the
// way, in memory). It fills the copy of the day, settles the twelve races and returns the
// text of the races read for the confirmation; nothing is written (see import_day.hpp).
#include <filesystem>
#include <optional>
#include <string>

#include "features/import/import_day.hpp"
#include "features/import/jravan/jravan_records.hpp"

namespace tovra {

class Ledger;
class UserPort;
struct ImportFolders;

struct JravanRequest {
  JravanFormat format;
  bool automatic = false;      // 自動検索: search the folder of the kind
  std::filesystem::path file;  // the named file (relative: below the working folder)
};

// Runs the import up to the confirmation. Returns the text of the races read (" %2dR"
// each), or the refusal that ended it (the copy is then to be dropped); `source`, when
// given, receives the file read and its date. The archives the search passes over are
// noted in `d`; the port serves the search's wait popup and hourglass only.
Result<std::string> runJravanImport(const Ledger& ledger, UserPort& port, const ImportFolders& folders, ImportCopy& d,
                                    const JravanRequest& request, ImportSource* source = nullptr);

}  // namespace tovra
