#pragma once
// Free texts typed into the race dialogs: the race name (61-byte field) and the
// comment (124-byte field, at most 120 bytes entered). The fields hold CP932, so the
// limits count CP932 bytes, and a character CP932 cannot hold is refused.
#include <cstddef>
#include <optional>
#include <string>

namespace tovra {

inline constexpr std::size_t kRaceNameBytes = 60;
inline constexpr std::size_t kCommentBytes = 120;

// Bytes the UTF-8 text takes in CP932; characters without a CP932 form count 2.
std::size_t cp932Length(const std::string& utf8);
// The longest leading part of the text that takes at most maxBytes in CP932, cut
// between characters: what an edit box keeps while the user types.
std::string fitCp932Bytes(const std::string& utf8, std::size_t maxBytes);

// Comment line breaks: the field stores CR LF; the edit box works with LF.
std::string commentToStored(const std::string& memoUtf8);  // any break -> "\r\n"
std::string commentToMemo(const std::string& storedUtf8);  // CR LF, lone CR -> "\n"
// The comment box's text cut to what the field admits (a break counts two bytes).
std::string fitComment(const std::string& memoUtf8);

// The CP932 bytes of a race name, or the refusal message (UTF-8).
struct TextCheck {
  std::optional<std::string> bytes;  // set when accepted
  std::string refusal;
};
TextCheck raceNameBytes(const std::string& utf8);
TextCheck commentBytes(const std::string& memoUtf8);  // line breaks stored as CR LF

}  // namespace tovra
