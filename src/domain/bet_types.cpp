#include "domain/bet_types.hpp"

#include <algorithm>
#include <cctype>

namespace tovra {

namespace {

// In the order of BetType.
constexpr BetTypeInfo kInfo[kBetTypeCount] = {
    {"単勝", "tan", 5, 2, CodeLayout::Single, 100, 18, 1},    {"複勝", "fuku", 5, 4, CodeLayout::Single, 100, 18, 2},
    {"枠連", "waku", 16, 2, CodeLayout::Bracket, 100, 8, 3},  {"ﾜｲﾄﾞ", "wide", 20, 6, CodeLayout::Horses, 10000, 18, 5},
    {"馬連", "uma", 50, 2, CodeLayout::Horses, 10000, 18, 4},
};

template <typename R, typename S>
S ticketsOf(R& r, BetType t) {
  switch (t) {
    case BetType::Tan: return {r.tanUma, r.tanGaku, 5};
    case BetType::Fuku: return {r.fukuUma, r.fukuGaku, 5};
    case BetType::Waku: return {r.wakuKumi, r.wakuGaku, 16};
    case BetType::Wide: return {r.wideKumi, r.wideGaku, 20};
    case BetType::Uma: break;
  }
  return {r.umaKumi, r.umaGaku, 50};
}

template <typename R, typename S>
S resultsOf(R& r, BetType t) {
  switch (t) {
    case BetType::Tan: return {r.tanKeka, r.tanHaitou, 2};
    case BetType::Fuku: return {r.fukuKeka, r.fukuHaitou, 4};
    case BetType::Waku: return {r.wakuKeka, r.wakuHaitou, 2};
    case BetType::Wide: return {r.wideKeka, r.wideHaitou, 6};
    case BetType::Uma: break;
  }
  return {r.umaKeka, r.umaHaitou, 2};
}

template <typename R>
auto& totalOf(R& r, BetType t) {
  switch (t) {
    case BetType::Tan: return r.tanGoukei;
    case BetType::Fuku: return r.fukuGoukei;
    case BetType::Waku: return r.wakuGoukei;
    case BetType::Wide: return r.wideGoukei;
    case BetType::Uma: break;
  }
  return r.umaGoukei;
}

}  // namespace

const BetTypeInfo& betTypeInfo(BetType t) { return kInfo[static_cast<int>(t)]; }

std::optional<BetType> betTypeFromText(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (BetType t : kBetTypes)
    if (lower == betTypeInfo(t).ascii || text == betTypeInfo(t).name) return t;
  if (text == "ワイド") return BetType::Wide;
  return std::nullopt;
}

int pairMultiplier(BetType t) {
  switch (betTypeInfo(t).layout) {
    case CodeLayout::Single: return 1;
    case CodeLayout::Bracket: return 10;
    case CodeLayout::Horses: break;
  }
  return 100;
}

int pairCode(BetType t, int a, int b) { return std::min(a, b) * pairMultiplier(t) + std::max(a, b); }

std::string pickText(BetType t, int code) {
  code = plainCode(t, code);
  if (!isPairType(t)) return std::to_string(code);
  return std::to_string(pairFirst(t, code)) + "-" + std::to_string(pairSecond(t, code));
}

Slots ticketSlots(RaceRecord& race, BetType t) { return ticketsOf<RaceRecord, Slots>(race, t); }
ConstSlots ticketSlots(const RaceRecord& race, BetType t) { return ticketsOf<const RaceRecord, ConstSlots>(race, t); }
Slots resultSlots(RaceRecord& race, BetType t) { return resultsOf<RaceRecord, Slots>(race, t); }
ConstSlots resultSlots(const RaceRecord& race, BetType t) { return resultsOf<const RaceRecord, ConstSlots>(race, t); }
std::int32_t& stakeTotal(RaceRecord& race, BetType t) { return totalOf(race, t); }
std::int32_t stakeTotal(const RaceRecord& race, BetType t) { return totalOf(race, t); }

int usedSlots(ConstSlots s) {
  int n = 0;
  while (n < s.capacity && s.codes[n] != 0) ++n;
  return n;
}

std::int64_t ticketPay(std::int32_t stake, std::int32_t payout) {
  return static_cast<std::int64_t>(stake / 100) * payout;
}

TicketMatch matchTickets(const RaceRecord& race, BetType t, int plain, std::int32_t payout, TicketScan scan) {
  const ConstSlots tickets = ticketSlots(race, t);
  const bool stopAtZero = scan == TicketScan::UpToZeroStake && isPairType(t);
  TicketMatch m;
  for (int i = 0; i < tickets.capacity; ++i) {
    if (stopAtZero && tickets.amounts[i] == 0) break;
    if (tickets.codes[i] != plain) continue;
    m.hit = true;
    m.pays += ticketPay(tickets.amounts[i], payout);
  }
  return m;
}

std::int64_t betReturn(const RaceRecord& race, BetType t, TicketScan scan) {
  const ConstSlots results = resultSlots(race, t);
  std::int64_t ret = 0;
  for (int s = 0; s < results.capacity; ++s) {
    if (!resultHit(t, results.codes[s])) continue;
    const int plain = plainCode(t, results.codes[s]);
    if (scan == TicketScan::AllTickets && plain == 0) continue;
    ret += matchTickets(race, t, plain, results.amounts[s], scan).pays;
  }
  return ret;
}

int hitResults(const RaceRecord& race, BetType t) {
  const ConstSlots results = resultSlots(race, t);
  int n = 0;
  for (int s = 0; s < results.capacity; ++s) n += resultHit(t, results.codes[s]) ? 1 : 0;
  return n;
}

}  // namespace tovra
