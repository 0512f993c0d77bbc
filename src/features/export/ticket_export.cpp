#include "features/export/ticket_export.hpp"

#include <cstdio>

#include "storage/records.hpp"

namespace tovra::exports {

CsvTable ticketsCsv(const std::vector<TicketRow>& rows) {
  CsvTable t({"date", "course", "race", "type", "method", "sets", "points", "stake", "bought", "refunded", "return"});
  for (const TicketRow& r : rows) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", r.year, r.month, r.day);
    t.add({CsvCell::text(date), CsvCell::text(keibajo(r.course).folder), CsvCell::integer(r.race),
           CsvCell::text(r.type), CsvCell::text(r.method), CsvCell::text(r.sets), CsvCell::integer(r.points),
           CsvCell::integer(r.stake), CsvCell::integer(r.bought), CsvCell::integer(r.refunded),
           CsvCell::integer(r.ret)});
  }
  return t;
}

}  // namespace tovra::exports
