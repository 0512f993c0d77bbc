#include "features/import/fields.hpp"

#include <array>
#include <cstdio>
#include <cstring>

#include "storage/ledger.hpp"
#include "storage/text.hpp"

namespace tovra {

int fieldNumber(std::string_view field) {
  std::size_t b = 0, e = field.size();
  while (b < e && field[b] == ' ') ++b;
  while (e > b && field[e - 1] == ' ') --e;
  if (b == e || e - b > 9) return 0;
  int v = 0;
  for (std::size_t i = b; i < e; ++i) {
    if (field[i] < '0' || field[i] > '9') return 0;
    v = v * 10 + (field[i] - '0');
  }
  return v;
}

std::string fieldText(std::string_view field) {
  if (const auto nul = field.find('\0'); nul != std::string_view::npos) field = field.substr(0, nul);
  // Walk the characters from the front: a trailing 0x81 0x40 is a full-width blank only
  // when 0x81 starts a character.
  std::size_t i = 0, end = 0;
  while (i < field.size()) {
    const std::size_t n = cp932CharLength(field, i);
    const std::string_view c = field.substr(i, n);
    i += n;
    if (c != " " && c != "\x81\x40") end = i;
  }
  return std::string(field.substr(0, end));
}

void storeText(char* buf, std::size_t size, std::string_view cp932) {
  const std::string cut = cutCp932(cp932, size - 1);
  std::memset(buf, 0, size);
  std::memcpy(buf, cut.data(), cut.size());
}

MeetingKey meetingKey(const DayKey& key, const KaisaiRecord& meeting) {
  return MeetingKey{key.year, key.course, meeting.tsukiHi, meeting.kaiNichi};
}

const std::string& courseNameCp932(int course) {
  // Converted once: the readers compare it for every file and race block.
  static const std::array<std::string, kCourseCount> names = [] {
    std::array<std::string, kCourseCount> n;
    for (int c = 0; c < kCourseCount; ++c) n[static_cast<std::size_t>(c)] = sj(keibajo(c).name);
    return n;
  }();
  return names[static_cast<std::size_t>(course >= 0 && course < kCourseCount ? course : 0)];
}

std::string raceListText(const std::vector<int>& races) {
  std::string s;
  for (int r : races) {
    char buf[16];
    std::snprintf(buf, sizeof buf, " %2dR", r);
    s += buf;
  }
  return s;
}

}  // namespace tovra
