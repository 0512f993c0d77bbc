// CSV cells and tables as spreadsheet programs read them: the byte-order mark, quoting,
// formula-like texts, integers and rates; the file written whole or not at all.
#include <gtest/gtest.h>

#include "common/scripted_port.hpp"
#include "common/temp_dir.hpp"
#include "features/export/csv.hpp"
#include "storage/fileio.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::exports;

namespace {

struct TextCase {
  const char* in;
  const char* csv;
};
class CsvText : public ::testing::TestWithParam<TextCase> {};

TEST_P(CsvText, IsQuotedOnlyWhereNeededAndNeverReadAsAFormula) {
  EXPECT_EQ(CsvCell::text(GetParam().in).csv(), GetParam().csv);
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvText,
                         ::testing::Values(TextCase{"東京", "東京"}, TextCase{"", ""}, TextCase{"ﾄｳﾞﾗ特別", "ﾄｳﾞﾗ特別"},
                                           TextCase{"1,3着", "\"1,3着\""}, TextCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           TextCase{"two\nlines", "\"two\nlines\""}, TextCase{"cr\rx", "\"cr\rx\""},
                                           TextCase{"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
                                           TextCase{"+1", "'+1"}, TextCase{"-5", "'-5"},
                                           TextCase{"@SUM(A1)", "'@SUM(A1)"}, TextCase{"\tx", "'\tx"},
                                           TextCase{"a=b", "a=b"}, TextCase{" lead", " lead"}));

struct RateCase {
  std::optional<double> in;
  const char* csv;
};
class CsvRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(CsvRate, HasOneDecimalOrIsEmpty) { EXPECT_EQ(CsvCell::rate(GetParam().in).csv(), GetParam().csv); }

INSTANTIATE_TEST_SUITE_P(Cases, CsvRate,
                         ::testing::Values(RateCase{75.0, "75.0"}, RateCase{66.66666, "66.7"}, RateCase{0.0, "0.0"},
                                           RateCase{1234.56, "1234.6"}, RateCase{std::nullopt, ""},
                                           RateCase{std::numeric_limits<double>::quiet_NaN(), ""},
                                           RateCase{std::numeric_limits<double>::infinity(), ""}));

TEST(CsvCellTest, IntegersArePlainWithTheirSign) {
  EXPECT_EQ(CsvCell::integer(-2500).csv(), "-2500");
  EXPECT_EQ(CsvCell::integer(0).csv(), "0");
  EXPECT_EQ(CsvCell::integer(2147483647).csv(), "2147483647");
  EXPECT_EQ(CsvCell::integer(-9000000000LL).csv(), "-9000000000");
}

TEST(CsvTableTest, StartsWithTheByteOrderMarkAndEndsEveryLineWithCrLf) {
  CsvTable t({"競馬場", "馬券購入額"});
  t.add({CsvCell::text("東京"), CsvCell::integer(15000)});
  t.add({CsvCell::text("札幌")});  // short rows keep the header's columns
  const std::string& s = t.text();
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0xEF);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xBB);
  EXPECT_EQ(static_cast<unsigned char>(s[2]), 0xBF);
  EXPECT_EQ(s.substr(3), "競馬場,馬券購入額\r\n東京,15000\r\n札幌,\r\n");
  EXPECT_EQ(t.rows(), 2u);
  EXPECT_EQ(t.columns(), 2u);
}

struct BlankCase {
  const char* in;
  const char* trimmed;
  const char* closed;
};
class WindowText : public ::testing::TestWithParam<BlankCase> {};

TEST_P(WindowText, LosesItsPadding) {
  EXPECT_EQ(trimmed(GetParam().in), GetParam().trimmed);
  EXPECT_EQ(closedUp(GetParam().in), GetParam().closed);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowText,
                         ::testing::Values(BlankCase{"   ", "", ""}, BlankCase{"", "", ""},
                                           BlankCase{" 3番", "3番", "3番"},
                                           BlankCase{"    6月    2歳    単勝", "6月    2歳    単勝", "6月 2歳 単勝"},
                                           BlankCase{"10～ 14", "10～ 14", "10～ 14"}));

// Every write of a new file fails.
class NoWritesFs : public FileSystem {
 public:
  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode == OpenMode::Read) return FileSystem::open(p, mode);
    return nullptr;
  }
  bool rename(const std::filesystem::path&, const std::filesystem::path&) override { return false; }
};

TEST(CsvFileTest, IsWrittenWhole) {
  tovra::testing::TempDir dir;
  CsvTable t({"a"});
  t.add({CsvCell::integer(1)});
  ScriptedPort port;
  ASSERT_TRUE(writeCsvFile(FileSystem::standard(), port, dir / "out.csv", t));
  const auto bytes = tovra::testing::readBytes(dir / "out.csv");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), t.text());
  EXPECT_TRUE(port.messages.empty());
}

TEST(CsvFileTest, AFailedWriteSaysSoAndLeavesTheOldFile) {
  tovra::testing::TempDir dir;
  tovra::testing::writeBytes(dir / "out.csv", {'o', 'l', 'd'});
  CsvTable t({"a"});
  NoWritesFs fs;
  ScriptedPort port;
  EXPECT_FALSE(writeCsvFile(fs, port, dir / "out.csv", t));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].text, "CSVﾌｧｲﾙを書き込めませんでした。\n\n" + (dir / "out.csv").string());
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(tovra::testing::readBytes(dir / "out.csv"), (std::vector<unsigned char>{'o', 'l', 'd'}));
}

}  // namespace
