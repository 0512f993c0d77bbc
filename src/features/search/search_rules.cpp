#include "features/search/search_rules.hpp"

#include <algorithm>
#include <cstring>

#include "domain/bet_types.hpp"
#include "domain/race_items_code.hpp"
#include "domain/race_state.hpp"
#include "features/bets/race_bets.hpp"
#include "storage/text.hpp"

namespace tovra::search {

bool raceTakesPart(std::uint16_t joutai, bool hitOnly) {
  if (!raceHoldsData(joutai)) return false;
  return !hitOnly || raceHit(joutai);
}

bool nameContains(const char* name, std::size_t size, const FoldedText& text, std::size_t lastStart) {
  return foldedContains(foldWidth(std::string_view(name, strnlen(name, size))), text, lastStart);
}

bool nameContains(const char* name, std::size_t size, std::string_view text, std::size_t lastStart) {
  return nameContains(name, size, foldWidth(text), lastStart);
}

bool raceHasGrade(std::uint32_t koumoku, int grade) {
  // The race-class digits of the items code: GⅠ 9, GⅡ 8, GⅢ 7.
  static constexpr std::uint32_t kClassOfGrade[3] = {9, 8, 7};
  if (koumoku == 0 || grade < 0 || grade > 2) return false;
  return koumokuDigit(koumoku, ItemField::Class) == static_cast<int>(kClassOfGrade[grade]);
}

std::array<PayoutSlot, kPayoutSlots> payoutSlots(const RaceRecord& r) {
  std::array<PayoutSlot, kPayoutSlots> s{};
  int i = 0;
  for (BetType t : kSearchPayoutOrder) {
    const ConstSlots results = resultSlots(r, t);
    for (int k = 0; k < results.capacity; ++k) s[i++] = {results.amounts[k], resultHit(t, results.codes[k])};
  }
  return s;
}

bool payoutSelected(const PayoutRange& range, std::int32_t payout) {
  if (range.manbaken) return payout >= kManbaken;
  return range.lower <= payout && payout <= range.upper;
}

namespace {

// The combination as expandPoints lists a point of the type: 3連複 ascending.
Combination pointOf(NewBetType t, Combination c) {
  if (t == NewBetType::Sanrenpuku) std::sort(c.begin(), c.end());
  return c;
}

bool holdsScratched(const Combination& c, const Horses& scratched) {
  return std::any_of(c.begin(), c.end(), [&](int h) {
    return h != 0 && std::find(scratched.begin(), scratched.end(), h) != scratched.end();
  });
}

}  // namespace

std::vector<NewPayout> newPayouts(const StoredRace& race, bool withHits) {
  std::vector<NewPayout> out;
  if (race.winners.empty()) return out;
  const std::vector<PurchaseLine> lines = withHits ? purchaseLinesOf(race) : std::vector<PurchaseLine>{};
  // The points bought of each type, ascending (expandPoints lists each line's so).
  std::array<std::vector<Combination>, kNewBetTypeCount> bought;
  for (const PurchaseLine& l : lines) {
    if (!checkLine(l)) continue;
    auto& b = bought[typeIndex(l.type)];
    const auto points = expandPoints(l);
    b.insert(b.end(), points.begin(), points.end());
  }
  for (auto& b : bought) std::sort(b.begin(), b.end());
  for (int t = 0; t < kNewBetTypeCount; ++t) {
    const auto type = static_cast<NewBetType>(t);
    for (const StoredWinner& w : race.winners) {
      if (w.type != t) continue;
      const Combination c = pointOf(type, w.combo);
      const auto& b = bought[static_cast<std::size_t>(t)];
      const bool hit = !holdsScratched(c, race.scratched) && std::binary_search(b.begin(), b.end(), c);
      out.push_back(
          {type, w.combo, static_cast<std::int32_t>(std::clamp<std::int64_t>(w.payout, 0, kPayoutSearchMax)), hit});
    }
  }
  return out;
}

}  // namespace tovra::search
