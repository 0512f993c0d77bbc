#pragma once
// The JV-Data import of a meeting day: the day's RA, SE and HR records of a file go into
// the copy of the day (race items, distance, race name, the card, the first five
// finishers, the results and payouts of 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ) and into the rows of the
// bet store (馬単 3連複 3連単 winners and 特払, scratched horses, refunded frames). The
// twelve races are settled; nothing is written (import_day.hpp: storeImportWithBets).
#include <filesystem>
#include <optional>
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
  DayImport bets;              // the store's rows of the day (and its WIN5: bets.win5)
  std::string win5Text;        // what becomes of the day's WIN5 ("" without a WF record)
  std::string text;            // " %2dR" per race read, "中止" after a cancelled one (UTF-8)
};

// Fills the day from the records (the day's own: see jvDataDayOf) and settles the twelve
// races. With `clearDeleted` the results of the races with a deletion record are cleared
// (the record's results and payouts, the store's results); without, those races' results
// are left as they are.
JvApplied applyJvDataDay(const JvDayRecords& records, const DateKey& date, KaisaiRecord& meeting, RaceBlock& races,
                         bool clearDeleted);

// The WIN5 of the day (the last WF record of the date that is not a deletion), as the
// import writes it: the legs (JyoCD 1-10 as courses 0-9), every winning combination with
// its payout, the cancelled mark from the refund and failure flags, and a carry-over note
// from the no-winner flag and the carry-over amounts. None when the records hold no WF of
// the date; `text` says what is taken, or why nothing is.
std::optional<Win5Import> jvWin5Import(const JvDayRecords& records, const DateKey& date, std::string& text);
// The note of a WF record: "前回からのキャリーオーバー 1,000円、的中なし、キャリーオーバー 2,000円"
// (the parts it has), "" when it has none.
std::string jvWin5Note(const JvWin5& wf);

// Compares the import's WIN5 with the day's in the store: when the day holds other legs,
// the import's WIN5 is dropped and win5Text tells the difference.
Status checkJvWin5(BetStore& store, JvApplied& a);

// The lines of the confirmation: the races read, the deletions with what is done to them,
// and the WIN5 taken.
std::vector<std::string> jvConfirmationLines(const JvApplied& a);

}  // namespace tovra
