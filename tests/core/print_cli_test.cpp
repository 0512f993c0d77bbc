// tovra-cli print and settings: arguments, exit codes and the files they write.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "features/print/print_job.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

class PrintCli : public ::testing::Test {
 protected:
  TempDir dir;
  void SetUp() override {
    // No CUPS server: the default printer is never a real one in a test.
    ::setenv("CUPS_SERVER", "/nonexistent/tovra-test-cups.sock", 1);
    LedgerCursor ds(dir.path());
    makeLedger(ds, {2001});
    KaisaiRecord k;
    k.tsukiHi = 603, k.kaiNichi = 304;
    k.raceJoutai[4] = 2, k.kounyuGaku[4] = 1000, k.shushi[4] = -1000, k.kounyuGaku[12] = 1000, k.shushi[12] = -1000;
    RaceBlock races;
    races[4].tanUma[0] = 3, races[4].tanGaku[0] = 1000, races[4].tanGoukei = 1000;
    appendMeeting(ds, 4, k, races);
  }
  bool isPdf(const std::string& name) {
    const auto bytes = readBytes(dir / name);
    return bytes.size() > 100 && std::string(bytes.begin(), bytes.begin() + 5) == "%PDF-";
  }
};

}  // namespace

#ifdef TOVRA_CLI_PRINTS

TEST_F(PrintCli, EveryKindWritesAPdf) {
  EXPECT_EQ(runCli(dir.path(), "tally shushi --range all").exitCode, 0);
  EXPECT_EQ(runCli(dir.path(), "tally koumoku --range all").exitCode, 0);
  EXPECT_EQ(runCli(dir.path(), "tally rank --range all --kind 4").exitCode, 0);
  EXPECT_EQ(runCli(dir.path(), "tally jyoken --range all --cond month=6").exitCode, 0);
  const std::string out = (dir / "").string();
  const std::pair<const char*, const char*> runs[] = {
      {"print meeting tok 0", "k1.pdf"},
      {"print race tok 0 5", "k2.pdf"},
      {"print race tok 0 5 --runners", "k3.pdf"},
      {"print shushi --row 6", "k4.pdf"},
      {"print koumoku --course tok --page 9", "k5.pdf"},
      {"print rank --page 14", "k6.pdf"},
      {"print jyoken", "k7.pdf"},
  };
  for (auto [args, file] : runs) {
    SCOPED_TRACE(args);
    const CliResult r = runCli(dir.path(), std::string(args) + " --pdf '" + out + file + "'");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(isPdf(file));
  }
}

TEST_F(PrintCli, PrinterRefusalsAndFailures) {
  // No default printer: its message, also with --yes, and nothing else.
  CliResult r = runCli(dir.path(), "--yes print meeting tok 0");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(print::kNoPrinterInfo), std::string::npos);
  // A PDF that cannot be written.
  r = runCli(dir.path(), "print meeting tok 0 --pdf /nonexistent/folder/x.pdf");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("印刷：\n\n異常が発生しました。"), std::string::npos);
}

// The pages of a PDF file: its page objects (not the page tree's "/Type /Pages").
int pdfPages(const std::filesystem::path& file) {
  const auto bytes = readBytes(file);
  const std::string pdf(bytes.begin(), bytes.end());
  int n = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    n += pdf.compare(at, 12, "/Type /Pages") != 0;
  return n;
}

