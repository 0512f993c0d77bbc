// The JV-Data reader on any bytes: the scan of a file for the day of the seed files, the
// day applied to a day that holds data (both ways of a deletion) and settled, and each
// record parser on the bytes as they come.
#include <cstddef>
#include <cstdint>
#include <span>

#include "features/import/jvdata/jvdata_import.hpp"
#include "fuzz_common.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  parseJvRace(bytes);
  parseJvRunner(bytes);
  parseJvPayouts(bytes);
  parseJvWin5(bytes);
  jvRecordLength(bytes);
  const DateKey day{2018, fuzz::kDay.course, fuzz::kDay.tsukiHi / 100, fuzz::kDay.tsukiHi % 100};
  const auto records = jvDataDayOf(bytes, "fuzz.dat", day);
  if (!records) return 0;
  jvDeletedRaces(*records);
  for (const bool clear : {false, true}) {
    KaisaiRecord k;
    RaceBlock races = fuzz::filledDay();
    const JvApplied a = applyJvDataDay(*records, day, k, races, clear);
    jvConfirmationLines(a);
  }
  return 0;
}
