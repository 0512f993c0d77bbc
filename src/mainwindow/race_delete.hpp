#pragma once
// Deleting everything recorded for one race of the meeting day shown (the race window's
// delete button): items, tickets, results, entries and comment all go.
namespace tovra {

class DataStore;
class UserPort;

// Reads the race block again, asks, blanks race r, settles it (the day totals follow) and
// writes the meeting record and the race block. False when the user cancelled.
bool deleteRaceData(DataStore& ds, UserPort& port, int r);

}  // namespace tovra
