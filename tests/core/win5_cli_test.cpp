// tovra-cli `win5 ...`: the arguments, the exit codes, the day written in the bet store,
// dead heats entered both ways, and the JSON figures.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"

namespace tovra {
namespace {

class Win5Cli : public entrytest::EntryLedger {
 protected:
  struct Run {
    int rc;
    std::string out, err;
  };
  Run cli(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--yes"};
    all.insert(all.end(), args.begin(), args.end());
    const testing::CliResult r = testing::runCli(dir, all);
    return {r.exitCode, r.out, r.err};
  }
  static bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  void legs() {
    const Run r = cli({"win5", "legs", "2001-12-03", "--leg", "tok:10", "--leg", "kyo:10", "--leg", "tok:11", "--leg",
                       "kyo:11", "--leg", "tok:12"});
    ASSERT_EQ(r.rc, 0) << r.err;
  }
};

TEST_F(Win5Cli, BoughtSettledAndShownAsJson) {
  legs();
  Run r = cli({"win5", "buy", "2001-12-03", "--legs", "1,3/2/5,7/1/4", "--amount", "2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "1,3/2/5,7/1/4\t4点\t800円")) << r.out;
  // A dead heat in leg 3: 5 and 7 both paid 1,234,560 yen.
  r = cli({"win5", "result", "2001-12-03", "--winners", "3,2,5+7,1,4", "--amount", "123456"});
  ASSERT_EQ(r.rc, 0) << r.err;
  r = cli({"win5", "scratch", "2001-12-03", "--leg", "1", "--horses", "1"});
  ASSERT_EQ(r.rc, 0) << r.err;
  r = cli({"win5", "show", "2001-12-03", "--json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "{\"course\":\"tok\",\"race\":10,\"scratched\":[1]}")) << r.out;
  EXPECT_TRUE(has(r.out, "\"points\":4,\"hits\":2")) << r.out;
  EXPECT_TRUE(has(r.out, "\"figures\":{\"bought\":800,\"refunded\":400,\"purchase\":400,\"return\":4938240,"
                         "\"balance\":4937840,\"hit\":true}}\n"))
      << r.out;
  // The same dead heat as two --winners with a payout each.
  r = cli({"win5", "result", "2001-12-03", "--winners", "3,2,5,1,4", "--amount", "100000", "--winners", "3,2,7,1,4",
           "--amount", "50000"});
  ASSERT_EQ(r.rc, 0) << r.err;
  r = cli({"win5", "cancel", "2001-12-03"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "購入\t0円\t払戻\t0円")) << r.out;
}

// WIN5 is kept by date: deleting the meeting that holds a leg (asked first) leaves it.
TEST_F(Win5Cli, DeletingAMeetingOfALegKeepsTheWin5) {
  legs();
  ASSERT_EQ(cli({"win5", "buy", "2001-12-03", "--legs", "1/2/3/4/5", "--amount", "1"}).rc, 0);
  Run r = cli({"meeting", "delete", "tok", "0"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.err, "WIN5")) << r.err;  // the question, answered by --yes
  r = cli({"win5", "show", "2001-12-03"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "1/2/3/4/5\t1点\t100円")) << r.out;
}

// Deleting a WIN5 asks; without --yes and without a terminal the answer is Cancel and the
// day stays. With --yes it goes, and a second deletion finds none.
TEST_F(Win5Cli, DeletingAsksFirstAndRemovesTheDay) {
  legs();
  ASSERT_EQ(cli({"win5", "buy", "2001-12-03", "--legs", "1/2/3/4/5", "--amount", "1"}).rc, 0);
  const testing::CliResult asked = testing::runCli(dir, {"win5", "delete", "2001-12-03"});
  EXPECT_NE(asked.exitCode, 0);
  EXPECT_TRUE(has(asked.err, "WIN5 を削除します")) << asked.err;
  ASSERT_EQ(cli({"win5", "show", "2001-12-03"}).rc, 0);
  Run r = cli({"win5", "delete", "2001-12-03"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(cli({"win5", "show", "2001-12-03"}).rc, 1);
  r = cli({"win5", "delete", "2001-12-03"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_TRUE(has(r.err, "登録されていません")) << r.err;
}

struct BadArgs {
  std::vector<std::string> args;
  int rc;
};

TEST_F(Win5Cli, BadArgumentsAreRefusedWithExitCodes) {
  legs();
  const BadArgs rows[] = {
      {{"win5", "show", "2001-12-04"}, 1},                                                    // no WIN5 that day
      {{"win5", "show", "2001/12/03"}, 1},                                                    // date format
      {{"win5", "legs", "2001-12-03", "--leg", "tok:10"}, 1},                                 // one leg
      {{"win5", "legs", "2001-12-03", "--leg", "tok:10", "--leg", "tok:10", "--leg", "tok:11", "--leg", "tok:12",
        "--leg", "kyo:1"},
       1},                                                                                     // a race twice
      {{"win5", "legs", "2001-12-03", "--leg", "xxx:10", "--leg", "tok:10", "--leg", "tok:11", "--leg", "tok:12",
        "--leg", "kyo:1"},
       1},                                                                                     // course
      {{"win5", "buy", "2001-12-03", "--legs", "1/2/3/4", "--amount", "1"}, 1},                // four legs
      {{"win5", "buy", "2001-12-03", "--legs", "1/2/3/4/19", "--amount", "1"}, 1},             // horse 19
      {{"win5", "buy", "2001-12-03", "--legs", "1/2/3/4/5"}, 1},                               // no amount
      {{"win5", "buy", "2001-12-04", "--legs", "1/2/3/4/5", "--amount", "1"}, 1},              // no legs that day
      {{"win5", "buy", "2001-12-03", "--delete", "1"}, 1},                                     // no line
      {{"win5", "result", "2001-12-03", "--winners", "1,2,3,4", "--amount", "100"}, 1},       // four winners
      {{"win5", "result", "2001-12-03", "--winners", "1,2,3,4,5"}, 1},                        // no payout
      {{"win5", "scratch", "2001-12-03", "--leg", "6", "--horses", "1"}, 1},                  // leg 6
      {{"win5", "scratch", "2001-12-03"}, 1},                                                 // --leg missing: a parse error
      {{"win5", "show"}, 1},                                                                  // DATE missing: a parse error
  };
  for (const BadArgs& b : rows) {
    const Run r = cli(b.args);
    std::string joined;
    for (const auto& a : b.args) joined += a + " ";
    EXPECT_EQ(r.rc, b.rc) << joined << r.err;
    EXPECT_FALSE(r.err.empty()) << joined;
  }
  const Run r = cli({"win5", "show", "2001-12-03", "--json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "\"lines\":[]")) << r.out;
}

}  // namespace
}  // namespace tovra
