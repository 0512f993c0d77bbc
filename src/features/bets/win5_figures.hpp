#pragma once
// The settled figures of the WIN5 days of a range: one walk over the store's WIN5 days,
// each settled as the WIN5 window settles it. A WIN5 belongs to a day, never to a race or
// to one course (its five legs are usually at two or three courses), so wherever races or
// courses are counted it is counted apart:
//   course filter  a WIN5 counts only when every course is chosen (no course filter); a
//                  tally or view of one course leaves it out, whichever courses its legs
//                  are at;
//   race rows      a WIN5 is not one race: tallies that count races by their attributes
//                  (項目, RANK, 条件) never count it in their race rows; it enters only
//                  their blocks per bet type and the all-types totals, as a type of its
//                  own, one bought (and maybe hit) unit per day;
//   meetings       a WIN5 day counts whether or not the course files hold a meeting on
//                  its date (its legs may name races not registered in the ledger).
#include <vector>

#include "domain/new_bet_settlement.hpp"
#include "storage/bet_store.hpp"
#include "storage/outcome.hpp"
#include "storage/win5_store.hpp"

namespace tovra {

// One WIN5 day with its figures.
struct Win5DayFigures {
  Win5Date date;
  BetFigures figures;
  bool operator==(const Win5DayFigures&) const = default;
};

// What part of the WIN5 days a range takes.
struct Win5Range {
  std::vector<int> years;    // the years (all of them when empty)
  std::vector<int> courses;  // the chosen courses (0..9); empty: every course
  int monthDay = 0;          // month * 100 + day: only that date of the years; 0: every date
};

// Whether WIN5 counts under a choice of courses (empty: every course): only when every
// course is chosen, a list naming each of the ten included.
bool win5CountsFor(const std::vector<int>& courses);

// Every WIN5 day of the range, in date order, settled. Days without a line count with
// zero figures. A store that cannot be read ends in its refusal; a store without a file
// holds no days.
Result<std::vector<Win5DayFigures>> win5DayFigures(BetStore& store, const Win5Range& range);

// The range's WIN5 figures added up (see win5DayFigures); nothing when the courses leave
// WIN5 out.
Result<BetFigures> win5RangeFigures(BetStore& store, const Win5Range& range);

// The WIN5 figures of one date (zero figures when the store holds no WIN5 of it).
Result<BetFigures> win5FiguresOn(BetStore& store, const Win5Date& date);

}  // namespace tovra
