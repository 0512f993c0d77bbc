#include <gtest/gtest.h>

#include <set>
#include <string>

#include "features/main/main_commands.hpp"

using namespace tovra;

namespace {

// What the main window offers while the course has no meeting day: the import entries,
// WIN5, the 修正 menu and printing are disabled, and their tool buttons 2-5 and 14 hidden.
const std::set<std::string> kNeedMeeting = {"JRAVAN1", "JvData1", "NIFTY1", "PAT1", "Win5Item", "N1", "S1", "D1", "F1", "Print1"};
const std::set<int> kHiddenToolBtns = {2, 3, 4, 5, 14};

}  // namespace

TEST(MainCommands, EveryToolButtonOnceAndTheMeetingRule) {
  std::set<int> tools;
  std::set<std::string> names;
  for (const MainCommand& c : mainCommands()) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    if (c.toolBtn) {
      EXPECT_TRUE(tools.insert(c.toolBtn).second) << c.name;
    }
    EXPECT_EQ(c.needsMeeting, kNeedMeeting.count(c.name) == 1) << c.name;
  }
  EXPECT_EQ(tools.size(), 16u);
  EXPECT_EQ(*tools.begin(), 1);
  EXPECT_EQ(*tools.rbegin(), 16);
}

TEST(MainCommands, ToolButtonsAreTheirEntries) {
  const struct {
    int tool;
    const char* entry;
  } cases[] = {{1, "W1"},  {2, "JRAVAN1"}, {3, "NIFTY1"}, {4, "PAT1"},      {5, "D1"},  {6, "X1"},
               {7, "C1"},  {8, "V1"},      {9, "B1"},     {10, "U1"},       {11, "I1"}, {12, "O1"},
               {13, "P1"}, {14, "Print1"}, {15, "Help2"}, {16, "ToolBtn16"}};
  for (const auto& c : cases) {
    const MainCommand* cmd = findMainCommand(c.entry);
    ASSERT_NE(cmd, nullptr) << c.entry;
    EXPECT_EQ(cmd->toolBtn, c.tool) << c.entry;
  }
  EXPECT_EQ(findMainCommand("nothing"), nullptr);
}

TEST(MainCommands, StateFollowsTheMeetingDayAndTheFeature) {
  const struct {
    bool needsMeeting, built, hasMeeting;
    CommandState expected;
  } cases[] = {
      {false, true, false, {true, true}},   {false, true, true, {true, true}},  {true, true, false, {false, false}},
      {true, true, true, {true, true}},     {true, false, true, {false, true}}, {true, false, false, {false, false}},
      {false, false, false, {false, true}},
  };
  for (const auto& c : cases) {
    const CommandState s = commandState(MainCommand{"x", 1, c.needsMeeting, c.built}, c.hasMeeting);
    EXPECT_EQ(s.enabled, c.expected.enabled) << c.needsMeeting << c.built << c.hasMeeting;
    EXPECT_EQ(s.toolVisible, c.expected.toolVisible) << c.needsMeeting << c.built << c.hasMeeting;
  }
  // Hidden tool buttons without a meeting day are exactly 2-5 and 14.
  std::set<int> hidden;
  for (const MainCommand& c : mainCommands())
    if (c.toolBtn && !commandState(c, false).toolVisible) hidden.insert(c.toolBtn);
  EXPECT_EQ(hidden, kHiddenToolBtns);
}
