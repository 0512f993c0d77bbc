#pragma once
// Days and races named on the command line, as keys of the ledger: the commands read the
// day by its key, change a copy through the entry operations and write it through them.
// Nothing here makes a day or a race the shown one.
#include <utility>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "storage/ledger.hpp"

namespace tovra::cli {

// COURSE INDEX (or COURSE MM-DD) of the current year as a key; refused when the course
// holds no such meeting.
DayKey dayKey(Context& ctx, const MeetingArgs& args);

// COURSE INDEX RACE: the day's key and the race 0..11 (the race number is checked first).
struct RaceAddress {
  DayKey day;
  int race = 0;
};
RaceAddress raceAddress(Context& ctx, const RaceArgs& args);

// The day at `key`; a file that cannot be read ends in the numbered fatal error.
MeetingDay readDay(Context& ctx, const DayKey& key);

// The value of an operation; its refusal is shown and the command ends (exit 1); a file
// that could not be written ends in the numbered fatal error.
template <class T>
T valueOf(Context& ctx, Result<T> outcome) {
  if (outcome.failed()) ctx.ds->fatal(outcome.failure().code, outcome.failure().path);
  if (outcome.refused()) {
    showRefusal(ctx.port, outcome.refusal());
    throw Refused();
  }
  return std::move(*outcome);
}

}  // namespace tovra::cli
