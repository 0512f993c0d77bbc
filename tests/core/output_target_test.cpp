// Files the user names (--out, --png, --pdf): what is at the path decides how it is
// written. And what the next open removes of the staged files a killed writer left.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>

#include "common/temp_dir.hpp"
#include "ledger/fileio.hpp"
#include "ledger/recovery.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

std::vector<unsigned char> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

std::set<std::string> namesIn(const std::filesystem::path& dir) {
  std::set<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir)) out.insert(e.path().filename().string());
  return out;
}

mode_t typeOf(const std::filesystem::path& p) {
  struct stat st {};
  if (::lstat(p.c_str(), &st) != 0) return 0;
  return st.st_mode & S_IFMT;
}

struct OutputCase {
  const char* kind;
  mode_t typeAfter;  // of the path the user named
  bool writeThrough;
  const char* holder;  // the file that holds the new bytes afterwards ("" when none)
  std::set<std::string> namesAfter;
};

class OutputKinds : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputKinds, WhatIsAtThePathStaysAndGetsTheBytes) {
  TempDir dir;
  const OutputCase c = GetParam();
  const std::string kind = c.kind;
  std::filesystem::path p = dir / "out.csv";
  int fifo = -1;
  if (kind == "regular file") {
    writeBytes(p, bytesOf("old contents that are longer"));
  } else if (kind == "symlink to file") {
    writeBytes(dir / "real.csv", bytesOf("old contents that are longer"));
    std::filesystem::create_symlink("real.csv", p);
  } else if (kind == "dangling symlink") {
    std::filesystem::create_symlink("real.csv", p);
  } else if (kind == "/dev/null") {
    p = "/dev/null";
  } else if (kind == "fifo") {
    // Held open for reading (and writing, so that the open neither waits nor sees an end):
    // a build that replaced the FIFO leaves this descriptor without data instead of hanging.
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
    fifo = ::open(p.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fifo, 0);
  }
  const OutputTarget t = outputTargetFor(p);
  // Before anything is written: a device must never be replaced by a file.
  ASSERT_EQ(t.writeThrough, c.writeThrough) << c.kind;
  EXPECT_TRUE(writeOutputFile(FileSystem::standard(), p, "new", 3)) << c.kind;
  EXPECT_EQ(typeOf(p), c.typeAfter) << c.kind;
  if (fifo >= 0) {
    char buf[8] = {};
    EXPECT_EQ(::read(fifo, buf, sizeof buf), 3);
    EXPECT_EQ(std::string(buf), "new");
    ::close(fifo);
  }
  if (*c.holder) {
    EXPECT_EQ(readBytes(dir / c.holder), bytesOf("new")) << c.kind;
  }
  EXPECT_EQ(namesIn(dir.path()), c.namesAfter) << c.kind;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OutputKinds,
    ::testing::Values(OutputCase{"new file", S_IFREG, false, "out.csv", {"out.csv"}},
                      OutputCase{"regular file", S_IFREG, false, "out.csv", {"out.csv"}},
                      OutputCase{"symlink to file", S_IFLNK, false, "real.csv", {"out.csv", "real.csv"}},
                      OutputCase{"dangling symlink", S_IFLNK, false, "real.csv", {"out.csv", "real.csv"}},
                      OutputCase{"/dev/null", S_IFCHR, true, "", {}},
                      OutputCase{"fifo", S_IFIFO, true, "", {"out.csv"}}));

TEST(OutputFile, FailuresLeaveTheTargetAndNothingBeside) {
  TempDir dir;
  // A folder is never replaced.
  std::filesystem::create_directory(dir / "folder");
  EXPECT_FALSE(writeOutputFile(FileSystem::standard(), dir / "folder", "new", 3));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  // A folder that does not exist.
  EXPECT_FALSE(writeOutputFile(FileSystem::standard(), dir / "none" / "out.csv", "new", 3));
  // A link into a folder that does not exist.
  std::filesystem::create_symlink("none/out.csv", dir / "link.csv");
  EXPECT_FALSE(writeOutputFile(FileSystem::standard(), dir / "link.csv", "new", 3));
  // A loop of links.
  std::filesystem::create_symlink("b", dir / "a");
  std::filesystem::create_symlink("a", dir / "b");
  EXPECT_FALSE(writeOutputFile(FileSystem::standard(), dir / "a", "new", 3));
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"a", "b", "folder", "link.csv"}));
  // A full device is a failure, written through.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(writeOutputFile(FileSystem::standard(), "/dev/full", "x", 1));
  }
}

TEST(StagedNames, ThePidOfTheWriter) {
  const std::pair<const char*, long> cases[] = {
      {"main.dat.1234-0.tovra-new", 1234}, {"out.csv.77-12.tovra-new", 77}, {"2001sap.dat.5-3.tovra-new", 5},
      {"a.b.c.9-1.tovra-new", 9},          {"main.dat.tovra-new", 0},       {"main.dat.x12-0.tovra-new", 0},
      {"main.dat.12-.tovra-new", 0},       {"main.dat.-3.tovra-new", 0},    {"main.dat.12-3", 0},
      {"main.dat.12-3.tovra-commit", 0},
  };
  for (const auto& [name, pid] : cases) EXPECT_EQ(stagedWriterPid(name), pid) << name;
}

// A file layer whose only running writer is pid 4242.
class OneLiveWriter : public FileSystem {
 public:
  bool processRunning(long pid) override { return pid == 4242; }
};

TEST(LeftoverRecovery, RemovesTheStagedFilesOfGoneWritersInEveryFolderOfTheLedger) {
  TempDir root;
  const std::vector<std::filesystem::path> folders = {root.path(), root / "tmp", root / "tmp/lzh",
                                                      root / "tovradatafile", root / "tovradatafile/sapporo"};
  for (const auto& f : folders) {
    std::filesystem::create_directories(f);
    writeBytes(f / "x.dat", bytesOf("kept"));
    writeBytes(f / "x.dat.999999-0.tovra-new", bytesOf("gone writer"));
    writeBytes(f / "x.dat.4242-7.tovra-new", bytesOf("running writer"));
    writeBytes(f / ("x.dat." + std::to_string(::getpid()) + "-1.tovra-new"), bytesOf("this process"));
    writeBytes(f / "x.dat.tovra-new", bytesOf("no pid"));
  }
  OneLiveWriter fs;
  recoverLedger(fs, root.path());
  for (const auto& f : folders) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(f))
      if (e.is_regular_file()) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"x.dat", "x.dat.4242-7.tovra-new"})) << f;
  }
}

TEST(LeftoverRecovery, TheStandardLayerKnowsWhichWritersRun) {
  EXPECT_TRUE(FileSystem::standard().processRunning(::getpid()));
  EXPECT_TRUE(FileSystem::standard().processRunning(1));  // init runs, even when not ours to signal
  EXPECT_FALSE(FileSystem::standard().processRunning(0));
  EXPECT_FALSE(FileSystem::standard().processRunning(-1));
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_FALSE(FileSystem::standard().processRunning(child));
}

}  // namespace
