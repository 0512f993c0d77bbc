#pragma once
// WIN5 of a day: its legs, lines, result, scratches, cancel and carry-over note, each one
// change of the bet store, checked first by the same rules wherever it is made (the WIN5
// window and tovra-cli). The course files are read for the legs' runners, never written.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "domain/win5.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"
#include "storage/win5_store.hpp"

namespace tovra {

// A stored line read as what was bought, and back.
Win5Line win5LineOf(const StoredWin5Line& line);
StoredWin5Line storedWin5LineOf(const Win5Line& line, std::int64_t points);
// A stored day's result as settlement reads it.
Win5Result win5ResultOf(const StoredWin5Day& day);

// The runners of each leg as the race's card lists them, when the leg's course holds a
// meeting on the date in the ledger (year as the ledger names it); empty when it holds
// none or the card is blank (every horse 1-18 may then be named).
std::array<Horses, kWin5Legs> win5Runners(const Ledger& ledger, const Win5Date& date,
                                          const std::array<Win5Leg, kWin5Legs>& legs);

namespace msg {
inline constexpr const char* kWin5LegBad = "WIN5の対象ﾚｰｽは 競馬場と 1～12R で指定して下さい。";
inline constexpr const char* kWin5LegTwice = "同じﾚｰｽが 2回指定されています。";
inline constexpr const char* kWin5NoDay = "この日の WIN5 は登録されていません。対象ﾚｰｽを先に登録して下さい。";
inline constexpr const char* kWin5NoLine = "指定された行はありません。";
inline constexpr const char* kWin5NotARunner = "出走表にない馬番です。";
inline constexpr const char* kWin5LegNumber = "ﾚｰｽは 1～5 で指定して下さい。";
inline constexpr const char* kWin5NoteTooLong = "ﾒﾓは 200字までです。";
}  // namespace msg

// Sets the five legs (courses 0-9, races 1-12, no race twice); the day is created when
// it has none.
Status setWin5Legs(Win5Store& store, const Win5Date& date, const std::array<Win5Leg, kWin5Legs>& legs);
// Checks a line against the day's legs' runners; its points or the refusal.
Result<std::int64_t> checkWin5LineForDay(const Win5Line& line, const std::array<Horses, kWin5Legs>& runners);
// Buys a line on a day that has its legs.
Result<StoredWin5Line> buyWin5Line(Win5Store& store, const Win5Date& date, const Win5Line& line,
                                   const std::array<Horses, kWin5Legs>& runners);
// Deletes the day's n-th line (1-based).
Status deleteWin5Line(Win5Store& store, const Win5Date& date, int n);
// Replaces the result (checked: horses 1-18, distinct combinations, payouts of 10 yen
// steps); an empty list clears it.
Status setWin5Result(Win5Store& store, const Win5Date& date, const std::vector<Win5Winner>& winners);
// Marks the scratched horses of leg 1..5 (empty: none).
Status setWin5Scratch(Win5Store& store, const Win5Date& date, int leg, Horses horses);
Status setWin5Cancelled(Win5Store& store, const Win5Date& date, bool cancelled);
Status setWin5Note(Win5Store& store, const Win5Date& date, const std::string& note);
// The question asked before a WIN5 day is deleted with its lines and result.
inline constexpr const char* kWin5DeleteQuestion =
    "この日の WIN5 を削除します。\n\n購入ﾃﾞｰﾀと結果も全て削除されます。よろしいですか？";
// Deletes the day's WIN5 with its lines, result, scratches and note (asked first by the caller).
Status deleteWin5Day(Win5Store& store, const Win5Date& date);

// What the store holds of a day, settled.
struct SettledWin5Day {
  StoredWin5Day stored;
  Win5Settlement settlement;
};
SettledWin5Day settleWin5Day(const StoredWin5Day& day);

// The question asked before a meeting holding a WIN5 leg is deleted (the WIN5 stays).
inline constexpr const char* kWin5MeetingDeleteQuestion =
    "この開催日には WIN5 の対象ﾚｰｽがあります。\n\nWIN5 のﾃﾞｰﾀは削除されずに残ります。開催ﾃﾞｰﾀを削除しますか？";
// That question when the WIN5 of month/day of `year` has a leg at `course` (a store that
// cannot be read asks it too: nothing of WIN5 is ever removed unasked); none otherwise.
std::optional<std::string> win5DeleteQuestion(BetStore& bets, const std::string& year, int course, int month, int day);

}  // namespace tovra
