#pragma once
// Deleting everything recorded for one race of a meeting day (the race window's delete
// button): items, tickets, results, entries and comment all go.
#include <string>

#include "storage/ledger.hpp"

namespace tovra {

// What the delete button asks first (OK/ｷｬﾝｾﾙ, question icon), for race `race` of the day
// held on `course`.
std::string deleteRaceDataQuestion(const KaisaiRecord& meeting, int course, int race);

// Blanks race `race` of the day, settles it (the day totals follow) and writes the meeting
// record and the race block at `key`. The day as written.
Result<MeetingDay> deleteRaceData(const Ledger& ledger, const DayKey& key, MeetingDay day, int race);

}  // namespace tovra
