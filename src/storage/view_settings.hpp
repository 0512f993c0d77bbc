#pragma once
// The main window's own view choice, kept in tovraview.dat beside tovractm.dat. The
// settings record has no field for it: its 28 bytes at offset 36 are part of the record's
// fixed layout (written as 0) and stay so, so the choice lives in a file of its own.
//
// tovraview.dat, 8 bytes, little-endian:
//   0  4 bytes  "TVVW"
//   4  u16      layout version, 1
//   6  u8       day totals: 0 the five record types (単勝 複勝 枠連 馬連 ﾜｲﾄﾞ), 1 全式別
//   7  u8       0
// A missing, short, long or otherwise different file reads as the defaults.
#include <array>
#include <cstdint>
#include <filesystem>

namespace tovra {

class FileSystem;

struct ViewSettings {
  static constexpr std::size_t kSize = 8;
  static constexpr std::uint16_t kVersion = 1;
  bool allTypes = false;  // the main window's totals over all eight types and refunds

  std::array<std::uint8_t, kSize> encode() const;
  // The settings the bytes hold; false (and `out` untouched) for bytes of another layout.
  static bool decode(const std::uint8_t* in, std::size_t n, ViewSettings& out);
  bool operator==(const ViewSettings&) const = default;
};

inline constexpr const char* kViewSettingsFile = "tovraview.dat";
// Shown when the choice cannot be written; the view then stays as it was.
inline constexpr const char* kViewSettingsWriteFailedText = "表示設定ﾌｧｲﾙに書き込めませんでした。\n\ntovraview.dat";

// Reads root/tovraview.dat; the defaults when it is missing or bad.
ViewSettings loadViewSettings(FileSystem& fs, const std::filesystem::path& root);
// Writes the 8 bytes whole (staged, synced, renamed); false when the file stays as it was.
bool saveViewSettings(FileSystem& fs, const std::filesystem::path& root, const ViewSettings& v);

}  // namespace tovra
