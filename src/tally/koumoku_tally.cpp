#include "tally/koumoku_tally.hpp"

#include <cstring>
#include <vector>

#include "ledger/datastore.hpp"
#include "ledger/text.hpp"

namespace tovra::tally {

KoumokuResult computeKoumoku(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock) {
  KoumokuCounter counter;
  std::string yearText;
  const int year = mode == 0 ? 0 : yearAt(ds.nenji, yearPosition);
  if (mode == 0 || year != 0) {
    const TallyRange range = mode == 0 ? TallyRange::all() : TallyRange::oneYear(year);
    yearText = scanLedger(ds, port, range, {"項目集計中 !!!\n\nしばらくお待ち下さい。", true},
                          [&](const ScanDay& d) { counter.addMeeting(d.course, d.kaisai, *d.races); });
  }
  KoumokuResult& r = counter.finish();
  r.mode = mode;
  setFixedText(r.yearText, cutCp932(yearText, sizeof r.yearText - 1));
  std::uint8_t stamp[kStampSize];
  putTimeStamp(stamp, clock());
  std::memcpy(r.timeStamp, stamp, sizeof r.timeStamp);
  return r;
}

bool runKoumokuTally(DataStore& ds, UserPort& port, int mode, int yearPosition, const Clock& clock) {
  const KoumokuResult r = computeKoumoku(ds, port, mode, yearPosition, clock);
  std::vector<std::uint8_t> bytes(KoumokuResult::kSize);
  r.encode(bytes.data());
  return writeWorkFile(ds, port, kKoumokuWorkFile, bytes);
}

std::optional<KoumokuResult> readKoumokuFile(DataStore& ds) {
  auto data = readWorkFile(ds, kKoumokuWorkFile, KoumokuResult::kReadSize);
  if (!data) return std::nullopt;
  KoumokuResult r;
  if (!r.decode(data->data(), data->size())) return std::nullopt;
  return r;
}

}  // namespace tovra::tally
