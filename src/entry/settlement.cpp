#include "entry/settlement.hpp"

#include <limits>

namespace tovra {

std::int32_t saturate32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

std::int64_t ticketPay(std::int32_t stake, std::int32_t payout) {
  return static_cast<std::int64_t>(stake / 100) * payout;
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

template <std::size_t N>
std::int64_t sum(const std::int32_t (&a)[N]) {
  std::int64_t s = 0;
  for (std::int32_t v : a) s += v;
  return s;
}

// Matches one result slot against every ticket of its type.
template <std::size_t T>
void matchSlot(std::uint16_t& keka, std::int32_t haitou, const std::uint16_t (&codes)[T],
               const std::int32_t (&stakes)[T], int modulus, std::int64_t& ret, std::uint16_t& joutai) {
  int plain = keka % modulus;
  keka = static_cast<std::uint16_t>(plain);
  if (plain == 0) return;
  for (std::size_t t = 0; t < T; ++t) {
    if (codes[t] == plain) {
      keka = static_cast<std::uint16_t>(plain + modulus);
      ret += ticketPay(stakes[t], haitou);
      joutai = static_cast<std::uint16_t>(joutai % 10 + 10);
    }
  }
}

// A race's money in 64 bits: the stakes per type, the purchase and the return.
struct RaceSums {
  std::int64_t tan, fuku, waku, uma, wide, purchase, ret;
};

// Sets the race's status, marks the hits on its result codes and sums its money.
RaceSums matchRace(RaceRecord& race, std::uint16_t& joutai) {
  RaceSums m{sum(race.tanGaku), sum(race.fukuGaku), sum(race.wakuGaku), sum(race.umaGaku), sum(race.wideGaku), 0, 0};
  m.purchase = m.tan + m.fuku + m.waku + m.uma + m.wide;
  if (m.purchase != 0) {
    joutai = 2;
  } else if (race.kyori != 0 || race.tanKeka[0] != 0 || race.fukuKeka[0] != 0 || race.wakuKeka[0] != 0 ||
             race.umaKeka[0] != 0 || race.wideKeka[0] != 0 || race.shutsubaWaku[0] != 0 || race.comento[0] != 0) {
    joutai = 1;
  } else {
    joutai = 0;
  }

  std::int64_t& ret = m.ret;
  for (int s = 0; s < 2; ++s) matchSlot(race.tanKeka[s], race.tanHaitou[s], race.tanUma, race.tanGaku, 100, ret, joutai);
  for (int s = 0; s < 4; ++s)
    matchSlot(race.fukuKeka[s], race.fukuHaitou[s], race.fukuUma, race.fukuGaku, 100, ret, joutai);
  for (int s = 0; s < 2; ++s) {
    matchSlot(race.wakuKeka[s], race.wakuHaitou[s], race.wakuKumi, race.wakuGaku, 100, ret, joutai);
    matchSlot(race.umaKeka[s], race.umaHaitou[s], race.umaKumi, race.umaGaku, 10000, ret, joutai);
  }
  for (int s = 0; s < 6; ++s)
    matchSlot(race.wideKeka[s], race.wideHaitou[s], race.wideKumi, race.wideGaku, 10000, ret, joutai);
  return m;
}

}  // namespace

RaceMoney raceMoney(const RaceRecord& race) {
  RaceRecord scratch = race;
  std::uint16_t joutai = 0;
  const RaceSums m = matchRace(scratch, joutai);
  return {m.purchase, m.ret};
}

bool raceMoneyFits(const RaceRecord& race) {
  const RaceMoney m = raceMoney(race);
  constexpr std::int64_t top = std::numeric_limits<std::int32_t>::max();
  return m.purchase <= top && m.ret <= top;
}

void settleRace(KaisaiRecord& kaisai, RaceBlock& races, int r) {
  RaceRecord& race = races[static_cast<std::size_t>(r)];
  const RaceSums m = matchRace(race, kaisai.raceJoutai[r]);
  race.tanGoukei = saturate32(m.tan);
  race.fukuGoukei = saturate32(m.fuku);
  race.wakuGoukei = saturate32(m.waku);
  race.umaGoukei = saturate32(m.uma);
  race.wideGoukei = saturate32(m.wide);
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
