#pragma once
// Racing years: the list in main.dat, the first year, registering, deleting and
// switching the current year. Messages go through the user port.
#include <functional>
#include <string>
#include <vector>

namespace tovra {

class DataStore;
class UserPort;

// At start-up after loading main.dat: the current year becomes the newest registered
// one. Returns false when none is registered (the first-year dialog must ask).
bool initYears(DataStore& ds);

// The racing years a ledger holds: from the first JRA year to the last of the century.
inline constexpr int kFirstRacingYear = 1954;
inline constexpr int kLastRacingYear = 2099;
// A year text the dialogs accept: exactly four digits, not starting with 0, naming a year
// from kFirstRacingYear to kLastRacingYear.
bool firstYearTextAccepted(const std::string& text);
// The refusal of a year text that is not accepted (every year dialog and `year add`).
inline constexpr const char* kYearTextRefusedText = "西暦4桁で入力して下さい。";
// Registers the first year: slot 0, current year, its files created, main.dat saved. A
// failed write removes the files it created before the fatal error.
void registerFirstYear(DataStore& ds, int year);

// Creates the missing files of a year's twenty: per course one blank meeting record and
// one blank race block. Files that exist are kept as they are. Returns the number of
// meetings the kept meeting files hold. Failure to create a file is fatal (code 4 / 6),
// after the files created so far are removed. The logical paths of the files created are
// appended to `created` (when given), for the caller to remove should a later step fail.
int createYearFiles(DataStore& ds, const std::string& year, std::vector<std::string>* created = nullptr);

// Told when registering a year finds its files holding meetings.
inline constexpr const char* kYearFilesKeptText =
    "この年次のﾃﾞｰﾀﾌｧｲﾙが残っていました。\n\n登録済の開催ﾃﾞｰﾀはそのまま使用します。";

// What the windows do once a year was registered or deleted, before the closing notice:
// the year dialog closes, then the main window shows the current year (race window
// closed, meeting view, year box). Empty hooks do nothing (the CLI).
struct YearWindowHooks {
  std::function<void()> closeDialog;
  std::function<void()> showYears;
};

// 登録 of the year dialog. Shows the refusal, or on success makes the new year current,
// counts the meetings (course 0), saves main.dat, runs the hooks and gives the notice
// (after telling the user when the year's files were there already and were kept).
bool registerYear(DataStore& ds, UserPort& port, const std::string& text, const YearWindowHooks& hooks = {});

// 削除 of the year dialog; selectedYear 0 = nothing selected. Asks before deleting; on
// success saves main.dat without the year, runs the hooks, deletes the year's files (and
// what a crash left of them) and gives the notice. FilesLeft: the year is no longer
// registered but some of its files could not be removed (the user has been told which).
enum class DeleteYearResult { Refused, Deleted, FilesLeft };
DeleteYearResult deleteYear(DataStore& ds, UserPort& port, int selectedYear, const YearWindowHooks& hooks = {});

// Year box change. Returns true when the year changed (meetings counted, course kept,
// meeting 0 of the course and its races read); false when nothing happened or the user
// cancelled (the caller puts the current year back into its box).
bool changeYear(DataStore& ds, UserPort& port, int newYear);

// Sorts slots 0..19 descending, zeros last; slot 20 is untouched.
void sortYears(DataStore& ds);

// The entries of a year combo box (newest first, at most 20, up to the first 0) and the
// index of the current year (0 when it is not among them). The tally and search dialogs
// show "%4d年"; the main window's year box " %d年", the year dialog's list "  %d年".
struct YearList {
  std::vector<std::string> entries;  // UTF-8
  std::vector<int> years;
  int selected = 0;
};
inline constexpr const char* kYearListFormat = "%4d年";
inline constexpr const char* kYearBoxFormat = " %d年";
inline constexpr const char* kNenBoxFormat = "  %d年";
YearList yearComboList(const DataStore& ds, const char* format = kYearListFormat);

}  // namespace tovra
