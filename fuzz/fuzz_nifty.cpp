// The NIFTY board reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "domain/settlement.hpp"
#include "features/import/nifty/nifty_records.hpp"
#include "fuzz_common.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  niftyHeadMatches(bytes, fuzz::kDay);
  KaisaiRecord k;
  RaceBlock races = fuzz::filledDay();
  const NiftyRead r = readNiftyBlocks(bytes, fuzz::kDay, races);
  raceListText(r.read);
  raceListText(r.errors);
  settleAllRaces(k, races);
  return 0;
}
