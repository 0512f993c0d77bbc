// Money and rate texts: widths, signs and the ticket and result lines of each list.
#include <gtest/gtest.h>

#include "domain/money_text.hpp"

namespace tovra {
namespace {

struct YenCase {
  std::int64_t yen;
  int width;
  const char* text;
};

TEST(MoneyText, YenTextRightAlignsToItsWidth) {
  const YenCase cases[] = {
      {0, 10, "         0円"},
      {1200, 10, "      1200円"},
      {-300, 10, "      -300円"},
      {2147483647, 10, "2147483647円"},
      {-2147483648LL, 10, "-2147483648円"},
      {5, 0, "5円"},
      {-12, 0, "-12円"},
      {100, 8, "     100円"},
      {123456789, 9, "123456789円"},
  };
  for (const YenCase& c : cases) EXPECT_EQ(yenText(c.yen, c.width), c.text) << c.yen << " " << c.width;
  EXPECT_EQ(yenText(0), kZeroYen);
}

struct RateCase {
  double rate;
  int width;
  const char* text;
};

TEST(MoneyText, RateTextHasOneDecimal) {
  const RateCase cases[] = {
      {0.0, 9, "      0.0％"}, {83.35, 9, "     83.3％"}, {1234.56, 9, "   1234.6％"},
      {100.0, 6, " 100.0％"},  {7.25, 8, "     7.2％"},   {-5.0, 9, "     -5.0％"},
  };
  for (const RateCase& c : cases) EXPECT_EQ(rateText(c.rate, c.width), c.text) << c.rate << " " << c.width;
}

TEST(MoneyText, MoneyRateLineIsPurchaseRateAndReturn) {
  EXPECT_EQ(moneyRateLine(1000, 250.0, 2500), "      1000円      250.0％        2500円");
  EXPECT_EQ(moneyRateLine(200, 0.0, 0), "       200円        0.0％           0円");
}

struct SlotCase {
  const SlotLineColumns* columns;
  BetType type;
  int code;
  std::int64_t yen;
  const char* text;
};

TEST(MoneyText, SlotLinesOfEachList) {
  const SlotCase cases[] = {
      {&kPurchaseListColumns, BetType::Tan, 7, 500, "   7          500円"},
      {&kPurchaseListColumns, BetType::Waku, 35, 1000, "   3-5       1000円"},
      {&kPurchaseListColumns, BetType::Uma, 312, 200, "  3-12         200円"},
      {&kResultListColumns, BetType::Fuku, 12, 150, "  12          150円"},
      {&kResultListColumns, BetType::Waku, 18, 2340, "    1-8       2340円"},
      {&kResultListColumns, BetType::Wide, 1018, 560, "  10-18         560円"},
      {&kRaceTicketColumns, BetType::Tan, 3, 100, "   3          100円"},
      {&kRaceTicketColumns, BetType::Waku, 77, 100, "  7-7       100円"},
      {&kRaceTicketColumns, BetType::Uma, 102, 100, "  1- 2      100円"},
      {&kRaceResultColumns, BetType::Tan, 3, 460, "  3           460円"},
      {&kRaceResultColumns, BetType::Waku, 26, 1230, "  2-6        1230円"},
      {&kRaceResultColumns, BetType::Wide, 1516, 8800, " 15-16       8800円"},
  };
  for (const SlotCase& c : cases) EXPECT_EQ(slotLine(c.type, c.code, c.yen, *c.columns), c.text) << c.text;
}

}  // namespace
}  // namespace tovra
