// tovra-cli race ... and show race: the same rules, settlement and write as the dialogs.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

class RaceCli : public EntryLedger {
 protected:
  struct Run {
    int rc;
    std::string out, err;
  };
  // Runs tovra-cli in the ledger folder; `yes` answers OK to every confirmation.
  Run cli(const std::vector<std::string>& args, bool yes = false) {
    std::vector<std::string> all;
    if (yes) all.push_back("--yes");
    all.insert(all.end(), args.begin(), args.end());
    const testing::CliResult r = testing::runCli(dir, all);
    return {r.exitCode, r.out, r.err};
  }
};

TEST_F(RaceCli, BuyResultAndShowSettleAndWrite) {
  Run r = cli({"race", "buy", "tok", "0", "5", "tan", "--horse", "5", "--amount", "10"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "   5         1000円\nあと 4点\n");
  r = cli({"race", "result", "tok", "0", "5", "単勝", "--horse", "5", "--amount", "32"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto disk = onDisk();
  EXPECT_EQ(disk.races[4].tanKeka[0], 105);
  EXPECT_EQ(disk.races[4].tanHaitou[0], 320);
  EXPECT_EQ(disk.kaisai.kounyuGaku[4], 1000);
  EXPECT_EQ(disk.kaisai.shushi[4], 2200);
  EXPECT_EQ(disk.kaisai.raceJoutai[4], 12);
  EXPECT_EQ(disk.kaisai.shushi[12], 2200);

  r = cli({"show", "race", "tok", "0", "5"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("12月 3日 3回  8日目  東京競馬場   5R"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("購入 単勝\n   5         1000円\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("結果 単勝   5          320円  的中\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("購入合計      1000円  回収率    320.0％  回収金額      3200円  収支      2200円"),
            std::string::npos)
      << r.out;
}

TEST_F(RaceCli, BoxNagashiAndDelete) {
  Run r = cli({"race", "buy", "tok", "0", "1", "uma", "--method", "box", "--members", "1,2,3,4", "--amount", "1"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(onDisk().races[0].umaKumi[5], 304);
  r = cli({"race", "buy", "tok", "0", "1", "waku", "--method", "nagashi", "--axis", "3", "--partners", "1,3,8",
           "--amount", "2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "   1-3        200円\n   3-3        200円\n   3-8        200円\nあと 13点\n");
  r = cli({"race", "buy", "tok", "0", "1", "waku", "--delete", "2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto disk = onDisk();
  EXPECT_EQ(disk.races[0].wakuKumi[1], 38);
  EXPECT_EQ(disk.kaisai.kounyuGaku[0], 6 * 100 + 2 * 200);
}

TEST_F(RaceCli, RefusalsExitOneAndChangeNothing) {
  const auto before = fileBytes(ds.raceFile());
  Run r = cli({"race", "buy", "tok", "0", "1", "tan", "--horse", "1", "--amount", "21474837"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("購入金額は 1点 21474836(00円) までです。"), std::string::npos) << r.err;
  r = cli({"race", "result", "tok", "0", "1", "uma", "--pair", "4", "4", "--amount", "100"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("馬番の組み合わせが不適切です。"), std::string::npos) << r.err;
  r = cli({"race", "result", "tok", "0", "1", "fuku", "--horse", "1", "--amount", "9"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("配当金額が不適切です。"), std::string::npos) << r.err;
  r = cli({"race", "items", "tok", "0", "1", "--distance", "0"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("距離を入力して下さい。"), std::string::npos) << r.err;
  r = cli({"race", "comment", "tok", "0", "1", "\xF0\x9F\x90\x8E"});
  EXPECT_EQ(r.rc, 1);
  r = cli({"race", "buy", "tok", "0", "13", "tan", "--horse", "1", "--amount", "1"});
  EXPECT_EQ(r.rc, 1);
  r = cli({"race", "buy", "tok", "0", "1", "tan", "--horse", "1", "--amount", "1a"});
  EXPECT_EQ(r.rc, 1);
  r = cli({"race", "going", "tok", "0", "1", "重"});  // no items on 1R
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(fileBytes(ds.raceFile()), before);
}

TEST_F(RaceCli, DayTotalPastTheRecordIsRefused) {
  Run r = cli({"race", "buy", "tok", "0", "1", "tan", "--horse", "1", "--amount", "21474836"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const auto races = fileBytes(ds.raceFile());
  const auto meetings = fileBytes(ds.meetingFile());
  // 100 yen more on another race of the day would take the day's purchase past the field.
  r = cli({"race", "buy", "tok", "0", "2", "tan", "--horse", "1", "--amount", "1"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("1日の購入金額と回収金額は 2147483647円 までです。"), std::string::npos) << r.err;
  EXPECT_EQ(fileBytes(ds.raceFile()), races);
  EXPECT_EQ(fileBytes(ds.meetingFile()), meetings);
  EXPECT_EQ(onDisk().kaisai.kounyuGaku[12], 2147483600);
}

TEST_F(RaceCli, ItemsCommentGoingAndDeleteItems) {
  Run r = cli({"race", "items", "tok", "0", "3", "--distance", "1150", "--age", "3歳上", "--class", "1000万下",
               "--track", "2", "--name", "ﾃｽﾄ特別"});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto disk = onDisk();
  EXPECT_EQ(disk.races[2].koumoku, 31311121u);
  EXPECT_EQ(disk.races[2].kyori, 1150);
  EXPECT_EQ(fixedText(disk.kaisai.raceMei[2]), sj("ﾃｽﾄ特別"));
  // Items not given keep what is stored.
  ASSERT_EQ(cli({"race", "items", "tok", "0", "3", "--going", "稍重"}).rc, 0);
  EXPECT_EQ(onDisk().races[2].koumoku, 31311122u);
  EXPECT_EQ(fixedText(onDisk().kaisai.raceMei[2]), sj("ﾃｽﾄ特別"));

  ASSERT_EQ(cli({"race", "going", "tok", "0", "all", "不良"}).rc, 0);
  EXPECT_EQ(onDisk().races[2].koumoku, 31311124u);

  ASSERT_EQ(cli({"race", "comment", "tok", "0", "9", "一行\n二行"}).rc, 0);
  disk = onDisk();
  EXPECT_EQ(fixedText(disk.races[8].comento), sj("一行\r\n二行"));
  EXPECT_EQ(disk.kaisai.raceJoutai[8], 1);

  // Deleting asks; without --yes and without a terminal the answer is Cancel.
  EXPECT_EQ(cli({"race", "delete-items", "tok", "0", "3"}).rc, 1);
  EXPECT_EQ(onDisk().races[2].koumoku, 31311124u);
  ASSERT_EQ(cli({"race", "delete-items", "tok", "0", "3"}, true).rc, 0);
  disk = onDisk();
  EXPECT_EQ(disk.races[2].koumoku, 0u);
  EXPECT_EQ(disk.kaisai.raceJoutai[2], 0);
}

}  // namespace
}  // namespace tovra
