#pragma once
// What the bet store keeps of each day so that a range of years reads one row a year: the
// day's figures per new bet type and the races with scratched horses or refunded frames.
// A year's days are packed into one BLOB, little-endian:
//   byte 0      format 1
//   bytes 1-4   number of days (u32)
//   per day     course, month, day, number of scratched races (u8 each);
//               馬単, 3連複, 3連単 in turn: bought, refunded, return (i64 each), hit (u8);
//               per scratched race: race 1-12 (u8), horses (u32, bit h for horse h),
//               refunded frames (u16, bit f for frame f)
// Days in date order.
//
// And per course and year, the five record types' figures of its races with scratches, as
// computed from the race file when the file had a stamp (storage/file_stamp.hpp), packed:
//   byte 0      format 1
//   bytes 1-4   number of races (u32)
//   per race    month, day, race 1-12 (u8 each), the meeting's place in the course file
//               (u16), horses (u32), refunded frames (u16) as above; bought, refunded,
//               return (i64 each), hit (u8)
// A BLOB that does not read back exactly is damaged.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/bet_store_keys.hpp"

namespace tovra {

struct KeptTypeFigures {
  std::int64_t bought = 0, refunded = 0, ret = 0;
  bool hit = false;
  bool operator==(const KeptTypeFigures&) const = default;
};

// A race's scratches as sets of numbers: bit n set for number n.
struct KeptScratch {
  int race = 1;              // 1-12
  std::uint32_t horses = 0;  // 1-18
  std::uint16_t frames = 0;  // 1-8
  bool operator==(const KeptScratch&) const = default;
};
// The set of the numbers given (those from 1 to 31), and back in ascending order.
std::uint32_t numberSet(const std::vector<int>& numbers);
std::vector<int> numbersIn(std::uint32_t set);

struct KeptDay {
  DateKey date;
  std::array<KeptTypeFigures, 3> types{};  // 馬単, 3連複, 3連単
  std::vector<KeptScratch> scratches;      // by race
  bool operator==(const KeptDay&) const = default;
};

// The record types' figures of a race with scratches, and what they were computed from.
struct KeptRaceFigures {
  int month = 1, day = 1;
  int index = 0;        // the meeting's place in its course file
  KeptScratch scratch;  // the race and its scratches
  KeptTypeFigures figures;
  bool operator==(const KeptRaceFigures&) const = default;
};

struct KeptCourseFigures {
  int year = 0, course = 0;
  std::string stamp;  // the race file's stamp when the figures were computed
  std::vector<KeptRaceFigures> races;
  bool operator==(const KeptCourseFigures&) const = default;
};

inline constexpr std::uint8_t kKeptDaysFormat = 1;

// The BLOB of a year's days (all of `year`, in date order).
std::string encodeKeptDays(const std::vector<KeptDay>& days);
// The days of `year` from its BLOB; nullopt when it is not one this program wrote.
std::optional<std::vector<KeptDay>> decodeKeptDays(int year, std::string_view blob);
// The same appended to `out`; false (and `out` as it was) when the BLOB is damaged.
bool appendKeptDays(int year, std::string_view blob, std::vector<KeptDay>& out);
std::string encodeKeptRaces(const std::vector<KeptRaceFigures>& races);
std::optional<std::vector<KeptRaceFigures>> decodeKeptRaces(std::string_view blob);

}  // namespace tovra
