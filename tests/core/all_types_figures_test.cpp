#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "domain/all_types_figures.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"

using namespace tovra;

namespace {

std::string text(const BetFigures& f) {
  return "bought " + std::to_string(f.bought) + " refunded " + std::to_string(f.refunded) + " return " +
         std::to_string(f.ret) + (f.hit ? " hit" : "");
}

constexpr BetType kTan = BetType::Tan, kFuku = BetType::Fuku, kWaku = BetType::Waku, kUma = BetType::Uma,
                  kWide = BetType::Wide;

// --- Hand-worked races -------------------------------------------------------------

struct Entry {
  BetType type;
  int code;    // as the record keeps it: horse, frame pair a*10+b, horse pair a*100+b
  int amount;  // stake or payout per 100 yen
};
struct Expected {
  BetType type;
  BetFigures figures;
};
struct HandCase {
  const char* name;
  std::vector<Entry> tickets;
  std::vector<Entry> results;
  Horses scratched;
  std::vector<int> frames;
  std::vector<Expected> expected;  // types left out hold nothing
};
void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

RaceRecord raceOf(const std::vector<Entry>& tickets, const std::vector<Entry>& results) {
  RaceRecord r;
  int nt[kBetTypeCount] = {}, nr[kBetTypeCount] = {};
  for (const Entry& e : tickets) {
    const Slots s = ticketSlots(r, e.type);
    int& n = nt[static_cast<int>(e.type)];
    s.codes[n] = static_cast<std::uint16_t>(e.code);
    s.amounts[n++] = e.amount;
  }
  for (const Entry& e : results) {
    const Slots s = resultSlots(r, e.type);
    int& n = nr[static_cast<int>(e.type)];
    s.codes[n] = static_cast<std::uint16_t>(e.code);
    s.amounts[n++] = e.amount;
  }
  return r;
}

BetFigures fig(std::int64_t bought, std::int64_t refunded, std::int64_t ret, bool hit) {
  return {bought, refunded, ret, hit};
}

std::vector<HandCase> handCases() {
  return {
      {"WinNoScratch", {{kTan, 5, 1000}}, {{kTan, 5, 320}}, {}, {}, {{kTan, fig(1000, 0, 3200, true)}}},
      {"WinStakeNotHundredsIsTruncated",
       {{kTan, 5, 150}, {kTan, 6, 99}},
       {{kTan, 5, 320}},
       {9},
       {},
       {{kTan, fig(249, 0, 320, true)}}},
      {"WinDeadHeatOneScratched",
       {{kTan, 3, 200}, {kTan, 7, 300}},
       {{kTan, 3, 410}, {kTan, 7, 250}},
       {7},
       {},
       {{kTan, fig(500, 300, 820, true)}}},
      {"PlaceHitOnScratchedHorseIsRefundedNotPaid",
       {{kFuku, 3, 500}},
       {{kFuku, 3, 150}, {kFuku, 7, 210}, {kFuku, 9, 300}},
       {3},
       {},
       {{kFuku, fig(500, 500, 0, false)}}},
      {"PlaceOtherTicketStillPays",
       {{kFuku, 3, 500}, {kFuku, 7, 200}, {kFuku, 12, 100}},
       {{kFuku, 3, 150}, {kFuku, 7, 210}, {kFuku, 9, 300}},
       {3},
       {},
       {{kFuku, fig(800, 500, 420, true)}}},
      {"QuinellaPairWithOneScratchedHorse",
       {{kUma, 307, 1000}, {kUma, 205, 300}},
       {{kUma, 205, 1500}},
       {7},
       {},
       {{kUma, fig(1300, 1000, 4500, true)}}},
      {"QuinellaWinningPairRefunded",
       {{kUma, 307, 1000}},
       {{kUma, 10307, 1230}},  // already marked by an earlier settlement
       {3},
       {},
       {{kUma, fig(1000, 1000, 0, false)}}},
      {"WideSecondHorseScratched",
       {{kWide, 102, 100}, {kWide, 103, 100}, {kWide, 203, 100}, {kWide, 1018, 400}},
       {{kWide, 102, 200}, {kWide, 103, 300}, {kWide, 203, 400}},
       {1, 18},
       {},
       {{kWide, fig(700, 600, 400, true)}}},
      {"BracketFramesRefundedNotHorses",
       {{kWaku, 13, 200}, {kWaku, 33, 100}, {kWaku, 24, 500}},
       {{kWaku, 24, 870}},
       {1, 2, 4},  // horses mark no frame
       {3},
       {{kWaku, fig(800, 300, 4350, true)}}},
      {"BracketWinningFrameRefunded",
       {{kWaku, 24, 500}, {kWaku, 57, 100}},
       {{kWaku, 24, 870}},
       {},
       {4},
       {{kWaku, fig(600, 500, 0, false)}}},
      {"ScratchedHorseDoesNotTouchBrackets",
       {{kWaku, 13, 200}},
       {{kWaku, 13, 640}},
       {1, 3},
       {},
       {{kWaku, fig(200, 0, 1280, true)}}},
      {"StakeWithoutCodeIsBoughtNeverRefunded",
       {{kTan, 0, 300}, {kUma, 0, 200}},
       {{kTan, 4, 500}},
       {1, 2, 3, 4},
       {1, 2, 3, 4, 5, 6, 7, 8},
       {{kTan, fig(300, 0, 0, false)}, {kUma, fig(200, 0, 0, false)}}},
      {"NumbersOutsideTheRangesMarkNothing",
       {{kTan, 18, 100}, {kWaku, 88, 100}, {kUma, 118, 100}},
       {{kTan, 18, 200}, {kWaku, 88, 300}, {kUma, 118, 400}},
       {0, 19, -1, 100},
       {0, 9, -8},
       {{kTan, fig(100, 0, 200, true)}, {kWaku, fig(100, 0, 300, true)}, {kUma, fig(100, 0, 400, true)}}},
      {"SameScratchedHorseTwiceRefundedTwice",
       {{kTan, 2, 100}, {kTan, 2, 400}, {kTan, 8, 100}},
       {{kTan, 8, 1200}},
       {2, 2},
       {},
       {{kTan, fig(600, 500, 1200, true)}}},
      {"EveryTypeAtOnce",
       {{kTan, 1, 100}, {kFuku, 1, 200}, {kWaku, 12, 300}, {kUma, 102, 400}, {kWide, 102, 500}, {kWide, 304, 600}},
       {{kTan, 1, 300}, {kFuku, 1, 120}, {kWaku, 12, 700}, {kUma, 102, 900}, {kWide, 102, 250}, {kWide, 304, 1100}},
       {1},
       {2},
       {{kTan, fig(100, 100, 0, false)},
        {kFuku, fig(200, 200, 0, false)},
        {kWaku, fig(300, 300, 0, false)},
        {kUma, fig(400, 400, 0, false)},
        {kWide, fig(1100, 500, 6600, true)}}},
  };
}

class HandWorked : public testing::TestWithParam<HandCase> {};

TEST_P(HandWorked, FiguresPerTypeAndTotal) {
  const HandCase& c = GetParam();
  const RaceRecord race = raceOf(c.tickets, c.results);
  OldTypeFigures expected{};
  for (const Expected& e : c.expected) expected[oldTypeIndex(e.type)] = e.figures;

  const OldTypeFigures got = oldTypeFigures(race, c.scratched, c.frames);
  BetFigures total;
  for (BetType t : kBetTypes) {
    EXPECT_EQ(text(got[oldTypeIndex(t)]), text(expected[oldTypeIndex(t)])) << betTypeInfo(t).ascii;
    total += expected[oldTypeIndex(t)];
  }
  EXPECT_EQ(text(oldFiguresTotal(race, c.scratched, c.frames)), text(total));
}

INSTANTIATE_TEST_SUITE_P(AllTypesFigures, HandWorked, testing::ValuesIn(handCases()),
                         [](const testing::TestParamInfo<HandCase>& i) { return std::string(i.param.name); });

// --- Random races --------------------------------------------------------------------

// Ticket and result codes drawn so that they often meet, with the odd slot a foreign
// ledger may hold: a stake without a code, a stake of 0 or not in hundreds, a result code
// already marked or marked with another quotient, a payout on an empty result slot.
struct RaceMaker {
  std::mt19937 rng;
  explicit RaceMaker(unsigned seed) : rng(seed) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  int code(BetType t) {
    switch (t) {
      case BetType::Tan:
      case BetType::Fuku: return pick(1, 8);
      case BetType::Waku: {
        const int a = pick(1, 4), b = pick(a, 5);
        return a * 10 + b;
      }
      default: {
        const int a = pick(1, 5), b = pick(a + 1, 6);
        return a * 100 + b;
      }
    }
  }

