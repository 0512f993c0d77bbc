#include "features/tally/jyoken_tally.hpp"

#include "storage/datastore.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

JyokenResult computeJyoken(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition,
                           const JyokenConditions& conditions, const Clock& clock, const TallyFilter& filter) {
  JyokenConditions rowConditions = conditions;
  const int bet = takeBetType(rowConditions);
  JyokenCounter counter(rowConditions, bet, filter);
  std::string yearText;
  if (const auto range = yearRange(ds.nenji, rangeFlag != 0, yearPosition)) {
    yearText = scanLedger(ds, port, rangeYears(ds.nenji, *range), {"条件集計中 !!!\n\nしばらくお待ち下さい。", true},
                          [&](const ScanDay& d) { counter.addMeeting(d.course, d.kaisai, *d.races); });
  }
  JyokenResult r = counter.finish();
  r.rangeFlag = rangeFlag;
  setFixedText(r.yearText, cutCp932(yearText, sizeof r.yearText - 1));
  putTimeStamp(r.timeStamp, clock());
  return r;
}

bool runJyokenTally(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition, const JyokenConditions& conditions,
                    const Clock& clock, const TallyFilter& filter) {
  return writeResultFile(ds, port, kJyokenWorkFile,
                         computeJyoken(ds, port, rangeFlag, yearPosition, conditions, clock, filter));
}

std::optional<JyokenResult> readJyokenFile(DataStore& ds) {
  return readResultFile<JyokenResult>(ds, kJyokenWorkFile, JyokenResult::kSize);
}

}  // namespace tovra::tally
