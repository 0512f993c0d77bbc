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

// The entries of a year combo box ("%4d年", newest first, at most 20, up to the first 0)
// and the index of the current year (0 when it is not among them).
struct YearList {
  std::vector<std::string> entries;  // UTF-8
  std::vector<int> years;
  int selected = 0;
};
YearList yearComboList(const DataStore& ds);

// Exit confirmation: true when the program may end (no confirmation wanted, or OK).
bool confirmExit(UserPort& port, const SettingsRecord& settings);

}  // namespace tovra
