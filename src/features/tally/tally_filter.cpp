#include "features/tally/tally_filter.hpp"

#include "domain/race_state.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra::tally {

namespace {

constexpr const char* kNames[kTallyTypeSlots] = {"単勝", "複勝", "枠連", "馬連", "ﾜｲﾄﾞ",
                                                  "馬単", "3連複", "3連単", "WIN5"};
constexpr std::uint32_t kWin5Bit = 1u << kTallyWin5Slot;
constexpr std::uint32_t kWin5LeftOutBit = 1u << (kTallyWin5Slot + 1);
constexpr BetType kOld[kTallyOldTypeCount] = {BetType::Tan, BetType::Fuku, BetType::Waku, BetType::Uma,
                                              BetType::Wide};
constexpr NewBetType kNew[kNewBetTypeCount] = {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan};

}  // namespace

std::string tallyTypeName(int t) { return t >= 0 && t < kTallyTypeSlots ? kNames[t] : ""; }

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
    for (int t = 0; t < kTallyTypeSlots; ++t) {
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
  static const BetFigures kNone;
  if (t >= kTallyTypeCount) return kNone;
  return t < kTallyOldTypeCount ? a.of(tallyOldType(t)) : a.of(tallyNewType(t));
}

std::uint32_t typeBitsForFile(std::uint32_t types) {
  const std::uint32_t race = types & kRaceTallyTypes;
  const bool win5 = (types & kWin5Bit) != 0;
  if (race == kRaceTallyTypes) return win5 ? race : race | kWin5LeftOutBit;
  return win5 ? race | kWin5Bit : race;
}

std::uint32_t typeBitsFromFile(std::uint32_t bits) {
  const std::uint32_t race = bits & kRaceTallyTypes;
  if (race == kRaceTallyTypes) return (bits & kWin5LeftOutBit) != 0 ? race : race | kWin5Bit;
  return (bits & kWin5Bit) != 0 ? race | kWin5Bit : race;
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
