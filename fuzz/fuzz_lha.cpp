// LZH archives through liblhasa on any bytes (with a small unpack limit, so that the
// size check is reached too).
#include <cstddef>
#include <cstdint>
#include <span>

#include "import/lha_archive.hpp"

using namespace tovra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const LhaContents c = readLhaArchive(bytes, 1u << 20);
  for (const LhaMember& m : c.members) lhaCrc16(m.data);
  return 0;
}
