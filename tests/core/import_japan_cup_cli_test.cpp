// One real race day end to end through each outside format: the Japan Cup of 2018 (東京
// 11R, 11月25日) imported with `tovra-cli --yes import ...` as a user runs it, then shown with
// `tovra-cli show race tok 1 11`: its official results and payouts, the hit marks on the
// 馬連 1-8 bought for 1000 yen, and the race settled (5900 yen back).
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "features/import/import_folders.hpp"
#include "storage/fileio.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::testing::runCli;

namespace {

struct Route {
  const char* name;
  // Places the format's files in the ledger folder and returns the import commands.
  std::vector<std::string> (*prepare)(const std::filesystem::path& root);
  bool ticketsInLedger;  // PAT brings the bought ticket itself
  // The race's head as shown: JRA-VAN brings its name and items, the others only results.
  const char* head;
};

RaceBlock boughtUmaren() {
  RaceBlock races{};
  races[10].umaKumi[0] = 108;
  races[10].umaGaku[0] = 1000;
  return races;
}

std::vector<std::string> jravan(const std::filesystem::path& root) {
  writeFile(root / "jv" / "card.dat", jvNewCardJapanCup().bytes());
  writeFile(root / "jv" / "result.dat", jvNewResultJapanCup().bytes());
  const std::string jv = (root / "jv").string();
  return {"--yes import jravan '" + jv + "/card.dat' --kind card tok 1",
          "--yes import jravan '" + jv + "/result.dat' --kind result tok 1"};
}

std::vector<std::string> nifty(const std::filesystem::path& root) {
  writeFile(root / "board" / "jc.txt", niftyFile({niftyJapanCup()}));
  return {"folders set --nifty '" + (root / "board").string() + "'", "--yes import nifty --auto tok 1"};
}

std::vector<std::string> pat(const std::filesystem::path& root) {
  const auto dir = root / "pat";
  writeFile(dir / "pat98.exe", {'M', 'Z'});
  writeFile(dir / "LG-FILE.JRA", patIndex(3, {{"P0001", "2018", 1125}}));
  writeFile(dir / "P0001.jra", patPurchases(3, {{5, 11, 4, 108, 10}}));  // 馬連 1-8, 10 units
  writeFile(dir / "Ks-1125-11.dat", patResultJapanCup(3));
  writeFile(dir / "De-1125-11.dat", patEntriesJapanCup());
  return {"folders set --pat '" + dir.string() + "' --pat-kind 3", "--yes import pat tok 1"};
}

constexpr const char* kNoItems = "11月25日 5回  8日目  東京競馬場   11R  \nﾚｰｽ項目\t(なし)\n";
const Route kRoutes[] = {{"Jravan", jravan, true,
                          "11月25日 5回  8日目  東京競馬場   11R  ジャパンカップ\n"
                          "ﾚｰｽ項目\t 3歳上      ＧⅠ      国際         定量     芝 2400M   良\n"},
                         {"Nifty", nifty, true, kNoItems},
                         {"Pat", pat, false, kNoItems}};

// What every format brings: the official results with the real payouts, the hit on the
// 馬連 bought, and the race settled.
constexpr const char* kTicketsAndResults =
    "購入 馬連\n"
    "  1- 8        1000円\n"
    "結果 単勝   1          140円\n"
    "結果 複勝   1          110円\n"
    "結果 複勝   8          160円\n"
    "結果 複勝  11          150円\n"
    "結果 枠連    1-5        600円\n"
    "結果 ﾜｲﾄﾞ   1- 8         230円\n"
    "結果 ﾜｲﾄﾞ   1-11         240円\n"
    "結果 ﾜｲﾄﾞ   8-11         470円\n"
    "結果 馬連   1- 8         590円  的中\n"
    "購入合計      1000円  回収率    590.0％  回収金額      5900円  収支      4900円\n";

}  // namespace

class JapanCupEndToEnd : public ::testing::TestWithParam<Route> {};

TEST_P(JapanCupEndToEnd, ImportedThenShownWithItsPayoutsAndSettled) {
  const Route& route = GetParam();
  ImportDay day(route.ticketsInLedger ? boughtUmaren() : RaceBlock{});
  for (const std::string& cmd : route.prepare(day.root())) {
    const auto r = runCli(day.root(), cmd);
    ASSERT_EQ(r.exitCode, 0) << route.name << ": " << cmd << "\n" << r.err;
  }
  const auto shown = runCli(day.root(), "show race tok 1 11");
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_EQ(shown.out, std::string(route.head) + kTicketsAndResults);
}

INSTANTIATE_TEST_SUITE_P(Formats, JapanCupEndToEnd, ::testing::ValuesIn(kRoutes),
                         [](const auto& info) { return std::string(info.param.name); });
