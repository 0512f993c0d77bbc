#pragma once
// Every ticket line of a range as a table (see features/bets/ticket_rows.hpp): what
// `tovra-cli export tickets` writes.
#include <vector>

#include "features/bets/ticket_rows.hpp"
#include "features/export/csv.hpp"

namespace tovra::exports {

// date,course,race,type,method,sets,points,stake,bought,refunded,return: the date as
// 2001-12-03, the course by its code (tok), money in yen.
CsvTable ticketsCsv(const std::vector<TicketRow>& rows);

}  // namespace tovra::exports
