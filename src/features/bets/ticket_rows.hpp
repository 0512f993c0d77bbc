#pragma once
// Every ticket line of a range, one row each: the five record types' tickets (every used
// ticket slot of the race records, one row per slot, method normal) and the bet store's
// lines of 馬単, 3連複 and 3連単, with what each bought, had refunded (the scratches of the
// store) and returned. Summed up they give the range's all-types figures. What `tovra-cli
// export tickets` writes.
#include <cstdint>
#include <string>
#include <vector>

#include "domain/all_types_figures.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra {

struct TicketRow {
  int year = 0, month = 0, day = 0;
  int course = 0;      // 0-9
  int race = 0;        // 1-12
  std::string type;    // the command line's name: tan fuku waku wide uma umatan sanrenpuku sanrentan
  std::string method;  // normal box nagashi formation
  std::string sets;    // see ticketSetsText
  int points = 0;
  std::int64_t stake = 0;  // yen per point
  std::int64_t bought = 0, refunded = 0, ret = 0;
  bool operator==(const TicketRow&) const = default;
};

// The sets of a line as one text: horses (or frames) of a set joined by ".", the sets by
// "/" (流し: the axis, then the partners; ﾌｫｰﾒｰｼｮﾝ: 1着/2着[/3着]). 流し of 馬単 and 3連単 add
// ":multi" for マルチ, otherwise ":" and the axis places ("4/1.9:2": 4 second).
std::string ticketSetsText(const PurchaseLine& line);

// The rows of the years given (registered year texts), in calendar order (date, course,
// race), within a race the record types first (単勝 複勝 枠連 馬連 ﾜｲﾄﾞ, slot order), then the
// store's lines in their order. Rows of a date without a meeting are left out.
Result<std::vector<TicketRow>> ticketRows(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years);

}  // namespace tovra
