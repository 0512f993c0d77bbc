#pragma once
// Keeping the bet store and the course files of one ledger consistent. A change of both
// (a meeting's new date, a deleted meeting, a deleted year) runs as
//   1. beginDayIntent / beginYearIntent: the intent written in the store, alone;
//   2. the course files (or main.dat) changed as ever;
//   3. settleIntent: the store's rows moved or removed with the intent in one
//      transaction when the course files changed, the intent dropped when they did not.
// Step 3 decides by what the course files hold, not by how step 2 ended, so the same
// function completes what a crash left: recoverBetIntents at every open, after the
// course files' own recovery.
#include <cstdint>
#include <optional>
#include <string>

#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra {

// The intent of moving the day of `course` held on `fromTsukiHi` (month*100+day) to
// `toTsukiHi`, or of deleting it (toTsukiHi nullopt). Nothing is written (nullopt) when
// the store holds no rows of that date or has no file, when the date does not change,
// or when the course holds another meeting on the same date (the rows stay with it).
// Refused with the store's message when the store cannot be used: nothing changed.
Result<std::optional<StoreIntent>> beginDayIntent(BetStore& store, const Ledger& ledger, const std::string& year,
                                                  int course, int fromTsukiHi, std::optional<int> toTsukiHi);
// The intent of deleting a year (nullopt when the store has no file).
Result<std::optional<StoreIntent>> beginYearIntent(BetStore& store, int year);

// Completes the intent when the course files (main.dat for a year) changed as it says,
// drops it when they did not change; leaves it for the next open when they cannot be read
// or, unless `atOpen`, hold something else (a file read while the change failed may read
// short). At the next open a day gone from its date counts as changed.
Status settleIntent(BetStore& store, const Ledger& ledger, const StoreIntent& intent, bool atOpen = false);
// The fingerprint of a meeting day's records as written (its meeting record and twelve
// races), for an import's intent to tell whether the day was written.
std::uint64_t dayFingerprint(const MeetingDay& day);

// Every intent left by a crash, settled (oldest first). Done when the store has no file.
Status recoverBetIntents(BetStore& store, const Ledger& ledger);

}  // namespace tovra
