#include "storage/settings_record.hpp"

#include <cmath>
#include <cstring>

#include "storage/bytes.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"

namespace tovra {
using namespace bytes;

SettingsRecord SettingsRecord::defaults() {
  SettingsRecord s;
  s.colours[kColMainBack] = colourFromRgb(0, 128, 0);
  s.colours[kColMainCourse] = colourFromRgb(255, 0, 255);
  s.colours[kColHitRaceBack] = colourFromRgb(255, 0, 0);
  s.colours[kColRaceBack] = colourFromRgb(0, 128, 128);
  s.colours[kColRaceCourse] = colourFromRgb(255, 0, 255);
  s.colours[kColRaceHitResult] = colourFromRgb(255, 0, 0);
  s.colours[kColPlus] = colourFromRgb(0, 0, 255);
  s.colours[kColTallyBack] = colourFromRgb(128, 128, 128);
  return s;
}

namespace {
void putRect(std::uint8_t* out, std::size_t off, const Rect32& r) {
  putI32(out, off, r.left);
  putI32(out, off + 4, r.top);
  putI32(out, off + 8, r.right);
  putI32(out, off + 12, r.bottom);
}
void getRect(const std::uint8_t* in, std::size_t off, Rect32& r) {
  r.left = getI32(in, off);
  r.top = getI32(in, off + 4);
  r.right = getI32(in, off + 8);
  r.bottom = getI32(in, off + 12);
}
}  // namespace

void SettingsRecord::encode(std::uint8_t* out) const {
  putU16(out, 0, startCourse);
  putU16(out, 2, optionDigits);
  putI32s(out, 4, colours);
  putRaw(out, 36, unused, sizeof unused);
  putRect(out, 64, mainRect);
  putRect(out, 80, raceRect);
  putRect(out, 96, shushiRect);
  putRect(out, 112, koumokuRect);
  putRect(out, 128, rankRect);
  putRect(out, 144, jyokenRect);
  static_assert(144 + 16 == kSize);
}

void SettingsRecord::decode(const std::uint8_t* in) {
  startCourse = getU16(in, 0);
  optionDigits = getU16(in, 2);
  getI32s(in, 4, colours);
  getRaw(in, 36, unused, sizeof unused);
  getRect(in, 64, mainRect);
  getRect(in, 80, raceRect);
  getRect(in, 96, shushiRect);
  getRect(in, 112, koumokuRect);
  getRect(in, 128, rankRect);
  getRect(in, 144, jyokenRect);
}

SettingsRecord loadSettings(FileSystem& fs, const std::filesystem::path& root, bool* existed) {
  SettingsRecord s = SettingsRecord::defaults();
  auto f = fs.open(resolvePath(fs, root, kSettingsFile), OpenMode::Read);
  if (existed) *existed = static_cast<bool>(f);
  if (!f) return s;
  std::uint8_t buf[SettingsRecord::kSize];
  s.encode(buf);  // a short file keeps the rest
  f->read(buf, sizeof buf);
  s.decode(buf);
  // A damaged file must not pick a course that does not exist, not even when saved again.
  s.startCourse = static_cast<std::uint16_t>(s.startCourseIndex());
  return s;
}

bool saveSettings(FileSystem& fs, const std::filesystem::path& root, const SettingsRecord& s) {
  std::uint8_t buf[SettingsRecord::kSize];
  s.encode(buf);
  return writeWholeFile(fs, resolvePath(fs, root, kSettingsFile), buf, sizeof buf);
}

double relativeLuminance(std::int32_t c) {
  auto linear = [](int v) {
    const double x = v / 255.0;
    return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colourRed(c)) + 0.7152 * linear(colourGreen(c)) + 0.0722 * linear(colourBlue(c));
}

std::int32_t textColourOn(std::int32_t background) {
  // Contrast ratios (L1 + 0.05) / (L2 + 0.05) against black (L 0) and white (L 1).
  const double l = relativeLuminance(background);
  const double onBlack = (l + 0.05) / 0.05;
  const double onWhite = 1.05 / (l + 0.05);
  return onBlack >= onWhite ? colourFromRgb(0, 0, 0) : colourFromRgb(255, 255, 255);
}

}  // namespace tovra
