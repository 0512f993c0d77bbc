#pragma once
// What the search dialogs (and the CLI) accept before a search starts. Each function
// shows the refusal (title 確認, error icon) and returns false / nullopt on refused input.
#include <optional>
#include <string>

#include "features/search/search_rules.hpp"

namespace tovra {
class UserPort;
}

namespace tovra::search {

inline constexpr const char* kTextMissing = "検索させる文字列を入力して下さい。";
inline constexpr const char* kTextChars = "検索する文字列に使えない文字が含まれています。";
inline constexpr const char* kTextLength = "検索する文字列は 60ﾊﾞｲﾄ (全角 30文字) までです。";
inline constexpr const char* kAmountMissing = "検索させる配当金額を入力して下さい。";
inline constexpr const char* kAmountBad = "入力された配当金額が不適切です。";

// The search text of a name search, typed in UTF-8: CP932 bytes, at most 60; a race name
// needs at least 2 bytes, a horse name at least 1. nullopt after the refusal.
std::optional<std::string> acceptNameText(UserPort& port, SearchType type, const std::string& utf8);

// The two amount boxes of the payout search (金額指定): each holds at most four digits as
// typed, or "10000" picked from the upper list, read in full. Checked in order: lower
// given, lower >= 100, upper given, upper >= 100, upper > lower.
std::optional<PayoutRange> acceptPayoutAmounts(UserPort& port, const std::string& lower, const std::string& upper);

// The two boxes of 高額指定 (and the CLI's --from/--to): yen per 100 yen, digits only, up to
// nine (kPayoutSearchMax), so that 3連単's 十万馬券 and 百万馬券 can be looked for. Checked in
// order: lower given, lower a number of 100 or more, upper given, upper a number not
// below the lower (both bounds count, so one amount may be looked for alone).
std::optional<PayoutRange> acceptPayoutYen(UserPort& port, const std::string& lower, const std::string& upper);

}  // namespace tovra::search
