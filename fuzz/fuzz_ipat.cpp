// The purchase-history CSV reader on any bytes: a file is read whole or refused with a
// message naming it and a line; every line read holds the points and cost it claims.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "features/import/ipat/ipat_csv.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto file = readIpatCsv(bytes, "f.csv");
  if (!file) {
    if (file.refusal().text.rfind("f.csv の ", 0) != 0) __builtin_trap();
    return 0;
  }
  std::int64_t total = 0;
  for (const IpatLine& l : file->lines) {
    if (static_cast<int>(ipatPoints(l).size()) != l.points) __builtin_trap();
    if (l.cost != std::int64_t{l.stake} * 100 * l.points) __builtin_trap();
    if (l.course < 0 || l.course > 9 || l.race < 1 || l.race > 12) __builtin_trap();
    ipatRaceText(l);
    ipatMethodText(l);
    total += l.cost;
  }
  for (const IpatWin5& w : file->win5) total += w.cost;
  if (total != file->totalCost) __builtin_trap();
  return 0;
}
