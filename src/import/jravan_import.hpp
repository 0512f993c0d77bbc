#pragma once
// The JRA-VAN import of the displayed meeting day: from a named file, or from the file
// that an automatic search of the kind's folder finds (looking into LZH archives there
// on the way, in memory). It fills the day in memory, settles the twelve races and returns the text of
// the races read for the confirmation; nothing is written (see import_day.hpp).
#include <filesystem>
#include <optional>
#include <string>

#include "import/import_day.hpp"
#include "import/jravan_records.hpp"

namespace tovra {

class DataStore;
class UserPort;
struct ImportFolders;

struct JravanRequest {
  JravanFormat format;
  bool automatic = false;      // 自動検索: search the folder of the kind
  std::filesystem::path file;  // the named file (relative: below the working folder)
};

// Runs the import up to the confirmation. Returns the text of the races read (" %2dR"
// each), or nullopt when it ended with a message (the day in memory is then as stored);
// `source`, when given, receives the file read and its date.
std::optional<std::string> runJravanImport(DataStore& ds, UserPort& port, const ImportHooks& hooks,
                                           const ImportFolders& folders, const JravanRequest& request,
                                           ImportSource* source = nullptr);

}  // namespace tovra
