#pragma once
// A ledger file that could not be opened: the numbered message through the port, then
// the program ends at once, with no further file written (not even the settings).
#include <exception>

namespace tovra {

class FatalFileError;
class UserPort;

void reportFatal(UserPort& port, const FatalFileError& e);
[[noreturn]] void reportFatalAndEnd(UserPort& port, const FatalFileError& e);
// Any other exception that reached the top (`e` null: not a standard one): its message,
// then the program ends in the same way.
[[noreturn]] void reportUnexpectedAndEnd(UserPort& port, const std::exception* e);

}  // namespace tovra
