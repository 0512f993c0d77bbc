#pragma once
// WIN5 in the bet store: the days of a WIN5, keyed by date alone (year, month, day), never
// by a meeting: the five legs name a course and a race each, so a meeting's date moved or
// a meeting deleted leaves them as they are. Every change is one transaction of the bet
// store (storage/bet_store.hpp), with the store's refusals.
#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/bet_store.hpp"
#include "storage/outcome.hpp"

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

// Everything the store holds of one WIN5 day.
struct StoredWin5Day {
  std::array<Win5Leg, kWin5LegCount> legs;
  std::vector<StoredWin5Line> lines;                           // in the order bought
  std::vector<StoredWin5Winner> winners;                       // in the order entered
  std::array<std::vector<int>, kWin5LegCount> scratched;       // per leg, ascending
  bool cancelled = false;
  std::string note;  // the carry-over note (UTF-8)
  bool operator==(const StoredWin5Day&) const = default;
};

// The WIN5 days of a ledger's bet store. It reads and writes through `store`, which must
// outlive it.
class Win5Store {
 public:
  explicit Win5Store(BetStore& store) : store_(store) {}

  // --- reading ---
  // The day, or nullopt when the store holds no WIN5 of that date.
  Result<std::optional<StoredWin5Day>> day(const Win5Date& date);
  // Every WIN5 day of the years given (all years when empty), in date order.
  Status scan(const std::vector<int>& years, const std::function<void(const Win5Date&, const StoredWin5Day&)>& visit);
  // The WIN5 days with a leg at `course` on the date (for the question before a meeting
  // is deleted): the date itself when one of its legs is at that course.
  Result<bool> holdsLegAt(const Win5Date& date, int course);

  // --- changes: each one transaction; the file is created on the first ---
  // Sets the five legs, creating the day when it has none; its lines and result stay.
  Status setLegs(const Win5Date& date, const std::array<Win5Leg, kWin5LegCount>& legs);
  // Adds a line after the day's others (the day must exist: refused with an empty text
  // otherwise); its new id.
  Result<std::int64_t> addLine(const Win5Date& date, const StoredWin5Line& line);
  // Deletes the day's n-th line (1-based); refused with an empty text when there is none.
  Status deleteLine(const Win5Date& date, int n);
  // Replaces the winning combinations (empty: no result).
  Status setWinners(const Win5Date& date, const std::vector<StoredWin5Winner>& winners);
  // Replaces the scratched horses of leg 1..5 (empty: none).
  Status setScratch(const Win5Date& date, int leg, const std::vector<int>& horses);
  // Sets or clears the cancelled mark.
  Status setCancelled(const Win5Date& date, bool cancelled);
  // Sets the carry-over note ("" for none).
  Status setNote(const Win5Date& date, const std::string& note);
  // Removes the day with its lines, result and scratches; refused with an empty text when
  // there is none.
  Status deleteDay(const Win5Date& date);

 private:
  BetStore& store_;
};

}  // namespace tovra
