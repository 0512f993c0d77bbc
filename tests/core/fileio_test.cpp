// The one write path: whole files replaced by rename, records updated in place, groups of
// files committed together, and what the next open does with what a crash left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "storage/fileio.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::fixture::FaultyFs;
using Op = FaultyFs::Op;

namespace {

unsigned modeOf(const std::filesystem::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 0777;
}

}  // namespace

TEST(WholeFile, ReplacesTheTargetAndLeavesNothingBeside) {
  TempDir dir;
  writeBytes(dir / "main.dat", bytesOf("old contents"));
  ASSERT_TRUE(writeWholeFile(FileSystem::standard(), dir / "main.dat", bytesOf("new")));
  EXPECT_EQ(readBytes(dir / "main.dat"), bytesOf("new"));
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"main.dat"}));
  // A file that did not exist is created.
  ASSERT_TRUE(writeWholeFile(FileSystem::standard(), dir / "tovractm.dat", bytesOf("x")));
  EXPECT_EQ(readBytes(dir / "tovractm.dat"), bytesOf("x"));
  // An empty file is a file too.
  ASSERT_TRUE(writeWholeFile(FileSystem::standard(), dir / "main.dat", std::vector<std::uint8_t>{}));
  EXPECT_TRUE(std::filesystem::exists(dir / "main.dat"));
  EXPECT_EQ(std::filesystem::file_size(dir / "main.dat"), 0u);
}

TEST(WholeFile, KeepsTheModeOfTheFileItReplaces) {
  TempDir dir;
  writeBytes(dir / "2001sap.dat", bytesOf("old"));
  std::filesystem::permissions(dir / "2001sap.dat",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_TRUE(writeWholeFile(FileSystem::standard(), dir / "2001sap.dat", bytesOf("new")));
  EXPECT_EQ(modeOf(dir / "2001sap.dat"), 0600u);
}

TEST(WholeFile, TheNewFileIsWrittenBesideTheTargetUnderAUniqueName) {
  TempDir dir;
  std::vector<std::string> created;
  FaultyFs spy;
  spy.fail = [&](Op op, const std::filesystem::path& p) {
    if (op == Op::Open) created.push_back(p.filename().string());
    return false;
  };
  ASSERT_TRUE(writeWholeFile(spy, dir / "main.dat", bytesOf("a")));
  ASSERT_TRUE(writeWholeFile(spy, dir / "main.dat", bytesOf("b")));
  ASSERT_EQ(created.size(), 2u);
  EXPECT_NE(created[0], created[1]);
  for (const auto& n : created) {
    EXPECT_EQ(n.rfind("main.dat.", 0), 0u) << n;
    EXPECT_TRUE(isStagedName(n)) << n;
  }
}

// Every step of a whole-file write, failing: false, and the target as it was.
class WholeFileFailure : public ::testing::TestWithParam<Op> {};

TEST_P(WholeFileFailure, ReportsFailureAndKeepsTheTarget) {
  TempDir dir;
  writeBytes(dir / "main.dat", bytesOf("old contents"));
  FaultyFs fs;
  const Op failing = GetParam();
  fs.fail = [failing](Op op, const std::filesystem::path&) { return op == failing; };
  EXPECT_FALSE(writeWholeFile(fs, dir / "main.dat", bytesOf("new contents")));
  EXPECT_EQ(readBytes(dir / "main.dat"), bytesOf("old contents"));
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"main.dat"}));
}

INSTANTIATE_TEST_SUITE_P(EveryStep, WholeFileFailure,
                         ::testing::Values(Op::Open, Op::Write, Op::Flush, Op::Close, Op::CopyPerm, Op::Rename));

TEST(WholeFile, AFolderThatCannotBeSyncedIsAFailureToo) {
  TempDir dir;
  FaultyFs fs;
  fs.fail = [](Op op, const std::filesystem::path&) { return op == Op::SyncDir; };
  EXPECT_FALSE(writeWholeFile(fs, dir / "main.dat", bytesOf("new")));
}

