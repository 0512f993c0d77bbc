#pragma once
// The rank tally (RANK集計): the 45 best results ("BEST45") under one of five kinds:
// hit payouts, race or day recovery rates, race or day balances, over every registered
// year or one year. Its result is the work file tmp/rank.tmp (46 RankEntry rows, the
// kind code, the year text and the time stamp), read by the result window, saving and
// printing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "features/tally/tally_common.hpp"
#include "features/tally/tally_filter.hpp"
#include "storage/records.hpp"

namespace tovra::tally {

inline constexpr const char* kRankWorkFile = "tmp/rank.tmp";

// Kind codes: 1-5 over all years, 6-10 the same kinds over one year.
enum RankKind : int {
  kRankHaitou = 1,      // 的中配当: one hit payout
  kRankRaceRitsu = 2,   // ﾚｰｽ別回収率
  kRankDayRitsu = 3,    // 開催日別回収率
  kRankRaceShushi = 4,  // ﾚｰｽ別収支
  kRankDayShushi = 5,   // 開催日別収支
};
// Code from the dialog: (one year ? 5 : 0) + kind index 0-4 + 1.
inline int rankCode(bool oneYear, int kindIndex) { return (oneYear ? 5 : 0) + kindIndex + 1; }
inline bool rankCodeValid(int code) { return code >= 1 && code <= 10; }
inline int rankKindOf(int code) { return (code - 1) % 5 + 1; }  // 1-5
inline bool rankPerRace(int code) {
  int k = rankKindOf(code);
  return k == 1 || k == 2 || k == 4;
}
inline bool rankByRate(int code) {
  int k = rankKindOf(code);
  return k == 2 || k == 3;
}

// One row of the ranking, 144 bytes.
namespace rank_off {
inline constexpr std::size_t tsuki = 0, hi = 4, kai = 8, nichi = 12, shiki = 16, jyo = 20, race = 24, kumi = 28,
                             kingaku = 32, ritsu = 36, nen = 40, bamei1 = 45, bamei2 = 64, raceMei = 83, end = 144;
}
struct RankEntry {
  static constexpr std::size_t kSize = 144;
  std::int32_t tsuki = 0;    // month; 0 marks an empty row
  std::int32_t hi = 0;       // day of month
  std::int32_t kai = 0;      // 回
  std::int32_t nichi = 0;    // 日目
  std::int32_t shiki = 0;    // bet type 1 単勝, 2 複勝, 3 枠連, 4 馬連, 5 ﾜｲﾄﾞ (的中配当)
  std::int32_t jyo = 0;      // course 0-9
  std::int32_t race = 0;     // race index 0-11 (per-race kinds)
  std::int32_t kumi = 0;     // winning combination without its hit flag (的中配当)
  std::int32_t kingaku = 0;  // payout (的中配当) or balance of the race or day, yen
  float ritsu = 0;           // recovery rate, percent
  char nen[5] = {};          // year text, e.g. "2001"
  char bamei1[19] = {};      // 1st-placed horse, CP932
  char bamei2[19] = {};      // 2nd-placed horse, CP932
  char raceMei[61] = {};     // race name, CP932

  void encode(std::uint8_t* out) const;  // kSize bytes
  void decode(const std::uint8_t* in);
};

namespace rank_file_off {
inline constexpr std::size_t rows = 0, code = 6624, nen = 6628, timeStamp = 6633, end = 6697;
}
struct RankResult {
  static constexpr std::size_t kFileSize = 6697;
  static constexpr int kRanked = 45;  // rows 0-44 are ranks 1-45
  static constexpr int kRows = 46;    // row 45 is the scratch row of the exchange sort
  RankEntry rows[kRows];
  std::int32_t code = 0;
  char nen[5] = {};  // the chosen year (codes 6-10) or the last year scanned (codes 1-5)
  char timeStamp[kStampSize] = {};

  std::vector<std::uint8_t> encode() const;
  static RankResult decode(const std::uint8_t* in);  // exactly kFileSize bytes
};

// Runs the tally (no file written). yearIndex: the year's position in the year list,
// used for codes 6-10. The filter (tally_filter.hpp) counts the record types only: the
// course's days alone; with some record types left out a race counts with their figures
// (a per-race rank needs one of them bought and hit; a day sums its races' figures) and
// 的中配当 ranks their payouts alone. The bet store's types have no place in the rank rows.
RankResult computeRank(DataStore& ds, UserPort& port, int code, int yearIndex, const Clock& clock = localNow,
                       const TallyFilter& filter = {});
// computeRank, then tmp/rank.tmp. False (after a message) when the file cannot be written.
bool runRankTally(DataStore& ds, UserPort& port, int code, int yearIndex, const Clock& clock = localNow,
                  const TallyFilter& filter = {});
// The work file; nullopt when it is missing or shorter than 6697 bytes.
std::optional<RankResult> readRankFile(DataStore& ds);

// The bet type of a 的中配当 row ("単勝" ... "ﾜｲﾄﾞ"; empty outside 1-5) and its winning
// combination as the window shows it (" 3番", "3-5", " 3-12"; "  " for an unknown type).
std::string rankShikiName(int shiki);
// The kind of a code as the window's heading names it, without its padding ("的中配当",
// "レース別回収率", ...); empty for an unknown code.
std::string rankKindTitle(int code);
std::string rankBanText(const RankEntry& e);

// The result window's texts for one page (UTF-8).
struct RankRaceRowView {  // Panel1-3
  std::string tsuki, name, shiki, ban, shu, bamei1, bamei2, kin;
  // The texts in the order of the panel's labels (TsukiLabel, NameLabel, ... KinLabel).
  std::array<const std::string*, 8> texts() const {
    return {&tsuki, &name, &shiki, &ban, &shu, &bamei1, &bamei2, &kin};
  }
};
struct RankDayRowView {  // Panel11-15
  std::string tsuki, shiki, ban, gou, ran;
  // The texts in the order of the panel's labels (TsukiLabel, ShikiLabel, ... RanLabel).
  std::array<const std::string*, 5> texts() const { return {&tsuki, &shiki, &ban, &gou, &ran}; }
};
struct RankView {
  std::string mainPanel, timeStamp;
  bool perRace = true;
  int maxPage = 14;                       // 14 for the per-race kinds (3 rows a page), 8 for the per-day kinds (5 rows)
  std::vector<RankRaceRowView> raceRows;  // 3 rows when perRace
  std::vector<RankDayRowView> dayRows;    // 5 rows otherwise
};
RankView rankView(const RankResult& r, int page);
// Pages of a kind: 15 per-race, 9 per-day.
inline int rankPageCount(int code) { return rankPerRace(code) ? 15 : 9; }
// The page as lines of text.
std::vector<std::string> rankLines(const RankView& v);

}  // namespace tovra::tally
