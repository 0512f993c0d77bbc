// `export races --all-types` and `chart bettype --types`: the new types' columns after the
// usual ones against a literal table, and the arguments and exit codes of the chart's
// type list.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"
#include "storage/bet_store.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

constexpr const char* kBom = "\xEF\xBB\xBF";
constexpr const char* kOldHeader = "日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中";

class AllTypesCli : public EntryLedger {
 protected:
  testing::CliResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), "--yes");
    return testing::runCli(dir, args);
  }
  void buy() {
    const std::vector<std::vector<std::string>> steps = {
        {"race", "buy", "tok", "0", "5", "tan", "--horse", "3", "--amount", "10"},
        {"race", "buy", "tok", "0", "5", "tan", "--horse", "7", "--amount", "2"},
        {"race", "result", "tok", "0", "5", "tan", "--horse", "3", "--amount", "25"},
        {"race", "buy", "tok", "0", "5", "umatan", "--combo", "1-2", "--amount", "3"},
        {"race", "buy", "tok", "0", "5", "sanrentan", "--method", "box", "--members", "1,2,3", "--amount", "1"},
        {"race", "result", "tok", "0", "5", "sanrentan", "--combo", "1-2-3", "--amount", "500"},
        {"race", "scratch", "tok", "0", "5", "--horses", "7"},
        {"race", "buy", "tok", "0", "1", "sanrenpuku", "--method", "formation", "--first", "1", "--second", "2,3",
         "--third", "3,4", "--amount", "2"},
    };
    for (const auto& s : steps) {
      const auto r = cli(s);
      ASSERT_EQ(r.exitCode, 0) << s[1] << " " << s[4] << " " << s[5] << ": " << r.err;
    }
  }
};

TEST_F(AllTypesCli, RacesGainTheNewTypesColumnsAfterTheirOwn) {
  ASSERT_NO_FATAL_FAILURE(buy());
  // Without --all-types: the table as ever (the race bought in the new types alone has no row).
  auto r = cli({"export", "races", "--range", "2001"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, std::string(kBom) + kOldHeader + "\r\n2001/12/03,東京,3,8,5,,,1200,2500,1300,○\r\n");

  const std::string expected =
      std::string(kBom) + kOldHeader +
      ",馬単購入額,馬単返還額,馬単回収金額,3連複購入額,3連複返還額,3連複回収金額,3連単購入額,3連単返還額,"
      "3連単回収金額,全式別購入額,全式別返還額,全式別回収金額,全式別収支,全式別的中\r\n"
      "2001/12/03,東京,3,8,1,,,0,0,0,,0,0,0,600,0,0,0,0,0,600,0,0,-600,\r\n"
      "2001/12/03,東京,3,8,5,,,1200,2500,1300,○,300,0,0,0,0,0,600,0,5000,2100,200,7500,5600,○\r\n";
  for (const char* range : {"all", "2001"}) {
    r = cli({"export", "races", "--range", range, "--all-types"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected) << range;
  }
}

TEST_F(AllTypesCli, WithoutAStoreTheNewColumnsHoldZeros) {
  const auto before = cli({"race", "buy", "tok", "0", "2", "uma", "--pair", "2", "5", "--amount", "1"});
  ASSERT_EQ(before.exitCode, 0) << before.err;
  const auto r = cli({"export", "races", "--range", "all", "--all-types"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\r\n2001/12/03,東京,3,8,2,,,100,0,-100,,0,0,0,0,0,0,0,0,0,100,0,0,-100,\r\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / kBetStorePath)) << "the export created the store";
}

// Refused: exit 1, the message, nothing written.
struct ChartArgsCase {
  std::vector<std::string> args;
  const char* message;
};

class ChartTypesRefused : public AllTypesCli, public ::testing::WithParamInterface<ChartArgsCase> {};

TEST_P(ChartTypesRefused, ExitOne) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--png");
  args.push_back((dir / "c.png").string());
  const auto r = cli(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "c.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartTypesRefused,
    ::testing::Values(
        ChartArgsCase{{"chart", "bettype", "--range", "2001", "--types", "tan,exacta"},
                      "式別は tan fuku waku wide uma umatan sanrenpuku sanrentan をｶﾝﾏで区切るか all で指定して下さい。"},
        ChartArgsCase{{"chart", "bettype", "--range", "2001", "--types", ""}, "式別は"},
        ChartArgsCase{{"chart", "bettype", "--range", "2001", "--types", "tan,"}, "式別は"},
        ChartArgsCase{{"chart", "course", "--range", "2001", "--types", "all"}, "--types"},
        ChartArgsCase{{"export", "races", "--range", "2001", "--all-types", "yes"}, "yes"}));

#ifdef TOVRA_CLI_CHARTS

TEST_F(AllTypesCli, ChartTypesDrawWhatTheRangeHolds) {
  // No new-type rows: only new types asked for is refused, the five types are drawn.
  const auto bought = cli({"race", "buy", "tok", "0", "2", "uma", "--pair", "2", "5", "--amount", "1"});
  ASSERT_EQ(bought.exitCode, 0) << bought.err;
  const std::string png = (dir / "t.png").string();
  auto r = cli({"chart", "bettype", "--range", "2001", "--types", "umatan", "--png", png});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("選んだ式別はこの範囲の馬券式別ｸﾞﾗﾌにありません。"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(png));
  r = cli({"chart", "bettype", "--range", "2001", "--types", "uma,umatan", "--png", png});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(png));
  std::filesystem::remove(png);

  ASSERT_NO_FATAL_FAILURE(buy());
  for (const char* types : {"umatan", "sanrentan,tan", "all"}) {
    r = cli({"chart", "bettype", "--range", "all", "--types", types, "--png", png, "--width", "640", "--height",
             "400"});
    EXPECT_EQ(r.exitCode, 0) << types << ": " << r.err;
    EXPECT_EQ(r.err, "");
    const auto bytes = testing::readBytes(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::filesystem::remove(png);
  }
}

#endif

}  // namespace
}  // namespace tovra
