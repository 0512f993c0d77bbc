#include "domain/settlement.hpp"

#include <limits>
#include <utility>

#include "domain/bet_types.hpp"
#include "domain/race_state.hpp"

namespace tovra {

std::int32_t saturate32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

std::optional<double> recoveryRate(std::int64_t purchase, std::int64_t ret) {
  if (purchase == 0) return std::nullopt;
  return static_cast<double>(ret) / static_cast<double>(purchase) * 100.0;
}

std::optional<double> hitRate(std::int64_t hitRaces, std::int64_t boughtRaces) {
  if (boughtRaces == 0) return std::nullopt;
  return static_cast<double>(hitRaces) / static_cast<double>(boughtRaces) * 100.0;
}

namespace {

// A race's money in 64 bits: per type (in the order of BetType), the purchase and the
// return.
struct RaceSums {
  std::array<TypeMoney, kBetTypeCount> types{};
  std::int64_t purchase = 0, ret = 0;
};

// Sets the race's status, marks the hits on its result codes and sums its money.
RaceSums matchRace(RaceRecord& race, std::uint16_t& joutai) {
  RaceSums m;
  for (int t = 0; t < kBetTypeCount; ++t) {
    const ConstSlots tickets = ticketSlots(std::as_const(race), kBetTypes[t]);
    TypeMoney& money = m.types[static_cast<std::size_t>(t)];
    for (int i = 0; i < tickets.capacity; ++i) money.stakes += tickets.amounts[i];
    m.purchase += money.stakes;
  }
  if (m.purchase != 0) {
    joutai = kRaceBought;
  } else if (race.kyori != 0 || race.tanKeka[0] != 0 || race.fukuKeka[0] != 0 || race.wakuKeka[0] != 0 ||
             race.umaKeka[0] != 0 || race.wideKeka[0] != 0 || race.shutsubaWaku[0] != 0 || race.comento[0] != 0) {
    joutai = kRaceData;
  } else {
    joutai = kRaceEmpty;
  }

  // Each result slot is matched against every ticket of its type: its code keeps the hit
  // marker when a ticket is on it.
  for (BetType t : kBetTypes) {
    TypeMoney& money = m.types[static_cast<std::size_t>(t)];
    const Slots results = resultSlots(race, t);
    for (int s = 0; s < results.capacity; ++s) {
      const int plain = plainCode(t, results.codes[s]);
      results.codes[s] = static_cast<std::uint16_t>(plain);
      if (plain == 0) continue;
      const TicketMatch hit = matchTickets(race, t, plain, results.amounts[s]);
      if (!hit.hit) continue;
      results.codes[s] = static_cast<std::uint16_t>(plain + hitMarker(t));
      joutai = withHitFlag(joutai);
      money.hit = true;
      money.ret += hit.pays;
      m.ret += hit.pays;
    }
  }
  return m;
}

}  // namespace

RaceMoney raceMoney(const RaceRecord& race) {
  RaceRecord scratch = race;
  std::uint16_t joutai = 0;
  const RaceSums m = matchRace(scratch, joutai);
  return {m.purchase, m.ret};
}

std::array<TypeMoney, kBetTypeCount> raceTypeMoney(const RaceRecord& race) {
  RaceRecord scratch = race;
  std::uint16_t joutai = 0;
  return matchRace(scratch, joutai).types;
}

bool raceMoneyFits(const RaceRecord& race) {
  const RaceMoney m = raceMoney(race);
  constexpr std::int64_t top = std::numeric_limits<std::int32_t>::max();
  return m.purchase <= top && m.ret <= top;
}

RaceMoney otherRacesMoney(const KaisaiRecord& kaisai, int r) {
  RaceMoney m{0, 0};
  for (int i = 0; i < kRacesPerDay; ++i) {
    if (i == r) continue;
    m.purchase += kaisai.kounyuGaku[i];
    m.ret += std::int64_t{kaisai.kounyuGaku[i]} + kaisai.shushi[i];
  }
  return m;
}

bool dayMoneyFits(const RaceRecord& race, const RaceMoney& others) {
  const RaceMoney m = raceMoney(race);
  constexpr std::int64_t top = std::numeric_limits<std::int32_t>::max();
  return others.purchase + m.purchase <= top && others.ret + m.ret <= top;
}

void settleRace(KaisaiRecord& kaisai, RaceBlock& races, int r) {
  RaceRecord& race = races[static_cast<std::size_t>(r)];
  const RaceSums m = matchRace(race, kaisai.raceJoutai[r]);
  for (int t = 0; t < kBetTypeCount; ++t)
    stakeTotal(race, kBetTypes[t]) = saturate32(m.types[static_cast<std::size_t>(t)].stakes);
  kaisai.kounyuGaku[r] = saturate32(m.purchase);

  // The balance is the stored return minus the stored purchase, so that the return
  // read back as shushi + kounyuGaku is what was paid whenever it fits.
  kaisai.shushi[r] = saturate32(m.ret - kaisai.kounyuGaku[r]);

  std::int64_t dayShushi = 0, dayKounyu = 0;
  for (int i = 0; i < kRacesPerDay; ++i) {
    dayShushi += kaisai.shushi[i];
    dayKounyu += kaisai.kounyuGaku[i];
  }
  kaisai.shushi[12] = saturate32(dayShushi);
  kaisai.kounyuGaku[12] = saturate32(dayKounyu);
}

void settleAllRaces(KaisaiRecord& kaisai, RaceBlock& races) {
  for (int r = 0; r < kRacesPerDay; ++r) settleRace(kaisai, races, r);
}

}  // namespace tovra