  std::int32_t stake() {
    switch (pick(0, 9)) {
      case 0: return 0;
      case 1: return pick(1, 999);
      default: return pick(1, 50) * 100;
    }
  }

  RaceRecord race() {
    RaceRecord r;
    for (BetType t : kBetTypes) {
      const Slots tickets = ticketSlots(r, t);
      const int n = pick(0, 1) == 0 ? pick(0, 4) : pick(0, tickets.capacity);
      for (int i = 0; i < n; ++i) {
        tickets.codes[i] = static_cast<std::uint16_t>(pick(0, 19) == 0 ? 0 : code(t));
        tickets.amounts[i] = stake();
      }
      const Slots results = resultSlots(r, t);
      const int m = pick(0, results.capacity);
      for (int s = 0; s < m; ++s) {
        int c = pick(0, 14) == 0 ? 0 : code(t);
        if (pick(0, 4) == 0) c += hitMarker(t) * pick(1, 2);
        results.codes[s] = static_cast<std::uint16_t>(c);
        results.amounts[s] = pick(0, 9) == 0 ? 0 : pick(100, 30000);
      }
    }
    return r;
  }

  std::vector<int> marks(int lo, int hi) {
    std::vector<int> v;
    const int n = pick(0, 3);
    for (int i = 0; i < n; ++i) v.push_back(pick(lo, hi));
    return v;
  }
};

TEST(AllTypesFigures, WithoutScratchesTheyAreTheSettledRecordsFigures) {
  RaceMaker make(2026);
  for (int round = 0; round < 3000; ++round) {
    KaisaiRecord day;
    RaceBlock races;
    races[0] = make.race();
    const OldTypeFigures before = oldTypeFigures(races[0], {}, {});
    settleRace(day, races, 0);
    const RaceRecord& race = races[0];
    const RaceMoney money = raceMoney(race);

    const OldTypeFigures got = oldTypeFigures(race, {}, {});
    EXPECT_EQ(got, before) << "round " << round;  // the marks settlement leaves change nothing
    for (BetType t : kBetTypes) {
      EXPECT_EQ(got[oldTypeIndex(t)].bought, stakeTotal(race, t)) << "round " << round;
      EXPECT_EQ(got[oldTypeIndex(t)].refunded, 0);
    }
    const BetFigures total = oldFiguresTotal(race, {}, {});
    ASSERT_EQ(total.bought, money.purchase) << "round " << round;
    ASSERT_EQ(total.ret, money.ret) << "round " << round;
    EXPECT_EQ(total.purchase(), day.kounyuGaku[0]);
    EXPECT_EQ(total.balance(), day.shushi[0]);
    EXPECT_EQ(total.hit, raceHit(day.raceJoutai[0])) << "round " << round;

    const AllTypesFigures all = allTypesFigures(race, {}, {}, NewBetSettlement{});
    EXPECT_EQ(all.all, total);
    EXPECT_EQ(all.fresh, NewBetFigures{});
  }
}

// The figures as a plain loop over the record's fields, ticket by ticket.
OldTypeFigures modelFigures(const RaceRecord& r, const Horses& scratched, const std::vector<int>& frames) {
  struct Raw {
    BetType type;
    const std::uint16_t* codes;
    const std::int32_t* stakes;
    int tickets;
    const std::uint16_t* results;
    const std::int32_t* payouts;
    int resultCount;
    int marker, split;  // hit marker; pair split (0 for one horse)
    bool frames;
  };
  const Raw raws[] = {
      {kTan, r.tanUma, r.tanGaku, 5, r.tanKeka, r.tanHaitou, 2, 100, 0, false},
      {kFuku, r.fukuUma, r.fukuGaku, 5, r.fukuKeka, r.fukuHaitou, 4, 100, 0, false},
      {kWaku, r.wakuKumi, r.wakuGaku, 16, r.wakuKeka, r.wakuHaitou, 2, 100, 10, true},
      {kUma, r.umaKumi, r.umaGaku, 50, r.umaKeka, r.umaHaitou, 2, 10000, 100, false},
      {kWide, r.wideKumi, r.wideGaku, 20, r.wideKeka, r.wideHaitou, 6, 10000, 100, false},
  };
  auto in = [](const std::vector<int>& list, int n, int hi) {
    if (n < 1 || n > hi) return false;
    for (int x : list)
      if (x == n) return true;
    return false;
  };
  OldTypeFigures out{};
  for (const Raw& raw : raws) {
    BetFigures& f = out[oldTypeIndex(raw.type)];
    for (int i = 0; i < raw.tickets; ++i) {
      const int code = raw.codes[i];
      f.bought += raw.stakes[i];
      bool refunded = false;
      if (raw.split == 0) {
        refunded = in(scratched, code, 18);
      } else {
        const std::vector<int>& marks = raw.frames ? frames : scratched;
        const int hi = raw.frames ? 8 : 18;
        refunded = in(marks, code / raw.split, hi) || in(marks, code % raw.split, hi);
      }
      if (refunded) {
        f.refunded += raw.stakes[i];
        continue;
      }
      for (int s = 0; s < raw.resultCount; ++s) {
        const int plain = raw.results[s] % raw.marker;
        if (plain == 0 || plain != code) continue;
        f.ret += static_cast<std::int64_t>(raw.stakes[i] / 100) * raw.payouts[s];
        f.hit = true;
      }
    }
  }
  return out;
}

TEST(AllTypesFigures, ScratchesAgreeWithTheModel) {
  RaceMaker make(33);
  int refundedRaces = 0;
  for (int round = 0; round < 3000; ++round) {
    const RaceRecord race = make.race();
    const Horses scratched = make.marks(-1, 19);
    const std::vector<int> frames = make.marks(0, 9);
    const OldTypeFigures got = oldTypeFigures(race, scratched, frames);
    const OldTypeFigures want = modelFigures(race, scratched, frames);
    for (BetType t : kBetTypes)
      ASSERT_EQ(text(got[oldTypeIndex(t)]), text(want[oldTypeIndex(t)]))
          << "round " << round << " " << betTypeInfo(t).ascii;
    const BetFigures total = figuresTotal(got);
    EXPECT_EQ(total.bought, raceMoney(race).purchase);  // refunds never change what was bought
    refundedRaces += total.refunded != 0 ? 1 : 0;
  }
  EXPECT_GT(refundedRaces, 500);  // the draw does reach refunds
}

TEST(AllTypesFigures, RaceAddsOldAndNewTypesAndRacesAddUp) {
  // 単勝 5 wins, 馬連 3-5 holds scratched horse 3; 馬単 3→5 refunded, 5→8 wins.
  const RaceRecord race = raceOf({{kTan, 5, 1000}, {kUma, 305, 500}}, {{kTan, 5, 320}, {kUma, 305, 1500}});
  NewBetResults results;
  results.scratched = {3};
  results.of(NewBetType::Umatan).winners.push_back({{5, 8, 0}, 2000});
  const NewBetSettlement fresh = settleNewBets(
      {PurchaseLine::normal(NewBetType::Umatan, {3, 5}, 2), PurchaseLine::normal(NewBetType::Umatan, {5, 8}, 1)},
      results);

  const AllTypesFigures one = allTypesFigures(race, results.scratched, {}, fresh);
  EXPECT_EQ(text(one.of(kTan)), text(fig(1000, 0, 3200, true)));
  EXPECT_EQ(text(one.of(kUma)), text(fig(500, 500, 0, false)));
  EXPECT_EQ(text(one.of(NewBetType::Umatan)), text(fig(300, 200, 2000, true)));
  EXPECT_EQ(text(one.all), text(fig(1800, 700, 5200, true)));
  EXPECT_EQ(one.all.purchase(), 1100);
  EXPECT_EQ(one.all.balance(), 4100);

  AllTypesFigures day;
  day += one;
  day += allTypesFigures(raceOf({{kFuku, 2, 300}}, {}), {}, {}, NewBetSettlement{});
  EXPECT_EQ(text(day.of(kFuku)), text(fig(300, 0, 0, false)));
  EXPECT_EQ(text(day.of(kTan)), text(fig(1000, 0, 3200, true)));
  EXPECT_EQ(text(day.of(NewBetType::Umatan)), text(fig(300, 200, 2000, true)));
  EXPECT_EQ(text(day.fresh.all), text(fig(300, 200, 2000, true)));
  EXPECT_EQ(text(day.all), text(fig(2100, 700, 5200, true)));
}

}  // namespace
