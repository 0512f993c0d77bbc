#pragma once
// Racing years: the list in main.dat, the first year, registering, deleting and
// switching the current year. Messages go through the user port.
#include <string>

namespace tovra {

class DataStore;
class UserPort;

// At start-up after loading main.dat: the current year becomes the newest registered
// one. Returns false when none is registered (the first-year dialog must ask).
bool initYears(DataStore& ds);

// A year text the dialogs accept: exactly four digits, not starting with 0.
bool firstYearTextAccepted(const std::string& text);
// Registers the first year: slot 0, current year, main.dat saved, its files created.
void registerFirstYear(DataStore& ds, int year);

// Creates (truncating) the twenty files of a year: per course one blank meeting record
// and one blank race block. Failure to create a file is fatal (code 4 / 6).
void createYearFiles(DataStore& ds, const std::string& year);

// 登録 of the year dialog. Shows the refusal or the final notice; on success the new
// year is current, meetings are counted (course 0) and main.dat is saved.
// The caller shows the meeting view and refills its year box.
bool registerYear(DataStore& ds, UserPort& port, const std::string& text);

// 削除 of the year dialog; selectedYear 0 = nothing selected. Asks before deleting.
bool deleteYear(DataStore& ds, UserPort& port, int selectedYear);

// Year box change. Returns true when the year changed (meetings counted, course kept,
// meeting 0 of the course and its races read); false when nothing happened or the user
// cancelled (the caller puts the current year back into its box).
bool changeYear(DataStore& ds, UserPort& port, int newYear);

// Sorts slots 0..19 descending, zeros last; slot 20 is untouched.
void sortYears(DataStore& ds);

}  // namespace tovra
