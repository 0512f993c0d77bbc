#include "features/tally/koumoku_tally.hpp"

#include <cstring>

#include "storage/datastore.hpp"
#include "storage/fileio.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

KoumokuResult computeKoumoku(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock,
                             const TallyFilter& filter) {
  KoumokuCounter counter(filter);
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
  ds.fs().remove(ds.resolve(kKoumokuTypeWorkFile));  // the type figures of an earlier run do not belong to it
  return writeResultFile(ds, port, kKoumokuWorkFile, computeKoumoku(ds, port, mode, yearPosition, clock));
}

bool runKoumokuTally(DataStore& ds, BetStore& bets, UserPort& port, int mode, int yearPosition,
                     const TallyFilter& filter, const Clock& clock) {
  const KoumokuResult r = computeKoumoku(ds, port, mode, yearPosition, clock, filter);
  ds.fs().remove(ds.resolve(kKoumokuTypeWorkFile));  // never one of another run beside the new result
  if (!writeResultFile(ds, port, kKoumokuWorkFile, r)) return false;
  std::vector<std::string> years;
  if (const auto range = yearRange(ds.nenji, mode != 0, yearPosition))
    for (int y : rangeYears(ds.nenji, *range)) years.push_back(std::to_string(y));
  Result<TypeTallyResult> types = typeTally(ds.ledger(), bets, years, filter);
  if (types.failed()) ds.fatal(types.failure());
  if (types.refused()) {
    port.message("確認", types.refusal().text, types.refusal().icon);
    return true;
  }
  std::memcpy(types->timeStamp, r.timeStamp, kStampSize);
  writeResultFile(ds, port, kKoumokuTypeWorkFile, *types);
  return true;
}

std::optional<KoumokuResult> readKoumokuFile(DataStore& ds) {
  return readResultFile<KoumokuResult>(ds, kKoumokuWorkFile, KoumokuResult::kReadSize);
}

}  // namespace tovra::tally
