// LZH archives through liblhasa: members checked against their length and CRC, folder
// names dropped, hostile names, damaged archives and archives of too many members refused
// whole; the import's reading keeps only the members it looks into.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/import/file_list.hpp"
#include "features/import/jravan/lha_archive.hpp"
#include "storage/fileio.hpp"
#include "support/lzh_builder.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {
std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(LhaArchive, Crc16OfTheCheckString) {
  // CRC-16/ARC of "123456789" is 0xBB3D.
  EXPECT_EQ(lhaCrc16(bytesOf("123456789")), 0xBB3D);
}

TEST(LhaArchive, StoredMembersComeBackWithoutTheirFolders) {
  const auto a = lzhArchive({{"jra1125.dat", bytesOf("hello")}, {"sub\\jra2.dat", bytesOf("second")}, {"empty", {}}});
  const LhaContents c = readLhaArchive(a);
  ASSERT_EQ(c.status, LhaStatus::Ok);
  ASSERT_EQ(c.members.size(), 3u);
  EXPECT_EQ(c.members[0].name, "jra1125.dat");
  EXPECT_EQ(c.members[0].data, bytesOf("hello"));
  EXPECT_EQ(c.members[1].name, "jra2.dat");
  EXPECT_EQ(c.members[1].data, bytesOf("second"));
  EXPECT_TRUE(c.members[2].data.empty());
  // Without the end mark the archive ends with the file.
  EXPECT_EQ(readLhaArchive(lzhArchive({{"a", bytesOf("x")}}, false)).status, LhaStatus::Ok);
}

TEST(LhaArchive, PlainFilesAreNoArchives) {
  EXPECT_EQ(readLhaArchive(bytesOf("2018112505")).status, LhaStatus::NotArchive);
  EXPECT_EQ(readLhaArchive({}).status, LhaStatus::NotArchive);
  EXPECT_EQ(readLhaArchive(std::vector<std::uint8_t>(3048, ' ')).status, LhaStatus::NotArchive);
}

struct Damage {
  const char* what;
  std::size_t at;  // byte to change (from the end when negative-like: see below)
  bool fromEnd;
  int delta;            // added to the byte
  std::size_t cut = 0;  // bytes cut off the end instead
};

class LhaDamaged : public ::testing::TestWithParam<Damage> {};

