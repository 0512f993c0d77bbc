#pragma once
// The JV-Data import of a meeting day: the day's RA, SE and HR records of a file go into
// the copy of the day (race items, distance, race name, the card, the first five
// finishers, the results and payouts of 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ) and into the rows of the
// bet store (馬単 3連複 3連単 winners and 特払, scratched horses, refunded frames). The
// twelve races are settled; nothing is written (import_day.hpp: storeImportWithBets).
#include <filesystem>
#include <string>
#include <vector>

#include "features/import/import_day.hpp"
#include "features/import/jvdata/jvdata_records.hpp"
#include "storage/bet_store.hpp"

namespace tovra {

namespace msg {
inline constexpr const char* kJvCaption = "JV-Dataﾌｧｲﾙ読み込み";
inline constexpr const char* kJvDoneCaption = "JV-Dataﾌｧｲﾙ読み込み終了";
}  // namespace msg

// Files bigger than this are refused (a year of RA, SE and HR records is about 35 MB).
inline constexpr std::size_t kJvMaxFile = 512u << 20;

// The file's records of the day `date` (its date and course). Refused, with a message
// naming the file (and the record where there is one), when the file cannot be read, is
// too big, holds a record that cannot be read, or holds no race of the day.
Result<JvDayRecords> readJvDataDay(const Ledger& ledger, const std::filesystem::path& file, const DateKey& date,
                                   ImportSource* source = nullptr);
// The same on bytes already read (`shown` names the file in the messages).
Result<JvDayRecords> jvDataDayOf(std::span<const std::uint8_t> data, const std::string& shown, const DateKey& date);

// The races 1..12 whose last payout record is a deletion (data kind 0), ascending: their
// results are cleared only when the user confirms.
std::vector<int> jvDeletedRaces(const JvDayRecords& records);

struct JvApplied {
  std::vector<int> races;      // every race read, ascending
  std::vector<int> cancelled;  // races cancelled (all tickets refunded)
  std::vector<int> deleted;    // races with a deletion record
  bool deletionsCleared = false;
  DayImport bets;              // the store's rows of the day
  std::string text;            // " %2dR" per race read, "中止" after a cancelled one (UTF-8)
};

// Fills the day from the records (the day's own: see jvDataDayOf) and settles the twelve
// races. With `clearDeleted` the results of the races with a deletion record are cleared
// (the record's results and payouts, the store's results); without, those races' results
// are left as they are.
JvApplied applyJvDataDay(const JvDayRecords& records, const DateKey& date, KaisaiRecord& meeting, RaceBlock& races,
                         bool clearDeleted);

// The lines of the confirmation: the races read, and the deletions with what is done to them.
std::vector<std::string> jvConfirmationLines(const JvApplied& a);

}  // namespace tovra
