#pragma once
// The result list of the last search (what SearchResultsDialog and `search last` show) and
// going from one of its lines to the race.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "features/search/search_files.hpp"
#include "storage/ledger.hpp"

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

// The race a line of the list leads to: its year, course and meeting index, and the race
// (0-11).
struct RaceTarget {
  DayKey day;
  int race = 0;
};
// Line `index` (0 or more) of the list as the race it leads to. Refused ("このﾚｰｽﾃﾞｰﾀは
// 現在の開催ﾃﾞｰﾀにありません。...", error icon) when there is no such line or its record no
// longer leads to a race of a registered year; a meeting file that cannot be read fails
// with code 3.
Result<RaceTarget> resultTarget(DataStore& ds, int index);
// The question asked before going to a target of another year than `currentYear` (the
// year the main window shows): "現在処理中の年次が変更されます。\n\n2002年 → 2001年"
// (OK/ｷｬﾝｾﾙ, warning icon); nullopt when the year stays.
std::optional<std::string> yearChangeQuestion(const RaceTarget& target, const std::string& currentYear);

}  // namespace tovra::search
