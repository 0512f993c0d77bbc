#pragma once
// The figures of a race and of a meeting day over all eight bet types: the race records
// of the course files with the scratches of the bet store refunded, and the store's lines
// of 馬単, 3連複 and 3連単 settled. What the race window, show race/meeting and the tallies
// read; nothing here writes.
#include <array>

#include "domain/all_types_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"

namespace tovra {

// One race: what the store holds of it, each line settled, and its figures.
struct RaceBets {
  StoredRace stored;
  NewBetSettlement settlement;
  AllTypesFigures figures;
};
RaceBets raceBets(const RaceRecord& race, const StoredRace& stored);

// A meeting day: its twelve races and the day's figures.
struct DayBets {
  std::array<RaceBets, kRacesPerDay> races;
  AllTypesFigures figures;
};
DayBets dayBets(const MeetingDay& day, const std::array<StoredRace, kRacesPerDay>& stored);
// The day at `key` with the store's rows of its date (a store without a file reads empty).
Result<DayBets> readDayBets(BetStore& store, const Ledger& ledger, const DayKey& key);

}  // namespace tovra
