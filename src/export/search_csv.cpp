#include "export/search_csv.hpp"

#include "ledger/text.hpp"
#include "search/search_list.hpp"
#include "tally/tally_common.hpp"

namespace tovra::exports {

CsvTable searchCsv(DataStore& ds) {
  CsvTable t({"年", "月", "日", "競馬場", "回", "日目", "R", "名前"});
  search::forEachKekaRecord(ds, [&t](const search::KekaRecord& r) {
    t.add({CsvCell::text(cp932ToUtf8(fixedText(r.yearText))), CsvCell::integer(r.month), CsvCell::integer(r.day),
           CsvCell::text(tally::courseName(r.course)), CsvCell::integer(r.kai), CsvCell::integer(r.nichi),
           CsvCell::integer(r.race + 1), CsvCell::text(cp932ToUtf8(fixedText(r.name)))});
  });
  return t;
}

}  // namespace tovra::exports
