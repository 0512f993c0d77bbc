#include "features/import/file_date.hpp"

#include <cstdio>
#include <vector>

namespace tovra {
namespace {

bool validDate(int y, int m, int d) {
  if (y < 1950 || y > 2099 || m < 1 || m > 12 || d < 1) return false;
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m == 2 && d == 29) return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return d <= kDays[m - 1];
}

std::optional<FileDate> dateOf(int y, int m, int d) {
  if (!validDate(y, m, d)) return std::nullopt;
  return FileDate{y, m, d};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int number(std::string_view s, std::size_t at, std::size_t n) {
  int v = 0;
  for (std::size_t i = 0; i < n; ++i) v = v * 10 + (s[at + i] - '0');
  return v;
}

// The text with full-width digits (82 4F..58) as ASCII digits, full-width blanks (81 40)
// as blanks and 年月日 as 'Y' 'M' 'D'; other double-byte characters become '#'.
std::string simplified(std::span<const std::uint8_t> t) {
  std::string out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size();) {
    const std::uint8_t c = t[i];
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (!lead || i + 1 >= t.size()) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    const std::uint8_t d = t[i + 1];
    if (c == 0x82 && d >= 0x4F && d <= 0x58)
      out += static_cast<char>('0' + (d - 0x4F));
    else if (c == 0x81 && d == 0x40)
      out += ' ';
    else if (c == 0x94 && d == 0x4E)
      out += 'Y';  // 年
    else if (c == 0x8C && d == 0x8E)
      out += 'M';  // 月
    else if (c == 0x93 && d == 0xFA)
      out += 'D';  // 日
    else
      out += '#';
    i += 2;
  }
  return out;
}

// A run of 1..max digits at `i` (blanks before it skipped); its value and the end.
bool readNumber(const std::string& s, std::size_t& i, std::size_t max, int& value) {
  while (i < s.size() && s[i] == ' ') ++i;
  const std::size_t start = i;
  while (i < s.size() && isDigit(s[i]) && i - start < max + 1) ++i;
  if (i == start || i - start > max) return false;
  value = number(s, start, i - start);
  return true;
}

bool expect(const std::string& s, std::size_t& i, char c) {
  while (i < s.size() && s[i] == ' ') ++i;
  if (i >= s.size() || s[i] != c) return false;
  ++i;
  return true;
}

}  // namespace

std::optional<FileDate> dateInFileName(std::string_view name) {
  // Runs of digits with their separators.
  std::vector<std::pair<std::size_t, std::size_t>> runs;  // start, length
  for (std::size_t i = 0; i < name.size();) {
    if (!isDigit(name[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < name.size() && isDigit(name[j])) ++j;
    runs.emplace_back(i, j - i);
    i = j;
  }
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const auto [at, len] = runs[k];
    if (len == 8)
      if (auto d = dateOf(number(name, at, 4), number(name, at + 4, 2), number(name, at + 6, 2))) return d;
    if (len == 4 && k + 2 < runs.size()) {
      const auto [mAt, mLen] = runs[k + 1];
      const auto [dAt, dLen] = runs[k + 2];
      const char sep = name[at + 4];
      const bool joined =
          (sep == '-' || sep == '_' || sep == '.') && mAt == at + 5 && name[mAt + mLen] == sep && dAt == mAt + mLen + 1;
      if (joined && mLen <= 2 && dLen <= 2)
        if (auto d = dateOf(number(name, at, 4), number(name, mAt, mLen), number(name, dAt, dLen))) return d;
    }
  }
  if (runs.size() == 1 && runs[0].second == 6) {
    const int yy = number(name, runs[0].first, 2);
    return dateOf(yy < 50 ? 2000 + yy : 1900 + yy, number(name, runs[0].first + 2, 2),
                  number(name, runs[0].first + 4, 2));
  }
  return std::nullopt;
}

std::optional<FileDate> dateInText(std::span<const std::uint8_t> cp932) {
  const std::string s = simplified(cp932);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!isDigit(s[i]) || (i > 0 && isDigit(s[i - 1]))) continue;
    std::size_t p = i;
    int y = 0, m = 0, d = 0;
    if (!readNumber(s, p, 4, y) || p - i != 4) continue;
    std::size_t q = p;
    if (expect(s, q, 'Y') && readNumber(s, q, 2, m) && expect(s, q, 'M') && readNumber(s, q, 2, d) && expect(s, q, 'D'))
      if (auto date = dateOf(y, m, d)) return date;
    for (char sep : {'/', '.'}) {
      q = p;
      if (expect(s, q, sep) && readNumber(s, q, 2, m) && expect(s, q, sep) && readNumber(s, q, 2, d))
        if (auto date = dateOf(y, m, d)) return date;
    }
  }
  return std::nullopt;
}

bool isOtherDay(const FileDate& d, const MeetingKey& key) {
  return std::to_string(d.year) != key.year || d.month * 100 + d.day != key.tsukiHi;
}

std::string fileDateText(const FileDate& d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d年%d月%d日", d.year, d.month, d.day);
  return buf;
}

}  // namespace tovra
