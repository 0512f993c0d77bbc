#pragma once
// The two ledger records and the year table, as they lie in the files.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tovra {

// One meeting day of one course.
struct KaisaiRecord {
  static constexpr std::size_t kSize = 864;
  std::uint16_t tsukiHi = 0;          // month * 100 + day; 0 only in the terminating record
  std::uint16_t kaiNichi = 0;         // kai * 100 + nichi
  std::int32_t kounyuGaku[13] = {};   // purchase per race, [12] = day total
  std::int32_t shushi[13] = {};       // balance per race, [12] = day total
  std::uint16_t raceJoutai[12] = {};  // units: 0 none / 1 data / 2 bought; tens: 1 hit
  char raceMei[12][61] = {};          // race names, CP932, NUL-terminated

  void encode(std::uint8_t* out) const;  // writes kSize bytes
  void decode(const std::uint8_t* in);   // reads kSize bytes
  bool isBlank() const;
  int month() const { return tsukiHi / 100; }
  int day() const { return tsukiHi % 100; }
  int kai() const { return kaiNichi / 100; }
  int nichi() const { return kaiNichi % 100; }
};

// One race.
struct RaceRecord {
  static constexpr std::size_t kSize = 1892;
  std::uint32_t koumoku = 0;
  std::uint16_t kyori = 0;
  std::uint16_t tanUma[5] = {};
  std::int32_t tanGaku[5] = {};
  std::int32_t tanGoukei = 0;
  std::uint16_t fukuUma[5] = {};
  std::uint8_t pad50[2] = {};  // kept as read so foreign files come back unchanged
  std::int32_t fukuGaku[5] = {};
  std::int32_t fukuGoukei = 0;
  std::uint16_t wakuKumi[16] = {};
  std::int32_t wakuGaku[16] = {};
  std::int32_t wakuGoukei = 0;
  std::uint16_t umaKumi[50] = {};
  std::int32_t umaGaku[50] = {};
  std::int32_t umaGoukei = 0;
  std::uint16_t wideKumi[20] = {};
  std::int32_t wideGaku[20] = {};
  std::int32_t wideGoukei = 0;
  std::uint16_t tanKeka[2] = {};
  std::int32_t tanHaitou[2] = {};
  std::uint16_t fukuKeka[4] = {};
  std::int32_t fukuHaitou[4] = {};
  std::uint16_t wakuKeka[2] = {};
  std::int32_t wakuHaitou[2] = {};
  std::uint16_t umaKeka[2] = {};
  std::int32_t umaHaitou[2] = {};
  std::uint16_t wideKeka[6] = {};
  std::int32_t wideHaitou[6] = {};
  std::uint16_t chakuUma[5] = {};
  char chakuBamei[5][25] = {};
  char chakuText[5][10] = {};
  std::uint8_t pad885 = 0;
  std::uint16_t shutsubaWaku[18] = {};
  char shutsubaBamei[18][25] = {};
  char shutsubaKishu[18][20] = {};
  std::uint16_t shutsubaKinryo[18] = {};
  char comento[124] = {};

  void encode(std::uint8_t* out) const;
  void decode(const std::uint8_t* in);
  bool isBlank() const;
};

// Field offsets inside a RaceRecord, for the golden tests and for readers of raw blocks.
namespace race_off {
inline constexpr std::size_t koumoku = 0, kyori = 4, tanUma = 6, tanGaku = 16, tanGoukei = 36, fukuUma = 40,
                             fukuGaku = 52, fukuGoukei = 72, wakuKumi = 76, wakuGaku = 108, wakuGoukei = 172,
                             umaKumi = 176, umaGaku = 276, umaGoukei = 476, wideKumi = 480, wideGaku = 520,
                             wideGoukei = 600, tanKeka = 604, tanHaitou = 608, fukuKeka = 616, fukuHaitou = 624,
                             wakuKeka = 640, wakuHaitou = 644, umaKeka = 652, umaHaitou = 656, wideKeka = 664,
                             wideHaitou = 676, chakuUma = 700, chakuBamei = 710, chakuText = 835, shutsubaWaku = 886,
                             shutsubaBamei = 922, shutsubaKishu = 1372, shutsubaKinryo = 1732, comento = 1768;
}
namespace kaisai_off {
inline constexpr std::size_t tsukiHi = 0, kaiNichi = 2, kounyuGaku = 4, shushi = 56, raceJoutai = 108, raceMei = 132;
}

inline constexpr int kRacesPerDay = 12;
inline constexpr std::size_t kRaceBlockSize = RaceRecord::kSize * kRacesPerDay;  // 22704
static_assert(kRaceBlockSize == 22704);

using RaceBlock = std::array<RaceRecord, kRacesPerDay>;

// The registered years in main.dat: 21 u16, newest first, zeros after; slot 20 stays 0.
struct NenjiTable {
  static constexpr std::size_t kSize = 42;
  static constexpr int kSlots = 21;
  static constexpr int kUsable = 20;
  std::uint16_t nen[kSlots] = {};

  void encode(std::uint8_t* out) const;
  void decode(const std::uint8_t* in);
  int count() const;  // registered years among slots 0..19, up to the first 0
};

// The ten courses.
struct KeibajoInfo {
  const char* name;        // UTF-8, e.g. 札幌
  const char* folder;      // sap
  const char* meetSuffix;  // sap.dat
  const char* raceSuffix;  // rsa.dat
};
inline constexpr int kCourseCount = 10;
// The course of index 0-9; any other index throws std::logic_error.
const KeibajoInfo& keibajo(int course);
// Course by folder code (case-insensitive) or index text "0".."9"; -1 when unknown.
int courseFromText(const std::string& text);

// Carried weight as shown: 550 -> "55.0", 55 -> "55".
std::string kinryoText(int v);

}  // namespace tovra
