// `tovra-cli import jvdata FILE COURSE INDEX [--delete]`: arguments and exit codes,
// nothing written without --yes, with --yes the day and the store's rows, and a failing
// write of the day leaving the day's files as they were.
#include <gtest/gtest.h>

#include <cstring>

#include "common/cli_runner.hpp"
#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "support/faulty_fs.hpp"
#include "support/import_fixture.hpp"
#include "support/jvdata_builders.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::testing::runCli;

namespace {

// 11R of the day: a dead heat of 馬単 and a scratched horse; 4R cancelled.
std::vector<std::uint8_t> dayFile() {
  using namespace jvtest;
  Rec hr = hrRecord(11);
  hr.put(59, "0000000100000000000000000000");
  hr.put(103, "0500000014001").put(454, "0503000000600002").put(470, "0305000000700003");
  return jvFile({raRecord(11), seRecord(11, 3, 5, 1), hr, hrRecord(4, '9'), raRecord(1, 20181124)});
}

std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

}  // namespace

TEST(ImportJvDataCli, PrintsWithoutYesAndStoresDayAndRowsWithYes) {
  ImportDay day;
  writeFile(day.root() / "jv.dat", dayFile());
  const Snapshot before = snapshot(day.root());
  const std::string args = "import jvdata " + quoted(day.root() / "jv.dat") + " tok 1";
  auto r = runCli(day.root(), args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "JV-Dataﾌｧｲﾙ読み込み終了\n11月25日 5回  8日目  東京競馬場\n読み込んだﾌｧｲﾙ：jv.dat  2018年11月25日\n"
            "読み込んだﾚｰｽ：  4R中止 11R\n");
  EXPECT_EQ(snapshot(day.root()), before);
  r = runCli(day.root(), "--yes " + args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(day.storedRaces()[10].tanKeka[0] % 100, 5);
  BetStore store(day.root());
  const auto stored = store.race(RaceKey{DateKey{2018, kTokyo, 11, 25}, 11});
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->winners.size(), 2u);
  EXPECT_EQ(stored->scratched, (std::vector<int>{8}));
  const auto cancelled = store.race(RaceKey{DateKey{2018, kTokyo, 11, 25}, 4});
  ASSERT_TRUE(cancelled);
  EXPECT_EQ(cancelled->scratched.size(), 18u);
}

TEST(ImportJvDataCli, DeletionNeedsTheFlag) {
  RaceBlock races{};
  races[6].tanKeka[0] = 4;
  races[6].tanHaitou[0] = 520;
  ImportDay day(races);
  writeFile(day.root() / "del.dat", jvtest::jvFile({jvtest::hrRecord(7, '0')}));
  const std::string args = "--yes import jvdata " + quoted(day.root() / "del.dat") + " tok 1";
  auto r = runCli(day.root(), args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("削除されたﾚｰｽ：  7R  (結果はそのままです)"), std::string::npos);
  EXPECT_EQ(day.storedRaces()[6].tanHaitou[0], 520);
  r = runCli(day.root(), args + " --delete");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(day.storedRaces()[6].tanHaitou[0], 0);
}

struct JvRefusal {
  const char* args;
  int exitCode;
};

class ImportJvDataCliRefused : public ::testing::TestWithParam<JvRefusal> {};

TEST_P(ImportJvDataCliRefused, ExitCodeAndNothingWritten) {
  ImportDay day;
  auto cut = dayFile();
  cut.resize(cut.size() - 100);
  writeFile(day.root() / "cut.dat", cut);
  writeFile(day.root() / "empty.dat", {});
  writeFile(day.root() / "random.dat", {'R', 'A', 0x00, 0xFF, '\r', '\n'});
  writeFile(day.root() / "good.dat", dayFile());
  const Snapshot before = snapshot(day.root());
  std::string args = GetParam().args;
  for (const char* name : {"cut.dat", "empty.dat", "random.dat", "good.dat"})
    if (const auto at = args.find(name); at != std::string::npos) args.replace(at, std::strlen(name), quoted(day.root() / name));
  EXPECT_EQ(runCli(day.root(), "--yes " + args).exitCode, GetParam().exitCode) << args;
  EXPECT_EQ(snapshot(day.root()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportJvDataCliRefused,
                         ::testing::Values(JvRefusal{"import jvdata tok 1", 1},                 // no file
                                           JvRefusal{"import jvdata good.dat tok", 1},          // no index
                                           JvRefusal{"import jvdata good.dat tok 9", 1},        // no meeting 9
                                           JvRefusal{"import jvdata good.dat xyz 1", 1},        // no course
                                           JvRefusal{"import jvdata /nonexistent.dat tok 1", 1},
                                           JvRefusal{"import jvdata cut.dat tok 1", 1},
                                           JvRefusal{"import jvdata empty.dat tok 1", 1},
                                           JvRefusal{"import jvdata random.dat tok 1", 1},
                                           JvRefusal{"import jvdata good.dat tok 1 --bogus", 1}));

// The day's records cannot be written: the run ends with the failure, and the course
// files hold what they held.
TEST(ImportJvDataCli, FailingWriteLeavesTheDay) {
  ImportDay day;
  writeFile(day.root() / "jv.dat", dayFile());
  const KaisaiRecord beforeMeeting = day.storedKaisai();
  const RaceBlock before = day.storedRaces();
  fixture::FaultyFs fs;
  fs.fail = [](fixture::FaultyFs::Op op, const std::filesystem::path&) { return op == fixture::FaultyFs::Op::Write; };
  const auto r = runCli(day.root(), "--yes import jvdata " + quoted(day.root() / "jv.dat") + " tok 1", &fs);
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(sameDay(day.storedKaisai(), day.storedRaces(), beforeMeeting, before));
}
