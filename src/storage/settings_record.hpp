#pragma once
// The settings record, stored byte for byte as tovractm.dat (160 bytes).
#include <cstdint>
#include <filesystem>

#include "storage/records.hpp"

namespace tovra {

class FileSystem;

struct Rect32 {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool isEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

struct SettingsRecord {
  static constexpr std::size_t kSize = 160;
  static constexpr int kColours = 8;
  std::uint16_t startCourse = 0;
  // units: 0 ask before ending / 1 do not; tens: race window's first page 0..2;
  // hundreds: 1 = old age labels for years up to 2000.
  std::uint16_t optionDigits = 0;
  std::int32_t colours[kColours] = {};  // Windows colour values 0x00BBGGRR
  std::uint8_t unused[28] = {};
  Rect32 mainRect, raceRect, shushiRect, koumokuRect, rankRect, jyokenRect;

  // The values used when tovractm.dat does not exist.
  static SettingsRecord defaults();

  // The start course as a course index: a value no course has (a damaged file) is 札幌.
  int startCourseIndex() const { return startCourse < kCourseCount ? startCourse : 0; }
  bool confirmExit() const { return optionDigits % 10 == 0; }
  int racePage() const { return (optionDigits / 10) % 10; }
  bool oldAgeLabels() const { return (optionDigits / 100) % 10 == 1; }

  void encode(std::uint8_t* out) const;
  void decode(const std::uint8_t* in);
};

// Colour indexes.
enum SettingsColour {
  kColMainBack = 0,
  kColMainCourse = 1,
  kColHitRaceBack = 2,
  kColRaceBack = 3,
  kColRaceCourse = 4,
  kColRaceHitResult = 5,
  kColPlus = 6,
  kColTallyBack = 7,
};

// Red, green, blue of a Windows colour value.
inline int colourRed(std::int32_t c) { return c & 0xFF; }
inline int colourGreen(std::int32_t c) { return (c >> 8) & 0xFF; }
inline int colourBlue(std::int32_t c) { return (c >> 16) & 0xFF; }
inline std::int32_t colourFromRgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// Relative luminance of a colour value (0 black .. 1 white), by the sRGB curve.
double relativeLuminance(std::int32_t c);
// Text set straight on a background of the settings (column headings, captions): black on
// a light background, white on a dark one, whichever stands out more from it.
std::int32_t textColourOn(std::int32_t background);

inline constexpr const char* kSettingsFile = "tovractm.dat";
// Shown when saveSettings fails; the file on disk is then as it was.
inline constexpr const char* kSettingsWriteFailedText = "設定ﾌｧｲﾙに書き込めませんでした。\n\ntovractm.dat";

// Reads the record from root/tovractm.dat; defaults when missing. `existed` tells which.
SettingsRecord loadSettings(FileSystem& fs, const std::filesystem::path& root, bool* existed = nullptr);
// Writes the 160 bytes; failures are not reported (returns false for tests).
bool saveSettings(FileSystem& fs, const std::filesystem::path& root, const SettingsRecord& s);

}  // namespace tovra
