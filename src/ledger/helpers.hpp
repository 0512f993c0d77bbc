#pragma once
// Small helpers many dialogs share.
#include <string>
#include <vector>

namespace tovra {

class DataStore;
class UserPort;
struct SettingsRecord;

// Digits-only key filter of numeric edit boxes: keeps '0'..'9' and backspace (8);
// anything else beeps and is swallowed (returns false).
bool digitKeyFilter(UserPort& port, char32_t key);

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

// Exit confirmation: true when the program may end (no confirmation wanted, or OK).
bool confirmExit(UserPort& port, const SettingsRecord& settings);

}  // namespace tovra
