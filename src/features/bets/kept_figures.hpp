#pragma once
// The figures of each day's 馬単, 3連複 and 3連単 kept in the bet store, with the day's races
// that have scratches, so that a range of years reads one row a year. The store marks a day
// stale in the transaction of any change of its rows; whoever writes (under the folder
// lock) keeps the stale days again after its change, and a reader computes a stale day from
// its rows.
#include <array>
#include <optional>
#include <vector>

#include "domain/new_bet_settlement.hpp"
#include "storage/bet_store.hpp"

namespace tovra {

// What the store keeps of a day: the figures of its stored races per type and its races
// with scratches; nullopt for a day without rows.
std::optional<KeptDay> keptDayOf(const DateKey& date, const std::array<StoredRace, 12>& day);

// Keeps every stale day, in one transaction. A failure leaves the marks (readers compute
// those days from their rows).
Status keepStaleFigures(BetStore& store);

// The figures per type and together of a kept day.
NewBetFigures newBetFiguresOf(const KeptDay& day);
// Every day of the years that holds rows, in date order: as kept where the kept figures
// are valid, the rows of stale days settled.
Result<std::vector<KeptDay>> newBetsByDay(BetStore& store, const std::vector<int>& years);

}  // namespace tovra
