#pragma once
// The condition tally's result as it lies in tmp/jyoken.tmp (295 bytes): per row the
// purchase, balance, recovery rate and hit rate; rows 0-9 the courses, row 10 their sum,
// row 11 the whole range without any condition.
#include <cstddef>
#include <cstdint>

#include "features/tally/jyoken_conditions.hpp"

namespace tovra::tally {

inline constexpr int kJyokenRows = 12;
inline constexpr int kJyokenSumRow = 10;
inline constexpr int kJyokenGrandRow = 11;

struct JyokenResult {
  static constexpr std::size_t kSize = 295;

  std::int32_t purchase[kJyokenRows] = {};
  std::int32_t balance[kJyokenRows] = {};
  float recovery[kJyokenRows] = {};
  float hitRate[kJyokenRows] = {};
  std::int32_t rangeFlag = 0;     // 0 all registered years, 1 one year
  char yearText[5] = {};          // the year tallied (the last one scanned for all years)
  JyokenConditions conditions{};  // without the bet type, closed up
  std::int16_t betType = 0;       // 0 none, 1-5 単勝 複勝 枠連 ﾜｲﾄﾞ 馬連
  char timeStamp[64] = {};

  void encode(std::uint8_t* out) const;  // kSize bytes
  // False (and nothing read) when shorter than kSize.
  bool decode(const std::uint8_t* in, std::size_t size);
};

namespace jyoken_off {
inline constexpr std::size_t purchase = 0, balance = 48, recovery = 96, hitRate = 144, rangeFlag = 192, yearText = 196,
                             conditions = 201, betType = 229, timeStamp = 231;
}

}  // namespace tovra::tally