TEST_F(PrintCli, RaceAndMeetingPrintTheNewTypesFromTheStore) {
  const std::string out = (dir / "").string();
  ASSERT_EQ(runCli(dir.path(), "print race tok 0 5 --pdf '" + out + "before.pdf'").exitCode, 0);
  EXPECT_EQ(pdfPages(dir / "before.pdf"), 1);
  ASSERT_EQ(runCli(dir.path(), "--yes race buy tok 0 5 sanrentan --combo 1-2-3 --amount 1").exitCode, 0);
  ASSERT_EQ(runCli(dir.path(), "--yes race buy tok 0 6 umatan --combo 3-4 --amount 2").exitCode, 0);
  // Race 5: the record's page, then the new lines.
  CliResult r = runCli(dir.path(), "print race tok 0 5 --pdf '" + out + "race5.pdf'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(pdfPages(dir / "race5.pdf"), 2);
  // Race 6 holds nothing in its record, only a 馬単 line: it prints now.
  r = runCli(dir.path(), "print race tok 0 6 --pdf '" + out + "race6.pdf'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(pdfPages(dir / "race6.pdf"), 2);
  r = runCli(dir.path(), "print meeting tok 0 --pdf '" + out + "day.pdf'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(pdfPages(dir / "day.pdf"), 1);
  // Race 7 holds nothing anywhere.
  r = runCli(dir.path(), "print race tok 0 7 --pdf '" + out + "race7.pdf'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("7Rにはﾚｰｽﾃﾞｰﾀがありません。"), std::string::npos);
}

#else

TEST_F(PrintCli, WithoutQtPrintingIsRefused) {
  const CliResult r = runCli(dir.path(), "print meeting tok 0 --pdf x.pdf");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("印刷機能"), std::string::npos);
}

#endif

TEST_F(PrintCli, ArgumentsAreCheckedBeforeAnythingIsPrinted) {
  const std::pair<const char*, const char*> refused[] = {
      {"print meeting tok 1 --pdf x.pdf", "開催ﾃﾞｰﾀ 1 はありません"},
      {"print meeting xyz 0 --pdf x.pdf", "競馬場は"},
      {"print race tok 0 13 --pdf x.pdf", "ﾚｰｽ番号は 1～12"},
      {"print race tok 0 6 --pdf x.pdf", "6Rにはﾚｰｽﾃﾞｰﾀがありません。"},
      {"print shushi --pdf x.pdf", "集計結果を読み込めませんでした。"},
      {"print shushi --row 13 --pdf x.pdf", ""},
      {"print koumoku --page 10 --pdf x.pdf", ""},
      {"print koumoku --course xyz --pdf x.pdf", "競馬場は"},
      {"print jyoken --pdf x.pdf", "集計結果を読み込めませんでした。"},
  };
  for (auto [args, message] : refused) {
    SCOPED_TRACE(args);
    const CliResult r = runCli(dir.path(), args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists("x.pdf"));
  EXPECT_EQ(runCli(dir.path(), "tally rank --range all --kind 3").exitCode, 0);  // per-day: pages 0-8
  const CliResult r = runCli(dir.path(), "print rank --page 9 --pdf x.pdf");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("ﾍﾟｰｼﾞは 0～8 で指定して下さい。"), std::string::npos);
}

TEST(SettingsCli, ShowSetAndTheStoredBytes) {
  TempDir dir;
  CliResult r = runCli(dir.path(), "settings show");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("start-course\tsap\t札幌\n"), std::string::npos);
  EXPECT_NE(r.out.find("confirm-exit\ton\n"), std::string::npos);
  EXPECT_NE(r.out.find("color 0\t#008000\tﾒｲﾝｳｨﾝﾄﾞｳの背景\n"), std::string::npos);
  EXPECT_NE(r.out.find("color 7\t#808080\t各集計結果ｳｨﾝﾄﾞｳの背景\n"), std::string::npos);

  r = runCli(dir.path(),
             "settings set --color 0=#112233 --color 6=#a0B0c0 --start-course tok --confirm-exit off "
             "--race-page 2 --new-age-labels off");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const auto bytes = readBytes(dir / "tovractm.dat");
  ASSERT_EQ(bytes.size(), 160u);
  EXPECT_EQ(bytes[0], 4);  // start course 東京
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 121);  // 1 + 10 × 2 + 100
  EXPECT_EQ(bytes[3], 0);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 4, bytes.begin() + 8),
            (std::vector<unsigned char>{0x11, 0x22, 0x33, 0}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 28, bytes.begin() + 32),
            (std::vector<unsigned char>{0xA0, 0xB0, 0xC0, 0}));
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 8, bytes.begin() + 12),
            (std::vector<unsigned char>{0xFF, 0, 0xFF, 0}));
  EXPECT_NE(runCli(dir.path(), "settings show").out.find("race-page\t2\t馬連\n"), std::string::npos);

  for (const char* bad :
       {"settings set --color 8=#000000", "settings set --color 0=#12345", "settings set --color 0=red",
        "settings set --color =#000000", "settings set --start-course xyz", "settings set --confirm-exit yes",
        "settings set --race-page 3"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(runCli(dir.path(), bad).exitCode, 1);
    EXPECT_EQ(readBytes(dir / "tovractm.dat"), bytes);
  }
}
