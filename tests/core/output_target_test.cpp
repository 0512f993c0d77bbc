// Files the user names (--out, --png, --pdf): what is at the path decides how it is
// written. And what the next open removes of the staged files a killed writer left.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>
#include <string>

#include "common/temp_dir.hpp"
#include "storage/fileio.hpp"
#include "storage/recovery.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {

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

// ---------------------------------------------------------------- signals while staging

bool blocked(int sig) {
  sigset_t now;
  ::pthread_sigmask(SIG_BLOCK, nullptr, &now);
  return sigismember(&now, sig) == 1;
}

// A file layer that notes at each step of a write whether SIGINT is held back, and sends
// the process `signal` at the step named `step`.
class SignallingFs : public FileSystem {
 public:
  std::string step;
  int signal = 0;
  std::vector<std::pair<std::string, bool>> seen;  // step, SIGINT blocked there

  void at(const std::string& s) {
    seen.emplace_back(s, blocked(SIGINT));
    if (s == step) ::kill(::getpid(), signal);
  }
  std::unique_ptr<File> open(const std::filesystem::path& p, OpenMode mode) override {
    if (mode == OpenMode::CreateNew) at("create");
    auto f = FileSystem::open(p, mode);
    if (!f || mode != OpenMode::CreateNew) return f;
    return std::make_unique<Watched>(*this, std::move(f));
  }
  std::unique_ptr<File> openWriteThrough(const std::filesystem::path& p) override {
    at("open through");
    return FileSystem::openWriteThrough(p);
  }
  bool copyPermissions(const std::filesystem::path& from, const std::filesystem::path& to) override {
    at("copy permissions");
    return FileSystem::copyPermissions(from, to);
  }
  bool rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    at("rename");
    return FileSystem::rename(from, to);
  }
  bool syncDirectory(const std::filesystem::path& dir) override {
    at("sync folder");
    return FileSystem::syncDirectory(dir);
  }

 private:
  class Watched final : public File {
   public:
    Watched(SignallingFs& fs, std::unique_ptr<File> f) : fs_(fs), f_(std::move(f)) {}
    std::size_t read(void* buf, std::size_t n) override { return f_->read(buf, n); }
    bool write(const void* buf, std::size_t n) override {
      fs_.at("write");
      return f_->write(buf, n);
    }
    bool seek(std::uint64_t offset) override { return f_->seek(offset); }
    bool flush() override {
      fs_.at("sync");
      return f_->flush();
    }
    bool close() override {
      fs_.at("close");
      return f_->close();
    }
    std::uint64_t size() override { return f_->size(); }

   private:
    SignallingFs& fs_;
    std::unique_ptr<File> f_;
  };
};

struct SignalCase {
  const char* step;
  int signal;
};

class SignalWhileStaging : public ::testing::TestWithParam<SignalCase> {};

// A signal that comes at any step of staging, syncing and renaming a user's file waits
// for the step's end: the process then ends by it as usual, with the whole new file in
// place and nothing staged beside it.
TEST_P(SignalWhileStaging, EndsTheProgramAfterTheNewFileIsInPlace) {
  const SignalCase c = GetParam();
  TempDir dir;
  writeBytes(dir / "out.csv", bytesOf("old contents"));
  const std::string fresh(100000, 'n');
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);  // SIGQUIT's core is of no use here
    SignallingFs fs;
    fs.step = c.step;
    fs.signal = c.signal;
    const bool ok = writeOutputFile(fs, dir / "out.csv", fresh.data(), fresh.size());
    ::_exit(ok ? 0 : 2);  // reached only when the signal did not end the process
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << c.step << " exit " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), c.signal) << c.step;
  EXPECT_EQ(readBytes(dir / "out.csv"), bytesOf(fresh)) << c.step;
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"out.csv"})) << c.step;
}

INSTANTIATE_TEST_SUITE_P(Steps, SignalWhileStaging,
                         ::testing::Values(SignalCase{"create", SIGINT}, SignalCase{"write", SIGTERM},
                                           SignalCase{"sync", SIGHUP}, SignalCase{"close", SIGINT},
                                           SignalCase{"copy permissions", SIGQUIT}, SignalCase{"rename", SIGINT},
                                           SignalCase{"sync folder", SIGTERM}));

struct MaskCase {
  const char* kind;
  bool heldWhileWriting;
};

class SignalMask : public ::testing::TestWithParam<MaskCase> {};

// Held back only for a regular file, and the mask is as before afterwards (a signal the
// caller held stays held); a write through to a device or FIFO, which may wait for its
// reader, is never shielded.
TEST_P(SignalMask, HeldForRegularFilesOnlyAndRestoredAfter) {
  const MaskCase c = GetParam();
  const std::string kind = c.kind;
  TempDir dir;
  std::filesystem::path p = dir / "out.csv";
  if (kind == "regular file") writeBytes(p, bytesOf("old"));
  if (kind == "/dev/null") p = "/dev/null";
  sigset_t hup, before, after;
  sigemptyset(&hup);
  sigaddset(&hup, SIGHUP);
  ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &hup, &before), 0);  // held by the caller already
  SignallingFs fs;
  EXPECT_TRUE(writeOutputFile(fs, p, "new", 3)) << kind;
  ASSERT_FALSE(fs.seen.empty()) << kind;
  for (const auto& [step, held] : fs.seen) EXPECT_EQ(held, c.heldWhileWriting) << kind << " " << step;
  EXPECT_FALSE(blocked(SIGINT)) << kind;
  EXPECT_TRUE(blocked(SIGHUP)) << kind;
  ::pthread_sigmask(SIG_SETMASK, &before, &after);
  EXPECT_EQ(sigismember(&after, SIGTERM), 0) << kind;
}

INSTANTIATE_TEST_SUITE_P(Kinds, SignalMask,
                         ::testing::Values(MaskCase{"new file", true}, MaskCase{"regular file", true},
                                           MaskCase{"/dev/null", false}));

// The real file layer, a large file written over and over, and a SIGINT at a random
// moment, several times: the target is always the old file or one whole new version, and
// nothing staged is left beside it.
TEST(SignalWhileStaging, ARandomCtrlCLeavesTheOldOrAWholeNewFileAndNothingBeside) {
  TempDir dir;
  const std::string old = "old contents";
  const std::string a(8u << 20, 'a'), b(8u << 20, 'b');
  std::mt19937 random(20260101);
  for (int round = 0; round < 8; ++round) {
    writeBytes(dir / "out.csv", bytesOf(old));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      const char go = 1;
      if (::write(ready[1], &go, 1) != 1) ::_exit(3);
      for (int k = 0;; ++k) {
        const std::string& data = k % 2 ? b : a;
        if (!writeOutputFile(FileSystem::standard(), dir / "out.csv", data.data(), data.size())) ::_exit(2);
      }
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 120000)(random)));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << round << " exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGINT) << round;
    const auto got = readBytes(dir / "out.csv");
    const std::string text(got.begin(), got.end());
    EXPECT_TRUE(text == old || text == a || text == b) << round << ": " << got.size() << " bytes";
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"out.csv"})) << round;
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
