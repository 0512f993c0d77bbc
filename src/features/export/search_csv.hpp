#pragma once
// The last search's result list (tmp/kensakukeka.tmp) as a CSV table: what the result
// list's ｢CSV保存｣ button saves.
#include "features/export/csv.hpp"

namespace tovra {
class DataStore;
}

namespace tovra::exports {

// 年,月,日,競馬場,回,日目,R,名前: one row per line of the list, in its order; 名前 is the race
// name, or the finisher's name of a horse-name search.
CsvTable searchCsv(DataStore& ds);

}  // namespace tovra::exports
