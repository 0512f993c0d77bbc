#include "features/main/startup.hpp"

#include "storage/settings_record.hpp"

namespace tovra {

Status openLedger(const Ledger& ledger, const std::string& year, MainSelection& sel, const SettingsRecord& s) {
  const Status opened = openYear(ledger, sel, year);
  if (!opened) return opened;
  sel.course = s.startCourseIndex();
  return Done{};
}

}  // namespace tovra
