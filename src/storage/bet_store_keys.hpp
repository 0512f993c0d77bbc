#pragma once
// The keys of the bet store's rows: by date and race, never by a meeting's place in its
// course file.

#include <compare>

namespace tovra {

// A meeting day by date: year, course 0..9, month, day.
struct DateKey {
  int year = 0;
  int course = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const DateKey&) const = default;
};

// A race by date: the day and the race 1..12.
struct RaceKey {
  DateKey date;
  int race = 1;
  auto operator<=>(const RaceKey&) const = default;
};

}  // namespace tovra
