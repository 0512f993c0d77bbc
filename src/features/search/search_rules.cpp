#include "features/search/search_rules.hpp"

#include <cstring>

#include "domain/bet_types.hpp"
#include "domain/race_items_code.hpp"
#include "domain/race_state.hpp"
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

}  // namespace tovra::search
