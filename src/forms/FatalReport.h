#pragma once
// A ledger file that could not be opened: the numbered message, then the program ends
// at once, with no further file written (not even the settings).
#include <exception>

namespace tovra {

class FatalFileError;

void reportFatal(const FatalFileError& e);
[[noreturn]] void reportFatalAndEnd(const FatalFileError& e);
// Any other exception that reached the top (`e` null: not a standard one): its message,
// then the program ends in the same way.
[[noreturn]] void reportUnexpectedAndEnd(const std::exception* e);

}  // namespace tovra
