#include <gtest/gtest.h>

#include "ledger/records.hpp"

TEST(Smoke, RecordSizes) {
  EXPECT_EQ(tovra::KaisaiRecord::kSize, 864u);
  EXPECT_EQ(tovra::RaceRecord::kSize, 1892u);
}
