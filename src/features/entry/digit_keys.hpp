#pragma once
// The key filter of the numeric edit boxes (years, dates, meeting numbers, amounts).
namespace tovra {

class UserPort;

// Keeps '0'..'9' and backspace (8); anything else beeps and is swallowed (returns false).
bool digitKeyFilter(UserPort& port, char32_t key);

}  // namespace tovra
