#pragma once
// What the meeting, year and import commands take from the run: the year it works on and
// a meeting day named on the command line, as keys. They never select a day.
#include <string>

#include "cli/cli_context.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra::cli {

// The year the run works on, as the run's preparation chose it (refused
// when no year is registered).
std::string runYear(Context& ctx);
// The number of that year (0 when none is registered), without refusing.
int runYearNumber(Context& ctx);

// Meeting `index` of `course` in the run's year; refused when the course holds no such
// meeting.
DayKey meetingDay(Context& ctx, int course, int index);

// A file failure ends the run with its numbered message.
[[noreturn]] void endWith(Context& ctx, const FileFailure& f);

}  // namespace tovra::cli
