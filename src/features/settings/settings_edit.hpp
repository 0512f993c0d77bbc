#pragma once
// What the settings dialog edits (and `tovra-cli settings` with the same rules): the
// start course, the option digits as three choices, and the eight colours with the
// texts of the dialog's list.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "storage/settings_record.hpp"

namespace tovra {

// The dialog's controls for the option digits and the start course.
struct SettingsChoices {
  bool confirmExit = true;   // CheckBox1: ask before ending (units digit 0)
  int racePage = 0;          // ShikiBox: 0 単･複, 1 枠連･ﾜｲﾄﾞ, 2 馬連 (tens digit)
  bool newAgeLabels = true;  // CheckBox2: new age labels up to 2000 too (hundreds digit 0)
  int startCourse = 0;       // BabaBox: 0-9
};

// The choices a record holds (a stored page beyond 2 shows as 単･複, a course beyond 9 as 札幌).
SettingsChoices choicesOf(const SettingsRecord& s);
// (0 if asking, else 1) + 10 × page + 100 × (0 if new labels, else 1).
std::uint16_t optionDigitsOf(const SettingsChoices& c);
// Puts the choices into the record (option digits and start course); colours untouched.
void applyChoices(SettingsRecord& s, const SettingsChoices& c);

// The colour list's texts, by colour index.
const std::array<const char*, SettingsRecord::kColours>& colourListTexts();

// "#RRGGBB" of a stored colour (0x00BBGGRR), and back (case-insensitive, the '#' required).
std::string colourHex(std::int32_t colour);
std::optional<std::int32_t> colourFromHex(const std::string& text);

}  // namespace tovra