TEST(WholeFile, AFullDiskIsAFailureEvenWhenTheCLibraryBuffers) {
  // /dev/full accepts the buffered write and fails when it reaches the device.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP();
  auto f = FileSystem::standard().open("/dev/full", OpenMode::Update);
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->write("abc", 3));
  EXPECT_FALSE(f->close());
  EXPECT_FALSE(updateInPlace(FileSystem::standard(), "/dev/full", 0, "abc", 3));
}

// What open() accepts: a FIFO is never opened (a reader would wait for a writer while the
// program holds the ledger lock), a folder or a device is never read as a file.
struct OpenCase {
  const char* kind;
  OpenMode mode;
  bool opens;
};

class OpenKinds : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenKinds, OnlyWhatCanHoldDataOpensAndNothingWaits) {
  TempDir dir;
  const OpenCase c = GetParam();
  std::filesystem::path p = dir / "target";
  const std::string kind = c.kind;
  if (kind == "file") {
    writeBytes(p, bytesOf("abc"));
  } else if (kind == "fifo") {
    ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
  } else if (kind == "folder") {
    std::filesystem::create_directory(p);
  } else if (kind == "device") {
    p = "/dev/null";
  } else if (kind == "link to fifo") {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir / "fifo", p);
  } else if (kind == "link to file") {
    writeBytes(dir / "file", bytesOf("abc"));
    std::filesystem::create_symlink(dir / "file", p);
  }
  auto f = FileSystem::standard().open(p, c.mode);
  EXPECT_EQ(static_cast<bool>(f), c.opens) << c.kind;
  if (f && kind != "device") {
    char buf[4] = {};
    EXPECT_EQ(f->read(buf, 3), 3u);  // blocking reads again: the whole content
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OpenKinds,
    ::testing::Values(OpenCase{"file", OpenMode::Read, true}, OpenCase{"file", OpenMode::Update, true},
                      OpenCase{"link to file", OpenMode::Read, true}, OpenCase{"fifo", OpenMode::Read, false},
                      OpenCase{"fifo", OpenMode::Update, false}, OpenCase{"link to fifo", OpenMode::Read, false},
                      OpenCase{"folder", OpenMode::Read, false}, OpenCase{"folder", OpenMode::Update, false},
                      OpenCase{"device", OpenMode::Read, false}));

class InPlaceFailure : public ::testing::TestWithParam<Op> {};

TEST_P(InPlaceFailure, EveryStepIsChecked) {
  TempDir dir;
  writeBytes(dir / "2001rsa.dat", bytesOf("0123456789"));
  FaultyFs fs;
  const Op failing = GetParam();
  fs.fail = [failing](Op op, const std::filesystem::path&) { return op == failing; };
  EXPECT_FALSE(updateInPlace(fs, dir / "2001rsa.dat", 4, "ab", 2));
}

INSTANTIATE_TEST_SUITE_P(EveryStep, InPlaceFailure,
                         ::testing::Values(Op::Open, Op::Seek, Op::Write, Op::Flush, Op::Close));

TEST(InPlace, ChangesOnlyItsBytes) {
  TempDir dir;
  writeBytes(dir / "2001rsa.dat", bytesOf("0123456789"));
  ASSERT_TRUE(updateInPlace(FileSystem::standard(), dir / "2001rsa.dat", 4, "ab", 2));
  EXPECT_EQ(readBytes(dir / "2001rsa.dat"), bytesOf("0123ab6789"));
  // A missing file is not created.
  EXPECT_FALSE(updateInPlace(FileSystem::standard(), dir / "missing.dat", 0, "ab", 2));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.dat"));
}

TEST(Reading, LargeFilesAreRefusedAndHeadsAreBounded) {
  TempDir dir;
  writeBytes(dir / "a.tmp", std::vector<unsigned char>(100, 7));
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(readWholeFile(FileSystem::standard(), dir / "a.tmp", out, 99));
  EXPECT_TRUE(readWholeFile(FileSystem::standard(), dir / "a.tmp", out, 100));
  EXPECT_EQ(out.size(), 100u);
  EXPECT_TRUE(readFileHead(FileSystem::standard(), dir / "a.tmp", 10, out));
  EXPECT_EQ(out.size(), 10u);
  EXPECT_TRUE(readFileHead(FileSystem::standard(), dir / "a.tmp", 1000, out));
  EXPECT_EQ(out.size(), 100u);
  // A sparse file of 4 GiB is never read whole.
  std::filesystem::resize_file(dir / "a.tmp", 4ull << 30);
  EXPECT_FALSE(readWholeFile(FileSystem::standard(), dir / "a.tmp", out));
  EXPECT_TRUE(readFileHead(FileSystem::standard(), dir / "a.tmp", 42, out));
  EXPECT_EQ(out.size(), 42u);
}

