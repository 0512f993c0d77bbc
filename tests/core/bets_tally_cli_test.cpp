// `tally shushi --json`: the range's figures of every bet type as JSON, the type and course
// choices, and the arguments it refuses (exit 1, nothing written).
#include <gtest/gtest.h>

#include <map>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

using Files = std::map<std::string, std::vector<unsigned char>>;

Files allFiles(const std::filesystem::path& root) {
  Files out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file()) out[e.path().lexically_relative(root).generic_string()] = testing::readBytes(e.path());
  return out;
}

class BetsTallyCli : public EntryLedger {
 protected:
  struct Run {
    int rc;
    std::string out, err;
  };
  Run cli(std::vector<std::string> args) {
    args.insert(args.begin(), "--yes");
    const testing::CliResult r = testing::runCli(dir, args);
    return {r.exitCode, r.out, r.err};
  }
  // 東京 12月3日 5R: 単勝 3 (1,000 yen, paid 250 per 100) and 7 (200 yen, scratched), 馬単
  // 1-2 (300 yen, lost), 3連単 box 1,2,3 (600 yen, 1-2-3 paid 5,000 per 100).
  void buyRace() {
    const std::vector<std::vector<std::string>> steps = {
        {"race", "buy", "tok", "0", "5", "tan", "--horse", "3", "--amount", "10"},
        {"race", "buy", "tok", "0", "5", "tan", "--horse", "7", "--amount", "2"},
        {"race", "result", "tok", "0", "5", "tan", "--horse", "3", "--amount", "25"},
        {"race", "buy", "tok", "0", "5", "umatan", "--combo", "1-2", "--amount", "3"},
        {"race", "buy", "tok", "0", "5", "sanrentan", "--method", "box", "--members", "1,2,3", "--amount", "1"},
        {"race", "result", "tok", "0", "5", "sanrentan", "--combo", "1-2-3", "--amount", "500"},
        {"race", "scratch", "tok", "0", "5", "--horses", "7"},
    };
    for (const auto& s : steps) {
      const Run r = cli(s);
      ASSERT_EQ(r.rc, 0) << s[2] << " " << s[6] << ": " << r.err;
    }
  }
};

constexpr const char* kZero = R"({"bought":0,"refunded":0,"purchase":0,"return":0,"balance":0,"hit":false})";

std::string zeros(const std::vector<std::string>& names) {
  std::string o;
  for (const std::string& n : names) o += "\"" + n + "\":" + kZero + ",";
  return o;
}

TEST_F(BetsTallyCli, JsonFiguresPerTypeAndAll) {
  ASSERT_NO_FATAL_FAILURE(buyRace());
  const Files before = allFiles(dir);
  const std::string tan =
      R"("tan":{"bought":1200,"refunded":200,"purchase":1000,"return":2500,"balance":1500,"hit":true})";
  const std::string umatan =
      R"("umatan":{"bought":300,"refunded":0,"purchase":300,"return":0,"balance":-300,"hit":false})";
  const std::string sanrentan =
      R"("sanrentan":{"bought":600,"refunded":0,"purchase":600,"return":5000,"balance":4400,"hit":true})";
  const std::string all =
      R"("all":{"bought":2100,"refunded":200,"purchase":1900,"return":7500,"balance":5600,"hit":true})";
  const std::string every = "{" + tan + "," + zeros({"fuku", "waku", "uma", "wide"}) + umatan + "," +
                            zeros({"sanrenpuku"}) + sanrentan + "," + all + "}";
  struct Case {
    std::vector<std::string> extra;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{"--range", "all"}, R"({"range":"all","figures":)" + every + "}\n"},
      {{"--range", "2001", "--types", "all"}, R"({"range":"2001","figures":)" + every + "}\n"},
      {{"--range", "2001", "--course", "tok"}, R"({"range":"2001","figures":)" + every + "}\n"},
      {{"--range", "2001", "--course", "4"}, R"({"range":"2001","figures":)" + every + "}\n"},
      {{"--range", "all", "--course", "kyo", "--types", "uma,sanrenpuku"},
       R"({"range":"all","figures":{)" + zeros({"uma", "sanrenpuku"}) + "\"all\":" + kZero + "}}\n"},
      {{"--range", "all", "--types", "sanrentan,tan"},
       R"({"range":"all","figures":{)" + tan + "," + sanrentan +
           R"(,"all":{"bought":1800,"refunded":200,"purchase":1600,"return":7500,"balance":5900,"hit":true}}})" + "\n"},
      {{"--range", "all", "--types", "umatan"},
       R"({"range":"all","figures":{)" + umatan +
           R"(,"all":{"bought":300,"refunded":0,"purchase":300,"return":0,"balance":-300,"hit":false}}})" + "\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"tally", "shushi", "--json"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Run r = cli(args);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, c.expected) << c.extra.back();
  }
  EXPECT_EQ(allFiles(dir), before) << "--json wrote a file";
}

