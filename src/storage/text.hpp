#pragma once
// Text layer: the ledger stores Shift-JIS (code page 932) bytes; the user interface
// works in UTF-8. Conversion happens only at the edge, through glibc iconv "CP932"
// ("SHIFT_JIS" would turn 0x5C into the yen sign and reject Ⅰ Ⅱ Ⅲ).
#include <cstdarg>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovra {

// CP932 bytes -> UTF-8. Bytes that are not valid CP932 become U+FFFD, never an exception.
std::string cp932ToUtf8(std::string_view cp932);

// UTF-8 -> CP932 bytes; nullopt when a character has no CP932 form (an emoji, say).
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// Same, for texts written in this program's sources (messages, formats): they are
// known to be representable, so a failure is a programming error and throws.
std::string sj(std::string_view utf8);

// Length of the CP932 character starting at s[i] (1 or 2), clamped to the buffer.
std::size_t cp932CharLength(std::string_view s, std::size_t i);

// The longest prefix of at most maxBytes bytes that does not split a double-byte character.
std::string cutCp932(std::string_view cp932, std::size_t maxBytes);

// Cut or pad with blanks to exactly width bytes (a split double-byte character becomes a blank).
std::string fitCp932(std::string_view cp932, std::size_t width);

// printf into CP932: the format is given in UTF-8 (as written in the sources) and converted,
// string arguments must already be CP932 bytes. Widths therefore count Shift-JIS bytes.
std::string sjprintf(const char* utf8Format, ...) __attribute__((format(printf, 1, 2)));
std::string vsjprintf(const char* utf8Format, va_list args);

// The same, giving the finished line in UTF-8 for display.
std::string sjprintfUtf8(const char* utf8Format, ...) __attribute__((format(printf, 1, 2)));

// The text of a NUL-terminated fixed buffer (stops at the first NUL or the buffer end).
std::string fixedText(const char* buf, std::size_t size);
template <std::size_t N>
std::string fixedText(const char (&buf)[N]) {
  return fixedText(buf, N);
}

// Store CP932 text into a fixed buffer of N bytes (at most N-1 bytes, NUL filled).
// Returns false (and changes nothing) when it does not fit.
bool setFixedText(char* buf, std::size_t size, std::string_view cp932);
template <std::size_t N>
bool setFixedText(char (&buf)[N], std::string_view cp932) {
  return setFixedText(buf, N, cp932);
}

}  // namespace tovra
