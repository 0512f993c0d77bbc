#include "forms/SettingsNotifier.h"

namespace tovra {

SettingsNotifier& settingsNotifier() {
  static SettingsNotifier notifier;
  return notifier;
}

}  // namespace tovra
