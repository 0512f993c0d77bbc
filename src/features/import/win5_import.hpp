#pragma once
// What the imports bring to a day's WIN5 (the official legs and result of a JV-Data WF
// record, the purchase-history CSV's WIN5 lines), written to the WIN5 store in one
// transaction, and the texts that tell what became of it (UTF-8).
#include <array>
#include <string>

#include "storage/outcome.hpp"
#include "storage/win5_store.hpp"

namespace tovra {

namespace msg {
inline constexpr const char* kWin5ImportHead = "WIN5：";
inline constexpr const char* kWin5LegsDiffer = "この日の WIN5 には別の対象ﾚｰｽが登録されています。WIN5 は読み込みません。";
inline constexpr const char* kWin5NoLegsYet = "WIN5 の対象ﾚｰｽが未登録です。";
inline constexpr const char* kWin5LegsUnread = "対象ﾚｰｽが読めないため WIN5 は読み込みません。";
inline constexpr const char* kWin5PayoutsUnread = "払戻が読めないため WIN5 の払戻は読み込みません。";
}  // namespace msg

// "東京11R 京都11R 東京10R ..." (races as numbers, courses by name).
std::string win5LegsText(const std::array<Win5Leg, kWin5LegCount>& legs);
// "123,456,789円".
std::string win5YenText(std::int64_t yen);

// The line telling that the day holds other legs than the import's:
// "WIN5：<kWin5LegsDiffer> (登録済み：... ／ 読み込んだﾌｧｲﾙ：...)".
std::string win5LegsDifferText(const std::array<Win5Leg, kWin5LegCount>& held,
                               const std::array<Win5Leg, kWin5LegCount>& read);

// Writes the import's WIN5 part; a day holding other legs (or, for lines alone, no legs)
// takes nothing and the import is refused with a warning saying why.
Result<Done> storeWin5Import(BetStore& store, const Win5Date& date, const Win5Import& import);

}  // namespace tovra
