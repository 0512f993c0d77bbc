#pragma once
// The program's one application state: the data layer, the settings record and the
// import folder settings, read at start-up and shared by every window and dialog.
#include <filesystem>

#include "ledger/datastore.hpp"
#include "import/import_folders.hpp"
#include "settings/settings_record.hpp"

namespace tovra {

class UserPort;

struct AppState {
  DataStore ds;
  SettingsRecord settings = SettingsRecord::defaults();
  bool settingsExisted = false;  // tovractm.dat was there at start-up
  ImportFolders folders;         // janipa.dat as read at start-up
  bool foldersExisted = false;

  // A fresh state over the working folder `root` (the program uses "."; tests a temp folder).
  void reset(const std::filesystem::path& root);
};

AppState& appState();
// The Qt message boxes, beeps and wait popup (QtUserPort).
UserPort& userPort();

}  // namespace tovra