// --- groups of files

namespace {

struct Group {
  TempDir dir;
  void seed() {
    writeBytes(dir / "a.dat", bytesOf("old a"));
    writeBytes(dir / "b.dat", bytesOf("old b"));
  }
  bool commit(FileSystem& fs) {
    StagedFile a(fs, dir / "a.dat"), b(fs, dir / "b.dat");
    return a.open() && a.write("new a", 5) && b.open() && b.write("new b", 5) &&
           commitTogether(fs, commitMarkFor(dir / "a.dat"), {&a, &b});
  }
  std::string state() {
    auto a = readBytes(dir / "a.dat"), b = readBytes(dir / "b.dat");
    return std::string(a.begin(), a.end()) + "|" + std::string(b.begin(), b.end());
  }
};

}  // namespace

TEST(CommitTogether, ReplacesBothAndLeavesNothing) {
  Group g;
  g.seed();
  ASSERT_TRUE(g.commit(FileSystem::standard()));
  EXPECT_EQ(g.state(), "new a|new b");
  EXPECT_EQ(namesIn(g.dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

TEST(CommitTogether, ACrashAtAnyStepReadsAsOldOrNewAfterTheNextOpen) {
  Group probe;
  probe.seed();
  FaultyFs counter;
  ASSERT_TRUE(probe.commit(counter));
  const std::size_t total = counter.count;
  std::set<std::string> seen;
  for (std::size_t k = 0; k <= total; ++k) {
    Group g;
    g.seed();
    FaultyFs fs;
    fs.stopAfter = k;
    g.commit(fs);
    ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), g.dir.path()));
    const std::string s = g.state();
    ASSERT_TRUE(s == "old a|old b" || s == "new a|new b") << "stopped after " << k << ": " << s;
    EXPECT_EQ(namesIn(g.dir.path()), (std::set<std::string>{"a.dat", "b.dat"})) << k;
    seen.insert(s);
  }
  EXPECT_EQ(seen.size(), 2u);  // both ends were reached
}

TEST(Recovery, RemovesWhatWasNeverCommitted) {
  TempDir dir;
  writeBytes(dir / "main.dat", bytesOf("old"));
  writeBytes(dir / "main.dat.99999999-4.tovra-new", bytesOf("half"));
  writeBytes(dir / "other.txt", bytesOf("the user's"));
  ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), dir.path()));
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"main.dat", "other.txt"}));
  EXPECT_EQ(readBytes(dir / "main.dat"), bytesOf("old"));
}

TEST(Recovery, AMarkNeverNamesAFileOutsideItsFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir / "sub");
  writeBytes(dir / "victim.dat", bytesOf("keep"));
  writeBytes(dir / "sub/x.99999999-1.tovra-new", bytesOf("evil"));
  writeBytes(dir / "sub/a.dat.tovra-commit", bytesOf("x.99999999-1.tovra-new\t../victim.dat\n"));
  ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), dir / "sub"));
  EXPECT_EQ(readBytes(dir / "victim.dat"), bytesOf("keep"));
  EXPECT_TRUE(namesIn(dir / "sub").empty());
}

TEST(Recovery, AGroupThatCannotBeCompletedIsReported) {
  TempDir dir;
  writeBytes(dir / "a.dat.1-1.tovra-new", bytesOf("new a"));
  writeBytes(dir / "a.dat.tovra-commit", bytesOf("a.dat.1-1.tovra-new\ta.dat\n"));
  FaultyFs fs;
  fs.fail = [](Op op, const std::filesystem::path&) { return op == Op::Rename; };
  std::filesystem::path failed;
  EXPECT_FALSE(recoverInterruptedWrites(fs, dir.path(), &failed));
  EXPECT_EQ(failed, dir / "a.dat");
  // Nothing was thrown away: the next try completes it.
  ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), dir.path()));
  EXPECT_EQ(readBytes(dir / "a.dat"), bytesOf("new a"));
}

