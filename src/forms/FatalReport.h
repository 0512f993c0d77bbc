#pragma once
// A ledger file that could not be opened: the numbered message, then the program ends
// at once, with no further file written (not even the settings).
namespace tovra {

class FatalFileError;

void reportFatal(const FatalFileError& e);
[[noreturn]] void reportFatalAndEnd(const FatalFileError& e);

}  // namespace tovra
