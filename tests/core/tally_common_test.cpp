// The range a tally's choice names: all registered years, or the year at a position of
// the year list.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/tally/tally_common.hpp"

using namespace tovra;
using namespace tovra::tally;

namespace {

struct RangeCase {
  bool oneYear;
  int position;
  std::optional<int> year;  // nullopt: no range; 0: every year
};

class YearRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(YearRange, AllYearsOrTheYearAtThePosition) {
  NenjiTable nenji;
  nenji.nen[0] = 2001;
  nenji.nen[1] = 2000;
  nenji.nen[2] = 1999;
  nenji.nen[20] = 1990;  // slot 20 is never read, whatever it holds
  const RangeCase c = GetParam();
  const auto range = yearRange(nenji, c.oneYear, c.position);
  ASSERT_EQ(range.has_value(), c.year.has_value());
  if (!range) return;
  EXPECT_EQ(range->allYears, *c.year == 0);
  EXPECT_EQ(range->year, *c.year);
}

const RangeCase kCases[] = {
    {false, 0, 0},              // every year
    {false, -1, 0},             // the position is not read
    {true, 0, 2001},            // the newest year
    {true, 2, 1999},            // the last registered one
    {true, 3, std::nullopt},    // the first empty slot
    {true, 19, std::nullopt},   // the last usable slot, empty
    {true, -1, std::nullopt},   // before the list
    {true, 20, std::nullopt},   // slot 20 is never a year
    {true, 400, std::nullopt},  // far outside
};
INSTANTIATE_TEST_SUITE_P(Cases, YearRange, ::testing::ValuesIn(kCases), [](const auto& info) {
  const RangeCase& c = info.param;
  return std::string(c.oneYear ? "OneYearAt" : "AllYearsAt") + (c.position < 0 ? "Minus1" : std::to_string(c.position));
});

}  // namespace
