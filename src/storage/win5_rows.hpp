#pragma once
// The rows of a WIN5 day as the bet store holds them, and what an import brings to one
// (storage/win5_store.hpp writes them; storage/bet_store.hpp carries an import's part).
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovra {

inline constexpr int kWin5LegCount = 5;

// A WIN5 day: year, month and day.
struct Win5Date {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const Win5Date&) const = default;
};

// One leg: the course (0..9, as the course files number them) and the race (1..12).
struct Win5Leg {
  int course = 0;
  int race = 1;
  bool operator==(const Win5Leg&) const = default;
};

// A purchase line as stored: the horses of each leg and the stake per combination.
struct StoredWin5Line {
  std::int64_t id = 0;  // ascending in the order bought
  std::array<std::vector<int>, kWin5LegCount> legs;
  int stake = 0;            // per combination, in 100 yen
  std::int64_t points = 0;  // the product of the set sizes when bought
  bool operator==(const StoredWin5Line&) const = default;
};

// A winning combination (one horse per leg) and its payout in yen per 100 yen.
struct StoredWin5Winner {
  std::array<int, kWin5LegCount> horses{};
  std::int64_t payout = 0;
  bool operator==(const StoredWin5Winner&) const = default;
};

// A purchase line an import takes, with the receipt ("受付番号-通番", UTF-8) that keeps it
// from being taken twice.
struct Win5ImportLine {
  StoredWin5Line line;
  std::string receipt;
  bool operator==(const Win5ImportLine&) const = default;
};

// What an import brings to a WIN5 day; a part left unset leaves the day's own as it is.
// With `legs` the day is created when it has none; a day holding other legs takes nothing
// of the import. Without `legs` the day must have its legs already.
struct Win5Import {
  std::optional<std::array<Win5Leg, kWin5LegCount>> legs;
  std::optional<std::vector<StoredWin5Winner>> winners;  // replaces the day's
  std::optional<bool> cancelled;
  std::optional<std::string> note;
  std::vector<Win5ImportLine> lines;  // a line whose receipt the day holds is not taken
  bool operator==(const Win5Import&) const = default;
};

}  // namespace tovra
