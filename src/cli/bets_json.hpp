#pragma once
// `show race --json` and `show meeting --json`: every ticket line, result, scratch and
// figure of every bet type of a race or a day, as JSON for scripts. Money in yen.
#include <iosfwd>

#include "features/bets/race_figures.hpp"
#include "storage/ledger.hpp"

namespace tovra::cli {

// One race (r 0..11) of the day as a JSON object.
void printRaceJson(std::ostream& out, const DayKey& key, const MeetingDay& day, const DayBets& bets, int r);
// The day: its date and course, `races` (twelve objects) and the day's `figures`.
void printMeetingJson(std::ostream& out, const DayKey& key, const MeetingDay& day, const DayBets& bets);

}  // namespace tovra::cli
