#include "tally/jyoken_tally.hpp"

#include <cstring>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/text.hpp"

namespace tovra::tally {

JyokenResult computeJyoken(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition,
                           const JyokenConditions& conditions, const Clock& clock) {
  JyokenConditions rowConditions = conditions;
  const int bet = takeBetType(rowConditions);
  JyokenCounter counter(rowConditions, bet);
  std::string yearText;
  const int year = rangeFlag == 0 ? 0 : yearAt(ds.nenji, yearPosition);
  if (rangeFlag == 0 || year != 0) {
    const TallyRange range = rangeFlag == 0 ? TallyRange::all() : TallyRange::oneYear(year);
    yearText = scanLedger(ds, port, range, {"条件集計中 !!!\n\nしばらくお待ち下さい。", true},
                          [&](const ScanDay& d) { counter.addMeeting(d.course, d.kaisai, *d.races); });
  }
  JyokenResult r = counter.finish();
  r.rangeFlag = rangeFlag;
  setFixedText(r.yearText, cutCp932(yearText, sizeof r.yearText - 1));
  std::uint8_t stamp[kStampSize];
  putTimeStamp(stamp, clock());
  std::memcpy(r.timeStamp, stamp, sizeof r.timeStamp);
  return r;
}

bool runJyokenTally(DataStore& ds, UserPort& port, int rangeFlag, int yearPosition, const JyokenConditions& conditions,
                    const Clock& clock) {
  const JyokenResult r = computeJyoken(ds, port, rangeFlag, yearPosition, conditions, clock);
  std::vector<std::uint8_t> bytes(JyokenResult::kSize);
  r.encode(bytes.data());
  return writeWorkFile(ds, port, kJyokenWorkFile, bytes);
}

std::optional<JyokenResult> readJyokenFile(DataStore& ds) {
  auto data = readWorkFile(ds, kJyokenWorkFile, JyokenResult::kSize);
  if (!data) return std::nullopt;
  JyokenResult r;
  if (!r.decode(data->data(), data->size())) return std::nullopt;
  return r;
}

}  // namespace tovra::tally
