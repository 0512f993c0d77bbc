#pragma once
// The one reading of a meeting file up to its all-zero record, shared by counting, the
// bulk readers of tallies and searches, and the course rewrite; and the check that tells
// whether a course may be rewritten from what that reading found.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/records.hpp"

namespace tovra {

class File;

// More meetings than this in one course and year is no ledger but a damaged file: a
// year has 366 days. Reading stops there, so a huge file never fills the memory.
inline constexpr std::size_t kMaxMeetingsPerFile = 10000;

// What makes a course unfit to be rewritten from its reading (reading and tallies still
// work: they see the meetings before the damage).
enum class CourseDamage {
  None,
  PartialRecord,     // the meeting file ends inside a record, with no all-zero record before
  DataAfterEnd,      // bytes other than 0 in or after the all-zero record (a zero date in the middle)
  TooLarge,          // no all-zero record within kMaxMeetingsPerFile records, or longer than that
  RaceFileShort,     // the race file does not hold a block for every meeting
  RaceDataAfterEnd,  // the race file holds data after the blocks of its meetings
};

struct MeetingScan {
  std::vector<std::uint8_t> records;  // the meetings, byte for byte, without the all-zero record
  CourseDamage damage = CourseDamage::None;

  std::size_t count() const { return records.size() / KaisaiRecord::kSize; }
  const std::uint8_t* record(std::size_t i) const { return records.data() + i * KaisaiRecord::kSize; }
  std::uint16_t tsukiHi(std::size_t i) const;
  KaisaiRecord meeting(std::size_t i) const;
};

// Reads `f` from its start, one record at a time, up to the first record whose date is 0
// or the end of the file. With `checkTail` it also reads what follows that record, to
// find data after it (the course rewrite needs that; counting does not).
MeetingScan scanMeetingFile(File& f, bool checkTail);

// The race file of a scanned course, checked before it is read whole for a rewrite.
CourseDamage checkRaceFile(File& f, std::size_t meetings);

// "…ﾌｧｲﾙが壊れています。…" naming the file (logical path) that is damaged.
std::string courseDamageMessage(CourseDamage d, const std::string& meetingFile, const std::string& raceFile);

}  // namespace tovra
