#include "features/import/import_day.hpp"

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
