// tovra-cli export races, tally ... --csv and chart: arguments, exit codes and the files
// they write (the tables themselves are the export core's tests).
#include <gtest/gtest.h>

#include <ostream>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "features/export/tally_csv.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

constexpr const char* kBom = "\xEF\xBB\xBF";

class ExportCli : public ::testing::Test {
 protected:
  LedgerBuilder ledger{{2002, 2001}};
  void SetUp() override {
    // 2001/6/3 東京 3回4日目: race 5 bought 1000 and hit (+1500), race 6 bought 2000 and lost.
    KaisaiRecord k = meetingDayCodes(603, 304);
    setRaceFigures(k, 4, 12, "ﾃｽﾄ特別", 1000, 1500);
    setRaceFigures(k, 5, 2, "ﾃｽﾄ2", 2000, -2000);
    ledger.setMeetings(2001, 4, {k});
  }
  CliResult cli(const std::string& args) { return runCli(ledger.root(), args); }
  std::string out(const std::string& name) const { return (ledger / name).string(); }
  std::string file(const std::string& name) const {
    const auto bytes = ledger.read(name);
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST_F(ExportCli, RacesGoToTheStandardOutputOrAFile) {
  const CliResult r = cli("export races --range 2001");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, std::string(kBom) +
                       "日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中\r\n"
                       "2001/06/03,東京,3,4,5,ﾃｽﾄ特別,,1000,2500,1500,○\r\n"
                       "2001/06/03,東京,3,4,6,ﾃｽﾄ2,,2000,0,-2000,\r\n");
  const CliResult f = cli("export races --range all --out '" + out("races.csv") + "'");
  EXPECT_EQ(f.exitCode, 0) << f.err;
  EXPECT_EQ(f.out, "");
  EXPECT_EQ(file("races.csv"), r.out);
  // A year without races: the header alone.
  EXPECT_EQ(cli("export races --range 2002").out,
            std::string(kBom) + "日付,競馬場,回,日目,R,ﾚｰｽ名,ﾚｰｽ項目,馬券購入額,回収金額,収支,的中\r\n");
}

// What the window's CSV保存 writes, after each tally has run.
struct TallyCsvCase {
  const char* args;
  tally::TallyKind kind;
  const char* header;
};

class TallyCsvCli : public ExportCli, public ::testing::WithParamInterface<TallyCsvCase> {};

TEST_P(TallyCsvCli, PrintsTheWindowsTable) {
  const TallyCsvCase& c = GetParam();
  const CliResult r = cli(std::string(c.args) + " --csv");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind(std::string(kBom) + c.header + "\r\n", 0), 0u) << r.out.substr(0, 200);
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  const auto table = exports::tallyCsv(ds, port, c.kind);
  ASSERT_TRUE(table);
  EXPECT_EQ(r.out, table->text());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TallyCsvCli,
    ::testing::Values(TallyCsvCase{"tally shushi --range 2001", tally::TallyKind::Shushi,
                                   "区分,競馬場,馬券購入額,回収率,回収金額,収支,的中率"},
                      TallyCsvCase{"tally koumoku --range all", tally::TallyKind::Koumoku,
                                   "競馬場,項目,区分,馬券購入額,回収率,回収金額,収支,的中率,購入ﾚｰｽ数,的中ﾚｰｽ数,値"},
                      TallyCsvCase{"tally rank --range all --kind 4", tally::TallyKind::Rank,
                                   "順位,年,月,日,競馬場,回,日目,R,ﾚｰｽ名,式別,組番,金額,回収率,1着,2着"},
                      TallyCsvCase{"tally jyoken --range all --cond month=6", tally::TallyKind::Jyoken,
                                   "競馬場,馬券購入額,回収率,回収金額,収支,的中率,条件"}));

// Refused arguments: exit 1, the message, and no file.
struct RefusalCase {
  const char* args;
  const char* message;
};

class ExportCliRefused : public ExportCli, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ExportCliRefused, ExitOneAndNoFile) {
  const CliResult r = cli(std::string(GetParam().args));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportCliRefused,
                         ::testing::Values(RefusalCase{"export races --range 1999", "1999"},
                                           RefusalCase{"export races --range x",
                                                       "集計範囲は all または西暦4桁の年次で指定して下さい。"},
                                           RefusalCase{"export races", "--range is required"},
                                           RefusalCase{"export races --range all --out /nonexistent/folder/r.csv",
                                                       "CSVﾌｧｲﾙを書き込めませんでした。\n\n/nonexistent/folder/r.csv"},
                                           RefusalCase{"chart balance --range all", "--png is required"},
                                           RefusalCase{"chart pie --range all --png x.png", "A subcommand is required"},
                                           RefusalCase{"chart balance --range all --png x.png --width 10", "--width"}));

#ifdef TOVRA_CLI_CHARTS

TEST_F(ExportCli, EveryChartIsAPngFile) {
  for (const char* kind : {"balance", "course", "bettype", "month"}) {
    SCOPED_TRACE(kind);
    const std::string name = std::string(kind) + ".png";
    const CliResult r =
        cli(std::string("chart ") + kind + " --range 2001 --png '" + out(name) + "' --width 640 --height 400");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string png = file(name);
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // The IHDR chunk holds the size, big-endian.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\x90", 8));
  }
}

TEST_F(ExportCli, AChartThatCannotBeWrittenIsRefused) {
  const CliResult r = cli("chart balance --range all --png /nonexistent/folder/c.png");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("PNGﾌｧｲﾙを書き込めませんでした。\n\n/nonexistent/folder/c.png"), std::string::npos) << r.err;
}

#else

TEST_F(ExportCli, WithoutQtChartsIsRefused) {
  const CliResult r = cli("chart balance --range all --png '" + out("c.png") + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("ｸﾞﾗﾌ機能"), std::string::npos);
  EXPECT_FALSE(ledger.exists("c.png"));
}

#endif

}  // namespace
