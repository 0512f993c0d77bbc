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
#include "storage/win5_rows.hpp"

namespace tovra {

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

// What an import did to a WIN5 day.
struct Win5Imported {
  enum class State {
    Written,     // every part given is in (lines whose receipt the day held are left out)
    LegsDiffer,  // the day holds other legs: nothing was written
    NoLegs,      // no legs given and the day has none: nothing was written
  } state = State::Written;
  std::array<Win5Leg, kWin5LegCount> held{};  // LegsDiffer: the day's legs
  int lines = 0;                              // the lines taken
  bool operator==(const Win5Imported&) const = default;
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
  // The receipts of the purchase-history WIN5 lines taken on the date, ascending.
  Result<std::vector<std::string>> receipts(const Win5Date& date);

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
  // Writes what an import brings (see Win5Import and Win5Imported) in one transaction; the
  // file is created when the import gives legs.
  Result<Win5Imported> applyImport(const Win5Date& date, const Win5Import& import);
  // Removes the day with its lines, result and scratches; refused with an empty text when
  // there is none.
  Status deleteDay(const Win5Date& date);

 private:
  BetStore& store_;
};

}  // namespace tovra
