#include "import/import_day.hpp"

#include "ledger/datastore.hpp"
#include "ledger/text.hpp"

namespace tovra {

void beginImport(DataStore& ds, const ImportHooks& hooks) {
  if (hooks.closeRaceWindow) hooks.closeRaceWindow();
  ds.readShown();
}

void storeImport(DataStore& ds) { ds.writeShown(); }

void discardImport(DataStore& ds) { ds.readShown(); }

std::string importDayLabel(const DataStore& ds) {
  const KaisaiRecord& k = ds.kaisai;
  return cp932ToUtf8(sjprintf("%d月%2d日 %d回  %d日目  %s競馬場", k.month(), k.day(), k.kai(), k.nichi(),
                              sj(keibajo(ds.course).name).c_str()));
}

std::string importSourceText(const ImportSource& s) { return s.date.empty() ? s.file : s.file + "  " + s.date; }

}  // namespace tovra
