#pragma once
// The item tally's result as it lies in tmp/koumoku.tmp: 51 pieces written one after the
// other without padding (two of them, the year text and the piece after it, are not
// aligned to four bytes). Every table has eleven rows: courses 0-9 and row 10 for all
// courses together.
#include <cstddef>
#include <cstdint>

namespace tovra::tally {

inline constexpr int kKoumokuRows = 11;
inline constexpr int kAllCoursesRow = 10;

// One category of races (race number, age, ...): per slot the bought races, then per slot
// the hit races, and per slot the balance and the purchase.
template <int S>
struct KoumokuCategory {
  static constexpr int kSlots = S;
  std::int32_t count[kKoumokuRows][2 * S] = {};
  std::int32_t balance[kKoumokuRows][S] = {};
  std::int32_t purchase[kKoumokuRows][S] = {};
};

struct KoumokuResult {
  static constexpr std::size_t kSize = 13581;
  // A saved copy keeps only the first 13 552 bytes (the time stamp's 34 bytes and its NUL
  // end there), which is all a reader needs.
  static constexpr std::size_t kReadSize = 13552;
  static constexpr std::size_t kTimeStampBytes = 35;

  KoumokuCategory<12> raceNo;
  KoumokuCategory<4> age;
  KoumokuCategory<4> weight;
  KoumokuCategory<6> kind;
  KoumokuCategory<9> cls;
  KoumokuCategory<2> sex;
  KoumokuCategory<4> going;
  KoumokuCategory<4> season;
  KoumokuCategory<5> betType;
  KoumokuCategory<5> distance;
  KoumokuCategory<3> track;
  KoumokuCategory<5> umaTickets;
  KoumokuCategory<8> amount;

  std::int32_t umarenTicketsAndHits[kKoumokuRows][2] = {};  // 馬連 tickets bought; marked 馬連 results in hit races
  std::int32_t hitPayoutTotal[kKoumokuRows][1] = {};
  std::int32_t payoutBand[kKoumokuRows][11] = {};
  std::int32_t hitEntries[kKoumokuRows][1] = {};
  std::int32_t races[kKoumokuRows][2] = {};                 // bought races, hit races
  std::int32_t umarenTicketsPerRace[kKoumokuRows][2] = {};  // 馬連 tickets in races with some; such races
  std::int32_t umarenRacesAndNearMisses[kKoumokuRows][2] =
      {};                 // races with 馬連 bought; unhit ones with a pair among the placed
  std::int32_t mode = 0;  // 0 all registered years, 1 one year
  char yearText[5] = {};
  std::int32_t dayBalance[kKoumokuRows][1] = {};  // meeting days' totals, bought or not
  std::int32_t dayPurchase[kKoumokuRows][1] = {};
  char timeStamp[64] = {};

  // Writes kSize bytes.
  void encode(std::uint8_t* out) const;
  // Reads a work file or a saved copy; false (and nothing read) when it is shorter than kReadSize.
  bool decode(const std::uint8_t* in, std::size_t size);
  // Row 10 of every table = the sum of rows 0-9.
  void sumCourses();
};

// Offsets of a few pieces, for readers of raw files and for the layout's tests.
namespace koumoku_off {
inline constexpr std::size_t raceNoBalance = 0, hitPayoutTotal = 3212, raceNoCount = 3256, payoutBand = 9504,
                             races = 10032, umarenRacesAndNearMisses = 10208, mode = 10296, yearText = 10300,
                             raceNoPurchase = 10305, dayBalance = 11185, dayPurchase = 11229, amountPurchase = 13165,
                             timeStamp = 13517;
}

}  // namespace tovra::tally
