#include "ledger/helpers.hpp"

#include <cstdio>

#include "ledger/datastore.hpp"
#include "ledger/user_port.hpp"
#include "settings/settings_record.hpp"

namespace tovra {

bool digitKeyFilter(UserPort& port, char32_t key) {
  if ((key >= U'0' && key <= U'9') || key == 8) return true;
  port.beep();
  return false;
}

YearList yearComboList(const DataStore& ds, const char* format) {
  YearList list;
  int current = ds.yearNumber();
  for (int i = 0; i < NenjiTable::kUsable && ds.nenji.nen[i] != 0; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, ds.nenji.nen[i]);
    list.entries.push_back(buf);
    list.years.push_back(ds.nenji.nen[i]);
    if (ds.nenji.nen[i] == current) list.selected = i;
  }
  return list;
}

bool confirmExit(UserPort& port, const SettingsRecord& settings) {
  if (settings.optionDigits % 10 != 0) return true;
  return askOkCancel(port, "競走収支帖 トヴラを終了します", MsgIcon::Warning);
}

}  // namespace tovra
