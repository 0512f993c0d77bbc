#pragma once
// Ledger text on its way to the terminal. A race name or a comment holds whatever bytes its
// file holds; a control character among them (ESC, BEL, a carriage return) would act on the
// terminal instead of being shown, so it is printed escaped as \xHH.
#include <string>
#include <string_view>

namespace tovra::cli {

// The control characters that stay as they are: line feeds where the text is made of
// lines (a comment, a message), tabs where it is made of tab-separated columns (the
// lines of a tally). Every other C0 control character and DEL is escaped.
enum class Keep { Nothing, LineFeeds, Tabs, LineFeedsAndTabs };

std::string terminalText(std::string_view utf8, Keep keep = Keep::Nothing);

}  // namespace tovra::cli
