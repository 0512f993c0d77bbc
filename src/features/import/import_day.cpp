#include "features/import/import_day.hpp"

#include "features/import/win5_import.hpp"
#include "storage/bet_intents.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"

namespace tovra {

Result<ImportCopy> beginImport(const Ledger& ledger, const DayKey& key) {
  auto day = ledger.readDay(key);
  if (!day) return day.failure();
  return ImportCopy{key, std::move(*day), {}};
}

std::optional<FileFailure> storeImport(const Ledger& ledger, const LedgerEvents& events, const ImportCopy& d) {
  if (auto failed = ledger.writeDay(d.key, d.day)) return failed;
  events.dayChanged(d.key);
  return std::nullopt;
}

namespace {

Result<Done> storeDayAndRows(const Ledger& ledger, const LedgerEvents& events, BetStore& store, const ImportCopy& d,
                             const DayImport& bets) {
  if (bets.empty()) {
    if (auto failed = storeImport(ledger, events, d)) return *failed;
    return Done{};
  }
  if (const Status opened = store.open(true); !opened) return opened;
  auto stored = ledger.readDay(d.key);
  if (!stored) return stored.failure();
  const std::uint64_t before = dayFingerprint(*stored);
  const std::uint64_t after = dayFingerprint(d.day);
  if (before == after) {
    // The day's records stay as they are: the rows alone, in one transaction.
    if (const Status s = store.applyImport(bets); !s) return s;
    events.dayChanged(d.key);
    return Done{};
  }
  StoreIntent intent;
  intent.kind = StoreIntent::Kind::Import;
  intent.from = intent.to = bets.date;
  intent.index = d.key.index;
  intent.before = before;
  intent.after = after;
  intent.import = bets;
  auto begun = store.beginIntent(intent);
  if (!begun) return begun.refusal();
  // A failed write of the day stops the program with its file error; the intent stays for
  // the next open, which reads the day after the files' own recovery and completes or
  // drops it (the failing file system may show neither the old nor the new day now).
  if (auto failed = ledger.writeDay(d.key, d.day)) return *failed;
  // The day is written: the rows go in with the intent gone, and the day is announced once
  // with both. When the store fails here, the intent stays and the next open completes it.
  const Status rows = store.applyIntent(*begun);
  events.dayChanged(d.key);
  return rows;
}

}  // namespace

Result<Done> storeImportWithBets(const Ledger& ledger, const LedgerEvents& events, BetStore& store,
                                 const ImportCopy& d, const DayImport& bets) {
  if (!bets.win5) return storeDayAndRows(ledger, events, store, d, bets);
  DayImport rows = bets;
  rows.win5.reset();
  // The day is announced once, with its WIN5 in too (or refused): a window redrawn on the
  // announcement shows the date's WIN5 as the import left it.
  const Result<Done> day = storeDayAndRows(ledger, LedgerEvents{}, store, d, rows);
  if (!day) {
    if (!day.failed()) events.dayChanged(d.key);
    return day;
  }
  // The day and its rows are in: the WIN5 of the date follows in a transaction of its own.
  const Result<Done> win5 = storeWin5Import(store, {bets.date.year, bets.date.month, bets.date.day}, *bets.win5);
  events.dayChanged(d.key);
  return win5;
}

void tellImportNotices(UserPort& port, const ImportCopy& d) {
  for (const Refusal& n : d.notices) showRefusal(port, n);
}

void tellImportRefusal(UserPort& port, const Refusal& r) {
  if (!r.text.empty()) showRefusal(port, r);
}

std::string importDayLabel(int course, const KaisaiRecord& k) {
  return cp932ToUtf8(sjprintf("%d月%2d日 %d回  %d日目  %s競馬場", k.month(), k.day(), k.kai(), k.nichi(),
                              sj(keibajo(course).name).c_str()));
}

std::string importSourceText(const ImportSource& s) { return s.date.empty() ? s.file : s.file + "  " + s.date; }

}  // namespace tovra
