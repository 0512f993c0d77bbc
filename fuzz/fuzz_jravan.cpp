// The JRA-VAN reader on any bytes. The first byte picks the layout and kind (older /
// newer, 出馬表 / 成績), the rest is the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "domain/settlement.hpp"
#include "features/import/jravan/jravan_records.hpp"
#include "fuzz_common.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const JravanFormat f{data[0] & 1 ? JravanKind::Result : JravanKind::Card, (data[0] & 2) != 0};
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  KaisaiRecord k;
  RaceBlock races = fuzz::filledDay();
  jravanFileMatches(bytes, f, fuzz::kDay);
  const auto taken = readJravanRecords(bytes, f, fuzz::kDay, k, races);
  jravanRaceText(taken);
  jravanItemsFault(races);
  settleAllRaces(k, races);
  return 0;
}
