// `tovra-cli folders` and `tovra-cli import`: arguments and exit codes, nothing written
// without --yes, and with --yes the same bytes as the import through the core (which the
// dialogs drive).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/cli_runner.hpp"
#include "common/temp_dir.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "storage/fileio.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::testing::runCli;

namespace {

RaceBlock withTickets() {
  RaceBlock races{};
  races[10].umaKumi[0] = 108;
  races[10].umaGaku[0] = 1000;
  return races;
}

}  // namespace

TEST(ImportCli, FoldersSetAppendsSeparatorsAndShowPrintsThem) {
  ImportDay day;
  auto r = runCli(day.root(), "folders set --jravan /jv --nifty 'nif/' --pat 'C:\\PAT' --pat-kind 2");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ImportFolders f;
  ASSERT_TRUE(loadImportFolders(FileSystem::standard(), day.root(), f));
  EXPECT_EQ(f.folder[0], "/jv/");
  EXPECT_EQ(f.folder[1], "/jv/");
  EXPECT_EQ(f.folder[2], "nif/");
  EXPECT_EQ(f.folder[3], "C:\\PAT/");
  EXPECT_EQ(f.patKind, 2);
  r = runCli(day.root(), "folders set --jravan-result /sei");  // the others stay
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = runCli(day.root(), "folders show");
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "JRA-VAN 出馬表：/jv/\nJRA-VAN 成績：/sei/\nNIFTY：nif/\nPAT：C:\\PAT/\nPATの種類：2 PAT for Win95 \n");
  EXPECT_EQ(runCli(day.root(), "folders set --pat-kind 4").exitCode, 1);
  EXPECT_EQ(runCli(day.root(), "folders set --pat '/p/\xF0\x9F\x90\x8E'").exitCode, 1);
}

TEST(ImportCli, JravanWithoutYesPrintsAndWritesNothingWithYesStoresWhatTheCoreStores) {
  ImportDay cli(withTickets()), core(withTickets());
  for (ImportDay* d : {&cli, &core}) writeFile(d->root() / "jc.dat", jvNewResultJapanCup().bytes());
  const Snapshot before = snapshot(cli.root());
  auto r = runCli(cli.root(), "import jravan '" + (cli.root() / "jc.dat").string() + "' --kind result tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "JRA-VANﾃﾞｰﾀﾌｧｲﾙ読み込み終了\n11月25日 5回  8日目  東京競馬場\n読み込んだﾌｧｲﾙ：jc.dat  "
            "2018年11月25日\n読み込んだﾚｰｽ： 11R\n");
  EXPECT_EQ(snapshot(cli.root()), before);
  r = runCli(cli.root(), "--yes import jravan '" + (cli.root() / "jc.dat").string() + "' --kind result tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(
      jravanOnShown(core.ds(), core.port, ImportFolders{}, JravanRequest{{JravanKind::Result, true}, false, "jc.dat"}));
  storeShown(core.ds());
  EXPECT_EQ(snapshot(cli.root()), snapshot(core.root()));
  EXPECT_NE(snapshot(cli.root()), before);
}

