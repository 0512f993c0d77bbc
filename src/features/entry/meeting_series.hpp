#pragma once
// The dates of a meeting series (一括登録): from one day of a 回 the following days up to
// 日目 8, taking odd day numbers as Saturdays and even ones as Sundays.
#include <cstdint>
#include <vector>

namespace tovra {

// One meeting day as the registration dialog collects it (month 1..12, day 1..31,
// 回 1..12, 日目 1..8). No calendar check: 31 February is accepted.
struct MeetingDate {
  int month = 1, day = 1, kai = 1, nichi = 1;
  std::uint16_t tsukiHi() const { return static_cast<std::uint16_t>(month * 100 + day); }
  std::uint16_t kaiNichi() const { return static_cast<std::uint16_t>(kai * 100 + nichi); }
  bool operator==(const MeetingDate&) const = default;
};

// Days nichi..8 of the series that starts at `first` (9 - nichi entries; none when nichi
// is outside 1..8). February always counts 28 days, and December rolls over to January
// without a change of year: the days are registered in the same year's files.
std::vector<MeetingDate> seriesDates(const MeetingDate& first);

}  // namespace tovra