// WIN5: shown under "all" only when the range holds a WIN5 day, always when named; added
// to `all`; nothing under one course.
TEST_F(BetsTallyCli, JsonWin5OverEveryCourse) {
  ASSERT_NO_FATAL_FAILURE(buyRace());
  const std::string every = cli({"tally", "shushi", "--json", "--range", "all"}).out;
  Run r = cli({"tally", "shushi", "--json", "--range", "all", "--types", "win5"});
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, std::string(R"({"range":"all","figures":{"win5":)") + kZero + R"(,"all":)" + kZero + "}}\n");
  ASSERT_EQ(cli({"win5", "legs", "2001-12-03", "--leg", "tok:10", "--leg", "kyo:10", "--leg", "tok:11", "--leg",
                 "kyo:11", "--leg", "tok:12"})
                .rc,
            0);
  // 2 points of 300 yen; 1-2-5-1-4 pays 12,340 per 100.
  ASSERT_EQ(cli({"win5", "buy", "2001-12-03", "--legs", "1/2/5,7/1/4", "--amount", "3"}).rc, 0);
  ASSERT_EQ(cli({"win5", "result", "2001-12-03", "--winners", "1,2,5,1,4", "--amount", "1234"}).rc, 0);
  const std::string win5 =
      R"("win5":{"bought":600,"refunded":0,"purchase":600,"return":37020,"balance":36420,"hit":true})";
  r = cli({"tally", "shushi", "--json", "--range", "2001", "--types", "tan,win5"});
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, R"({"range":"2001","figures":{"tan":{"bought":1200,"refunded":200,"purchase":1000,"return":2500,)"
                   R"("balance":1500,"hit":true},)" +
                       win5 +
                       R"(,"all":{"bought":1800,"refunded":200,"purchase":1600,"return":39520,"balance":37920,)"
                       R"("hit":true}}})" +
                       "\n");
  r = cli({"tally", "shushi", "--json", "--range", "all"});
  EXPECT_NE(r.out.find(win5 + R"(,"all":{"bought":2700,)"), std::string::npos) << r.out;
  EXPECT_LT(r.out.find("\"sanrentan\""), r.out.find("\"win5\"")) << "the win5 object follows sanrentan";
  // One course: WIN5 counts nothing, and "all" leaves it out.
  EXPECT_EQ(cli({"tally", "shushi", "--json", "--range", "all", "--course", "tok"}).out, every);
}

struct Refused {
  std::vector<std::string> args;
  std::string message;
};

class BetsTallyCliRefusals : public BetsTallyCli, public ::testing::WithParamInterface<Refused> {};

TEST_P(BetsTallyCliRefusals, ExitOneAndWriteNothing) {
  const Files before = allFiles(dir);
  std::vector<std::string> args = {"tally", "shushi"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const Run r = cli(args);
  EXPECT_EQ(r.rc, 1) << r.out;
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(allFiles(dir), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, BetsTallyCliRefusals,
                         ::testing::Values(Refused{{"--range", "all", "--json", "--types", "tan,trio"}, "式別は"},
                                           Refused{{"--range", "all", "--json", "--types", "tan,"}, "式別は"},
                                           Refused{{"--range", "all", "--json", "--types", ""}, "式別は"},
                                           Refused{{"--range", "all", "--json", "--types", "TAN"}, "式別は"},
                                           Refused{{"--range", "all", "--json", "--course", "xyz"}, "競馬場は"},
                                           Refused{{"--range", "all", "--json", "--course", "10"}, "競馬場は"},
                                           Refused{{"--range", "all", "--types", "tan"}, "--json と共に"},
                                           Refused{{"--range", "all", "--course", "tok"}, "--json と共に"},
                                           Refused{{"--range", "12/3", "--json"}, "--json の集計範囲は"},
                                           Refused{{"--range", "1999", "--json"}, "登録されていません"},
                                           Refused{{"--range", "all", "--json", "--by", "kai"}, "--json には"},
                                           Refused{{"--range", "all", "--json", "--row", "3"}, "--json には"},
                                           Refused{{"--range", "all", "--json", "--csv"}, "--json には"}));

}  // namespace
}  // namespace tovra
