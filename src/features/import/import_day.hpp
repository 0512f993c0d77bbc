#pragma once
// What every import shares around its reader: it starts from a copy of the meeting day
// as stored, fills the copy, settles the twelve races, and only 登録 writes the copy;
// ｷｬﾝｾﾙ drops it.
#include <optional>
#include <string>
#include <vector>

#include "storage/ledger.hpp"
#include "storage/ledger_events.hpp"
#include "storage/outcome.hpp"

namespace tovra {

class BetStore;
struct DayImport;
class UserPort;

// The file an import read, as its confirmation names it: the path and the date the file
// gives of itself ("" when it gives none), UTF-8.
struct ImportSource {
  std::string file, date;
};
// "path  2001年11月25日" (the path alone when the file gives no date).
std::string importSourceText(const ImportSource& s);

// The day an import fills: where it is stored, the copy being filled, and what the import
// has to tell while it goes on (an archive the search passes over, a chosen read that
// finds nothing to read), for the caller to show in order before the import's end.
struct ImportCopy {
  DayKey key;
  MeetingDay day;
  std::vector<Refusal> notices;
};

// The import's start: the day at `key` as stored (codes 3 / 5).
Result<ImportCopy> beginImport(const Ledger& ledger, const DayKey& key);
// 登録: writes the meeting record and its twelve races (the races are already settled)
// and announces the day.
std::optional<FileFailure> storeImport(const Ledger& ledger, const LedgerEvents& events, const ImportCopy& d);

// 登録 of an import that brings rows of the bet store as well (the new bet types, their
// results, scratches, refunds, the purchase-history lines taken). When the day's records
// change too, an intent is written first, then the day, then the rows with the intent
// gone (storage/bet_intents.hpp completes or drops an intent a crash left); otherwise the
// rows alone, in one transaction. A store that cannot be used refuses it before the day
// is written: nothing changes. The FileFailure of the day's write stops as storeImport's.
// The import's WIN5 (DayImport::win5) goes in after the day and its rows, in a transaction
// of its own; when the WIN5 day holds other legs it takes nothing and the result is a
// warning saying so (the day itself is stored).
Result<Done> storeImportWithBets(const Ledger& ledger, const LedgerEvents& events, BetStore& store,
                                 const ImportCopy& d, const DayImport& bets);

// The notices of an import, each as its message.
void tellImportNotices(UserPort& port, const ImportCopy& d);
// The refusal an import ended with, as its message; a refusal without a text is not
// shown (the reads have told why already).
void tellImportRefusal(UserPort& port, const Refusal& r);

// "%d月%2d日 %d回  %d日目  %s競馬場" of a meeting of `course` (UTF-8), the label of every
// import dialog.
std::string importDayLabel(int course, const KaisaiRecord& k);

}  // namespace tovra
