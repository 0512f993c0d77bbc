#include "features/settings/settings_edit.hpp"

#include <cctype>
#include <cstdio>

namespace tovra {

SettingsChoices choicesOf(const SettingsRecord& s) {
  SettingsChoices c;
  c.confirmExit = s.confirmExit();
  c.racePage = s.racePage() <= 2 ? s.racePage() : 0;
  c.newAgeLabels = (s.optionDigits / 100) % 10 == 0;
  c.startCourse = s.startCourseIndex();
  return c;
}

std::uint16_t optionDigitsOf(const SettingsChoices& c) {
  return static_cast<std::uint16_t>((c.confirmExit ? 0 : 1) + 10 * c.racePage + 100 * (c.newAgeLabels ? 0 : 1));
}

void applyChoices(SettingsRecord& s, const SettingsChoices& c) {
  s.optionDigits = optionDigitsOf(c);
  s.startCourse = static_cast<std::uint16_t>(c.startCourse);
}

const std::array<const char*, SettingsRecord::kColours>& colourListTexts() {
  static const std::array<const char*, SettingsRecord::kColours> texts = {
      "ﾒｲﾝｳｨﾝﾄﾞｳの背景",         "ﾒｲﾝｳｨﾝﾄﾞｳの競馬場名",        "ﾒｲﾝｳｨﾝﾄﾞｳの的中ﾚｰｽ名の背景", "ﾚｰｽﾃﾞｰﾀｳｨﾝﾄﾞｳの背景",
      "ﾚｰｽﾃﾞｰﾀｳｨﾝﾄﾞｳの競馬場名", "ﾚｰｽﾃﾞｰﾀｳｨﾝﾄﾞｳの的中ﾚｰｽ結果", "各ｳｨﾝﾄﾞｳの収支ﾌﾟﾗｽ時の数字", "各集計結果ｳｨﾝﾄﾞｳの背景",
  };
  return texts;
}

std::string colourHex(std::int32_t colour) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", colourRed(colour), colourGreen(colour), colourBlue(colour));
  return buf;
}

std::optional<std::int32_t> colourFromHex(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  int v[3];
  for (int i = 0; i < 3; ++i) {
    int byte = 0;
    for (int j = 0; j < 2; ++j) {
      const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(text[1 + 2 * i + j])));
      if (!std::isxdigit(static_cast<unsigned char>(ch))) return std::nullopt;
      byte = byte * 16 + (std::isdigit(static_cast<unsigned char>(ch)) ? ch - '0' : ch - 'a' + 10);
    }
    v[i] = byte;
  }
  return colourFromRgb(v[0], v[1], v[2]);
}

}  // namespace tovra
