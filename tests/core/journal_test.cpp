// Records of several files changed together in place through a redo journal: its bytes,
// what a damaged one is, and that a crash at any step reads as all old or all new once
// the next open has run.
#include <gtest/gtest.h>

#include <set>

#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "storage/fileio.hpp"

using namespace tovra;
using namespace tovra::testing;
using tovra::fixture::FaultyFs;
using Op = FaultyFs::Op;

namespace {

// Two files of one folder and a change of a few bytes in each.
struct Pair {
  TempDir dir;
  Pair() {
    writeBytes(dir / "a.dat", bytesOf("aaaaaaaa"));
    writeBytes(dir / "b.dat", bytesOf("bbbbbbbb"));
  }
  std::vector<InPlacePiece> change() const {
    return {{dir / "a.dat", 2, {'N', 'E', 'W'}}, {dir / "b.dat", 5, {'n', 'e', 'w'}}};
  }
  std::filesystem::path journal() const { return journalFor(dir / "a.dat"); }
  std::string state() const {
    const auto a = readBytes(dir / "a.dat"), b = readBytes(dir / "b.dat");
    return std::string(a.begin(), a.end()) + "|" + std::string(b.begin(), b.end());
  }
};

const std::string kOld = "aaaaaaaa|bbbbbbbb";
const std::string kNew = "aaNEWaaa|bbbbbnew";

}  // namespace

TEST(Journal, BytesAreLaidOutAsDocumented) {
  const std::vector<InPlacePiece> pieces{{"/any/folder/a.dat", 0x0102, {0xAA, 0xBB}}};
  const std::vector<std::uint8_t> expected{
      'T',  'O',  'V',  'R',  'A',  'J',  'N', 'L',       // 0: magic
      1,    0,    0,    0,                                // 8: version
      1,    0,    0,    0,                                // 12: pieces
      5,    0,    0,    0,    'a',  '.',  'd', 'a', 't',  // 16: name length, name (no folder)
      0x02, 0x01, 0,    0,    0,    0,    0,   0,         // 25: offset
      2,    0,    0,    0,    0xAA, 0xBB,                 // 33: length, bytes
      0xCA, 0x77, 0x6A, 0xA6,                             // 39: CRC-32 of bytes 0-38
  };
  EXPECT_EQ(encodeJournal(pieces), expected);
  std::vector<InPlacePiece> back;
  ASSERT_TRUE(decodeJournal(expected, "/elsewhere", back));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].path, std::filesystem::path("/elsewhere/a.dat"));
  EXPECT_EQ(back[0].offset, 0x0102u);
  EXPECT_EQ(back[0].bytes, (std::vector<std::uint8_t>{0xAA, 0xBB}));
}

TEST(Journal, EveryCutAndEveryChangedByteIsNoJournal) {
  const std::vector<std::uint8_t> whole = encodeJournal({{"x/a.dat", 7, {1, 2, 3}}, {"x/b.dat", 9, {4}}});
  std::vector<InPlacePiece> pieces;
  ASSERT_TRUE(decodeJournal(whole, "d", pieces));
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(decodeJournal(cut, "d", pieces)) << "cut at " << n;
    EXPECT_TRUE(pieces.empty());
  }
  for (std::size_t i = 0; i < whole.size(); ++i) {
    std::vector<std::uint8_t> changed = whole;
    changed[i] ^= 0x10;
    EXPECT_FALSE(decodeJournal(changed, "d", pieces)) << "byte " << i;
  }
}

TEST(Journal, ANameThatLeavesTheFolderIsNoJournal) {
  // Encoded with a correct CRC: only the name is wrong.
  for (const char* leaf : {"..", "."}) {
    std::vector<InPlacePiece> pieces;
    EXPECT_FALSE(decodeJournal(encodeJournal({{std::filesystem::path("x") / leaf, 0, {1}}}), "d", pieces)) << leaf;
  }
}

TEST(Journal, ChangesEveryPieceAndLeavesNothing) {
  Pair p;
  ASSERT_TRUE(updateTogether(FileSystem::standard(), p.journal(), p.change()));
  EXPECT_EQ(p.state(), kNew);
  EXPECT_EQ(namesIn(p.dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

TEST(Journal, ACrashAtAnyStepReadsAsOldOrNewAfterTheNextOpen) {
  Pair probe;
  FaultyFs counter;
  counter.realSync = false;
  ASSERT_TRUE(updateTogether(counter, probe.journal(), probe.change()));
  std::set<std::string> seen;
  for (std::size_t k = 0; k <= counter.count; ++k) {
    Pair p;
    FaultyFs fs;
    fs.realSync = false;
    fs.stopAfter = k;
    updateTogether(fs, p.journal(), p.change());
    ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), p.dir.path()));
    const std::string s = p.state();
    ASSERT_TRUE(s == kOld || s == kNew) << "stopped after " << k << ": " << s;
    EXPECT_EQ(namesIn(p.dir.path()), (std::set<std::string>{"a.dat", "b.dat"})) << k;
    seen.insert(s);
  }
  EXPECT_EQ(seen, (std::set<std::string>{kOld, kNew}));
}

TEST(Journal, AMissingOrReadOnlyFileIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    bool remove;
    bool readOnly;
  };
  for (const Case c : {Case{"missing", true, false}, Case{"read-only", false, true}}) {
    Pair p;
    if (c.remove) std::filesystem::remove(p.dir / "b.dat");
    FaultyFs fs;
    fs.readOnly = [&](const std::filesystem::path& f) { return c.readOnly && f.filename() == "b.dat"; };
    std::filesystem::path failed;
    EXPECT_FALSE(updateTogether(fs, p.journal(), p.change(), &failed)) << c.what;
    EXPECT_EQ(failed, p.dir / "b.dat") << c.what;
    EXPECT_EQ(readBytes(p.dir / "a.dat"), bytesOf("aaaaaaaa")) << c.what;
    EXPECT_FALSE(std::filesystem::exists(p.journal())) << c.what;
  }
}

TEST(Journal, APieceThatCannotBeWrittenAgainIsReportedAndKept) {
  Pair p;
  writeBytes(p.journal(), encodeJournal(p.change()));
  FaultyFs fs;
  fs.fail = [](Op op, const std::filesystem::path& f) { return op == Op::Write && f.filename() == "b.dat"; };
  std::filesystem::path failed;
  EXPECT_FALSE(recoverInterruptedWrites(fs, p.dir.path(), &failed));
  EXPECT_EQ(failed, p.dir / "b.dat");
  EXPECT_TRUE(std::filesystem::exists(p.journal()));
  // The next open completes it.
  ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), p.dir.path()));
  EXPECT_EQ(p.state(), kNew);
  EXPECT_EQ(namesIn(p.dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

TEST(Journal, ADamagedJournalIsRemovedAndChangesNothing) {
  Pair p;
  std::vector<std::uint8_t> damaged = encodeJournal(p.change());
  damaged.pop_back();
  writeBytes(p.journal(), damaged);
  ASSERT_TRUE(recoverInterruptedWrites(FileSystem::standard(), p.dir.path()));
  EXPECT_EQ(p.state(), kOld);
  EXPECT_EQ(namesIn(p.dir.path()), (std::set<std::string>{"a.dat", "b.dat"}));
}

TEST(Journal, TheJournalOfADeletedYearGoes) {
  TempDir dir;
  for (const char* n : {"2000rsap.dat.tovra-journal", "2001rsap.dat.tovra-journal"}) writeBytes(dir / n, bytesOf("x"));
  removeLeftoversOf(FileSystem::standard(), dir.path(), "2000");
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"2001rsap.dat.tovra-journal"}));
}
