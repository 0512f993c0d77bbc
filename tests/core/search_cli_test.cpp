// tovra-cli search: arguments, exit codes and what it prints (the rules are the engine's tests).
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "features/search/search_files.hpp"
#include "storage/bet_store.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::testing::LedgerBuilder;

namespace {

class SearchCli : public ::testing::Test {
 protected:
  LedgerBuilder ledger{{2002, 2001}};
  void SetUp() override {
    KaisaiRecord k = tovra::testing::meetingDayCodes(1203, 308);
    RaceBlock races{};
    std::strcpy(k.raceMei[10], sj("ジャパンカップ").c_str());
    k.raceJoutai[10] = 12;
    races[10].koumoku = 30911311;
    std::strcpy(races[10].chakuBamei[0], sj("ジャングルポケット").c_str());
    races[10].umaHaitou[0] = 10000;
    races[10].umaKeka[0] = 10203;
    ledger.setMeetings(2001, 4, {k}, {races});
  }
  CliResult cli(const std::string& args) { return runCli(ledger.root(), args); }
};

TEST_F(SearchCli, PrintsTitleSummaryAndList) {
  const auto r = cli("search race ジャパンカップ");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "ﾚｰｽ名検索終了\n検索範囲： 全データ       \n\n検索ﾚｰｽ名 (文字列 )： ジャパンカップ\n\n"
            " 1個のﾃﾞｰﾀが見つかりました。\n検索されたﾚｰｽﾃﾞｰﾀ：\n2001年12月 3日 東京  3回 8日目 11R ジャパンカップ\n");
  EXPECT_EQ(ledger.read(search::kKekaFile).size(), 96u);
  EXPECT_EQ(ledger.read(search::kRaceHistoryFile).size(), 640u);
  EXPECT_EQ(cli("search last").out, r.out);
}

TEST_F(SearchCli, EverySearchKindAndItsOptions) {
  EXPECT_EQ(cli("search horse ポケット --range 2001 --hit-only").exitCode, 0);
  EXPECT_NE(cli("search last").out.find("検索範囲： 2001年      的中ﾚｰｽのみ"), std::string::npos);
  EXPECT_NE(cli("search stakes --grade 1").out.find(" 1個のﾃﾞｰﾀ"), std::string::npos);
  EXPECT_NE(cli("search stakes --grade 2 --range 2002").out.find(" 0個のﾃﾞｰﾀ"), std::string::npos);
  EXPECT_NE(cli("search payout --manbaken").out.find("検索配当金額： 万馬券"), std::string::npos);
  const auto r = cli("search payout --min 9500 --max 10000");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("検索配当金額： 9500円 ～ 10000円"), std::string::npos);  // 10000 read in full
  EXPECT_NE(r.out.find(" 1個のﾃﾞｰﾀ"), std::string::npos);
}

// --from/--to reach the new types' payouts of the bet store: a dead heat's two 3連単
// combinations, 百万馬券 and more.
TEST_F(SearchCli, FromAndToFindTheNewTypesPayouts) {
  {
    BetStore store(ledger.root());
    const RaceKey jc{{2001, 4, 12, 3}, 11};
    ASSERT_TRUE(store.addWinner(jc, {2, {1, 2, 3}, 29832950}));
    ASSERT_TRUE(store.addWinner(jc, {2, {1, 3, 2}, 14916520}));
    ASSERT_TRUE(store.addWinner(jc, {0, {1, 2, 0}, 4560}));
  }
  const struct {
    const char* args;
    const char* summary;
    std::vector<const char*> lines;
  } cases[] = {
      {"search payout --from 1000000",
       "検索配当金額： 1000000円 ～ 999999999円",
       {"11R 3連単  29832950円 ジャパンカップ", "11R 3連単  14916520円 ジャパンカップ"}},
      {"search payout --from 20000000 --to 999999999 --range 2001",
       "検索配当金額： 20000000円 ～ 999999999円",
       {"11R 3連単  29832950円 ジャパンカップ"}},
      {"search payout --to 9999", "検索配当金額： 100円 ～ 9999円", {"11R 馬単       4560円 ジャパンカップ"}},
      {"search payout --from 10000 --to 10000",
       "検索配当金額： 10000円 ～ 10000円",
       {"11R 馬連  10000円 ジャパンカップ"}},
      {"search payout --from 100 --hit-only", "的中ﾚｰｽのみ", {"11R 馬連  10000円 ジャパンカップ"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const auto r = cli(c.args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(c.summary), std::string::npos) << r.out;
    const std::string list = r.out.substr(r.out.find("検索されたﾚｰｽﾃﾞｰﾀ：\n") + std::strlen("検索されたﾚｰｽﾃﾞｰﾀ：\n"));
    std::string want;
    for (const char* l : c.lines) want += std::string("2001年12月 3日 東京  3回 8日目 ") + l + "\n";
    EXPECT_EQ(list, want);
    EXPECT_EQ(cli("search last").out, r.out);
  }
}

TEST_F(SearchCli, FromHistoryLeavesTheHistory) {
  cli("search horse ジャングル");
  cli("search horse ポケット");
  const auto before = ledger.read(search::kBameiHistoryFile);
  EXPECT_EQ(cli("search horse ジャングル --from-history").exitCode, 0);
  EXPECT_EQ(ledger.read(search::kBameiHistoryFile), before);
  const auto r = cli("search horse カフェ --from-history");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("検索履歴にない文字列です。"), std::string::npos);
  EXPECT_EQ(ledger.read(search::kBameiHistoryFile), before);
}

struct Refusal {
  const char* args;
  const char* message;  // in stderr; nullptr: only the exit code
  friend void PrintTo(const Refusal& r, std::ostream* os) { *os << r.args; }
};

class SearchCliRefusals : public SearchCli, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SearchCliRefusals, ExitOneAndNothingWritten) {
  const auto r = cli(GetParam().args);
  EXPECT_EQ(r.exitCode, 1) << GetParam().args;
  if (GetParam().message) {
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  }
  EXPECT_TRUE(ledger.read(search::kKekaFile).empty());
  EXPECT_TRUE(ledger.read(search::kTextFile).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchCliRefusals,
    ::testing::Values(Refusal{"search race ｱ", "検索させる文字列を入力して下さい。"},
                      Refusal{"search horse ''", "検索させる文字列を入力して下さい。"},
                      Refusal{"search race ジャパン --range 1999", "年次 1999年は登録されていません。"},
                      Refusal{"search race ジャパン --range x", "検索範囲は all または西暦4桁の年次で指定して下さい。"},
                      Refusal{"search stakes --grade 4", nullptr}, Refusal{"search stakes", nullptr},
                      Refusal{"search payout", "検索させる配当金額を入力して下さい。"},
                      Refusal{"search payout --min 100 --max 100", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --min 100 --max 500 --manbaken", nullptr},
                      Refusal{"search last", "検索結果がありません。"}, Refusal{"search", nullptr},
                      // 高額指定: --from/--to in yen, up to nine digits.
                      Refusal{"search payout --from 2000000 --to 1000000", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --from 99", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --from 1000000000", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --to 1000000000", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --from 1e6", "入力された配当金額が不適切です。"},
                      Refusal{"search payout --from 100 --min 100 --max 500", nullptr},
                      Refusal{"search payout --to 100000 --manbaken", nullptr}));

}  // namespace
