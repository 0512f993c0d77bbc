// Ledger text printed on the terminal: control characters escaped, everything else as it is.
#include <gtest/gtest.h>

#include "cli/terminal_text.hpp"
#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "storage/text.hpp"
#include "support/lzh_builder.hpp"

namespace tovra {
namespace {

using cli::Keep;

struct TextCase {
  const char* in;
  Keep keep;
  const char* out;
};

class TerminalText : public ::testing::TestWithParam<TextCase> {};

TEST_P(TerminalText, EscapesControlCharactersOnly) {
  const TextCase c = GetParam();
  EXPECT_EQ(cli::terminalText(c.in, c.keep), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TerminalText,
    ::testing::Values(TextCase{"ｼﾞｬﾊﾟﾝｶｯﾌﾟ", Keep::Nothing, "ｼﾞｬﾊﾟﾝｶｯﾌﾟ"}, TextCase{"", Keep::Nothing, ""},
                      TextCase{"a\x1b[2Jb", Keep::Nothing, "a\\x1B[2Jb"}, TextCase{"\x07", Keep::Nothing, "\\x07"},
                      TextCase{"x\x7f", Keep::Nothing, "x\\x7F"}, TextCase{"1\n2", Keep::Nothing, "1\\x0A2"},
                      TextCase{"1\n2", Keep::LineFeeds, "1\n2"}, TextCase{"1\r\n2", Keep::LineFeeds, "1\\x0D\n2"},
                      TextCase{"\t", Keep::LineFeeds, "\\x09"}, TextCase{"a\\b ~", Keep::Nothing, "a\\b ~"},
                      TextCase{"a\tb\n", Keep::Tabs, "a\tb\\x0A"},
                      TextCase{"a\tb\x1b\n", Keep::LineFeedsAndTabs, "a\tb\\x1B\n"},
                      TextCase{"\x08\x0b\x0c\x1f", Keep::LineFeedsAndTabs, "\\x08\\x0B\\x0C\\x1F"}));

TEST(TerminalText, ShowMeetingAndShowRacePrintARaceNameWithEscEscaped) {
  testing::LedgerBuilder ledger{{2001}};
  // The name as a damaged or foreign file may hold it: ESC and BEL among the text.
  KaisaiRecord k = testing::meetingDayCodes(428, 201);
  testing::setRaceFigures(k, 4, 2,
                          "A\x1b\x07"
                          "B",
                          1000, 500);
  ledger.setMeetings(2001, 4, {k});
  for (const char* args : {"show meeting tok 0", "show race tok 0 5"}) {
    const auto r = testing::runCli(ledger.root(), args);
    ASSERT_EQ(r.exitCode, 0) << args << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << args;
    EXPECT_NE(r.out.find("\\x1B\\x07"), std::string::npos) << args << r.out;
  }
}

// Every way ledger or outside text reaches the terminal: a damaged saved-results index
// (its time texts are printed as they are stored), a race name in the rank tally and the
// search list, a folder of janipa.dat, and a message that names an outside file. No ESC or BEL
// reaches stdout or stderr raw; each shows as \xHH.
TEST(TerminalText, EveryCommandPrintingStoredTextEscapesControlCharacters) {
  testing::LedgerBuilder ledger{{2001}};
  KaisaiRecord k = testing::meetingDayCodes(428, 201);
  testing::setRaceFigures(k, 4, 12,  // bought and hit: ranked
                          "ABC\x1b\x07"
                          "DEF",
                          1000, 500);
  ledger.setMeetings(2001, 4, {k});
  // The index of saved 収支集計 results: one 64-byte entry, the archive one 2360-byte copy.
  std::vector<std::uint8_t> index(64, 0);
  const std::string time = "2024\x1b]0;x\x07\x1b[2J";
  std::copy(time.begin(), time.end(), index.begin());
  ledger.write("tovradatafile/shukei/shushi.tim", index);
  ledger.write("tovradatafile/shukei/shushi.dat", std::vector<std::uint8_t>(2360, 0));
  // janipa.dat: the first folder holds an ESC (4 folders of 1024 bytes, then the PAT kind).
  std::vector<std::uint8_t> janipa(4100, 0);
  const std::string folder = "jv\x1b[2J/";
  std::copy(folder.begin(), folder.end(), janipa.begin());
  ledger.write("janipa.dat", janipa);

  const struct {
    const char* args;
    const char* shown;  // what stands for the control characters on stdout
  } kRuns[] = {
      {"saved list", "2024\\x1B]0;x\\x07\\x1B[2J"},
      {"tally rank --range all --kind 4", "ABC\\x1B\\x07DEF"},
      {"search race --range all ABC", "ABC\\x1B\\x07DEF"},
      {"folders show", "jv\\x1B[2J/"},
  };
  for (const auto& run : kRuns) {
    const auto r = testing::runCli(ledger.root(), run.args);
    ASSERT_EQ(r.exitCode, 0) << run.args << r.err;
    for (const std::string* text : {&r.out, &r.err}) {
      EXPECT_EQ(text->find('\x1b'), std::string::npos) << run.args << *text;
      EXPECT_EQ(text->find('\x07'), std::string::npos) << run.args << *text;
    }
    EXPECT_NE(r.out.find(run.shown), std::string::npos) << run.args << r.out << r.err;
  }
  // A message naming a file: a damaged archive whose name holds ESC and BEL.
  auto archive = importtest::lzhArchive({{"jra1125.dat", std::vector<std::uint8_t>(3048, ' ')}});
  archive[archive.size() - 10] ^= 0x55;
  const auto bad = ledger.root() / "bad\x1b]0;x\x07.lzh";
  ledger.write(bad.filename().string(), archive);
  const auto r = testing::runCli(
      ledger.root(), std::vector<std::string>{"import", "jravan", bad.string(), "--kind", "result", "tok", "0"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\x07'), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("圧縮ﾌｧｲﾙ bad\\x1B]0;x\\x07.lzh が壊れている"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tovra
