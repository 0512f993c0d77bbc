#pragma once
// What ends a program besides a FatalFileError: any other exception that reaches the top
// (memory exhausted, or a fault of the program itself). Both end with one exit code.
#include <exception>
#include <string>

namespace tovra {

// The exit code of a program ended by a FatalFileError or an unexpected exception.
inline constexpr int kFatalExitCode = 2;

// The text shown before the program ends. `e` may be null (an exception of no standard
// type).
std::string unexpectedErrorMessage(const std::exception* e);

}  // namespace tovra
