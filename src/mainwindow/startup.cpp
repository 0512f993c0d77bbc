#include "mainwindow/startup.hpp"

#include "ledger/datastore.hpp"
#include "ledger/fileio.hpp"
#include "ledger/paths.hpp"
#include "ledger/records.hpp"
#include "settings/settings_record.hpp"

namespace tovra {

bool loadJanipa(FileSystem& fs, const std::filesystem::path& root, JanipaBytes& out) {
  out.fill(0);
  auto f = fs.open(resolvePath(fs, root, kJanipaFile), OpenMode::Read);
  if (!f) return false;
  f->read(out.data(), out.size());
  // Every folder text stays NUL-terminated inside its field, whatever the file held,
  // so that the imports never read a folder past its 1024 bytes.
  for (std::size_t i = 1; i <= 4; ++i) out[i * kJanipaFolderSize - 1] = 0;
  return true;
}

int startCourseOf(const SettingsRecord& s) { return s.startCourse < kCourseCount ? s.startCourse : 0; }

void openLedger(DataStore& ds, const SettingsRecord& s) {
  ds.countMeetings();
  ds.course = startCourseOf(s);
}

}  // namespace tovra