TEST(ImportCli, NiftyAndPatStoreWhatTheCoreStores) {
  ImportDay cli(withTickets()), core(withTickets());
  for (ImportDay* d : {&cli, &core}) {
    writeFile(d->root() / "board.txt", niftyFile({niftyJapanCup()}));
    writeFile(d->root() / "pat" / "pat98.exe", {'M', 'Z'});
    writeFile(d->root() / "pat" / "Ks-11.dat", patResultJapanCup(3));
    writeFile(d->root() / "pat" / "De-11.dat", patEntriesJapanCup());
  }
  ImportFolders folders;
  folders.folder[kFolderPat] = "pat/";
  folders.patKind = 3;
  ASSERT_TRUE(saveImportFolders(FileSystem::standard(), cli.root(), folders));
  ASSERT_TRUE(saveImportFolders(FileSystem::standard(), core.root(), folders));
  auto r = runCli(cli.root(), "--yes import nifty '" + (cli.root() / "board.txt").string() + "' tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("読み込んだﾌｧｲﾙ：board.txt\n読み込んだﾚｰｽ： 11R\nｴﾗｰ：\n"), std::string::npos) << r.out;
  ASSERT_TRUE(niftyOnShown(core.ds(), core.port, folders, NiftyRequest{false, "board.txt"}));
  storeShown(core.ds());
  EXPECT_EQ(snapshot(cli.root()), snapshot(core.root()));

  r = runCli(cli.root(), "--yes import pat --results --entries tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(patOnShown(core.ds(), core.port, folders, PatRequest{false, true, true}));
  storeShown(core.ds());
  EXPECT_EQ(snapshot(cli.root()), snapshot(core.root()));
  // No flag: what the dialog checks for kind 3 (all three); the purchase index is missing.
  r = runCli(cli.root(), "import pat tok 1");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("PATの購入馬券ﾃﾞｰﾀﾌｧｲﾙが見つかりません。"), std::string::npos);
}

struct CliRefusal {
  const char* args;
  int exitCode;
};

class ImportCliRefused : public ::testing::TestWithParam<CliRefusal> {};

TEST_P(ImportCliRefused, ExitCodeAndNothingWritten) {
  ImportDay day;
  writeFile(day.root() / "short.dat", std::vector<std::uint8_t>(100, ' '));
  writeFile(day.root() / "empty.dat", {});
  const Snapshot before = snapshot(day.root());
  std::string args = GetParam().args;
  if (const auto at = args.find("SHORT"); at != std::string::npos)
    args.replace(at, 5, (day.root() / "short.dat").string());
  if (const auto at = args.find("EMPTY"); at != std::string::npos)
    args.replace(at, 5, (day.root() / "empty.dat").string());
  // A FIFO (outside the ledger, which the snapshot reads) is refused at once, never waited on.
  tovra::testing::TempDir other;
  ASSERT_EQ(::mkfifo((other / "fifo.dat").c_str(), 0600), 0);
  if (const auto at = args.find("FIFO"); at != std::string::npos) args.replace(at, 4, (other / "fifo.dat").string());
  EXPECT_EQ(runCli(day.root(), "--yes " + args).exitCode, GetParam().exitCode) << args;
  EXPECT_EQ(snapshot(day.root()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportCliRefused,
                         ::testing::Values(CliRefusal{"import jravan --kind result tok 1", 1},        // no file
                                           CliRefusal{"import jravan SHORT --kind result tok 1", 1},  // wrong kind
                                           CliRefusal{"import jravan SHORT --kind race tok 1", 1},    // no such kind
                                           CliRefusal{"import jravan --auto --kind card tok 1", 1},   // no folder
                                           CliRefusal{"import jravan SHORT --kind card tok 9", 1},    // no meeting 9
                                           CliRefusal{"import jravan SHORT --kind card xyz 1", 1},    // no course
                                           CliRefusal{"import nifty /nonexistent.txt tok 1", 1},
                                           CliRefusal{"import nifty --auto tok 1 2", 1},
                                           CliRefusal{"import jravan EMPTY --kind result tok 1", 1},  // nothing read
                                           CliRefusal{"import nifty EMPTY tok 1", 1},                 // nothing read
                                           CliRefusal{"import nifty SHORT tok 1", 1},                 // nothing read
                                           CliRefusal{"import pat --results tok 1", 1},  // no PAT folder set
                                           CliRefusal{"import pat tok", 1},
                                           CliRefusal{"import jravan FIFO --kind result tok 1", 1},
                                           CliRefusal{"import nifty FIFO tok 1", 1},
                                           CliRefusal{"import jravan '' --kind result tok 1", 1},
                                           CliRefusal{"import nifty '' tok 1", 1}));
