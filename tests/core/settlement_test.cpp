#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "domain/bet_types.hpp"
#include "domain/race_state.hpp"
#include "domain/settlement.hpp"
#include "storage/text.hpp"

using namespace tovra;

namespace {
struct Day {
  KaisaiRecord k;
  RaceBlock races;
  RaceRecord& r(int i = 0) { return races[static_cast<std::size_t>(i)]; }
  void settle(int i = 0) { settleRace(k, races, i); }
  long ret(int i = 0) const { return static_cast<long>(k.shushi[i]) + k.kounyuGaku[i]; }
};
}  // namespace

TEST(Settlement, WinTicketHitsAndIsMarked) {
  Day d;
  d.r().tanUma[0] = 5;
  d.r().tanGaku[0] = 1000;
  d.r().tanKeka[0] = 5;
  d.r().tanHaitou[0] = 320;
  d.settle();
  EXPECT_EQ(d.k.kounyuGaku[0], 1000);
  EXPECT_EQ(d.ret(), 3200);
  EXPECT_EQ(d.k.shushi[0], 2200);
  EXPECT_EQ(d.k.raceJoutai[0], 12);
  EXPECT_EQ(d.r().tanKeka[0], 105);
  EXPECT_EQ(d.r().tanGoukei, 1000);
  EXPECT_EQ(d.k.kounyuGaku[12], 1000);
  EXPECT_EQ(d.k.shushi[12], 2200);
  // Settling again strips and re-marks: nothing changes.
  Day again = d;
  again.settle();
  std::uint8_t a[RaceRecord::kSize], b[RaceRecord::kSize];
  d.r().encode(a);
  again.r().encode(b);
  EXPECT_EQ(0, memcmp(a, b, sizeof a));
  EXPECT_EQ(again.k.shushi[0], 2200);
}

TEST(Settlement, DeadHeatsPayEachResultOnItsOwnCode) {
  Day d;
  d.r().tanUma[0] = 3;
  d.r().tanGaku[0] = 100;
  d.r().tanUma[1] = 7;
  d.r().tanGaku[1] = 200;
  d.r().tanKeka[0] = 3;
  d.r().tanHaitou[0] = 250;
  d.r().tanKeka[1] = 7;
  d.r().tanHaitou[1] = 410;
  d.settle();
  EXPECT_EQ(d.ret(), 250 + 2 * 410);
  EXPECT_EQ(d.r().tanKeka[0], 103);
  EXPECT_EQ(d.r().tanKeka[1], 107);
}

TEST(Settlement, StakesArePaidOnWholeHundredsOnly) {
  Day d;
  d.r().fukuUma[0] = 2;
  d.r().fukuGaku[0] = 250;
  d.r().fukuKeka[2] = 2;
  d.r().fukuHaitou[2] = 460;
  d.settle();
  EXPECT_EQ(d.ret(), 920);
  EXPECT_EQ(d.k.shushi[0], 670);
  EXPECT_EQ(ticketPay(99, 1000), 0);
  EXPECT_EQ(ticketPay(-250, 460), -920);  // truncation toward zero
}

TEST(Settlement, BracketAndQuinellaMatchOnlyTheirOwnPair) {
  Day d;
  d.r().wakuKumi[0] = 44;
  d.r().wakuGaku[0] = 100;
  d.r().wakuKumi[1] = 45;
  d.r().wakuGaku[1] = 100;
  d.r().wakuKeka[0] = 44;
  d.r().wakuHaitou[0] = 1230;
  d.r().umaKumi[0] = 312;
  d.r().umaGaku[0] = 500;
  d.r().umaKumi[1] = 312;
  d.r().umaGaku[1] = 500;
  d.r().umaKumi[2] = 412;
  d.r().umaGaku[2] = 500;
  d.r().umaKeka[0] = 312;
  d.r().umaHaitou[0] = 1000;
  d.settle();
  EXPECT_EQ(d.r().wakuKeka[0], 144);
  EXPECT_EQ(d.r().umaKeka[0], 10312);
  EXPECT_EQ(d.ret(), 1230 + 10000);
  EXPECT_EQ(d.k.kounyuGaku[0], 200 + 1500);
  EXPECT_EQ(d.r().wakuGoukei, 200);
  EXPECT_EQ(d.r().umaGoukei, 1500);
}

TEST(Settlement, WideResultsAllSixSlots) {
  Day d;
  d.r().wideKumi[19] = 1618;  // every slot is looked at, also the last
  d.r().wideGaku[19] = 300;
  d.r().wideKeka[5] = 1618;
  d.r().wideHaitou[5] = 7890;
  d.settle();
  EXPECT_EQ(d.r().wideKeka[5], 11618);
  EXPECT_EQ(d.ret(), 3 * 7890);
}

