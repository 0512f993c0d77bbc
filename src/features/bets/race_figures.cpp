#include "features/bets/race_figures.hpp"

namespace tovra {

RaceBets raceBets(const RaceRecord& race, const StoredRace& stored) {
  RaceBets r;
  SettledRace settled = settleStoredRace(stored);
  r.stored = std::move(settled.stored);
  r.settlement = std::move(settled.settlement);
  r.figures = allTypesFigures(race, r.stored.scratched, r.stored.refundedFrames, r.settlement);
  return r;
}

DayBets dayBets(const MeetingDay& day, const std::array<StoredRace, kRacesPerDay>& stored) {
  DayBets d;
  for (std::size_t r = 0; r < d.races.size(); ++r) {
    d.races[r] = raceBets(day.races[r], stored[r]);
    d.figures += d.races[r].figures;
  }
  return d;
}

Result<DayBets> readDayBets(BetStore& store, const Ledger& ledger, const DayKey& key) {
  const Result<MeetingDay> day = ledger.readDay(key);
  if (day.failed()) return day.failure();
  if (day.refused()) return day.refusal();
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  const auto stored = store.day(dateKeyOf(key, day->meeting));
  if (!stored) return stored.refusal();
  return dayBets(*day, *stored);
}

}  // namespace tovra
