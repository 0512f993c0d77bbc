// `tovra-cli import ipat FILE [--register]`: arguments and exit codes; without --yes it
// prints the lines and writes nothing, with --yes it imports, and a second run takes
// nothing.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "storage/bet_store.hpp"
#include "support/import_fixture.hpp"
#include "support/ipat_csv_builder.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::testing::runCli;

namespace {

// The day of the Japan Cup at 東京 (meeting 1 of the fixture): a 馬連 and a 3連単.
std::vector<std::uint8_t> jcHistory() {
  return ipattest::csvVector({"20181125,0001,01,東京,日,11,馬連,01―08,1000,―,―,0",
                              "20181125,0001,02,東京,日,11,3連単ＢＯＸ,01；02；08,100／600,―,―,0"},
                             1600);
}

}  // namespace

TEST(IpatCli, WithoutYesPrintsAndWritesNothing) {
  ImportDay day;
  writeFile(day.root() / "h.csv", jcHistory());
  const Snapshot before = snapshot(day.root());
  const auto r = runCli(day.root(), "import ipat '" + (day.root() / "h.csv").string() + "'");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("   2行目 東京11R 馬連 通常 01―08  1点  1000円\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("   3行目 東京11R 3連単 ﾎﾞｯｸｽ 01；02；08  6点  600円\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("読み込む馬券  2行  1600円\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("--yes"), std::string::npos);
  EXPECT_EQ(snapshot(day.root()), before);
}

TEST(IpatCli, WithYesImportsAndASecondRunTakesNothing) {
  ImportDay day;
  writeFile(day.root() / "h.csv", jcHistory());
  const std::string cmd = "--yes import ipat '" + (day.root() / "h.csv").string() + "'";
  auto r = runCli(day.root(), cmd);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(day.storedRaces()[10].umaKumi[0], 108);
  EXPECT_EQ(day.storedRaces()[10].umaGaku[0], 1000);
  // The course files byte for byte, the store by its rows (its header counts every
  // transaction of a writing command).
  auto files = [&] {
    Snapshot s = snapshot(day.root());
    s.erase("tovradatafile/bets.sqlite");
    return s;
  };
  auto rows = [&] {
    BetStore store(day.root());
    const auto d = store.day(DateKey{2018, kTokyo, 11, 25});
    return d ? *d : std::array<StoredRace, 12>{};
  };
  const Snapshot after = files();
  const auto rowsAfter = rows();
  ASSERT_EQ(rowsAfter[10].lines.size(), 1u);
  r = runCli(day.root(), cmd);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("取込済み"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("読み込む馬券  0行  0円\n"), std::string::npos) << r.out;
  EXPECT_EQ(files(), after);
  EXPECT_EQ(rows(), rowsAfter);
}

TEST(IpatCli, ArgumentsAndRefusals) {
  ImportDay day;
  const auto whole = jcHistory();
  writeFile(day.root() / "cut.csv", std::vector<std::uint8_t>(whole.begin(), whole.end() - 30));
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(runCli(day.root(), "import ipat").exitCode, 1);                     // FILE missing
  EXPECT_EQ(runCli(day.root(), "import ipat a.csv b.csv").exitCode, 1);         // one FILE
  EXPECT_EQ(runCli(day.root(), "import ipat a.csv --frobnicate").exitCode, 1);  // no such option
  auto r = runCli(day.root(), "import ipat '" + (day.root() / "missing.csv").string() + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("missing.csv が開けません。"), std::string::npos) << r.err;
  r = runCli(day.root(), "--yes import ipat '" + (day.root() / "cut.csv").string() + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("cut.csv の "), std::string::npos) << r.err;
  EXPECT_EQ(snapshot(day.root()), before);
}
