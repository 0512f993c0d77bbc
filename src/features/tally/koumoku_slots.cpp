#include "features/tally/koumoku_slots.hpp"

#include "domain/race_items_code.hpp"

namespace tovra::tally::koumoku_slot {

namespace {
// A 1-based digit as a 0-based slot among `slots`, or -1.
int digitSlot(int digit, int slots) { return digit >= 1 && digit <= slots ? digit - 1 : -1; }
}  // namespace

int age(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Age), 4); }
int weight(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Weight), 4); }
int kind(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Kind), 6); }
int sex(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Sex), 2); }
int going(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Going), 4); }
int track(std::uint32_t k) { return digitSlot(koumokuDigit(k, ItemField::Track), 3); }

int raceClass(std::uint32_t k) {
  // Codes 10-13 are older names of the same classes: 未出走, 400万下, 1500万下, 1000万下.
  static constexpr int kSlotOfCode[14] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 2, 4, 3};
  const int code = koumokuDigit(k, ItemField::Class);
  return code >= 0 && code <= 13 ? kSlotOfCode[code] : -1;
}

int distance(int kyori) {
  if (kyori >= 1000 && kyori <= 1400) return 0;
  if (kyori >= 1600 && kyori <= 1800) return 1;
  if (kyori >= 2000 && kyori <= 2400) return 2;
  if (kyori >= 2500 && kyori <= 2900) return 3;
  if (kyori >= 3000) return 4;
  return -1;
}

int season(int tsukiHi) {
  const int month = tsukiHi / 100;
  return month >= 1 && month <= 12 ? (month - 1) / 3 : -1;
}

int umarenTickets(int n) {
  if (n <= 0) return -1;
  if (n == 1) return 0;
  if (n <= 4) return 1;
  if (n <= 7) return 2;
  if (n <= 10) return 3;
  return 4;
}

int amount(std::int32_t yen) {
  // Bands of whole hundreds; an amount between two bands (1 050 yen) falls in none.
  static constexpr std::int32_t kLow[8] = {INT32_MIN, 1100, 3100, 5100, 8100, 10100, 30100, 50100};
  static constexpr std::int32_t kHigh[8] = {1000, 3000, 5000, 8000, 10000, 30000, 50000, INT32_MAX};
  for (int s = 0; s < 8; ++s)
    if (yen >= kLow[s] && yen <= kHigh[s]) return s;
  return -1;
}

int payoutBand(std::int32_t payout) {
  if (payout <= 990) return 0;
  if (payout >= 10000) return 10;
  const int band = payout / 1000;
  return payout <= band * 1000 + 990 ? band : -1;
}

}  // namespace tovra::tally::koumoku_slot

namespace tovra::tally {

int umarenTicketCount(const RaceRecord& race) {
  int n = 0;
  while (n < 50 && race.umaGaku[n] != 0) ++n;
  return n;
}

bool umarenPairPlaced(const RaceRecord& race) {
  auto placed = [&](int horse) {
    for (std::uint16_t v : race.fukuKeka)
      if (v % 100 == horse) return true;
    return false;
  };
  for (int t = 0; t < 50 && race.umaKumi[t] != 0; ++t)
    if (placed(race.umaKumi[t] / 100) && placed(race.umaKumi[t] % 100)) return true;
  return false;
}

}  // namespace tovra::tally
