#include "mainwindow/startup.hpp"

#include "ledger/datastore.hpp"
#include "settings/settings_record.hpp"

namespace tovra {

void openLedger(DataStore& ds, const SettingsRecord& s) {
  ds.countMeetings();
  ds.course = s.startCourseIndex();
}

}  // namespace tovra
