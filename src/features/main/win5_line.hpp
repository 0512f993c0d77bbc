#pragma once
// WIN5 of a day as text: a leg, a bought line, the day's figures, and the one line the
// main window shows under the meeting view when the day shown has a WIN5.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "domain/new_bet_settlement.hpp"
#include "domain/win5.hpp"
#include "storage/bet_store.hpp"
#include "storage/outcome.hpp"
#include "storage/win5_store.hpp"

namespace tovra {

// "東京10R"; "?" for a course out of range.
std::string win5LegText(const Win5Leg& leg);
// A bought line as the WIN5 window lists it: "1,3/2/5,7/1/4  4点 400円".
std::string win5ListLine(const StoredWin5Line& line);
// The day's figures: "購入 4,800円  返還 0円  馬券購入額 4,800円  払戻 0円  収支 -4,800円".
std::string win5FiguresText(const BetFigures& figures);
// The main window's line of a day, settled: "WIN5  東京10R 京都10R 東京11R 京都11R 阪神11R  3行 48点
// 4,800円 払戻 0円 収支 -4,800円" (purchase after refunds), "  不成立" after it when cancelled.
std::string win5DayLine(const StoredWin5Day& day);
// That line of the WIN5 of `date`, nullopt when the store holds none; the store's refusal
// or failure when it cannot be read.
Result<std::optional<std::string>> win5DayLineOf(BetStore& bets, const Win5Date& date);

// --- the WIN5 window's result entry, as typed ---
// Horse numbers separated by ',' or blanks ("3", "3,4", " 3 4 "); "" gives none. Nullopt
// for anything else or a number outside 1-18.
std::optional<Horses> parseWin5Horses(const std::string& text);
// The winners of the five legs (two horses in a leg after a dead heat) and the payout per
// 100 yen typed in units of 10 yen, as the winning combinations to store: none when every
// field is empty (the result taken away); otherwise refused unless each leg names its
// winners, three at most (msg::kWin5NoWinner), and the payout is given (msg::kWin5PayoutBad).
Result<std::vector<Win5Winner>> win5WinnersOfEntry(const std::array<std::string, kWin5Legs>& legs,
                                                   const std::string& payoutUnits);
// The scratched horses of the five legs; refused with msg::kLineHorseRange when a field
// is not horse numbers.
Result<std::array<Horses, kWin5Legs>> win5ScratchesOfEntry(const std::array<std::string, kWin5Legs>& legs);
// What those fields show of a stored day: each leg's winning horses ("3" or "3,4"), the
// payout of the first winning combination in 10-yen units ("" without a result), each
// leg's scratched horses.
struct Win5ResultEntry {
  std::array<std::string, kWin5Legs> winners;
  std::string payoutUnits;
  std::array<std::string, kWin5Legs> scratched;
};
Win5ResultEntry win5ResultEntryOf(const StoredWin5Day& day);

}  // namespace tovra
