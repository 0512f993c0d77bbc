// The tool's runner: commands own their options (a second run in the same process starts
// from fresh values), one command set per run, and what each command declares it writes.
#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <sstream>

#include "cli/cli_context.hpp"
#include "cli/runner.hpp"
#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"

namespace tovra {
namespace {

using testing::runCli;

TEST(CliRunner, SecondRunInOneProcessStartsFromFreshOptions) {
  testing::LedgerBuilder ledger{{2001}};
  ASSERT_EQ(runCli(ledger.root(), "meeting add tok 6/1 3 1").exitCode, 0);
  auto r = runCli(ledger.root(), "race buy tok 0 5 tan --horse 5 --amount 10");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // The same command without --horse: the 5 of the first run is not kept.
  r = runCli(ledger.root(), "race buy tok 0 5 tan --amount 10");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "[確認] --horse で馬番を指定して下さい。\n");
  // Nor is --yes of an earlier run.
  ASSERT_EQ(runCli(ledger.root(), "--yes year add 2002").exitCode, 0);
  r = runCli(ledger.root(), "year delete 2001");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(ledger.exists("tovradatafile/tok/2001tok.dat"));
}

// A stdout that takes nothing, as a full disk behind it does.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliRunner, OutputThatCannotBeWrittenIsAFailureNotASuccess) {
  testing::LedgerBuilder ledger{{2001}};
  struct Case {
    const char* args;
    int exitCode;  // with a working stdout
  };
  for (const Case c : {Case{"--help", 0}, Case{"year list", 0}}) {
    RefusingBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in;
    std::vector<std::string> args;
    std::istringstream words(std::string("-C ") + ledger.root().string() + " " + c.args);
    for (std::string w; words >> w;) args.push_back(w);
    EXPECT_EQ(cli::run(args, cli::Io{out, err, in}), 2) << c.args;
    EXPECT_NE(err.str().find(cli::kOutputFailedMessage), std::string::npos) << c.args;
    EXPECT_EQ(runCli(ledger.root(), c.args).exitCode, c.exitCode) << c.args;
  }
}

TEST(CliRunner, ExitCodesAndStreams) {
  testing::TempDir dir;
  auto r = runCli(dir.path(), "");
  EXPECT_EQ(r.exitCode, 1);  // a command is required
  EXPECT_NE(r.err.find("A subcommand is required"), std::string::npos) << r.err;
  r = runCli(dir.path(), "--help");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Usage: tovra-cli"), std::string::npos);
  r = runCli(dir.path(), "year add 2001");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  r = runCli(dir.path(), "year list");
  EXPECT_EQ(r.out, "2001\n");
}

// A command of a test: records what it was given and what the runner told it.
struct Probe : cli::Command {
  Probe(std::string group, cli::Writes w, std::vector<std::string>* seen)
      : Command(std::move(group), "probe", "a probe", w), seen_(seen) {}
  void define(CLI::App& app) override { app.add_option("WORD", word_); }
  void run(cli::Context& ctx) override {
    seen_->push_back(word_ + (ctx.writes == cli::Writes::Ledger ? ":ledger" : ":other"));
  }
  std::string word_;
  std::vector<std::string>* seen_;
};

TEST(CliRunner, CommandSetPutsCommandsUnderTheirGroupsAndPassesWhatTheyWrite) {
  std::ostringstream out, err;
  std::istringstream in;
  const cli::Io io{out, err, in};
  std::vector<std::string> seen;
  for (const char* word : {"a", "b"}) {
    cli::Context ctx(io);
    CLI::App app{"test", "test"};
    app.require_subcommand(1);
    cli::CommandSet set(app, ctx);
    set.group("grp", "A group");
    set.add<Probe>("grp", cli::Writes::Ledger, &seen);
    EXPECT_THROW(set.add<Probe>("nogroup", cli::Writes::Nothing, &seen), std::logic_error);
    std::vector<std::string> args{word, "probe", "grp"};  // last first, as CLI11 takes them
    app.parse(args);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a:ledger", "b:ledger"}));
}

}  // namespace
}  // namespace tovra
