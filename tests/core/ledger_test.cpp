// The ledger addressed by key: days read and written as values (checked against a plain
// map of what was written), the numbered failures it returns instead of throwing, the
// meeting of a date, and tovra-cli naming a meeting by its date.
#include <gtest/gtest.h>

#include <map>

#include "common/cli_runner.hpp"
#include "core/support/faulty_fs.hpp"
#include "core/support/import_fixture.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"
#include "storage/paths.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::fixture::FaultyFs;
using tovra::testing::runCli;

namespace {

MeetingDay dayTagged(int tag) {
  MeetingDay d;
  d.meeting.tsukiHi = static_cast<std::uint16_t>(100 + tag);
  d.meeting.kounyuGaku[12] = tag * 100;
  d.races[static_cast<std::size_t>(tag % 12)].koumoku = static_cast<std::uint32_t>(tag);
  d.races[11].kyori = static_cast<std::uint16_t>(1000 + tag);
  return d;
}

std::vector<std::uint8_t> bytesOf(const MeetingDay& d) {
  std::vector<std::uint8_t> out(KaisaiRecord::kSize + kRaceBlockSize);
  d.meeting.encode(out.data());
  for (int r = 0; r < kRacesPerDay; ++r)
    d.races[static_cast<std::size_t>(r)].encode(out.data() + KaisaiRecord::kSize + r * RaceRecord::kSize);
  return out;
}

}  // namespace

TEST(Ledger, DaysReadBackAsAPlainMapOfTheWritesSays) {
  ImportDay fixture;
  const Ledger ledger(fixture.root(), FileSystem::standard());
  std::map<std::pair<int, int>, MeetingDay> model;  // (course, index) -> last day written
  const std::pair<int, int> keys[] = {{4, 0}, {4, 1}, {0, 0}, {4, 5}, {9, 2}, {4, 0}, {0, 3}, {4, 1}};
  int tag = 1;
  for (const auto& [course, index] : keys) {
    const MeetingDay d = dayTagged(tag++);
    ASSERT_FALSE(ledger.writeDay({"2018", course, index}, d).has_value());
    model[{course, index}] = d;
    for (const auto& [k, expected] : model) {
      const auto read = ledger.readDay({"2018", k.first, k.second});
      ASSERT_TRUE(read);
      EXPECT_EQ(bytesOf(*read), bytesOf(expected)) << k.first << "/" << k.second;
    }
  }
  // Beyond what was written: blank.
  const auto blank = ledger.readDay({"2018", 4, 40});
  ASSERT_TRUE(blank);
  EXPECT_EQ(bytesOf(*blank), bytesOf(MeetingDay{}));
}

TEST(Ledger, TheRacesAloneLeaveTheMeetingRecord) {
  ImportDay fixture;
  const Ledger ledger(fixture.root(), FileSystem::standard());
  const auto before = ledger.readDay({"2018", kTokyo, 1});
  ASSERT_TRUE(before);
  RaceBlock races = before->races;
  races[3].kyori = 2500;
  ASSERT_FALSE(ledger.writeRaces({"2018", kTokyo, 1}, races).has_value());
  const auto after = ledger.readDay({"2018", kTokyo, 1});
  EXPECT_EQ(bytesOf({before->meeting, races}), bytesOf(*after));
}

struct FailureCase {
  const char* what;
  const char* missing;   // a file removed first ("" none)
  const char* readOnly;  // a file the user may not write ("" none)
  bool write;
  int code;
  const char* path;
};

class LedgerFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LedgerFailure, IsReturnedWithItsNumberAndFile) {
  const FailureCase& c = GetParam();
  ImportDay fixture;
  if (*c.missing) std::filesystem::remove(fixture.root() / c.missing);
  FaultyFs fs;
  const std::string readOnly = c.readOnly;
  fs.readOnly = [&](const std::filesystem::path& p) { return !readOnly.empty() && p == fixture.root() / readOnly; };
  const Ledger ledger(fixture.root(), fs);
  const Snapshot before = snapshot(fixture.root());
  FileFailure f;
  if (c.write) {
    const auto failed = ledger.writeDay({"2018", kTokyo, 1}, dayTagged(3));
    ASSERT_TRUE(failed.has_value());
    f = *failed;
  } else {
    const auto read = ledger.readDay({"2018", kTokyo, 1});
    ASSERT_FALSE(read);
    f = read.failure();
  }
  EXPECT_EQ(f.code, c.code);
  EXPECT_EQ(f.path, c.path);
  EXPECT_EQ(snapshot(fixture.root()), before);  // nothing written, no journal left
}

