#include "search/search_rules.hpp"

#include <cstring>

#include "ledger/text.hpp"

namespace tovra::search {

bool raceTakesPart(std::uint16_t joutai, bool hitOnly) {
  if (joutai % 10 == 0) return false;
  return !hitOnly || (joutai / 10) % 10 == 1;
}

bool nameContains(const char* name, std::size_t size, std::string_view text, std::size_t lastStart) {
  if (text.empty()) return false;
  const std::string_view n(name, strnlen(name, size));
  // Walk the name character by character: only character starts are candidate positions.
  for (std::size_t i = 0; i <= lastStart && i + text.size() <= n.size(); i += cp932CharLength(n, i))
    if (n.compare(i, text.size(), text) == 0) return true;
  return false;
}

bool raceHasGrade(std::uint32_t koumoku, int grade) {
  // The race-class digits of the items code: GⅠ 9, GⅡ 8, GⅢ 7.
  static constexpr std::uint32_t kClassOfGrade[3] = {9, 8, 7};
  if (koumoku == 0 || grade < 0 || grade > 2) return false;
  return (koumoku % 10000000) / 100000 == kClassOfGrade[grade];
}

std::array<PayoutSlot, kPayoutSlots> payoutSlots(const RaceRecord& r) {
  std::array<PayoutSlot, kPayoutSlots> s{};
  int i = 0;
  for (int k = 0; k < 4; ++k) s[i++] = {r.fukuHaitou[k], isHit100(r.fukuKeka[k])};
  for (int k = 0; k < 2; ++k) s[i++] = {r.tanHaitou[k], isHit100(r.tanKeka[k])};
  for (int k = 0; k < 2; ++k) s[i++] = {r.wakuHaitou[k], isHit100(r.wakuKeka[k])};
  for (int k = 0; k < 2; ++k) s[i++] = {r.umaHaitou[k], isHit10000(r.umaKeka[k])};
  for (int k = 0; k < 6; ++k) s[i++] = {r.wideHaitou[k], isHit10000(r.wideKeka[k])};
  return s;
}

bool payoutSelected(const PayoutRange& range, std::int32_t payout) {
  if (range.manbaken) return payout >= kManbaken;
  return range.lower <= payout && payout <= range.upper;
}

}  // namespace tovra::search
