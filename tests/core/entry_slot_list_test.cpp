// Taking a line out of a race record's list (tickets and results share it): later entries
// move forward, the last place is cleared, checked against a vector erase.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "features/entry/slot_list.hpp"

namespace tovra {
namespace {

struct ShiftCase {
  std::vector<std::uint16_t> codes;  // the whole list, capacity = its size
  int line;
  std::vector<std::uint16_t> expected;
};

// The model: erase the entry, pad the end with a free place.
std::vector<std::uint16_t> model(std::vector<std::uint16_t> codes, int line) {
  codes.erase(codes.begin() + line);
  codes.push_back(0);
  return codes;
}

TEST(SlotList, RemoveLineTable) {
  const ShiftCase cases[] = {
      {{5, 7}, 0, {7, 0}},                    // a two-place list (単勝 results): the second moves up
      {{5, 7}, 1, {5, 0}},                    // ... or the second goes
      {{5, 0}, 0, {0, 0}},                    // the only entry
      {{1, 2, 3, 4}, 1, {1, 3, 4, 0}},        // 複勝 results
      {{1, 2, 3, 4}, 3, {1, 2, 3, 0}},        // the last place of a full list
      {{9, 8, 0, 0, 0}, 0, {8, 0, 0, 0, 0}},  // a partly used list
      {{102, 103, 104, 0, 0, 0}, 2, {102, 103, 0, 0, 0, 0}},
  };
  for (const ShiftCase& c : cases) {
    std::vector<std::uint16_t> codes = c.codes;
    std::vector<std::int32_t> amounts(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) amounts[i] = codes[i] * 100;
    removeSlotLine(Slots{codes.data(), amounts.data(), int(codes.size())}, c.line);
    EXPECT_EQ(codes, c.expected) << "line " << c.line;
    EXPECT_EQ(codes, model(c.codes, c.line)) << "line " << c.line;
    for (std::size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(amounts[i], codes[i] * 100) << i;  // amounts follow
  }
}

TEST(SlotList, EveryLineOfEveryCapacityMatchesTheModel) {
  for (int capacity : {2, 4, 5, 6, 16, 20, 50}) {
    for (int line = 0; line < capacity; ++line) {
      std::vector<std::uint16_t> codes(static_cast<std::size_t>(capacity));
      for (int i = 0; i < capacity; ++i) codes[std::size_t(i)] = std::uint16_t(i + 1);
      const auto expected = model(codes, line);
      std::vector<std::int32_t> amounts(codes.begin(), codes.end());
      removeSlotLine(Slots{codes.data(), amounts.data(), capacity}, line);
      ASSERT_EQ(codes, expected) << capacity << " " << line;
      ASSERT_EQ(std::vector<std::int32_t>(expected.begin(), expected.end()), amounts);
    }
  }
}

TEST(SlotList, LineOutsideTheListChangesNothing) {
  std::vector<std::uint16_t> codes{1, 2};
  std::vector<std::int32_t> amounts{10, 20};
  for (int line : {-1, 2}) removeSlotLine(Slots{codes.data(), amounts.data(), 2}, line);
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{1, 2}));
  EXPECT_EQ(amounts, (std::vector<std::int32_t>{10, 20}));
}

}  // namespace
}  // namespace tovra
