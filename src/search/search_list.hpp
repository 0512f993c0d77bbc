#pragma once
// The result list of the last search (what TKensakuKekaDialog and `search last` show) and
// going from one of its lines to the race.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/search_files.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::search {

// "%s年%2d月%2d日 %s %2d回%2d日目 %2dR %s" of one record, in UTF-8 and in CP932. With the
// note of a payout search the bet type and the payout stand before the name:
// "... %2dR %-4s%7ld円 %s" (" 5R ﾜｲﾄﾞ   1230円 ｼﾞｬﾊﾟﾝｶｯﾌﾟ").
std::string kekaLine(const KekaRecord& r, const HaitouNote* note = nullptr);
std::string kekaLineCp932(const KekaRecord& r, const HaitouNote* note = nullptr);

// The stored title, summary and lines (UTF-8); nullopt when there is no stored search
// (the title file is missing or short): then the list is not shown at all.
struct KekaList {
  std::string title, summary;
  std::vector<std::string> lines;
};
std::optional<KekaList> readKekaList(DataStore& ds);
// Calls `visit` for each record of the result file, in file order, reading it piece by piece.
void forEachKekaRecord(DataStore& ds, const std::function<void(const KekaRecord&)>& visit);
// The same with each record's payout note when the list is a payout search's and its notes
// file fits the list record for record; else the note is nullptr.
void forEachKekaRecord(DataStore& ds, const std::function<void(const KekaRecord&, const HaitouNote*)>& visit);

// Going to line `index` of the list (-1: nothing selected).
enum class GoResult {
  NoSelection,  // beeped
  Cancelled,    // the user kept the current year; the list stays open
  Refused,      // the record no longer leads to a race (message shown); the list stays open
  Shown,        // the record's year, course and meeting are current, raceIndex its race
};
struct GoOutcome {
  GoResult result = GoResult::NoSelection;
  bool yearChanged = false;
};
// Asks before it changes the year; then makes the record's year current (meetings counted
// again), the record's course current with its meeting shown and read, and raceIndex the
// record's race. The caller closes the list, switches its year box when the year changed,
// redraws the meeting view and opens the race window.
GoOutcome goToResult(DataStore& ds, UserPort& port, int index);

}  // namespace tovra::search
