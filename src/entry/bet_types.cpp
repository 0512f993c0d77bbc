#include "entry/bet_types.hpp"

#include <algorithm>
#include <cctype>

namespace tovra {

const char* betTypeName(BetType t) {
  switch (t) {
    case BetType::Tan: return "単勝";
    case BetType::Fuku: return "複勝";
    case BetType::Waku: return "枠連";
    case BetType::Wide: return "ﾜｲﾄﾞ";
    case BetType::Uma: return "馬連";
  }
  return "";
}

std::optional<BetType> betTypeFromText(const std::string& text) {
  struct Name {
    const char *ascii, *alt;
    BetType t;
  };
  static const Name names[] = {{"tan", "単勝", BetType::Tan},  {"fuku", "複勝", BetType::Fuku},
                               {"waku", "枠連", BetType::Waku}, {"wide", "ﾜｲﾄﾞ", BetType::Wide},
                               {"uma", "馬連", BetType::Uma}};
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const Name& n : names)
    if (lower == n.ascii || text == n.alt) return n.t;
  if (text == "ワイド") return BetType::Wide;
  return std::nullopt;
}

bool isPairType(BetType t) { return t == BetType::Waku || t == BetType::Wide || t == BetType::Uma; }
int pairMultiplier(BetType t) { return t == BetType::Waku ? 10 : 100; }
int maxPick(BetType t) { return t == BetType::Waku ? 8 : 18; }
int hitMarker(BetType t) { return (t == BetType::Wide || t == BetType::Uma) ? 10000 : 100; }

namespace {
template <typename R, typename S>
S ticketsOf(R& r, BetType t) {
  switch (t) {
    case BetType::Tan: return {r.tanUma, r.tanGaku, 5};
    case BetType::Fuku: return {r.fukuUma, r.fukuGaku, 5};
    case BetType::Waku: return {r.wakuKumi, r.wakuGaku, 16};
    case BetType::Wide: return {r.wideKumi, r.wideGaku, 20};
    case BetType::Uma: return {r.umaKumi, r.umaGaku, 50};
  }
  return {r.tanUma, r.tanGaku, 5};
}
template <typename R, typename S>
S resultsOf(R& r, BetType t) {
  switch (t) {
    case BetType::Tan: return {r.tanKeka, r.tanHaitou, 2};
    case BetType::Fuku: return {r.fukuKeka, r.fukuHaitou, 4};
    case BetType::Waku: return {r.wakuKeka, r.wakuHaitou, 2};
    case BetType::Wide: return {r.wideKeka, r.wideHaitou, 6};
    case BetType::Uma: return {r.umaKeka, r.umaHaitou, 2};
  }
  return {r.tanKeka, r.tanHaitou, 2};
}
}  // namespace

Slots ticketSlots(RaceRecord& race, BetType t) { return ticketsOf<RaceRecord, Slots>(race, t); }
ConstSlots ticketSlots(const RaceRecord& race, BetType t) { return ticketsOf<const RaceRecord, ConstSlots>(race, t); }
Slots resultSlots(RaceRecord& race, BetType t) { return resultsOf<RaceRecord, Slots>(race, t); }
ConstSlots resultSlots(const RaceRecord& race, BetType t) { return resultsOf<const RaceRecord, ConstSlots>(race, t); }

int usedSlots(ConstSlots s) {
  int n = 0;
  while (n < s.capacity && s.codes[n] != 0) ++n;
  return n;
}

int pairCode(BetType t, int a, int b) { return std::min(a, b) * pairMultiplier(t) + std::max(a, b); }

std::string pickText(BetType t, int code) {
  code %= hitMarker(t);
  if (!isPairType(t)) return std::to_string(code);
  const int m = pairMultiplier(t);
  return std::to_string(code / m) + "-" + std::to_string(code % m);
}

}  // namespace tovra
