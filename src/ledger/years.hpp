#pragma once
// Racing years: the list in main.dat, the first year, registering, deleting and
// switching the current year. Messages go through the user port.
#include <functional>
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

// What the windows do once a year was registered or deleted, before the closing notice:
// the year dialog closes, then the main window shows the current year (race window
// closed, meeting view, year box). Empty hooks do nothing (the CLI).
struct YearWindowHooks {
  std::function<void()> closeDialog;
  std::function<void()> showYears;
};

// 登録 of the year dialog. Shows the refusal, or on success makes the new year current,
// counts the meetings (course 0), saves main.dat, runs the hooks and gives the notice.
bool registerYear(DataStore& ds, UserPort& port, const std::string& text, const YearWindowHooks& hooks = {});

// 削除 of the year dialog; selectedYear 0 = nothing selected. Asks before deleting; on
// success deletes the year's files, saves main.dat, runs the hooks and gives the notice.
bool deleteYear(DataStore& ds, UserPort& port, int selectedYear, const YearWindowHooks& hooks = {});

// Year box change. Returns true when the year changed (meetings counted, course kept,
// meeting 0 of the course and its races read); false when nothing happened or the user
// cancelled (the caller puts the current year back into its box).
bool changeYear(DataStore& ds, UserPort& port, int newYear);

// Sorts slots 0..19 descending, zeros last; slot 20 is untouched.
void sortYears(DataStore& ds);

}  // namespace tovra
