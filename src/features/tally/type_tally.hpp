#pragma once
// The tallies' figures per bet type, the bet store's types among them: per course (and all
// courses together) and per type slot of the filter, the bought, refunded and returned
// yen and the races bought and hit. The income and the item tally write them to a work
// file of their own beside their old one (tmp/shushisk.tmp, tmp/koumokusk.tmp), which
// their windows, saving and showing saved results read; the old work files never hold
// them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "features/tally/tally_common.hpp"
#include "features/tally/tally_filter.hpp"
#include "storage/outcome.hpp"

namespace tovra {
class BetStore;
class Ledger;
}  // namespace tovra

namespace tovra::tally {

// Columns: the nine type slots of the filter, then the chosen types together.
inline constexpr int kTypeCols = kTallyTypeSlots + 1;
inline constexpr int kChosenCol = kTallyTypeSlots;

struct TypeCell {
  std::int64_t bought = 0;    // points x stake (tickets' stakes for the record types)
  std::int64_t refunded = 0;  // stakes of points holding a scratched horse (返還)
  std::int64_t ret = 0;       // what the points paid
  std::int32_t races = 0;     // races the type was bought on
  std::int32_t hits = 0;      // of them, races the type hit
  std::int64_t purchase() const { return bought - refunded; }
  std::int64_t balance() const { return ret - purchase(); }
  bool operator==(const TypeCell&) const = default;
};

// The work file: the filter, the time stamp of the tally (the same text as its old work
// file's, which is how a window knows the two belong together), then 11 rows (courses
// 0-9, row 10 all of them) of kTypeCols cells, row by row. Little-endian, no padding:
//   0 u32 type bits (typeBitsForFile)   4 i32 course (-1 every course)   8 char[64] time stamp
//   72 + (row * 10 + col) * 32: i64 bought, i64 refunded, i64 return, i32 races, i32 hits
struct TypeTallyResult {
  static constexpr std::size_t kHeader = 72, kCellSize = 32;
  static constexpr int kRows = 11;
  static constexpr std::size_t kSize = kHeader + kRows * kTypeCols * kCellSize;  // 3592

  TallyFilter filter;
  char timeStamp[kStampSize] = {};
  std::array<std::array<TypeCell, kTypeCols>, kRows> cells{};

  void encode(std::uint8_t* out) const;
  // False when `size` is short of kSize.
  bool decode(const std::uint8_t* in, std::size_t size);
  bool operator==(const TypeTallyResult& o) const;
};

// The walk: every meeting day of the years (registered year texts) and the filter's
// course, only the day `monthDay` (month * 100 + day) when it is not 0; each race's
// figures as the race window gives them (its record's tickets with the store's scratches
// refunded, its store lines settled), per type slot the filter chooses and together.
// WIN5 (slot 8), when the filter counts it (countsWin5), adds each WIN5 day of the years
// (of the day `monthDay` alone when not 0) to row 10 only, the courses' rows never: its
// column and the chosen types' column, one race per day bought.
// Refused when the store cannot be used; a course file that cannot be read is its failure.
Result<TypeTallyResult> typeTally(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const TallyFilter& filter, int monthDay = 0);

inline constexpr const char* kShushiTypeWorkFile = "tmp/shushisk.tmp";
inline constexpr const char* kKoumokuTypeWorkFile = "tmp/koumokusk.tmp";

// The type work file that goes with the old one: nullopt when it is missing, short, or of
// another tally run (its time stamp is not the old file's).
std::optional<TypeTallyResult> readTypeFile(DataStore& ds, const std::string& logical, const char* oldStamp);

// The three panels of a type cell as the tally windows show them: purchase, 回収率 and
// return; balance; hit rate ("%9.1f％" over races); kZeroYen and blanks without purchase
// or races.
CellView typeCellView(const TypeCell& c, int hitWidth = 9);

}  // namespace tovra::tally
