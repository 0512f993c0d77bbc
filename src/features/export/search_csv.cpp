#include "features/export/search_csv.hpp"

#include "features/search/search_list.hpp"
#include "features/tally/tally_common.hpp"
#include "storage/text.hpp"

namespace tovra::exports {

CsvTable searchCsv(DataStore& ds) {
  // A payout search's list has its bet type and payout per line: two more columns.
  bool payouts = false;
  search::forEachKekaRecord(ds, [&payouts](const search::KekaRecord&, const search::HaitouNote* note) {
    payouts = payouts || note != nullptr;
  });
  std::vector<std::string> heads = {"年", "月", "日", "競馬場", "回", "日目", "R", "名前"};
  if (payouts) heads.insert(heads.end(), {"券種", "配当"});
  CsvTable t(heads);
  search::forEachKekaRecord(ds, [&t, payouts](const search::KekaRecord& r, const search::HaitouNote* note) {
    std::vector<CsvCell> row = {CsvCell::text(cp932ToUtf8(fixedText(r.yearText))),
                                CsvCell::integer(r.month),
                                CsvCell::integer(r.day),
                                CsvCell::text(tally::courseName(r.course)),
                                CsvCell::integer(r.kai),
                                CsvCell::integer(r.nichi),
                                CsvCell::integer(r.race + 1),
                                CsvCell::text(cp932ToUtf8(fixedText(r.name)))};
    if (payouts) {
      row.push_back(note ? CsvCell::text(note->betName()) : CsvCell::empty());
      row.push_back(note ? CsvCell::integer(note->payout) : CsvCell::empty());
    }
    t.add(row);
  });
  return t;
}

}  // namespace tovra::exports
