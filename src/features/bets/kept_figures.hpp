#pragma once
// The figures of each day's 馬単, 3連複 and 3連単 kept in the bet store, so that a range of
// years reads one row a day and type. The store marks a day stale in the transaction of
// any change of its rows; whoever writes (under the folder lock) keeps the figures of the
// stale days again after its change, and a reader computes a stale day from its rows.
#include <array>
#include <vector>

#include "domain/new_bet_settlement.hpp"
#include "storage/bet_store.hpp"

namespace tovra {

// The figures of a day's stored races, per type (types without a line or a result left out).
NewBetFigures dayNewBetFigures(const std::array<StoredRace, 12>& day);
std::vector<BetStore::DayFigureRow> dayFigureRows(const DateKey& date, const NewBetFigures& figures);

// Keeps the figures of every stale day. A failure leaves the marks (readers compute those
// days from their rows).
Status keepStaleFigures(BetStore& store);

// The new-type figures of every day of the years that holds rows, in key order: kept
// figures where they are valid, the rows of stale days settled.
Result<std::vector<std::pair<DateKey, NewBetFigures>>> newBetFiguresByDay(BetStore& store,
                                                                          const std::vector<int>& years);

}  // namespace tovra
