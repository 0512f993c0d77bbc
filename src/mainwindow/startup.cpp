#include "mainwindow/startup.hpp"

#include "ledger/datastore.hpp"
#include "ledger/records.hpp"
#include "settings/settings_record.hpp"

namespace tovra {

int startCourseOf(const SettingsRecord& s) { return s.startCourse < kCourseCount ? s.startCourse : 0; }

void openLedger(DataStore& ds, const SettingsRecord& s) {
  ds.countMeetings();
  ds.course = startCourseOf(s);
}

}  // namespace tovra
