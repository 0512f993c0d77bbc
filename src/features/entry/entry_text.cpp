#include "features/entry/entry_text.hpp"

#include "features/entry/entry_messages.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

// Length of the UTF-8 sequence starting with lead byte c (1 for stray bytes).
std::size_t utf8SeqLength(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return 3;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

// Walks the text character by character with each one's CP932 length.
template <typename F>
void eachChar(const std::string& utf8, F&& f) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t n = utf8SeqLength(static_cast<unsigned char>(utf8[i]));
    if (i + n > utf8.size()) n = utf8.size() - i;
    std::string ch = utf8.substr(i, n);
    auto sjis = utf8ToCp932(ch);
    std::size_t len = sjis ? sjis->size() : 2;
    if (!f(i, n, len)) return;
    i += n;
  }
}

}  // namespace

std::size_t cp932Length(const std::string& utf8) {
  std::size_t total = 0;
  eachChar(utf8, [&](std::size_t, std::size_t, std::size_t len) {
    total += len;
    return true;
  });
  return total;
}

std::string fitCp932Bytes(const std::string& utf8, std::size_t maxBytes) {
  std::size_t total = 0, end = 0;
  eachChar(utf8, [&](std::size_t i, std::size_t n, std::size_t len) {
    if (total + len > maxBytes) return false;
    total += len;
    end = i + n;
    return true;
  });
  return utf8.substr(0, end);
}

std::string commentToStored(const std::string& memoUtf8) {
  std::string out;
  for (std::size_t i = 0; i < memoUtf8.size(); ++i) {
    char c = memoUtf8[i];
    if (c == '\r') {
      if (i + 1 < memoUtf8.size() && memoUtf8[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string commentToMemo(const std::string& storedUtf8) {
  std::string out;
  for (std::size_t i = 0; i < storedUtf8.size(); ++i) {
    char c = storedUtf8[i];
    if (c == '\r') {
      if (i + 1 < storedUtf8.size() && storedUtf8[i + 1] == '\n') ++i;
      out += '\n';
    } else {
      out += c;
    }
  }
  return out;
}

std::string fitComment(const std::string& memoUtf8) {
  // Measured as stored: every break is CR LF.
  std::string memo = commentToMemo(memoUtf8);
  std::size_t total = 0, end = 0;
  eachChar(memo, [&](std::size_t i, std::size_t n, std::size_t len) {
    if (memo[i] == '\n') len = 2;
    if (total + len > kCommentBytes) return false;
    total += len;
    end = i + n;
    return true;
  });
  return memo.substr(0, end);
}

TextCheck raceNameBytes(const std::string& utf8) {
  TextCheck r;
  auto bytes = utf8ToCp932(utf8);
  if (!bytes) {
    r.refusal = msg::kRaceNameChars;
  } else if (bytes->size() > kRaceNameBytes) {
    r.refusal = msg::kRaceNameLength;
  } else {
    r.bytes = std::move(*bytes);
  }
  return r;
}

TextCheck commentBytes(const std::string& memoUtf8) {
  TextCheck r;
  auto bytes = utf8ToCp932(commentToStored(memoUtf8));
  if (!bytes) {
    r.refusal = msg::kCommentChars;
  } else if (bytes->size() > kCommentBytes) {
    r.refusal = msg::kCommentLength;
  } else {
    r.bytes = std::move(*bytes);
  }
  return r;
}

}  // namespace tovra
