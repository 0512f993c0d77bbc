#pragma once
// The meeting day the data layer shows, as the key and the value the windows hand to the
// prints.
#include "ledger/datastore.hpp"

namespace tovra::testing {

inline DayKey shownKey(const DataStore& ds) { return {ds.year, ds.course, ds.shown()}; }
inline MeetingDay shownDay(const DataStore& ds) { return {ds.kaisai, ds.races}; }

}  // namespace tovra::testing
