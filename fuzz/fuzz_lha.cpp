// LZH archives through liblhasa on any bytes (with small unpack and member limits, so
// that both checks are reached too), whole and filtered by the import's member mask.
#include <cstddef>
#include <cstdint>
#include <span>

#include "features/import/jravan/lha_archive.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const LhaContents c = readLhaArchive(bytes, LhaLimits{1u << 20, 64});
  for (const LhaMember& m : c.members) lhaCrc16(m.data);
  const LhaContents kept = readLhaMembers(bytes, "jra*.*", LhaLimits{1u << 20, 64});
  // The filtered reading checks the same: it never accepts what the whole reading refuses.
  if (kept.status != c.status) __builtin_trap();
  return 0;
}
