#pragma once
// Every race of a range as a table, one row per race holding data, in the order of the
// calendar (date, course, race): what `tovra-cli export races` writes.
#include <cstdint>
#include <string>
#include <vector>

#include "features/export/csv.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra {
class DataStore;
class UserPort;
struct SettingsRecord;
}  // namespace tovra

namespace tovra::exports {

struct RaceRow {
  int year = 0, month = 0, day = 0;
  int course = 0;  // 0-9
  int kai = 0, nichi = 0;
  int race = 0;       // 1-12
  std::string name;   // race name, UTF-8
  std::string items;  // race items as the race window shows them, blanks closed up; "" without items
  std::int64_t purchase = 0, ret = 0, balance = 0;  // as the settlement stored them
  bool bought = false, hit = false;
};

// Reads the meeting and race files of the range (the wait popup and the selection as
// every tally). A race takes part when it holds data (its state's units digit is not 0).
std::vector<RaceRow> exportRaces(DataStore& ds, UserPort& port, const tally::TallyRange& range,
                                 const SettingsRecord& settings);

// 日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中: the date as 2001/06/03, money
// in yen, 的中 "○" for a hit race.
CsvTable racesCsv(const std::vector<RaceRow>& rows);

}  // namespace tovra::exports
