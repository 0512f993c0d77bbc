// Ledger text printed on the terminal: control characters escaped, everything else as it is.
#include <gtest/gtest.h>

#include "cli/terminal_text.hpp"
#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "ledger/text.hpp"

namespace tovra {
namespace {

struct TextCase {
  const char* in;
  bool keepLineFeeds;
  const char* out;
};

class TerminalText : public ::testing::TestWithParam<TextCase> {};

TEST_P(TerminalText, EscapesControlCharactersOnly) {
  const TextCase c = GetParam();
  EXPECT_EQ(cli::terminalText(c.in, c.keepLineFeeds), c.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminalText,
                         ::testing::Values(TextCase{"ｼﾞｬﾊﾟﾝｶｯﾌﾟ", false, "ｼﾞｬﾊﾟﾝｶｯﾌﾟ"}, TextCase{"", false, ""},
                                           TextCase{"a\x1b[2Jb", false, "a\\x1B[2Jb"}, TextCase{"\x07", false, "\\x07"},
                                           TextCase{"x\x7f", false, "x\\x7F"}, TextCase{"1\n2", false, "1\\x0A2"},
                                           TextCase{"1\n2", true, "1\n2"}, TextCase{"1\r\n2", true, "1\\x0D\n2"},
                                           TextCase{"\t", true, "\\x09"}, TextCase{"a\\b ~", false, "a\\b ~"}));

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

}  // namespace
}  // namespace tovra
