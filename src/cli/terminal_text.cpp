#include "cli/terminal_text.hpp"

namespace tovra::cli {

std::string terminalText(std::string_view utf8, Keep keep) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const bool lineFeeds = keep == Keep::LineFeeds || keep == Keep::LineFeedsAndTabs;
  const bool tabs = keep == Keep::Tabs || keep == Keep::LineFeedsAndTabs;
  std::string out;
  out.reserve(utf8.size());
  for (const char ch : utf8) {
    const auto b = static_cast<unsigned char>(ch);
    const bool kept = (b == '\n' && lineFeeds) || (b == '\t' && tabs);
    if ((b < 0x20 && !kept) || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace tovra::cli
