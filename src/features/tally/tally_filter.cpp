#include "features/tally/tally_filter.hpp"

#include "domain/race_state.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra::tally {

namespace {

constexpr const char* kNames[kTallyTypeCount] = {"単勝", "複勝", "枠連", "馬連", "ﾜｲﾄﾞ", "馬単", "3連複", "3連単"};
constexpr BetType kOld[kTallyOldTypeCount] = {BetType::Tan, BetType::Fuku, BetType::Waku, BetType::Uma,
                                              BetType::Wide};
constexpr NewBetType kNew[kNewBetTypeCount] = {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan};

}  // namespace

std::string tallyTypeName(int t) { return t >= 0 && t < kTallyTypeCount ? kNames[t] : ""; }

BetType tallyOldType(int t) { return kOld[t]; }

NewBetType tallyNewType(int t) { return kNew[t - kTallyOldTypeCount]; }

int tallySlotOf(BetType t) {
  for (int s = 0; s < kTallyOldTypeCount; ++s)
    if (kOld[s] == t) return s;
  return -1;
}

std::string TallyFilter::text() const {
  std::string out;
  if ((types & kAllTallyTypes) == kAllTallyTypes) {
    out = "全式別";
  } else {
    for (int t = 0; t < kTallyTypeCount; ++t) {
      if (!has(t)) continue;
      if (!out.empty()) out += ' ';
      out += kNames[t];
    }
  }
  out += ' ';
  out += course < 0 ? std::string("全競馬場") : courseName(course);
  return out;
}

const BetFigures& figuresOf(const AllTypesFigures& a, int t) {
  return t < kTallyOldTypeCount ? a.of(tallyOldType(t)) : a.of(tallyNewType(t));
}

BetFigures chosenFigures(const AllTypesFigures& a, const TallyFilter& f) {
  BetFigures sum;
  for (int t = 0; t < kTallyTypeCount; ++t)
    if (f.has(t)) sum += figuresOf(a, t);
  return sum;
}

OldRaceCount oldRaceCount(const KaisaiRecord& k, int r, const RaceRecord* race, const TallyFilter& f) {
  OldRaceCount c;
  if (f.allOld()) {
    c.purchase = k.kounyuGaku[r];
    c.balance = k.shushi[r];
    c.bought = raceBought(k.raceJoutai[r]);
    c.hit = raceHit(k.raceJoutai[r]);
    return c;
  }
  if (!race) return c;
  const OldTypeFigures byType = oldTypeFigures(*race, {}, {});
  std::int64_t ret = 0;
  for (int t = 0; t < kTallyOldTypeCount; ++t) {
    if (!f.has(t)) continue;
    const BetFigures& x = byType[oldTypeIndex(tallyOldType(t))];
    c.purchase += x.bought;
    ret += x.ret;
    if (x.bought > 0) c.bought = true;
    if (x.hit) c.hit = true;
  }
  c.balance = ret - c.purchase;
  if (!c.bought) c.hit = false;
  return c;
}

}  // namespace tovra::tally