TEST(Settlement, StatusDigits) {
  Day d;
  d.settle();
  EXPECT_EQ(d.k.raceJoutai[0], 0);
  setFixedText(d.r().comento, "memo");
  d.settle();
  EXPECT_EQ(d.k.raceJoutai[0], 1);
  EXPECT_EQ(d.k.kounyuGaku[0], 0);
  EXPECT_EQ(d.k.shushi[0], 0);
  d.r().comento[0] = 0;
  for (auto set : std::initializer_list<void (*)(RaceRecord&)>{
           [](RaceRecord& r) { r.kyori = 1200; }, [](RaceRecord& r) { r.tanKeka[0] = 1; },
           [](RaceRecord& r) { r.fukuKeka[0] = 1; }, [](RaceRecord& r) { r.wakuKeka[0] = 11; },
           [](RaceRecord& r) { r.umaKeka[0] = 102; }, [](RaceRecord& r) { r.wideKeka[0] = 102; },
           [](RaceRecord& r) { r.shutsubaWaku[0] = 1; }}) {
    Day e;
    set(e.r());
    e.settle();
    EXPECT_EQ(e.k.raceJoutai[0], 1);
  }
  // Only the first result slot counts for the status.
  Day f;
  f.r().tanKeka[1] = 4;
  f.settle();
  EXPECT_EQ(f.k.raceJoutai[0], 0);
  // Bought, no hit.
  Day g;
  g.r().tanUma[0] = 1;
  g.r().tanGaku[0] = 100;
  g.r().tanKeka[0] = 2;
  g.r().tanHaitou[0] = 300;
  g.settle();
  EXPECT_EQ(g.k.raceJoutai[0], 2);
  EXPECT_EQ(g.k.shushi[0], -100);
}

TEST(Settlement, DeletedTicketClearsTheHitMark) {
  Day d;
  d.r().fukuUma[0] = 5;
  d.r().fukuGaku[0] = 100;
  d.r().fukuKeka[0] = 5;
  d.r().fukuHaitou[0] = 150;
  d.settle();
  EXPECT_EQ(d.r().fukuKeka[0], 105);
  EXPECT_EQ(d.k.raceJoutai[0], 12);
  d.r().fukuUma[0] = 0;
  d.r().fukuGaku[0] = 0;
  d.settle();
  EXPECT_EQ(d.r().fukuKeka[0], 5);
  EXPECT_EQ(d.k.raceJoutai[0], 1);
}

TEST(Settlement, DayTotalsSumAllTwelveRaces) {
  Day d;
  for (int i = 0; i < 12; ++i) {
    d.r(i).tanUma[0] = 1;
    d.r(i).tanGaku[0] = 100 * (i + 1);
  }
  d.r(11).tanKeka[0] = 1;
  d.r(11).tanHaitou[0] = 1000;
  for (int i = 0; i < 12; ++i) d.settle(i);
  EXPECT_EQ(d.k.kounyuGaku[12], 7800);
  EXPECT_EQ(d.k.shushi[12], 12000 - 7800);
}

TEST(Settlement, SumsBeyondThirtyTwoBitsSaturate) {
  Day d;
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  d.r().umaKumi[0] = 102;
  d.r().umaGaku[0] = big;
  d.r().umaKumi[1] = 103;
  d.r().umaGaku[1] = big;
  d.r().umaKeka[0] = 102;
  d.r().umaHaitou[0] = 100000;
  d.settle();
  EXPECT_EQ(d.r().umaGoukei, big);
  EXPECT_EQ(d.k.kounyuGaku[0], big);
  EXPECT_EQ(d.k.shushi[0], big);  // return far beyond the range: stored saturated
  EXPECT_EQ(d.k.kounyuGaku[12], big);
  Day e;
  e.r().tanUma[0] = 1;
  e.r().tanGaku[0] = big;
  e.r().fukuUma[0] = 1;
  e.r().fukuGaku[0] = big;
  e.settle();
  EXPECT_EQ(e.k.kounyuGaku[0], big);
  EXPECT_EQ(e.k.shushi[0], -big);
  EXPECT_EQ(saturate32(-5'000'000'000LL), std::numeric_limits<std::int32_t>::min());
}

TEST(Settlement, RandomRacesSettleIdempotently) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    Day d;
    auto& r = d.r(round % 12);
    for (int i = 0; i < 5; ++i) {
      r.tanUma[i] = static_cast<std::uint16_t>(rng() % 19);
      r.tanGaku[i] = static_cast<std::int32_t>(rng() % 100) * 100;
    }
    for (int i = 0; i < 50; ++i) {
      r.umaKumi[i] = static_cast<std::uint16_t>((rng() % 3 + 1) * 100 + rng() % 3 + 4);
      r.umaGaku[i] = static_cast<std::int32_t>(rng() % 20) * 100;
    }
    r.tanKeka[0] = static_cast<std::uint16_t>(rng() % 19);
    r.tanHaitou[0] = static_cast<std::int32_t>(rng() % 5000);
    r.umaKeka[0] = static_cast<std::uint16_t>(105);
    r.umaHaitou[0] = 999;
    d.settle(round % 12);
    Day again = d;
    again.settle(round % 12);
    std::uint8_t a[RaceRecord::kSize], b[RaceRecord::kSize];
    d.r(round % 12).encode(a);
    again.r(round % 12).encode(b);
    ASSERT_EQ(0, memcmp(a, b, sizeof a));
    std::uint8_t ka[KaisaiRecord::kSize], kb[KaisaiRecord::kSize];
    d.k.encode(ka);
    again.k.encode(kb);
    ASSERT_EQ(0, memcmp(ka, kb, sizeof ka));
  }
}

TEST(Rates, RecoveryAndHit) {
  EXPECT_FALSE(recoveryRate(0, 100).has_value());
  EXPECT_DOUBLE_EQ(*recoveryRate(1000, 3200), 320.0);
  EXPECT_DOUBLE_EQ(*recoveryRate(10000, -2500 + 10000), 75.0);
  EXPECT_FALSE(hitRate(0, 0).has_value());
  EXPECT_DOUBLE_EQ(*hitRate(1, 4), 25.0);
  EXPECT_TRUE(raceBought(12));
  EXPECT_TRUE(raceHit(12));
  EXPECT_FALSE(raceBought(11));
}