INSTANTIATE_TEST_SUITE_P(
    Table, LedgerFailure,
    ::testing::Values(FailureCase{"read, no meeting file", "tovradatafile/tok/2018tok.dat", "", false, 3,
                                  "tovradatafile/tok/2018tok.dat"},
                      FailureCase{"read, no race file", "tovradatafile/tok/2018rto.dat", "", false, 5,
                                  "tovradatafile/tok/2018rto.dat"},
                      FailureCase{"write, no race file", "tovradatafile/tok/2018rto.dat", "", true, 6,
                                  "tovradatafile/tok/2018rto.dat"},
                      FailureCase{"write, read-only meeting file", "", "tovradatafile/tok/2018tok.dat", true, 4,
                                  "tovradatafile/tok/2018tok.dat"},
                      FailureCase{"write, read-only race file", "", "tovradatafile/tok/2018rto.dat", true, 6,
                                  "tovradatafile/tok/2018rto.dat"}));

TEST(Ledger, TheMeetingOfADate) {
  ImportDay fixture;  // 東京: 11月24日 (0), 11月25日 (1)
  const Ledger ledger(fixture.root(), FileSystem::standard());
  const struct {
    int course, month, day;
    std::optional<int> index;
  } cases[] = {{kTokyo, 11, 24, 0},
               {kTokyo, 11, 25, 1},
               {kTokyo, 11, 26, std::nullopt},
               {kTokyo, 0, 0, std::nullopt},
               {0, 11, 25, std::nullopt}};
  for (const auto& c : cases) {
    const auto found = ledger.findDay("2018", c.course, c.month, c.day);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, c.index) << c.course << " " << c.month << "/" << c.day;
  }
  EXPECT_FALSE(ledger.findDay("2019", kTokyo, 11, 25));  // a year without files
}

TEST(LedgerCli, AMeetingIsNamedByItsDateAsByItsIndex) {
  ImportDay fixture;
  const auto byIndex = runCli(fixture.root(), "show race tok 1 11");
  ASSERT_EQ(byIndex.exitCode, 0) << byIndex.err;
  const auto byDate = runCli(fixture.root(), "show race tok 11-25 11");
  EXPECT_EQ(byDate.exitCode, 0) << byDate.err;
  EXPECT_EQ(byDate.out, byIndex.out);
  const struct {
    const char* args;
    int exitCode;
    const char* message;
  } refusals[] = {
      {"show race tok 11-26 11", 1, "東京競馬場に開催ﾃﾞｰﾀ 11-26 はありません。"},
      {"show meeting sap 11-25", 1, "札幌競馬場に開催ﾃﾞｰﾀ 11-25 はありません。"},
      {"show race tok 11- 11", 1, "開催ﾃﾞｰﾀの番号は 0 以上の数で指定して下さい。"},
      {"show race tok 111-5 11", 1, "開催ﾃﾞｰﾀの番号は 0 以上の数で指定して下さい。"},
  };
  for (const auto& r : refusals) {
    const auto res = runCli(fixture.root(), r.args);
    EXPECT_EQ(res.exitCode, r.exitCode) << r.args;
    EXPECT_NE(res.err.find(r.message), std::string::npos) << r.args << ": " << res.err;
  }
  // A change by date is the change by index.
  ImportDay other;
  ASSERT_EQ(runCli(fixture.root(), "race buy tok 11-25 11 tan --horse 3 --amount 10").exitCode, 0);
  ASSERT_EQ(runCli(other.root(), "race buy tok 1 11 tan --horse 3 --amount 10").exitCode, 0);
  EXPECT_EQ(snapshot(fixture.root()), snapshot(other.root()));
}
