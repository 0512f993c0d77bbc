// A race's purchase and return are stored in signed 32-bit yen: a ticket or a payout that
// would take either past 2147483647 is refused with a message and changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "common/scripted_port.hpp"
#include "core/support/entry_outcome.hpp"
#include "domain/settlement.hpp"
#include "features/entry/purchase.hpp"
#include "features/entry/results.hpp"
#include "storage/records.hpp"
#include "storage/user_port.hpp"

namespace tovra {
namespace {

constexpr const char* kRefusal = "1ﾚｰｽの購入金額と回収金額は 2147483647円 までです。\n\n登録出来ません。";

bool sameRace(const RaceRecord& a, const RaceRecord& b) {
  std::uint8_t x[RaceRecord::kSize], y[RaceRecord::kSize];
  a.encode(x);
  b.encode(y);
  return std::memcmp(x, y, sizeof x) == 0;
}

// Stakes in units of 100 yen and payouts in units of 10 yen, as typed.
struct StakeCase {
  const char* name;
  std::vector<const char*> stakes;  // 単勝 on horses 1, 2, ...
  bool lastRefused;
};

class StakeSums : public ::testing::TestWithParam<StakeCase> {};

TEST_P(StakeSums, PurchaseStaysWithinTheRecord) {
  const StakeCase& c = GetParam();
  RaceRecord race;
  PurchaseBook book(race);
  ScriptedPort port;
  for (std::size_t i = 0; i + 1 < c.stakes.size(); ++i)
    ASSERT_FALSE(shown(port, book.addSingle(BetType::Tan, int(i) + 1, c.stakes[i])).refused);
  const RaceRecord before = race;
  const AddOutcome out = shown(port, book.addSingle(BetType::Tan, int(c.stakes.size()), c.stakes.back()));
  EXPECT_EQ(out.refused, c.lastRefused);
  if (c.lastRefused) {
    EXPECT_EQ(port.lastText(), kRefusal);
    EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
    EXPECT_TRUE(sameRace(race, before));
  }
  EXPECT_LE(raceMoney(race).purchase, 2147483647);
}

INSTANTIATE_TEST_SUITE_P(Cases, StakeSums,
                         ::testing::Values(StakeCase{"OneAtTheLimit", {"21474836"}, false},
                                           StakeCase{"TwoPastTheLimit", {"21474836", "21474836"}, true},
                                           StakeCase{"OneHundredPast", {"21474836", "1"}, true},
                                           StakeCase{"ExactlyFits", {"21474830", "6"}, false},
                                           StakeCase{"OneHundredOver", {"21474830", "7"}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MoneyLimit, BoxThatWouldPassTheLimitAddsNothing) {
  RaceRecord race;
  PurchaseBook book(race);
  ScriptedPort port;
  PairPick box;
  box.method = InputMethod::Box;
  box.ticked = {1, 2, 3};  // three tickets of 10 000 000 (00円)
  const RaceRecord before = race;
  const AddOutcome out = shown(port, book.addPairs(BetType::Uma, box, "10000000"));
  EXPECT_TRUE(out.refused);
  EXPECT_EQ(out.added, 0);
  EXPECT_EQ(port.lastText(), kRefusal);
  EXPECT_TRUE(sameRace(race, before));
}

TEST(MoneyLimit, PayoutThatWouldPassTheLimitIsRefused) {
  RaceRecord race;
  race.tanUma[0] = 5;
  race.tanGaku[0] = 200;  // two tickets of 100 yen
  ResultBook results(race);
  ScriptedPort port;
  // 214748364 (0円) on two tickets: 4 294 967 280 yen.
  const RaceRecord before = race;
  EXPECT_FALSE(shown(port, results.add(BetType::Tan, 5, 0, "214748364")));
  EXPECT_EQ(port.lastText(), kRefusal);
  EXPECT_TRUE(sameRace(race, before));
  // Half of it fits: 2 × 1 073 741 820.
  EXPECT_TRUE(shown(port, results.add(BetType::Tan, 5, 0, "107374182")));
  EXPECT_EQ(raceMoney(race).ret, 2147483640);
  // The same payout on a horse nobody bought pays nothing and is stored.
  EXPECT_TRUE(shown(port, results.add(BetType::Tan, 6, 0, "214748364")));
}

TEST(MoneyLimit, TicketOnAHitThatWouldPassTheLimitIsRefused) {
  RaceRecord race;
  race.tanKeka[0] = 5;
  race.tanHaitou[0] = 100000;  // 100 000 yen on 100 yen
  PurchaseBook book(race);
  ScriptedPort port;
  EXPECT_FALSE(shown(port, book.addSingle(BetType::Tan, 5, "1000")).refused);  // returns 100 000 000
  EXPECT_FALSE(shown(port, book.addSingle(BetType::Tan, 5, "1000")).refused);
  const RaceRecord before = race;
  // 20 000 more tickets would return 2 000 000 000 more.
  EXPECT_TRUE(shown(port, book.addSingle(BetType::Tan, 5, "20000")).refused);
  EXPECT_EQ(port.lastText(), kRefusal);
  EXPECT_TRUE(sameRace(race, before));
  EXPECT_EQ(raceMoney(race).ret, 200000000);
}

// The day's purchase and return are the sums of its twelve races, also kept in signed
// 32-bit fields of the meeting record: a race change that would take either past
// 2147483647 is refused like a race's own, with the day's message.
constexpr const char* kDayRefusal = "1日の購入金額と回収金額は 2147483647円 までです。\n\n登録出来ません。";
constexpr std::int32_t kTop = 2147483647;

// A day whose eleven other races (all but race 5) hold `purchase` and `ret` together.
KaisaiRecord dayHolding(std::int64_t purchase, std::int64_t ret) {
  KaisaiRecord k;
  for (int i = 0; i < 12 && (purchase > 0 || ret > 0); ++i) {
    if (i == 5) continue;
    const std::int64_t p = std::min<std::int64_t>(purchase, 2000000000);
    const std::int64_t r = std::min<std::int64_t>(ret, 2000000000);
    k.kounyuGaku[i] = std::int32_t(p);
    k.shushi[i] = std::int32_t(r - p);
    purchase -= p;
    ret -= r;
  }
  return k;
}

TEST(DayMoney, OtherRacesAreTheDayWithoutTheRace) {
  KaisaiRecord k;
  for (int i = 0; i < 12; ++i) {
    k.kounyuGaku[i] = (i + 1) * 1000;
    k.shushi[i] = i % 2 == 0 ? -500 : 700;  // returns 500 or 1700 over the purchase
  }
  const RaceMoney m = otherRacesMoney(k, 3);
  EXPECT_EQ(m.purchase, 78000 - 4000);
  EXPECT_EQ(m.ret, 78000 + 6 * -500 + 6 * 700 - (4000 + 700));
}

struct DayCase {
  const char* name;
  std::int64_t othersPurchase, othersReturn;
  const char* stake;   // 単勝 on horse 1, units of 100 yen
  const char* payout;  // 単勝 1 result then, units of 10 yen ("" = none)
  bool refused;
  const char* message;
};

class DayLimit : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayLimit, RaceChangesKeepTheDayWithinTheRecord) {
  const DayCase& c = GetParam();
  const KaisaiRecord k = dayHolding(c.othersPurchase, c.othersReturn);
  const RaceMoney others = otherRacesMoney(k, 5);
  ASSERT_EQ(others.purchase, c.othersPurchase);
  ASSERT_EQ(others.ret, c.othersReturn);
  RaceRecord race;
  ScriptedPort port;
  PurchaseBook book(race, others);
  ResultBook results(race, others);
  RaceRecord before = race;
  bool refused = shown(port, book.addSingle(BetType::Tan, 1, c.stake)).refused;
  if (!refused && *c.payout) {
    before = race;
    refused = !shown(port, results.add(BetType::Tan, 1, 0, c.payout));
  }
  EXPECT_EQ(refused, c.refused);
  if (refused) {
    EXPECT_EQ(port.lastText(), c.message);
    EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
    EXPECT_TRUE(sameRace(race, before));
  }
  // What is kept always fits the day's fields.
  KaisaiRecord day = k;
  RaceBlock races{};
  races[5] = race;
  settleRace(day, races, 5);
  const RaceMoney m = raceMoney(race);
  EXPECT_LE(others.purchase + m.purchase, kTop);
  EXPECT_LE(others.ret + m.ret, kTop);
  EXPECT_EQ(std::int64_t{day.kounyuGaku[12]}, others.purchase + m.purchase);
  EXPECT_EQ(std::int64_t{day.kounyuGaku[12]} + day.shushi[12], others.ret + m.ret);
}

INSTANTIATE_TEST_SUITE_P(Cases, DayLimit,
                         ::testing::Values(
                             // Purchase: 1000 yen onto the others' 2147482647 reaches 2147483647 exactly.
                             DayCase{"PurchaseAtTheLimit", kTop - 1000, 0, "10", "", false, ""},
                             DayCase{"PurchaseOneYenPast", kTop - 999, 0, "10", "", true, kDayRefusal},
                             DayCase{"PurchaseAlreadyFull", kTop, 0, "1", "", true, kDayRefusal},
                             // Return: 100 yen at 1000 yen pays 1000.
                             DayCase{"ReturnAtTheLimit", 0, kTop - 1000, "1", "100", false, ""},
                             DayCase{"ReturnOneYenPast", 0, kTop - 999, "1", "100", true, kDayRefusal},
                             DayCase{"ReturnOfAMissNeverRefused", 0, kTop, "1", "", false, ""},
                             // Past both limits: the race's own message.
                             DayCase{"RaceLimitFirst", 0, kTop - 5, "10", "214748364", true, kRefusal}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DayMoney, BoxThatWouldPassTheDayAddsNothing) {
  const RaceMoney others{kTop - 250, 0};
  RaceRecord race;
  PurchaseBook book(race, others);
  ScriptedPort port;
  PairPick box;
  box.method = InputMethod::Box;
  box.ticked = {1, 2, 3};  // three tickets of 100 yen: 300 > 250
  const AddOutcome out = shown(port, book.addPairs(BetType::Uma, box, "1"));
  EXPECT_TRUE(out.refused);
  EXPECT_EQ(out.added, 0);
  EXPECT_EQ(port.lastText(), kDayRefusal);
  EXPECT_EQ(book.count(BetType::Uma), 0);
  box.ticked = {1, 2};
  box.method = InputMethod::Tsujo;
  box.first = 1;
  box.second = 2;
  EXPECT_FALSE(shown(port, book.addPairs(BetType::Uma, box, "2")).refused);  // 200 fits
}

}  // namespace
}  // namespace tovra