TEST(Recovery, LeftoversOfADeletedYearGo) {
  TempDir dir;
  for (const char* n :
       {"2000sap.dat.1-1.tovra-new", "2000sap.dat.tovra-commit", "2001sap.dat.1-2.tovra-new", "2000sap.dat"})
    writeBytes(dir / n, bytesOf("x"));
  removeLeftoversOf(FileSystem::standard(), dir.path(), "2000");
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"2001sap.dat.1-2.tovra-new", "2000sap.dat"}));
}

// A file the user made read-only is refused by every way of writing, before anything is
// written: its bytes, its mode and its folder stay as they were.
enum class WriteWay { Whole, Staged, Together, InPlace };

class ReadOnlyTarget : public ::testing::TestWithParam<WriteWay> {};

TEST_P(ReadOnlyTarget, IsRefusedAndLeftAsItWas) {
  TempDir dir;
  writeBytes(dir / "2001rsa.dat", bytesOf("0123456789"));
  writeBytes(dir / "2001ksa.dat", bytesOf("abc"));
  ::chmod((dir / "2001rsa.dat").c_str(), 0444);
  FaultyFs fs;
  fs.readOnly = [&](const std::filesystem::path& p) { return p == dir / "2001rsa.dat"; };
  bool ok = true;
  switch (GetParam()) {
    case WriteWay::Whole: ok = writeWholeFile(fs, dir / "2001rsa.dat", bytesOf("new")); break;
    case WriteWay::Staged: {
      StagedFile f(fs, dir / "2001rsa.dat");
      ok = f.open() && f.write("new", 3) && f.commit();
      break;
    }
    case WriteWay::Together: {
      StagedFile a(fs, dir / "2001ksa.dat"), b(fs, dir / "2001rsa.dat");
      ok = a.open() && b.open() && a.write("A", 1) && b.write("B", 1) &&
           commitTogether(fs, commitMarkFor(a.target()), {&a, &b});
      break;
    }
    case WriteWay::InPlace: ok = updateInPlace(fs, dir / "2001rsa.dat", 2, "zz", 2); break;
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(readBytes(dir / "2001rsa.dat"), bytesOf("0123456789"));
  EXPECT_EQ(readBytes(dir / "2001ksa.dat"), bytesOf("abc"));
  EXPECT_EQ(modeOf(dir / "2001rsa.dat"), 0444u);
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"2001ksa.dat", "2001rsa.dat"}));
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ReadOnlyTarget,
                         ::testing::Values(WriteWay::Whole, WriteWay::Staged, WriteWay::Together, WriteWay::InPlace));

TEST(ReadOnly, ANewFileAndAWritableOneAreWritten) {
  TempDir dir;
  FaultyFs fs;
  fs.readOnly = [&](const std::filesystem::path& p) { return p == dir / "other.dat"; };
  EXPECT_TRUE(writeWholeFile(fs, dir / "main.dat", bytesOf("a")));
  EXPECT_TRUE(writeWholeFile(fs, dir / "main.dat", bytesOf("b")));
  EXPECT_EQ(readBytes(dir / "main.dat"), bytesOf("b"));
}

TEST(ReadOnly, TheRealCheckRefusesMode0444ForAnOrdinaryUser) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TempDir dir;
  writeBytes(dir / "main.dat", bytesOf("old"));
  ::chmod((dir / "main.dat").c_str(), 0444);
  EXPECT_FALSE(FileSystem::standard().writable(dir / "main.dat"));
  EXPECT_TRUE(FileSystem::standard().writable(dir / "missing.dat"));
  EXPECT_FALSE(writeWholeFile(FileSystem::standard(), dir / "main.dat", bytesOf("new")));
  EXPECT_EQ(readBytes(dir / "main.dat"), bytesOf("old"));
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"main.dat"}));
}
