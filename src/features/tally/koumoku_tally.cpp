#include "features/tally/koumoku_tally.hpp"

#include "storage/datastore.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

KoumokuResult computeKoumoku(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock) {
  KoumokuCounter counter;
  std::string yearText;
  if (const auto range = yearRange(ds.nenji, mode != 0, yearPosition)) {
    yearText = scanLedger(ds, port, rangeYears(ds.nenji, *range), {"項目集計中 !!!\n\nしばらくお待ち下さい。", true},
                          [&](const ScanDay& d) { counter.addMeeting(d.course, d.kaisai, *d.races); });
  }
  KoumokuResult& r = counter.finish();
  r.mode = mode;
  setFixedText(r.yearText, cutCp932(yearText, sizeof r.yearText - 1));
  putTimeStamp(r.timeStamp, clock());
  return r;
}

bool runKoumokuTally(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock) {
  return writeResultFile(ds, port, kKoumokuWorkFile, computeKoumoku(ds, port, mode, yearPosition, clock));
}

std::optional<KoumokuResult> readKoumokuFile(DataStore& ds) {
  return readResultFile<KoumokuResult>(ds, kKoumokuWorkFile, KoumokuResult::kReadSize);
}

}  // namespace tovra::tally
