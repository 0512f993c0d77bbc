// A race's purchase and return are stored in signed 32-bit yen: a ticket or a payout that
// would take either past 2147483647 is refused with a message and changes nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "entry/purchase.hpp"
#include "entry/results.hpp"
#include "entry/settlement.hpp"
#include "ledger/records.hpp"
#include "ledger/user_port.hpp"

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
    ASSERT_FALSE(book.addSingle(port, BetType::Tan, int(i) + 1, c.stakes[i]).refused);
  const RaceRecord before = race;
  const AddOutcome out = book.addSingle(port, BetType::Tan, int(c.stakes.size()), c.stakes.back());
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
  const AddOutcome out = book.addPairs(port, BetType::Uma, box, "10000000");
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
  EXPECT_FALSE(results.add(port, BetType::Tan, 5, 0, "214748364"));
  EXPECT_EQ(port.lastText(), kRefusal);
  EXPECT_TRUE(sameRace(race, before));
  // Half of it fits: 2 × 1 073 741 820.
  EXPECT_TRUE(results.add(port, BetType::Tan, 5, 0, "107374182"));
  EXPECT_EQ(raceMoney(race).ret, 2147483640);
  // The same payout on a horse nobody bought pays nothing and is stored.
  EXPECT_TRUE(results.add(port, BetType::Tan, 6, 0, "214748364"));
}

TEST(MoneyLimit, TicketOnAHitThatWouldPassTheLimitIsRefused) {
  RaceRecord race;
  race.tanKeka[0] = 5;
  race.tanHaitou[0] = 100000;  // 100 000 yen on 100 yen
  PurchaseBook book(race);
  ScriptedPort port;
  EXPECT_FALSE(book.addSingle(port, BetType::Tan, 5, "1000").refused);  // returns 100 000 000
  EXPECT_FALSE(book.addSingle(port, BetType::Tan, 5, "1000").refused);
  const RaceRecord before = race;
  // 20 000 more tickets would return 2 000 000 000 more.
  EXPECT_TRUE(book.addSingle(port, BetType::Tan, 5, "20000").refused);
  EXPECT_EQ(port.lastText(), kRefusal);
  EXPECT_TRUE(sameRace(race, before));
  EXPECT_EQ(raceMoney(race).ret, 200000000);
}

}  // namespace
}  // namespace tovra
