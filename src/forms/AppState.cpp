#include "forms/AppState.h"

#include "forms/QtUserPort.h"

namespace tovra {

void AppState::reset(const std::filesystem::path& root) {
  ds = DataStore(root);
  settings = SettingsRecord::defaults();
  settingsExisted = false;
  folders = ImportFolders{};
  foldersExisted = false;
}

AppState& appState() {
  static AppState state;
  return state;
}

UserPort& userPort() {
  static QtUserPort port;
  return port;
}

}  // namespace tovra
