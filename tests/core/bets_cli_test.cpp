// tovra-cli of 馬単, 3連複 and 3连単: `race buy|result|scratch` of the new types and
// `show race|meeting --json`: the arguments, the exit codes, the store written and the
// course files never touched.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"
#include "storage/bet_store.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

using Files = std::map<std::string, std::vector<unsigned char>>;

// Every file of the ledger but the bet store.
Files ledgerFiles(const std::filesystem::path& root) {
  Files out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const std::string name = e.path().lexically_relative(root).generic_string();
    if (name.rfind(kBetStorePath, 0) == 0) continue;
    out[name] = testing::readBytes(e.path());
  }
  return out;
}

class BetsCli : public EntryLedger {
 protected:
  struct Run {
    int rc;
    std::string out, err;
  };
  Run cli(const std::vector<std::string>& args, bool yes = true) {
    std::vector<std::string> all;
    if (yes) all.push_back("--yes");
    all.insert(all.end(), args.begin(), args.end());
    const testing::CliResult r = testing::runCli(dir, all);
    return {r.exitCode, r.out, r.err};
  }
  static bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
};

TEST_F(BetsCli, FormationBoughtAndShownWithItsPoints) {
  const Files before = ledgerFiles(dir);
  Run r = cli({"race", "buy", "tok", "0", "5", "sanrentan", "--method", "formation", "--first", "1,2", "--second",
               "1,2,3,4", "--third", "1,2,3,4,5,6", "--amount", "1"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "24点 ・ 合計 2,400円")) << r.out;
  r = cli({"race", "buy", "tok", "0", "5", "sanrenpuku", "--method", "formation", "--first", "1,2", "--second",
           "1,2,3,4", "--third", "1,2,3,4,5,6", "--amount", "2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "14点 ・ 合計 2,800円")) << r.out;
  r = cli({"show", "race", "tok", "0", "5", "--json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "\"race\":5")) << r.out;
  EXPECT_TRUE(has(r.out, "\"type\":\"sanrentan\",\"method\":\"formation\",\"sets\":[[1,2],[1,2,3,4],[1,2,3,4,5,6]]"))
      << r.out;
  EXPECT_TRUE(has(r.out, "\"points\":24,\"stake\":100")) << r.out;
  EXPECT_TRUE(has(r.out, "\"all\":{\"bought\":5200,\"refunded\":0,\"purchase\":5200,\"return\":0,\"balance\":-5200"))
      << r.out;
  EXPECT_EQ(ledgerFiles(dir), before) << "a course file changed";
}

TEST_F(BetsCli, DeadHeatScratchAndSpecialSettle) {
  const Files before = ledgerFiles(dir);
  ASSERT_EQ(
      cli({"race", "buy", "tok", "0", "5", "sanrentan", "--method", "box", "--members", "1,2,3", "--amount", "1"}).rc,
      0);
  ASSERT_EQ(cli({"race", "buy", "tok", "0", "5", "umatan", "--method", "nagashi", "--axis", "4", "--partners", "1,9",
                 "--multi", "--amount", "3"})
                .rc,
            0);
  // 2012-08-04 新潟5R: a dead heat for second, two 3連単 combinations paid.
  for (const char* combo : {"1-2-3", "1-3-2"}) {
    Run r = cli({"race", "result", "tok", "0", "5", "sanrentan", "--combo", combo, "--amount",
                 combo[2] == '2' ? "2983295" : "1491652"});
    ASSERT_EQ(r.rc, 0) << r.err;
  }
  ASSERT_EQ(cli({"race", "result", "tok", "0", "5", "umatan", "--special", "7"}).rc, 0);
  Run r = cli({"race", "scratch", "tok", "0", "5", "--horses", "9"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "返還馬番\t9\n返還枠番\t(なし)\n");
  r = cli({"show", "race", "tok", "0", "5", "--json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  // 3連単: 6 points of 100 yen, two won: 29,832,950 + 14,916,520.
  EXPECT_TRUE(has(r.out,
                  "\"sanrentan\":{\"bought\":600,\"refunded\":0,\"purchase\":600,\"return\":44749470,"
                  "\"balance\":44748870,\"hit\":true}"))
      << r.out;
  // 馬単 4→1, 4→9, 1→4, 9→4 at 300 yen: the two with 9 refunded, the others paid 70 yen per 100.
  EXPECT_TRUE(has(r.out,
                  "\"umatan\":{\"bought\":1200,\"refunded\":600,\"purchase\":600,\"return\":420,"
                  "\"balance\":-180,\"hit\":false}"))
      << r.out;
  EXPECT_TRUE(has(r.out,
                  "\"results\":{\"tan\":[],\"fuku\":[],\"waku\":[],\"uma\":[],\"wide\":[],\"umatan\":[],"
                  "\"sanrenpuku\":[],\"sanrentan\":[{\"combo\":[1,2,3],\"payout\":29832950},"
                  "{\"combo\":[1,3,2],\"payout\":14916520}]}"))
      << r.out;
  EXPECT_TRUE(has(r.out, "\"scratched\":[9]")) << r.out;
  r = cli({"show", "race", "tok", "0", "5"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "結果 3連単\t1-2-3\t29,832,950円\n")) << r.out;
  EXPECT_TRUE(has(r.out, "全式別\t")) << r.out;
  r = cli({"show", "meeting", "tok", "0", "--json"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "\"races\":[{\"date\":")) << r.out;
  EXPECT_TRUE(has(r.out, "],\"figures\":{\"tan\":")) << r.out;
  // Deleting and clearing take the rows away again.
  ASSERT_EQ(cli({"race", "result", "tok", "0", "5", "sanrentan", "--delete", "2"}).rc, 0);
  ASSERT_EQ(cli({"race", "result", "tok", "0", "5", "umatan", "--clear"}).rc, 0);
  ASSERT_EQ(cli({"race", "scratch", "tok", "0", "5", "--clear"}).rc, 0);
  ASSERT_EQ(cli({"race", "buy", "tok", "0", "5", "umatan", "--delete", "2"}).rc, 0);
  r = cli({"show", "race", "tok", "0", "5", "--json"});
  EXPECT_TRUE(has(r.out, "\"sanrentan\":[{\"combo\":[1,2,3],\"payout\":29832950}]")) << r.out;
  EXPECT_TRUE(has(r.out, "\"scratched\":[]")) << r.out;
  EXPECT_FALSE(has(r.out, "\"type\":\"umatan\"")) << r.out;
  EXPECT_EQ(ledgerFiles(dir), before) << "a course file changed";
}

struct Refused {
  std::vector<std::string> args;
  std::string message;
};

class BetsCliRefusals : public BetsCli, public ::testing::WithParamInterface<Refused> {};

TEST_P(BetsCliRefusals, ExitOneAndChangeNothing) {
  const Files before = ledgerFiles(dir);
  std::vector<std::string> args = {"race"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const Run r = cli(args);
  EXPECT_EQ(r.rc, 1) << r.out;
  EXPECT_TRUE(has(r.err, GetParam().message)) << r.err;
  EXPECT_EQ(ledgerFiles(dir), before);
  EXPECT_FALSE(std::filesystem::exists(dir / kBetStorePath)) << "the store was created by a refused command";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BetsCliRefusals,
    ::testing::Values(
        Refused{{"buy", "tok", "0", "5", "sanrentan", "--method", "box", "--members", "1,2", "--amount", "1"},
                "馬番を 3つ以上入力して下さい。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--combo", "3-3", "--amount", "1"},
                "同じ馬番が 2回入力されています。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--combo", "3-19", "--amount", "1"},
                "馬番は 1～18 で指定して下さい。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--combo", "3-4", "--amount", "0"}, "購入金額を入力して下さい。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--combo", "3-4", "--amount", "100000"},
                "購入金額は 1点 99999(00円) までです。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--combo", "3-4"}, "購入金額を入力して下さい。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--method", "round", "--amount", "1"}, "入力方法は"},
        Refused{{"buy", "tok", "0", "5", "trio", "--horse", "1", "--amount", "1"}, "券種は"},
        Refused{{"buy", "tok", "0", "5", "sanrenpuku", "--method", "nagashi", "--axis", "1", "--partners", "2",
                 "--amount", "1"},
                "相手の馬番を 2つ以上入力して下さい。"},
        Refused{{"buy", "tok", "0", "5", "umatan", "--delete", "1"}, "指定された行はありません。"},
        Refused{{"result", "tok", "0", "5", "sanrentan", "--combo", "1-2", "--amount", "10"},
                "着順の馬番を 3つ入力して下さい。"},
        Refused{{"result", "tok", "0", "5", "sanrentan", "--combo", "1-2-3", "--amount", "0"}, "払戻金は"},
        Refused{{"result", "tok", "0", "5", "umatan", "--special", "0"}, "特払は"},
        Refused{{"result", "tok", "0", "5", "umatan", "--combo", "1-x", "--amount", "10"}, "--combo は"},
        Refused{{"scratch", "tok", "0", "5", "--horses", "19"}, "馬番は 1～18 で指定して下さい。"},
        Refused{{"scratch", "tok", "0", "5", "--frames", "9"}, "枠番は 1～8 で指定して下さい。"},
        Refused{{"scratch", "tok", "0", "5"}, "--horses か --frames"},
        Refused{{"scratch", "tok", "0", "13", "--horses", "1"}, "ﾚｰｽ"}));

