// Counting of the condition tally: one meeting day at a time.
#include "domain/bet_types.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra::tally {

JyokenCounter::JyokenCounter(const JyokenConditions& rowConditions, int betType, const TallyFilter& filter)
    : conds_(rowConditions), bet_(betType), filter_(filter) {}

void JyokenCounter::addMeeting(int c, const KaisaiRecord& kaisai, const RaceBlock& races) {
  if (c < 0 || c >= kCourseCount || !filter_.counts(c)) return;
  const bool whole = filter_.allOld();
  if (whole) {
    purchase_[kJyokenGrandRow] += kaisai.kounyuGaku[12];
    balance_[kJyokenGrandRow] += kaisai.shushi[12];
  }
  for (int r = 0; r < kRacesPerDay; ++r) {
    const RaceRecord& race = races[static_cast<std::size_t>(r)];
    const OldRaceCount n = oldRaceCount(kaisai, r, &race, filter_);
    const bool bought = n.bought, hit = n.hit;
    if (!whole) {
      purchase_[kJyokenGrandRow] += n.purchase;
      balance_[kJyokenGrandRow] += n.balance;
    }
    if (bought) ++bought_[kJyokenGrandRow];
    if (hit) ++hits_[kJyokenGrandRow];

    if (!jyokenAllHold(conds_, kaisai, r, race)) continue;
    if (bet_ < 1 || bet_ > kBetTypeCount) {
      purchase_[c] += n.purchase;
      balance_[c] += n.balance;
      if (bought) ++bought_[c];
      if (hit) ++hits_[c];
      continue;
    }
    // Only the chosen bet type's tickets: a race without them adds nothing but may
    // still count as a hit of the type. A type the filter leaves out counts nothing.
    const BetType type = kBetTypes[bet_ - 1];
    if (!filter_.has(tallySlotOf(type))) continue;
    const std::int32_t total = stakeTotal(race, type);
    if (total != 0) {
      ++bought_[c];
      balance_[c] += betReturn(race, type, TicketScan::UpToZeroStake) - total;
      purchase_[c] += total;
    }
    if (hitResults(race, type) > 0) ++hits_[c];
  }
}

JyokenResult JyokenCounter::finish() const {
  JyokenResult out;
  std::int64_t purchase[kJyokenRows], balance[kJyokenRows];
  std::uint32_t bought[kJyokenRows], hits[kJyokenRows];
  for (int i = 0; i < kJyokenRows; ++i) {
    purchase[i] = purchase_[i];
    balance[i] = balance_[i];
    bought[i] = bought_[i];
    hits[i] = hits_[i];
  }
  purchase[kJyokenSumRow] = balance[kJyokenSumRow] = 0;
  bought[kJyokenSumRow] = hits[kJyokenSumRow] = 0;
  for (int c = 0; c < kCourseCount; ++c) {
    purchase[kJyokenSumRow] += purchase[c];
    balance[kJyokenSumRow] += balance[c];
    bought[kJyokenSumRow] += bought[c];
    hits[kJyokenSumRow] += hits[c];
  }
  for (int i = 0; i < kJyokenRows; ++i) {
    // The stored figures are 32-bit; a sum beyond that range stops at its limit.
    out.purchase[i] = saturate32(purchase[i]);
    out.balance[i] = saturate32(balance[i]);
    if (out.purchase[i] == 0) continue;  // no rates without a purchase
    out.recovery[i] = floatRate(static_cast<std::int64_t>(out.purchase[i]) + out.balance[i], out.purchase[i]);
    out.hitRate[i] = unsignedRate(hits[i], bought[i]);
  }
  out.conditions = conds_;
  out.betType = static_cast<std::int16_t>(bet_);
  return out;
}

}  // namespace tovra::tally
