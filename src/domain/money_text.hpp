#pragma once
// Money and rate texts: every yen amount and rate the windows, lists, printouts and the
// command line show is written by these, so that their widths agree everywhere. UTF-8.
#include <cstdint>
#include <string>

#include "domain/bet_types.hpp"

namespace tovra {

// "%10ld円": yen right-aligned to `width` places; width 0 takes only the digits.
std::string yenText(std::int64_t yen, int width = 10);
// "%9.1f％": a rate with one decimal right-aligned to `width` places.
std::string rateText(double rate, int width = 9);
// "%10ld円  %9.1f％  %10ld円": purchase, recovery rate and return in one panel.
std::string moneyRateLine(std::int64_t purchase, double rate, std::int64_t ret);
// What a money panel shows for a purchase of 0: yenText(0).
inline constexpr const char* kZeroYen = "         0円";

// Where a list of tickets or results puts a code and its amount: `lead` blanks, the code
// as its layout reads (" 7", "3-5", " 3-12"), `gap` blanks, then yenText(amount,
// yenWidth). lead and gap are given per layout in CodeLayout order (Single, Bracket,
// Horses), since each list aligns the three differently.
struct SlotLineColumns {
  int lead[3];
  int gap[3];
  int yenWidth;
};
// Purchase dialog, result dialog, race window's ticket lists and result panels.
inline constexpr SlotLineColumns kPurchaseListColumns{{2, 3, 1}, {4, 2, 3}, 9};
inline constexpr SlotLineColumns kResultListColumns{{2, 4, 2}, {4, 2, 3}, 9};
inline constexpr SlotLineColumns kRaceTicketColumns{{2, 2, 1}, {4, 1, 0}, 9};
inline constexpr SlotLineColumns kRaceResultColumns{{1, 2, 1}, {4, 2, 1}, 10};
// One line of a list: `code` is a plain code (no hit marker).
std::string slotLine(BetType t, int code, std::int64_t yen, const SlotLineColumns& columns);

}  // namespace tovra
