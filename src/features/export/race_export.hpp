#pragma once
// Every race of a range as a table, one row per race holding data, in the order of the
// calendar (date, course, race): what `tovra-cli export races` writes. Asked for, the table
// gains the columns of 馬単, 3連複 and 3連単 and of all eight types after its own.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/all_types_figures.hpp"
#include "features/export/csv.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/outcome.hpp"

namespace tovra {
class BetStore;
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
  // The race over all eight types (its record's tickets with the store's scratched horses
  // refunded, its store lines settled), in a table with the new types' columns.
  std::optional<AllTypesFigures> all;
};

// Reads the meeting and race files of the range (the wait popup and the selection as
// every tally). A race takes part when it holds data (its state's units digit is not 0).
std::vector<RaceRow> exportRaces(DataStore& ds, UserPort& port, const tally::TallyRange& range,
                                 const SettingsRecord& settings);

// The same with every row's `all`, and besides the races holding data those the bet store
// holds rows of (a race bought only in the new types). A store that cannot be used gives
// its refusal.
Result<std::vector<RaceRow>> exportRacesAllTypes(DataStore& ds, UserPort& port, BetStore& store,
                                                 const tally::TallyRange& range, const SettingsRecord& settings);

// 日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中: the date as 2001/06/03, money
// in yen, 的中 "○" for a hit race.
CsvTable racesCsv(const std::vector<RaceRow>& rows);
// The same columns, then per new type its bought, refunded and return (馬単購入額,馬単返還額,
// 馬単回収金額, then 3連複 and 3連単 alike) and over all eight types bought, refunded, return,
// balance and hit (全式別購入額,全式別返還額,全式別回収金額,全式別収支,全式別的中). A row without
// `all` leaves them empty. The first eleven columns stay where racesCsv has them.
CsvTable racesCsvAllTypes(const std::vector<RaceRow>& rows);

}  // namespace tovra::exports
