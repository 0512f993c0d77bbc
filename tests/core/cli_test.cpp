// tovra-cli: the fixed contract of the global options, exit codes and the ledger commands.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "domain/settlement.hpp"
#include "features/years/years.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::testing;

TEST(Cli, YearsAddListDelete) {
  TempDir dir;
  auto r = runCli(dir.path(), "year list");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  // Every command prepares the working folder first.
  EXPECT_TRUE(std::filesystem::is_directory(dir / "tovradatafile/kok"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "tovradatafile/shukei"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "tmp"));
  EXPECT_EQ(runCli(dir.path(), "year add 2000").exitCode, 0);
  EXPECT_EQ(runCli(dir.path(), "year add 2001").exitCode, 0);
  r = runCli(dir.path(), "year add 01");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("西暦4桁で入力して下さい。"), std::string::npos);
  EXPECT_EQ(runCli(dir.path(), "year list").out, "2001\n2000\n");
  // Deleting asks; without a terminal and without --yes it is refused.
  r = runCli(dir.path(), "year delete 2000");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "tovradatafile/sap/2000sap.dat"));
  r = runCli(dir.path(), "--year 2000 year delete 2000");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("現在処理中の年次は削除出来ません。"), std::string::npos);
  EXPECT_EQ(runCli(dir.path(), "--yes year delete 2000").exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile/sap/2000sap.dat"));
  EXPECT_EQ(runCli(dir.path(), "year list").out, "2001\n");
  EXPECT_EQ(runCli(dir.path(), "--year 1999 year list").exitCode, 1);
}

TEST(Cli, OldVersionFolderIsRefused) {
  TempDir dir;
  std::filesystem::create_directory(dir / "DATA");
  auto r = runCli(dir.path(), "year list");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("旧版のﾃﾞｰﾀﾌｧｲﾙがｺﾝﾊﾞｰﾄされていません。"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile"));
}

TEST(Cli, ShowSettleAndFatalError) {
  TempDir dir;
  {
    LedgerCursor ds(dir.path());
    makeLedger(ds, {2001});
    KaisaiRecord k;
    k.tsukiHi = 105;
    k.kaiNichi = 101;
    RaceBlock races;
    races[2].tanUma[0] = 5;
    races[2].tanGaku[0] = 1000;
    races[2].tanKeka[0] = 5;
    races[2].tanHaitou[0] = 320;
    setFixedText(k.raceMei[2], sj("金杯"));
    appendMeeting(ds, 5, k, races);
  }
  auto r = runCli(dir.path(), "meeting list nak");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "0\t 1月 5日\t1回1日目\t0\t0\n");
  EXPECT_EQ(runCli(dir.path(), "settle nak 1").exitCode, 1);  // no such meeting
  EXPECT_EQ(runCli(dir.path(), "settle xyz 0").exitCode, 1);
  EXPECT_EQ(runCli(dir.path(), "settle 5 0").exitCode, 0);
  r = runCli(dir.path(), "meeting list nak");
  EXPECT_EQ(r.out, "0\t 1月 5日\t1回1日目\t1000\t2200\n");
  r = runCli(dir.path(), "show meeting nak 0");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find(" 1月 5日 1回 1日目  \n"), std::string::npos);
  EXPECT_NE(r.out.find("3R\t金杯\t      1000円    320.0％      3200円\t2200円 \t的中\n"), std::string::npos);
  EXPECT_NE(r.out.find("合計\t      1000円    320.0％      3200円\t      2200円 \n"), std::string::npos);
  r = runCli(dir.path(), "show meeting sap 0");
  EXPECT_EQ(r.out.substr(0, 20), " ------------------\n");

  auto before = readBytes(dir / "tovradatafile/nak/2001rna.dat");
  EXPECT_EQ(runCli(dir.path(), "settle --all").exitCode, 0);
  EXPECT_EQ(readBytes(dir / "tovradatafile/nak/2001rna.dat"), before);

  std::filesystem::remove(dir / "tovradatafile/nak/2001rna.dat");
  r = runCli(dir.path(), "settle nak 0");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("NO.5\ntovradatafile/nak/2001rna.dat"), std::string::npos);
}

// Racing years run from the first JRA year, 1954, to 2099; the text checks of every year
// dialog and of `year add` are one rule.
struct YearRangeCase {
  const char* text;
  bool accepted;
};
class CliYearRange : public ::testing::TestWithParam<YearRangeCase> {};

TEST_P(CliYearRange, YearAddKeepsToTheRacingYears) {
  const YearRangeCase c = GetParam();
  EXPECT_EQ(firstYearTextAccepted(c.text), c.accepted);
  TempDir dir;
  ASSERT_EQ(runCli(dir.path(), "year add 2000").exitCode, 0);
  const auto r = runCli(dir.path(), std::string("year add ") + c.text);
  if (c.accepted) {
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / (std::string("tovradatafile/sap/") + c.text + "sap.dat")));
  } else {
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "[確認] 西暦4桁で入力して下さい。\n");
    EXPECT_FALSE(std::filesystem::exists(dir / (std::string("tovradatafile/sap/") + c.text + "sap.dat")));
  }
  EXPECT_EQ(runCli(dir.path(), "year list").out,
            c.accepted ? (c.text[0] == '2' ? std::string(c.text) + "\n2000\n" : "2000\n" + std::string(c.text) + "\n")
                       : "2000\n");
}

INSTANTIATE_TEST_SUITE_P(Years, CliYearRange,
                         ::testing::Values(YearRangeCase{"1953", false}, YearRangeCase{"1954", true},
                                           YearRangeCase{"2099", true}, YearRangeCase{"2100", false},
                                           YearRangeCase{"1000", false}, YearRangeCase{"9999", false}));
