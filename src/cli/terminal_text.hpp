#pragma once
// Ledger text on its way to the terminal. A race name or a comment holds whatever bytes its
// file holds; a control character among them (ESC, BEL, a carriage return) would act on the
// terminal instead of being shown, so it is printed escaped as \xHH.
#include <string>
#include <string_view>

namespace tovra::cli {

// `utf8` with every C0 control character and DEL written as \xHH;
// line feeds stay when `keepLineFeeds` (a comment's lines), are escaped otherwise.
std::string terminalText(std::string_view utf8, bool keepLineFeeds = false);

}  // namespace tovra::cli
