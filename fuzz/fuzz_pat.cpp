// The PAT readers on any bytes. The first byte picks the PAT kind (bits 0-1) and the
// file (bits 2-3: purchase index, purchase file, result file, entries file); the rest
// is the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "domain/settlement.hpp"
#include "features/import/pat/pat_records.hpp"
#include "fuzz_common.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int kind = data[0] & 3, file = (data[0] >> 2) & 3;
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);
  KaisaiRecord k;
  RaceBlock races = fuzz::filledDay();
  std::vector<int> taken;
  switch (file) {
    case 0:
      for (const PatIndexEntry& e : readPatIndex(kind, bytes)) patIndexEntryMatches(kind, e, fuzz::kDay);
      return 0;
    case 1: {
      std::array<bool, kRacesPerDay> bought{};
      bought[0] = true;
      applyPatTickets(readPatPurchaseFile(kind, bytes), kind, fuzz::kDay, bought, races, taken);
      break;
    }
    case 2:
      if (const int r = readPatResultFile(kind, bytes, fuzz::kDay, races)) taken.push_back(r);
      break;
    default:
      if (const int r = readPatEntriesFile(bytes, fuzz::kDay, races)) taken.push_back(r);
      break;
  }
  patRaceText(taken, "");
  settleAllRaces(k, races);
  return 0;
}
