// `export tickets`: every ticket line of a range as CSV, one row each, against a literal
// table for a day bought through the command line; the range's arguments refused.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "entry_fixture.hpp"
#include "storage/bet_store.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

class ExportTicketsCli : public EntryLedger {
 protected:
  testing::CliResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), "--yes");
    return testing::runCli(dir, args);
  }
};

TEST_F(ExportTicketsCli, OneRowPerTicketLine) {
  const std::vector<std::vector<std::string>> steps = {
      {"race", "buy", "tok", "0", "5", "tan", "--horse", "3", "--amount", "10"},
      {"race", "buy", "tok", "0", "5", "tan", "--horse", "7", "--amount", "2"},
      {"race", "result", "tok", "0", "5", "tan", "--horse", "3", "--amount", "25"},
      {"race", "buy", "tok", "0", "5", "waku", "--pair", "1", "8", "--amount", "3"},
      {"race", "buy", "tok", "0", "5", "umatan", "--combo", "1-2", "--amount", "3"},
      {"race", "buy", "tok", "0", "5", "sanrentan", "--method", "box", "--members", "1,2,3", "--amount", "1"},
      {"race", "result", "tok", "0", "5", "sanrentan", "--combo", "1-2-3", "--amount", "500"},
      {"race", "buy", "tok", "0", "5", "umatan", "--method", "nagashi", "--axis", "4", "--partners", "1,7",
       "--position", "2", "--amount", "1"},
      {"race", "scratch", "tok", "0", "5", "--horses", "7"},
      {"race", "buy", "tok", "0", "1", "uma", "--pair", "2", "5", "--amount", "1"},
      {"race", "result", "tok", "0", "1", "uma", "--pair", "2", "5", "--amount", "123"},
      {"race", "buy", "tok", "0", "1", "sanrenpuku", "--method", "formation", "--first", "1", "--second", "2,3",
       "--third", "3,4", "--amount", "2"},
  };
  for (const auto& s : steps) {
    const auto r = cli(s);
    ASSERT_EQ(r.exitCode, 0) << s[1] << " " << s[4] << " " << s[5] << ": " << r.err;
  }
  const std::string expected =
      "\xEF\xBB\xBF"
      "date,course,race,type,method,sets,points,stake,bought,refunded,return\r\n"
      "2001-12-03,tok,1,uma,normal,2.5,1,100,100,0,1230\r\n"
      "2001-12-03,tok,1,sanrenpuku,formation,1/2.3/3.4,3,200,600,0,0\r\n"
      "2001-12-03,tok,5,tan,normal,3,1,1000,1000,0,2500\r\n"
      "2001-12-03,tok,5,tan,normal,7,1,200,200,200,0\r\n"
      "2001-12-03,tok,5,waku,normal,1.8,1,300,300,0,0\r\n"
      "2001-12-03,tok,5,umatan,normal,1.2,1,300,300,0,0\r\n"
      "2001-12-03,tok,5,sanrentan,box,1.2.3,6,100,600,0,5000\r\n"
      "2001-12-03,tok,5,umatan,nagashi,4/1.7:2,2,100,200,100,0\r\n";
  for (const char* range : {"all", "2001"}) {
    const auto r = cli({"export", "tickets", "--range", range});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
  }
  const std::filesystem::path out = dir / "tickets.csv";
  auto r = cli({"export", "tickets", "--range", "2001", "--out", out.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  const auto bytes = testing::readBytes(out);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
  // The figures of the same day agree.
  r = cli({"tally", "shushi", "--json", "--range", "2001"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(R"("all":{"bought":3300,"refunded":300,"purchase":3000,"return":8730,)"), std::string::npos)
      << r.out;
}

TEST_F(ExportTicketsCli, RangeRefused) {
  for (const char* range : {"1999", "20O1", "12/3"}) {
    const auto r = cli({"export", "tickets", "--range", range});
    EXPECT_EQ(r.exitCode, 1) << range;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
  EXPECT_EQ(cli({"export", "tickets"}).exitCode, 1);  // --range is required
}

TEST_F(ExportTicketsCli, ALedgerWithoutTicketsHasTheHeaderOnly) {
  const auto r = cli({"export", "tickets", "--range", "all"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "\xEF\xBB\xBF"
            "date,course,race,type,method,sets,points,stake,bought,refunded,return\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / kBetStorePath)) << "the store was created by an export";
}

}  // namespace
}  // namespace tovra
