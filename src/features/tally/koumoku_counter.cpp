// Counting of the item tally: one meeting day at a time.
#include "domain/bet_types.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/tally/koumoku_slots.hpp"
#include "features/tally/koumoku_tally.hpp"

namespace tovra::tally {

namespace {

// Money stays in signed 32 bits; a sum beyond the range stops at its limit instead of wrapping.
void addMoney(std::int32_t& cell, std::int64_t v) { cell = saturate32(static_cast<std::int64_t>(cell) + v); }

// A bought race in one slot of a category.
template <int S>
void count(KoumokuCategory<S>& cat, int c, int slot, std::int32_t purchase, std::int32_t balance, bool hit) {
  if (slot < 0 || slot >= S) return;
  ++cat.count[c][slot];
  if (hit) ++cat.count[c][S + slot];
  addMoney(cat.purchase[c][slot], purchase);
  addMoney(cat.balance[c][slot], balance);
}

}  // namespace

void KoumokuCounter::addMeeting(int c, const KaisaiRecord& kaisai, const RaceBlock& races) {
  if (c < 0 || c >= kCourseCount || !filter_.counts(c)) return;
  if (!filter_.allOld()) {
    for (int race = 0; race < kRacesPerDay; ++race) {
      const RaceRecord& rr = races[static_cast<std::size_t>(race)];
      const OldRaceCount n = oldRaceCount(kaisai, race, &rr, filter_);
      addMoney(r_.dayBalance[c][0], n.balance);
      addMoney(r_.dayPurchase[c][0], n.purchase);
      if (n.bought) addRace(c, kaisai, race, rr, n.purchase, n.balance, n.hit);
    }
    return;
  }
  addMoney(r_.dayBalance[c][0], kaisai.shushi[12]);
  addMoney(r_.dayPurchase[c][0], kaisai.kounyuGaku[12]);
  for (int race = 0; race < kRacesPerDay; ++race) {
    if (!raceBought(kaisai.raceJoutai[race])) continue;  // only races with tickets bought
    addRace(c, kaisai, race, races[static_cast<std::size_t>(race)], kaisai.kounyuGaku[race], kaisai.shushi[race],
            raceBoughtAndHit(kaisai.raceJoutai[race]));
  }
}

void KoumokuCounter::addRace(int c, const KaisaiRecord& kaisai, int race, const RaceRecord& rr,
                             std::int64_t purchase, std::int64_t balance, bool hit) {
  const std::int32_t p = saturate32(purchase), b = saturate32(balance);

  ++r_.races[c][0];
  if (hit) ++r_.races[c][1];
  count(r_.raceNo, c, race, p, b, hit);

  if (const std::uint32_t k = rr.koumoku; k != 0) {
    count(r_.age, c, koumoku_slot::age(k), p, b, hit);
    count(r_.cls, c, koumoku_slot::raceClass(k), p, b, hit);
    count(r_.kind, c, koumoku_slot::kind(k), p, b, hit);
    count(r_.sex, c, koumoku_slot::sex(k), p, b, hit);
    count(r_.weight, c, koumoku_slot::weight(k), p, b, hit);
    count(r_.track, c, koumoku_slot::track(k), p, b, hit);
    count(r_.going, c, koumoku_slot::going(k), p, b, hit);
    count(r_.distance, c, koumoku_slot::distance(rr.kyori), p, b, hit);
  }
  count(r_.season, c, koumoku_slot::season(kaisai.tsukiHi), p, b, hit);

  // Per bet type its own purchase and return; a hit of the type needs a flagged result of it.
  for (int t = 0; t < kBetTypeCount; ++t) {
    const BetType type = kBetTypes[t];
    if (!filter_.has(tallySlotOf(type))) continue;
    const std::int32_t total = stakeTotal(rr, type);
    if (total == 0) continue;
    const std::int64_t ret = betReturn(rr, type, TicketScan::AllTickets);
    count(r_.betType, c, t, total, saturate32(ret - total), hit && hitResults(rr, type) > 0);
  }

  const bool uma = filter_.has(tallySlotOf(BetType::Uma));
  const int n = uma ? umarenTicketCount(rr) : 0;
  r_.umarenTicketsAndHits[c][0] += n;
  if (n > 0) {
    r_.umarenTicketsPerRace[c][0] += n;
    ++r_.umarenTicketsPerRace[c][1];
  }
  count(r_.umaTickets, c, koumoku_slot::umarenTickets(n), p, b, hit);
  count(r_.amount, c, koumoku_slot::amount(p), p, b, hit);

  if (uma && rr.umaGoukei != 0) {
    ++r_.umarenRacesAndNearMisses[c][0];
    if (!hit && umarenPairPlaced(rr)) ++r_.umarenRacesAndNearMisses[c][1];
  }

  if (!hit) return;
  if (uma) r_.umarenTicketsAndHits[c][1] += hitResults(rr, BetType::Uma);
  for (BetType type : kBetTypes) {
    if (!filter_.has(tallySlotOf(type))) continue;
    const ConstSlots results = resultSlots(rr, type);
    for (int s = 0; s < results.capacity; ++s) {
      if (!resultHit(type, results.codes[s])) continue;
      addMoney(r_.hitPayoutTotal[c][0], results.amounts[s]);
      ++r_.hitEntries[c][0];
      const int band = koumoku_slot::payoutBand(results.amounts[s]);
      if (band >= 0) ++r_.payoutBand[c][band];
    }
  }
}

KoumokuResult& KoumokuCounter::finish() {
  r_.sumCourses();
  return r_;
}

}  // namespace tovra::tally
