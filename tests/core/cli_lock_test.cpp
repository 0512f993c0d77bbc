// tovra-cli and the ledger's lock, and the arguments refused before anything is read:
// while another program holds the lock (the desktop program, or a command still running)
// every command that writes the ledger or work files is refused with the busy message,
// exit 1, and writes nothing; reading commands still run.
#include <gtest/gtest.h>

#include <map>
#include <new>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "storage/fatal_error.hpp"
#include "storage/ledger_lock.hpp"
#include "storage/unexpected_error.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

using Files = std::map<std::string, std::vector<unsigned char>>;

Files snapshot(const std::filesystem::path& root) {
  Files out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file()) out[e.path().lexically_relative(root).generic_string()] = readBytes(e.path());
  return out;
}

// 2001 with one 東京 meeting whose first race holds a ticket.
void buildLedger(LedgerBuilder& l) {
  l.registerYears({2001});
  std::vector<RaceBlock> races(1);
  races[0][0].tanUma[0] = 3;
  races[0][0].tanGaku[0] = 3000;
  l.setMeetings(2001, 4, {meetingDayCodes(428, 201, 3000, -3000, {2})}, races);
}

struct LockCase {
  const char* command;
  bool writes;
};

const LockCase kLockCases[] = {
    {"year list", false},
    {"meeting list tok", false},
    {"show race tok 0 1", false},
    {"settings show", false},
    {"race buy tok 0 1 tan --horse 7 --amount 2", true},
    {"--yes meeting add tok 12/20 5 8", true},
    {"--yes year add 2002", true},
    {"settle --all", true},
    {"tally shushi --range all", true},
    {"search race ダービー", true},
    {"settings set --start-course sap", true},
};

class CliWhileLocked : public ::testing::TestWithParam<LockCase> {};

}  // namespace

TEST_P(CliWhileLocked, WritersAreRefusedAndReadersRun) {
  LedgerBuilder l;
  buildLedger(l);
  ASSERT_EQ(runCli(l.root(), "year list").exitCode, 0);  // the folders prepared
  const Files before = snapshot(l.root());
  LedgerLock other(l.root());
  ASSERT_EQ(other.tryAcquire(), LedgerLock::State::Held);

  const CliResult r = runCli(l.root(), GetParam().command);
  if (GetParam().writes) {
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "[確認] 他のﾌﾟﾛｸﾞﾗﾑがﾃﾞｰﾀを使用中です。\n\n処理を中止します。\n");
    EXPECT_EQ(r.out, "");
  } else {
    EXPECT_EQ(r.exitCode, 0) << r.err;
  }
  EXPECT_EQ(snapshot(l.root()), before);

  // Once the other program ends, the same command runs.
  other.release();
  EXPECT_EQ(runCli(l.root(), GetParam().command).exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CliWhileLocked, ::testing::ValuesIn(kLockCases),
                         [](const ::testing::TestParamInfo<LockCase>& info) {
                           return std::to_string(info.index) + (info.param.writes ? "_writes" : "_reads");
                         });

TEST(CliLock, AWritingCommandReleasesTheLockWhenItEnds) {
  LedgerBuilder l;
  buildLedger(l);
  ASSERT_EQ(runCli(l.root(), "race buy tok 0 1 tan --horse 7 --amount 2").exitCode, 0);
  LedgerLock after(l.root());
  EXPECT_EQ(after.tryAcquire(), LedgerLock::State::Held);
}

// Arguments refused before anything is read or written: exit 1 with a message.
struct BadArgument {
  const char* args;
  const char* message;  // part of stderr
};

class CliBadArgument : public ::testing::TestWithParam<BadArgument> {};

TEST_P(CliBadArgument, IsRefusedAndChangesNothing) {
  LedgerBuilder l;
  buildLedger(l);
  ASSERT_EQ(runCli(l.root(), "year list").exitCode, 0);
  const Files before = snapshot(l.root());
  const CliResult r = runCli(l.root(), GetParam().args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(snapshot(l.root()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, CliBadArgument,
                         ::testing::Values(BadArgument{"race buy tok 0 1 tan --delete -2147483648", "--delete"},
                                           BadArgument{"race buy tok 0 1 tan --delete 0", "--delete"},
                                           BadArgument{"race result tok 0 1 tan --delete -1", "--delete"},
                                           BadArgument{"race buy tok 0 1 tan --delete 99999999999", "--delete"},
                                           BadArgument{"--year 0 year list", "年次 0年は登録されていません。"},
                                           BadArgument{"--year 0 show race tok 0 1",
                                                       "年次 0年は登録されていません。"}));

TEST(CliFolder, AFolderThatDoesNotExistIsRefused) {
  TempDir dir;
  const CliResult r = runCli(dir / "none", "year list");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "[確認] ﾌｫﾙﾀﾞ " + (dir / "none").string() + " がありません。\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST(UnexpectedError, MessagesNameTheCause) {
  const std::bad_alloc memory;
  EXPECT_EQ(unexpectedErrorMessage(&memory),
            "処理中に異常が発生しました。\n\nﾒﾓﾘが不足しています。\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。");
  const std::runtime_error other("broken");
  EXPECT_EQ(unexpectedErrorMessage(&other), "処理中に異常が発生しました。\n\nbroken\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。");
  EXPECT_EQ(unexpectedErrorMessage(nullptr), "処理中に異常が発生しました。\n\n原因不明\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。");
}