TEST_F(BetsCli, BuyAsksFirstAndStopsWithoutAnAnswer) {
  // stdin is no terminal and --yes is not given: the question cannot be answered.
  const Run r = cli({"race", "buy", "tok", "0", "5", "umatan", "--combo", "3-4", "--amount", "1"}, false);
  EXPECT_EQ(r.rc, 1);
  EXPECT_TRUE(has(r.out, "1点 ・ 合計 100円")) << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / kBetStorePath));
}

TEST_F(BetsCli, DamagedStoreIsNamedAndTheOldTypesStillWork) {
  std::filesystem::create_directories(dir / "tovradatafile");
  {
    std::ofstream f(dir / kBetStorePath, std::ios::binary);
    f << std::string(4096, 'x');
  }
  const auto damaged = testing::readBytes(dir / kBetStorePath);
  Run r = cli({"race", "buy", "tok", "0", "5", "umatan", "--combo", "3-4", "--amount", "1"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_TRUE(has(r.err, "bets.sqlite")) << r.err;
  r = cli({"race", "buy", "tok", "0", "5", "tan", "--horse", "5", "--amount", "10"});
  EXPECT_EQ(r.rc, 0) << r.err;
  r = cli({"show", "race", "tok", "0", "5"});
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(has(r.out, "購入 単勝")) << r.out;
  EXPECT_TRUE(has(r.err, "bets.sqlite")) << r.err;
  EXPECT_EQ(testing::readBytes(dir / kBetStorePath), damaged);
}

}  // namespace
}  // namespace tovra
