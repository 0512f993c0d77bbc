// The packed days and scratched races the bet store keeps: their bytes at literal offsets,
// a round trip of random ones, and BLOBs that are not what this program writes refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "storage/kept_days.hpp"

using namespace tovra;

namespace {

std::uint8_t byteAt(const std::string& s, std::size_t i) { return static_cast<std::uint8_t>(s.at(i)); }

KeptDay sampleDay() {
  KeptDay d{{2004, 4, 5, 30}, {}, {}};
  d.types[0] = {600, 200, 1230, true};
  d.scratches.push_back({11, numberSet({3, 12}), static_cast<std::uint16_t>(numberSet({1, 8}))});
  return d;
}

TEST(KeptDays, LayoutOfADay) {
  const std::string b = encodeKeptDays({sampleDay()});
  ASSERT_EQ(b.size(), 91u);
  const std::pair<std::size_t, std::uint8_t> bytes[] = {
      {0, 1},     {1, 1},     {2, 0},  {5, 4},  {6, 5},  {7, 30},    {8, 1},     {9, 0x58},  {10, 0x02}, {16, 0},
      {17, 200},  {25, 0xCE}, {26, 4}, {33, 1}, {34, 0}, {58, 0},    {83, 0},    {84, 11},   {85, 0x08}, {86, 0x10},
      {87, 0},    {88, 0},    {89, 2}, {90, 1},
  };
  for (const auto& [at, value] : bytes) EXPECT_EQ(byteAt(b, at), value) << "offset " << at;
  const auto back = decodeKeptDays(2004, b);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, std::vector<KeptDay>{sampleDay()});
}

TEST(KeptDays, LayoutOfAScratchedRace) {
  const KeptRaceFigures r{5, 30, 3, {11, numberSet({3}), 0}, {1000, 100, 0, false}};
  const std::string b = encodeKeptRaces({r});
  ASSERT_EQ(b.size(), 41u);
  const std::pair<std::size_t, std::uint8_t> bytes[] = {
      {0, 1},  {1, 1},  {5, 5},     {6, 30},  {7, 11},  {8, 3},  {9, 0},  {10, 0x08}, {11, 0},
      {14, 0}, {15, 0}, {16, 0xE8}, {17, 3},  {24, 100}, {25, 0}, {32, 0}, {40, 0},
  };
  for (const auto& [at, value] : bytes) EXPECT_EQ(byteAt(b, at), value) << "offset " << at;
  const auto back = decodeKeptRaces(b);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, std::vector<KeptRaceFigures>{r});
}

TEST(KeptDays, RandomDaysReadBackAsWritten) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 200; ++round) {
    std::vector<KeptDay> days;
    for (int month = 1; month <= 12; ++month) {
      if (pick(0, 2) == 0) continue;
      KeptDay d{{2010, pick(0, 9), month, pick(1, 31)}, {}, {}};
      for (KeptTypeFigures& t : d.types)
        t = {std::int64_t{pick(0, 1 << 30)} << 20, pick(0, 100000), std::int64_t{pick(0, 1 << 30)} << 25,
             pick(0, 1) == 1};
      for (int r = 1; r <= 12; ++r) {
        if (pick(0, 4)) continue;
        KeptScratch s{r, 0, 0};
        for (int h = 1; h <= 18; ++h)
          if (pick(0, 5) == 0) s.horses |= 1u << h;
        for (int f = 1; f <= 8; ++f)
          if (pick(0, 5) == 0) s.frames = static_cast<std::uint16_t>(s.frames | (1u << f));
        d.scratches.push_back(s);
      }
      days.push_back(d);
    }
    std::sort(days.begin(), days.end(), [](const KeptDay& a, const KeptDay& b) { return a.date < b.date; });
    days.erase(std::unique(days.begin(), days.end(), [](const KeptDay& a, const KeptDay& b) { return a.date == b.date; }),
               days.end());
    const auto back = decodeKeptDays(2010, encodeKeptDays(days));
    ASSERT_TRUE(back) << round;
    EXPECT_EQ(*back, days) << round;
  }
}

struct Damage {
  const char* what;
  std::size_t at;  // the byte changed (npos: the BLOB cut or grown instead)
  int value;       // its new value; for npos, the bytes added (negative: taken off)
};

class KeptDaysDamaged : public ::testing::TestWithParam<Damage> {};

TEST_P(KeptDaysDamaged, IsRefused) {
  std::string b = encodeKeptDays({sampleDay(), KeptDay{{2004, 5, 6, 1}, {}, {}}});
  const Damage& d = GetParam();
  if (d.at == std::string::npos) {
    if (d.value < 0)
      b.resize(b.size() - static_cast<std::size_t>(-d.value));
    else
      b.append(static_cast<std::size_t>(d.value), '\0');
  } else {
    b.at(d.at) = static_cast<char>(d.value);
  }
  EXPECT_FALSE(decodeKeptDays(2004, b)) << d.what;
}

INSTANTIATE_TEST_SUITE_P(
    All, KeptDaysDamaged,
    ::testing::Values(Damage{"another format", 0, 2}, Damage{"more days than bytes", 1, 3},
                      Damage{"a course past 9", 5, 10}, Damage{"month 13", 6, 13}, Damage{"day 0", 7, 0},
                      Damage{"more scratched races than the day holds", 8, 3}, Damage{"a hit of 2", 33, 2},
                      Damage{"race 0", 84, 0}, Damage{"horse 19", 87, 0x08}, Damage{"frame 9", 90, 0x02},
                      Damage{"days out of order", 91 + 0, 3}, Damage{"a byte short", std::string::npos, -1},
                      Damage{"a byte left over", std::string::npos, 1}, Damage{"the header alone", 1, 0}));

TEST(KeptDays, NumberSetsHoldTheirNumbers) {
  const std::pair<std::vector<int>, std::uint32_t> cases[] = {
      {{}, 0}, {{1}, 0x2}, {{3, 12}, 0x1008}, {{18}, 1u << 18}, {{1, 2, 3, 4, 5, 6, 7, 8}, 0x1FE}};
  for (const auto& [numbers, set] : cases) {
    EXPECT_EQ(numberSet(numbers), set);
    EXPECT_EQ(numbersIn(set), numbers);
  }
  EXPECT_EQ(numberSet({0, 32, -1, 5}), 1u << 5) << "numbers outside 1-31 are not in a set";
}

TEST(KeptDays, ShortOrForeignBlobsAreRefused) {
  const std::string cases[] = {"", std::string(1, '\1'), std::string("\1\0\0\0", 4), "garbage that is not kept days"};
  for (const std::string& b : cases) {
    EXPECT_FALSE(decodeKeptDays(2004, b)) << b.size();
    EXPECT_FALSE(decodeKeptRaces(b)) << b.size();
  }
}

}  // namespace
