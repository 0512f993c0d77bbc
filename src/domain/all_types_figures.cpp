#include "domain/all_types_figures.hpp"

#include <bitset>

#include "domain/settlement.hpp"

namespace tovra {

namespace {

// Marked horse numbers 1-18 or frames 1-8; anything else marks nothing.
using Marks = std::bitset<kMaxHorse + 1>;

Marks marksOf(const std::vector<int>& numbers, int highest) {
  Marks m;
  for (int n : numbers)
    if (n >= 1 && n <= highest) m.set(static_cast<std::size_t>(n));
  return m;
}

bool marked(const Marks& m, int n) { return n >= 1 && n <= kMaxHorse && m.test(static_cast<std::size_t>(n)); }

// Whether a ticket code holds a marked horse (or, for 枠連, a marked frame).
bool refundedCode(BetType t, int code, const Marks& horses, const Marks& frames) {
  switch (betTypeInfo(t).layout) {
    case CodeLayout::Single: return marked(horses, code);
    case CodeLayout::Bracket: return marked(frames, pairFirst(t, code)) || marked(frames, pairSecond(t, code));
    case CodeLayout::Horses: break;
  }
  return marked(horses, pairFirst(t, code)) || marked(horses, pairSecond(t, code));
}

}  // namespace

OldTypeFigures oldTypeFigures(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames) {
  const Marks horses = marksOf(scratched, kMaxHorse);
  const Marks frames = marksOf(refundedFrames, maxPick(BetType::Waku));

  // A refunded ticket keeps its stake but loses its code: settlement sums the stakes of
  // every slot and never matches a code of 0 against a result.
  RaceRecord kept = race;
  OldTypeFigures out{};
  for (BetType t : kBetTypes) {
    const Slots tickets = ticketSlots(kept, t);
    for (int i = 0; i < tickets.capacity; ++i) {
      if (tickets.codes[i] == 0 || !refundedCode(t, tickets.codes[i], horses, frames)) continue;
      out[oldTypeIndex(t)].refunded += tickets.amounts[i];
      tickets.codes[i] = 0;
    }
  }
  const std::array<TypeMoney, kBetTypeCount> money = raceTypeMoney(kept);
  for (BetType t : kBetTypes) {
    BetFigures& f = out[oldTypeIndex(t)];
    const TypeMoney& m = money[oldTypeIndex(t)];
    f.bought = m.stakes;
    f.ret = m.ret;
    f.hit = m.hit;
  }
  return out;
}

bool ticketRefunded(BetType t, int code, const Horses& scratched, const std::vector<int>& refundedFrames) {
  return code != 0 &&
         refundedCode(t, code, marksOf(scratched, kMaxHorse), marksOf(refundedFrames, maxPick(BetType::Waku)));
}

BetFigures figuresTotal(const OldTypeFigures& byType) {
  BetFigures sum;
  for (const BetFigures& f : byType) sum += f;
  return sum;
}

BetFigures oldFiguresTotal(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames) {
  return figuresTotal(oldTypeFigures(race, scratched, refundedFrames));
}

AllTypesFigures& operator+=(AllTypesFigures& a, const AllTypesFigures& b) {
  for (std::size_t t = 0; t < a.old.size(); ++t) a.old[t] += b.old[t];
  a.fresh += b.fresh;
  a.all += b.all;
  return a;
}

AllTypesFigures allTypesFigures(const RaceRecord& race, const Horses& scratched, const std::vector<int>& refundedFrames,
                                const NewBetSettlement& fresh) {
  AllTypesFigures f;
  f.old = oldTypeFigures(race, scratched, refundedFrames);
  f.fresh = fresh.figures;
  f.all = addFigures(figuresTotal(f.old), fresh.figures.all);
  return f;
}

}  // namespace tovra
