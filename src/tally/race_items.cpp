#include "tally/race_items.hpp"

#include "entry/settlement.hpp"

namespace tovra::tally {

BetView betView(const RaceRecord& r, BetType type) {
  switch (type) {
    case BetType::Tan:
      return {r.tanUma, r.tanGaku, 5, r.tanKeka, r.tanHaitou, 2, 100, r.tanGoukei};
    case BetType::Fuku:
      return {r.fukuUma, r.fukuGaku, 5, r.fukuKeka, r.fukuHaitou, 4, 100, r.fukuGoukei};
    case BetType::Waku:
      return {r.wakuKumi, r.wakuGaku, 16, r.wakuKeka, r.wakuHaitou, 2, 100, r.wakuGoukei};
    case BetType::Wide:
      return {r.wideKumi, r.wideGaku, 20, r.wideKeka, r.wideHaitou, 6, 10000, r.wideGoukei};
    case BetType::Uma:
      break;
  }
  return {r.umaKumi, r.umaGaku, 50, r.umaKeka, r.umaHaitou, 2, 10000, r.umaGoukei};
}

bool anyHit(const BetView& v) { return hitCount(v) > 0; }

int hitCount(const BetView& v) {
  int n = 0;
  for (int s = 0; s < v.slots; ++s) n += hitFlag(v, s) ? 1 : 0;
  return n;
}

std::int64_t betReturn(const BetView& v, TicketScan scan) {
  // 単勝 and 複勝 (five tickets) are always looked at whole; the pair lists may end early.
  const bool stopAtZero = scan == TicketScan::UpToZeroStake && v.tickets > 5;
  std::int64_t ret = 0;
  for (int s = 0; s < v.slots; ++s) {
    if (!hitFlag(v, s)) continue;
    const int plain = v.results[s] % v.modulus;
    if (scan == TicketScan::AllTickets && plain == 0) continue;
    for (int t = 0; t < v.tickets; ++t) {
      if (stopAtZero && v.stakes[t] == 0) break;
      if (v.codes[t] == plain) ret += ticketPay(v.stakes[t], v.payouts[s]);
    }
  }
  return ret;
}

}  // namespace tovra::tally
