#pragma once
// Ending the program with the exit button of the main, race or tally windows.
namespace tovra {

class UserPort;
struct SettingsRecord;

// True when the program may end: the settings want no confirmation, or the user chose OK.
bool confirmExit(UserPort& port, const SettingsRecord& settings);

}  // namespace tovra
