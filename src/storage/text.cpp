#include "storage/text.hpp"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace tovra {
namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// The two conversion descriptors, opened once per thread (opening one costs far more
// than converting a line, and list windows convert thousands of lines) and reset to
// their initial state for every conversion.
iconv_t descriptor(bool toUtf8) {
  struct Descriptors {
    iconv_t cd[2] = {kNoDescriptor, kNoDescriptor};
    ~Descriptors() {
      for (iconv_t c : cd)
        if (c != kNoDescriptor) iconv_close(c);
    }
  };
  thread_local Descriptors d;
  iconv_t& cd = d.cd[toUtf8 ? 1 : 0];
  if (cd == kNoDescriptor) cd = toUtf8 ? iconv_open("UTF-8", "CP932") : iconv_open("CP932", "UTF-8");
  if (cd == kNoDescriptor) throw std::runtime_error("iconv: CP932 is not available");
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  return cd;
}

// One conversion through iconv. On an invalid or unconvertible sequence either
// substitute (decoding) or give up (encoding).
bool convert(bool toUtf8, std::string_view in, std::string& out, bool substitute, std::string_view replacement) {
  iconv_t cd = descriptor(toUtf8);
  out.clear();
  std::vector<char> buf(in.size() * 4 + 16);
  char* inp = const_cast<char*>(in.data());
  size_t inleft = in.size();
  bool ok = true;
  while (inleft > 0) {
    char* outp = buf.data();
    size_t outleft = buf.size();
    size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
    out.append(buf.data(), buf.size() - outleft);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      if (!substitute) {
        ok = false;
        break;
      }
      out.append(replacement);
      // Skip one character's worth of input: a lead byte with its trail when present.
      size_t skip = 1;
      if (inleft >= 2) {
        unsigned char c = static_cast<unsigned char>(*inp);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) skip = 2;
      }
      inp += skip;
      inleft -= skip;
    }
  }
  return ok;
}

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
  std::string out;
  convert(true, cp932, out, true, "\xEF\xBF\xBD");
  return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  std::string out;
  if (!convert(false, utf8, out, false, {})) return std::nullopt;
  return out;
}

std::string sj(std::string_view utf8) {
  auto r = utf8ToCp932(utf8);
  if (!r) throw std::logic_error("text without a CP932 form: " + std::string(utf8));
  return *r;
}

std::size_t cp932CharLength(std::string_view s, std::size_t i) {
  if (i >= s.size()) return 0;
  unsigned char c = static_cast<unsigned char>(s[i]);
  bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  return (lead && i + 1 < s.size()) ? 2 : 1;
}

std::string cutCp932(std::string_view cp932, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t n = cp932CharLength(cp932, i);
    if (i + n > maxBytes) break;
    i += n;
  }
  return std::string(cp932.substr(0, i));
}

std::string fitCp932(std::string_view cp932, std::size_t width) {
  std::string s = cutCp932(cp932, width);
  s.append(width - s.size(), ' ');
  return s;
}

std::string vsjprintf(const char* utf8Format, va_list args) {
  std::string fmt = sj(utf8Format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, fmt.c_str(), copy);
  va_end(copy);
  if (n < 0) return {};
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), fmt.c_str(), args);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::string sjprintf(const char* utf8Format, ...) {
  va_list args;
  va_start(args, utf8Format);
  std::string s = vsjprintf(utf8Format, args);
  va_end(args);
  return s;
}

std::string sjprintfUtf8(const char* utf8Format, ...) {
  va_list args;
  va_start(args, utf8Format);
  std::string s = vsjprintf(utf8Format, args);
  va_end(args);
  return cp932ToUtf8(s);
}

std::string fixedText(const char* buf, std::size_t size) {
  const void* nul = std::memchr(buf, 0, size);
  return std::string(buf, nul ? static_cast<const char*>(nul) - buf : size);
}

bool setFixedText(char* buf, std::size_t size, std::string_view cp932) {
  if (size == 0 || cp932.size() > size - 1) return false;
  std::memset(buf, 0, size);
  std::memcpy(buf, cp932.data(), cp932.size());
  return true;
}

}  // namespace tovra