TEST_P(LhaDamaged, IsRefusedWhole) {
  auto a = lzhArchive({{"jra1.dat", bytesOf("first member")}, {"jra2.dat", bytesOf("second member data")}});
  const Damage& d = GetParam();
  if (d.cut) {
    a.resize(a.size() - d.cut);
  } else {
    std::uint8_t& b = a[d.fromEnd ? a.size() - 1 - d.at : d.at];
    b = static_cast<std::uint8_t>(b + d.delta);
  }
  const LhaContents c = readLhaArchive(a);
  EXPECT_EQ(c.status, LhaStatus::Damaged) << d.what;
  EXPECT_TRUE(c.members.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, LhaDamaged,
                         ::testing::Values(Damage{"a data byte of the last member", 3, true, 1},
                                           Damage{"a data byte of the first member", 36, false, 1},
                                           Damage{"cut inside the last member", 0, false, 0, 5},
                                           Damage{"cut inside the last header", 0, false, 0, 25}));

TEST(LhaArchive, TooMuchToUnpackIsRefused) {
  const auto a = lzhArchive({{"big", std::vector<std::uint8_t>(1000, 'x')}});
  EXPECT_EQ(readLhaArchive(a, LhaLimits{999}).status, LhaStatus::Damaged);
  EXPECT_EQ(readLhaArchive(a, LhaLimits{1000}).status, LhaStatus::Ok);
}

class LhaUnsafe : public ::testing::TestWithParam<const char*> {};

TEST_P(LhaUnsafe, NamesPointingOutsideAreRefused) {
  const auto a = lzhArchive({{"jra1.dat", bytesOf("ok")}, {GetParam(), bytesOf("evil")}});
  const LhaContents c = readLhaArchive(a);
  EXPECT_EQ(c.status, LhaStatus::UnsafeName) << GetParam();
  EXPECT_TRUE(c.members.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, LhaUnsafe,
                         ::testing::Values("..\\main.dat", "../main.dat", "a\\..\\..\\main.dat", "\\etc\\passwd",
                                           "/etc/passwd", ".."));

// A member that cannot be written (a full disk) fails the unpacking by its name, and what
// was written of the archive is removed again.
TEST(LhaArchive, AMemberThatCannotBeWrittenIsNamedAndNothingStays) {
  tovra::testing::TempDir dir;
  tovra::testing::writeBytes(dir / "a.lzh",
                             lzhArchive({{"jra1125.dat", bytesOf("hello")}, {"jra1126.dat", bytesOf("x")}}));
  fixture::FaultyFs fs;
  fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path& p) {
    return op == fixture::FaultyFs::Op::Write && p.filename().string().rfind("jra1126.dat", 0) == 0;
  };
  std::vector<std::string> written{"stale"};
  std::string failed;
  EXPECT_EQ(unpackLhaArchive(fs, dir / "a.lzh", dir / "out", written, &failed), LhaStatus::WriteFailed);
  EXPECT_EQ(failed, "jra1126.dat");
  EXPECT_TRUE(written.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
  // Without the fault both are there.
  fs.fail = [](fixture::FaultyFs::Op, const std::filesystem::path&) { return false; };
  EXPECT_EQ(unpackLhaArchive(fs, dir / "a.lzh", dir / "out", written), LhaStatus::Ok);
  EXPECT_EQ(written, (std::vector<std::string>{"jra1125.dat", "jra1126.dat"}));
  EXPECT_EQ(tovra::testing::readBytes(dir / "out" / "jra1126.dat"), bytesOf("x"));
}

TEST(LhaArchive, Crc16ContinuesOverPieces) {
  const auto whole = bytesOf("123456789");
  const std::span<const std::uint8_t> all(whole);
  EXPECT_EQ(lhaCrc16(all.subspan(4), lhaCrc16(all.first(4))), 0xBB3D);
}

// Members are unpacked in pieces: one far longer than a piece comes back whole, and a
// changed byte deep inside it is still caught.
TEST(LhaArchive, AMemberLongerThanAPieceComesBackWholeAndIsChecked) {
  std::vector<std::uint8_t> big(200000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  auto a = lzhArchive({{"jra1125.dat", big}, {"b", bytesOf("x")}});
  const LhaContents c = readLhaArchive(a);
  ASSERT_EQ(c.status, LhaStatus::Ok);
  EXPECT_EQ(c.members[0].data, big);
  a[30 + 150000] ^= 1;
  EXPECT_EQ(readLhaArchive(a).status, LhaStatus::Damaged);
  EXPECT_EQ(readLhaMembers(a, "b").status, LhaStatus::Damaged);  // checked although not kept
}

namespace {

// An archive of `n` one-byte members named jra00000.dat ...
std::vector<std::uint8_t> manyMembers(std::size_t n) {
  std::vector<LzhEntry> entries;
  entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    entries.push_back({"jra" + std::to_string(100000 + i).substr(1) + ".dat", {static_cast<std::uint8_t>(i)}});
  return lzhArchive(entries);
}

struct CountCase {
  std::size_t members;
  std::size_t limit;  // 0: the default limit
  LhaStatus status;
};

}  // namespace

class LhaMemberCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(LhaMemberCount, MoreMembersThanTheLimitAreRefusedWhole) {
  const CountCase c = GetParam();
  const auto a = manyMembers(c.members);
  const LhaLimits limits{kLhaMaxUnpacked, c.limit ? c.limit : kLhaMaxMembers};
  for (const LhaContents& got : {readLhaArchive(a, limits), readLhaMembers(a, "jra*.*", limits)}) {
    EXPECT_EQ(got.status, c.status) << c.members;
    EXPECT_EQ(got.members.size(), c.status == LhaStatus::Ok ? c.members : 0u) << c.members;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LhaMemberCount,
                         ::testing::Values(CountCase{1, 1, LhaStatus::Ok}, CountCase{2, 1, LhaStatus::TooManyMembers},
                                           CountCase{3, 3, LhaStatus::Ok}, CountCase{4, 3, LhaStatus::TooManyMembers},
                                           CountCase{999, 0, LhaStatus::Ok}, CountCase{1000, 0, LhaStatus::Ok},
                                           CountCase{1001, 0, LhaStatus::TooManyMembers},
                                           CountCase{50000, 0, LhaStatus::TooManyMembers}));

TEST(LhaArchive, TheLimitIsAThousandMembers) { EXPECT_EQ(kLhaMaxMembers, 1000u); }

// The filtered reading against a simple model: the whole reading, then the members
// whose names match the mask.
TEST(LhaArchive, OnlyMembersMatchingTheMaskKeepTheirData) {
  const auto a = lzhArchive({{"readme.txt", bytesOf("hi")},
                             {"JV\\JRA1125.DAT", bytesOf("day")},
                             {"jra", bytesOf("no dot")},
                             {"xjra1.dat", bytesOf("other")},
                             {"jra1125.dat", bytesOf("again")},
                             {"jra1125.dat", bytesOf("twice")}});
  const LhaContents all = readLhaArchive(a);
  ASSERT_EQ(all.status, LhaStatus::Ok);
  for (const char* mask : {"jra*.*", "*.*", "*.txt", "nothing"}) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> model, got;
    for (const LhaMember& m : all.members)
      if (maskMatches(mask, m.name)) model.emplace_back(m.name, m.data);
    const LhaContents kept = readLhaMembers(a, mask);
    EXPECT_EQ(kept.status, LhaStatus::Ok) << mask;
    for (const LhaMember& m : kept.members) got.emplace_back(m.name, m.data);
    EXPECT_EQ(got, model) << mask;
  }
  EXPECT_EQ(readLhaMembers(a, "jra*.*").members.size(), 4u);
}

// Unpacking refuses a hostile archive before it writes anything.
TEST(LhaArchive, UnpackingAnArchiveOfTooManyMembersWritesNothing) {
  tovra::testing::TempDir dir;
  tovra::testing::writeBytes(dir / "many.lzh", manyMembers(kLhaMaxMembers + 1));
  std::vector<std::string> written{"stale"};
  EXPECT_EQ(unpackLhaArchive(FileSystem::standard(), dir / "many.lzh", dir / "out", written),
            LhaStatus::TooManyMembers);
  EXPECT_TRUE(written.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

// Unpacked members are scratch files: written whole through a staged file, but never
// synced (the probe's 50 000 members took a minute of syncs), and nothing staged stays.
TEST(LhaArchive, UnpackedMembersAreNeverSynced) {
  tovra::testing::TempDir dir;
  tovra::testing::writeBytes(dir / "a.lzh", lzhArchive({{"jra1125.dat", bytesOf("hello")}, {"b", bytesOf("x")}}));
  fixture::FaultyFs fs;
  std::size_t syncs = 0;
  fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path&) {
    const bool sync = op == fixture::FaultyFs::Op::Flush || op == fixture::FaultyFs::Op::SyncDir;
    syncs += sync;
    return sync;  // a sync would fail the unpacking
  };
  std::vector<std::string> written;
  EXPECT_EQ(unpackLhaArchive(fs, dir / "a.lzh", dir / "out", written), LhaStatus::Ok);
  EXPECT_EQ(syncs, 0u);
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir / "out")) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"b", "jra1125.dat"}));
  EXPECT_EQ(tovra::testing::readBytes(dir / "out" / "jra1125.dat"), bytesOf("hello"));
}
