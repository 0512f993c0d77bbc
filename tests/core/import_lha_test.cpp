// LZH archives through liblhasa: members checked against their length and CRC, folder
// names dropped, hostile names and damaged archives refused whole.
#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "import/lha_archive.hpp"
#include "ledger/fileio.hpp"
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
  EXPECT_EQ(readLhaArchive(a, 999).status, LhaStatus::Damaged);
  EXPECT_EQ(readLhaArchive(a, 1000).status, LhaStatus::Ok);
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
