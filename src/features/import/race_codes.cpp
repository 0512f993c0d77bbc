#include "features/import/race_codes.hpp"

#include <cstdio>
#include <utility>
#include <vector>

#include "storage/text.hpp"

namespace tovra {
namespace jra {

int ageDigit(int typeCode) {
  switch (typeCode) {
    case 11:
    case 21: return 1;
    case 12:
    case 22: return 2;
    case 13:
    case 18:
    case 23: return 3;
    case 14:
    case 19:
    case 24: return 4;
    default: return 1;
  }
}

int classDigit(int condition, char grade) {
  int c = 1;
  switch (condition) {
    case 701: c = 1; break;
    case 703: c = 2; break;
    case 5: c = 3; break;
    case 9: c = 4; break;
    case 16: c = 5; break;
    case 999: c = 6; break;
    case 702: c = 10; break;
    case 4: c = 11; break;
    case 15: c = 12; break;
    case 10: c = 13; break;
    default: c = 1; break;
  }
  const int add = grade == 'A' ? 3 : grade == 'B' ? 2 : grade == 'C' ? 1 : 0;
  // Grades stand on open races (オープン + A = ＧⅠ); a class the item list does not have
  // is never made.
  return c + add <= 13 ? c + add : c;
}

int kindDigit(char mark) {
  switch (mark) {
    case 'A': return 1;
    case '0': return 2;
    case 'D':
    case 'E':
    case 'G':
    case 'H':
    case 'I':
    case 'J': return 3;
    case 'B': return 4;
    case 'N': return 5;
    case 'C':
    case 'F':
    case 'K':
    case 'L': return 6;
    case 'M': return 7;
    default: return 1;
  }
}

int sexDigit(char code) {
  switch (code) {
    case '0':
    case '4': return 1;
    case '2': return 2;
    case '1':
    case '3': return 3;
    default: return 1;
  }
}

int weightDigit(char code) {
  switch (code) {
    case '3': return 1;
    case '2': return 2;
    case '4': return 3;
    case '1': return 4;
    default: return 1;
  }
}

int trackDigit(int code) { return code < 23 ? 1 : code <= 50 ? 2 : 3; }

// The going of a results record: 1..4; 0 (unknown) and codes the items do not have read as 良.
int goingDigit(int code) { return code >= 1 && code <= 4 ? code : 1; }

std::uint32_t koumokuOf(int age, int klass, int kind, int sex, int weight, int track, int going) {
  return static_cast<std::uint32_t>(age * 10000000 + klass * 100000 + kind * 10000 + sex * 1000 + weight * 100 +
                                    track * 10 + going);
}

}  // namespace jra

using namespace jra;

std::uint32_t jravanItemsCode(int typeCode, int condition, char grade, char mark, char sex, char weight, int track,
                              int going) {
  return koumokuOf(ageDigit(typeCode), classDigit(condition, grade), kindDigit(mark), sexDigit(sex),
                   weightDigit(weight), trackDigit(track), goingDigit(going));
}

std::string jravanTimeText(int value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d.%02d.%d", value / 1000, value % 1000 / 10, value % 10);
  return buf;
}

std::string jravanMarginText(std::string_view code) {
  struct Margin {
    const char* code;
    const char* text;
  };
  static const Margin table[] = {
      {" 12", "1/2"}, {" 34", "3/4"},   {"1  ", " 1"},   {"112", "1.1/2"}, {"114", "1.1/4"}, {"134", "1.3/4"},
      {"2  ", " 2"},  {"212", "2.1/2"}, {"3  ", " 3"},   {"312", "3.1/2"}, {"4  ", " 4"},    {"5  ", " 5"},
      {"6  ", " 6"},  {"7  ", " 7"},    {"8  ", " 8"},   {"9  ", " 9"},    {"A  ", "ｱﾀﾏ"},   {"D  ", "同着"},
      {"H  ", "ﾊﾅ"},  {"K  ", "ｸﾋﾞ"},   {"T  ", "大差"}, {"Z  ", "10ﾞ"},
  };
  // Converted to CP932 once: the texts are looked up for every finisher read.
  static const std::vector<std::pair<std::string, std::string>> converted = [] {
    std::vector<std::pair<std::string, std::string>> v;
    for (const Margin& m : table) v.emplace_back(m.code, sj(m.text));
    return v;
  }();
  for (const auto& [c, text] : converted)
    if (code == c) return text;
  return "--";
}

}  // namespace tovra
