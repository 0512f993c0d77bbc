#include "features/settings/exit_confirmation.hpp"

#include "storage/settings_record.hpp"
#include "storage/user_port.hpp"

namespace tovra {

bool confirmExit(UserPort& port, const SettingsRecord& settings) {
  if (!settings.confirmExit()) return true;
  return askOkCancel(port, "競走収支帖 トヴラを終了します", MsgIcon::Warning);
}

}  // namespace tovra
