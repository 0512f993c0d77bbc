#pragma once
// The meeting day the data layer shows, as the key and the value the windows hand to the
// prints.
#include "common/ledger_cursor.hpp"

namespace tovra::testing {

inline DayKey shownKey(const LedgerCursor& ds) { return {ds.year, ds.course, ds.shown()}; }
inline MeetingDay shownDay(const LedgerCursor& ds) { return {ds.kaisai, ds.races}; }

}  // namespace tovra::testing
