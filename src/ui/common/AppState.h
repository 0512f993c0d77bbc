#pragma once
// The program's objects for one run over one ledger folder: the data layer, the settings
// record and the import folder settings read at start-up, and the user port. The program
// (src/app) makes one and hands it to the main window, which hands its parts on to the
// windows and dialogs it opens; tests make their own.
#include <filesystem>

#include "features/import/import_folders.hpp"
#include "storage/bet_store.hpp"
#include "storage/datastore.hpp"
#include "storage/settings_record.hpp"

namespace tovra {

class UserPort;

struct AppState {
  // Over the working folder `root` (the program uses "."; tests a temp folder).
  AppState(const std::filesystem::path& root, UserPort& userPort) : ds(root), bets(root), port(userPort) {}
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  DataStore ds;
  BetStore bets;  // 馬単, 3連複 and 3連単 beside the course files
  SettingsRecord settings = SettingsRecord::defaults();
  bool settingsExisted = false;  // tovractm.dat was there at start-up
  ImportFolders folders;         // janipa.dat as read at start-up
  bool foldersExisted = false;
  // The Qt message boxes, beeps and wait popup (QtUserPort), or a test's port.
  UserPort& port;
};

}  // namespace tovra
