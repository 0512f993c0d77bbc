#pragma once
// The NIFTY bulletin-board result texts: Shift-JIS text with full-width characters, read
// at fixed byte distances from marker characters ("第" starts a race, "複" "枠" "馬" "ワ"
// its payout sections, "着" its finishers). Reads bytes only and never past their end.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "features/import/fields.hpp"
#include "storage/records.hpp"

namespace tovra {

// Whether the head at byte 32 of a file names the displayed meeting (回, course, 日目).
bool niftyHeadMatches(std::span<const std::uint8_t> data, const MeetingKey& key);

struct NiftyRead {
  bool mismatch = false;    // a race block of another meeting: the import stops, nothing kept
  std::vector<int> read;    // races read, in the order met
  std::vector<int> errors;  // races that could not be decoded (left as they were)
};

// Reads up to twelve race blocks from byte 66 into the day's races.
NiftyRead readNiftyBlocks(std::span<const std::uint8_t> data, const MeetingKey& key, RaceBlock& races);

}  // namespace tovra
