// The data layer against real files in a temporary working folder.
#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "features/years/years.hpp"
#include "storage/fatal_error.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {
KaisaiRecord meeting(int tsukiHi, int kaiNichi) {
  KaisaiRecord k;
  k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
  k.kaiNichi = static_cast<std::uint16_t>(kaiNichi);
  return k;
}
}  // namespace

TEST(LedgerCursor, NewYearFilesAreBlankRecords) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  for (int c = 0; c < kCourseCount; ++c) {
    auto m = readBytes(dir / meetingFilePath("2001", c));
    auto r = readBytes(dir / raceFilePath("2001", c));
    ASSERT_EQ(m.size(), 864u);
    ASSERT_EQ(r.size(), 22704u);
    for (auto b : m) ASSERT_EQ(b, 0);
    for (auto b : r) ASSERT_EQ(b, 0);
  }
  EXPECT_EQ(readBytes(dir / "tovradatafile/sap/2001sap.dat").size(), 864u);
  EXPECT_EQ(readBytes(dir / "tovradatafile/kok/2001rko.dat").size(), 22704u);
}

TEST(LedgerCursor, MainDatIsCreatedAsFortyTwoZeroBytes) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  ds.loadYears();
  auto b = readBytes(dir / "main.dat");
  ASSERT_EQ(b.size(), 42u);
  for (auto v : b) EXPECT_EQ(v, 0);
  EXPECT_EQ(newestYear(ds.nenji), "");
}

TEST(LedgerCursor, CountingStopsAtTheTerminatorOrAtTheEndOfTheFile) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  for (int d : {105, 106, 112}) appendMeeting(ds, 4, meeting(d, 101), RaceBlock{});
  ds.countMeetings();
  EXPECT_EQ(ds.meetingCount[4], 3);
  EXPECT_EQ(readBytes(dir / "tovradatafile/tok/2001tok.dat").size(), 4u * 864);
  EXPECT_EQ(readBytes(dir / "tovradatafile/tok/2001rto.dat").size(), 4u * 22704);

  // A file copied without its terminator: the records it holds, and no endless loop.
  auto bytes = readBytes(dir / "tovradatafile/tok/2001tok.dat");
  bytes.resize(3 * 864);
  writeBytes(dir / "tovradatafile/tok/2001tok.dat", bytes);
  ds.countMeetings();
  EXPECT_EQ(ds.meetingCount[4], 3);
  // A truncated last record does not count; an empty file counts 0.
  bytes.resize(2 * 864 + 100);
  writeBytes(dir / "tovradatafile/tok/2001tok.dat", bytes);
  ds.countMeetings();
  EXPECT_EQ(ds.meetingCount[4], 2);
  writeBytes(dir / "tovradatafile/tok/2001tok.dat", {});
  ds.countMeetings();
  EXPECT_EQ(ds.meetingCount[4], 0);
  EXPECT_EQ(ds.readAllMeetings(4).size(), 0u);
  EXPECT_EQ(ds.course, 0);
}

TEST(LedgerCursor, WritingOneRecordChangesOnlyItsBytes) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  for (int d : {105, 106}) appendMeeting(ds, 0, meeting(d, 101), RaceBlock{});
  auto before = readBytes(dir / "tovradatafile/sap/2001rsa.dat");
  ds.countMeetings();
  ds.course = 0;
  ds.shownMeeting[0] = 1;
  ds.readShown();
  ds.races[5].kyori = 2500;
  ds.writeShown();
  auto after = readBytes(dir / "tovradatafile/sap/2001rsa.dat");
  ASSERT_EQ(before.size(), after.size());
  std::size_t off = 22704 + 5 * 1892 + 4;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (i != off && i != off + 1) {
      ASSERT_EQ(before[i], after[i]) << i;
    }
  EXPECT_EQ(after[off] | (after[off + 1] << 8), 2500);
}

TEST(LedgerCursor, ShortReadsZeroFillTheRest) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  writeBytes(dir / "tovradatafile/sap/2001sap.dat", {0x03, 0x04});           // only tsukiHi
  writeBytes(dir / "tovradatafile/sap/2001rsa.dat", {0x07, 0, 0, 0, 0x40});  // koumoku and half of kyori
  ds.kaisai.kaiNichi = 777;
  ds.races[0].kyori = 1200;
  ds.races[11].koumoku = 99;
  ds.course = 0;
  ds.readShown();
  EXPECT_EQ(ds.kaisai.tsukiHi, 0x0403);
  EXPECT_EQ(ds.kaisai.kaiNichi, 0);  // never the previous meeting's
  EXPECT_EQ(ds.races[0].koumoku, 7u);
  EXPECT_EQ(ds.races[0].kyori, 0x40);
  EXPECT_EQ(ds.races[11].koumoku, 0u);
  // Past the end of the file entirely: blank.
  ds.kaisai.kaiNichi = 777;
  ds.readMeeting(5);
  EXPECT_TRUE(ds.kaisai.isBlank());
}

TEST(LedgerCursor, MissingFilesEndTheProgramWithTheirNumberAndPath) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  std::filesystem::remove_all(dir / "tovradatafile/nak");
  ds.course = 5;
  try {
    ds.readRaceBlock(0);
    FAIL() << "no fatal error";
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 5);
    EXPECT_EQ(e.path(), "tovradatafile/nak/2001rna.dat");
    EXPECT_EQ(e.message(),
              "ﾌｧｲﾙ操作に異常が発生しました。\n\nNO.5\ntovradatafile/nak/2001rna.dat\n\nﾌﾟﾛｸﾞﾗﾑを強制終了します。");
  }
  // After a fatal error no ledger file is touched again.
  ds.course = 0;
  EXPECT_THROW(ds.readMeeting(0), FatalFileError);

  LedgerCursor ds2(dir.path());
  ds2.loadYears();
  ds2.year = newestYear(ds2.nenji);
  try {
    ds2.countMeetings();
    FAIL();
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 2);
    EXPECT_EQ(e.path(), "tovradatafile/nak/2001nak.dat");
  }
  LedgerCursor ds3(dir.path());
  ds3.year = "2001";
  ds3.course = 5;
  for (auto [code, op] : std::initializer_list<std::pair<int, void (LedgerCursor::*)(int)>>{
           {3, &LedgerCursor::readMeeting}, {6, &LedgerCursor::writeDay}, {6, &LedgerCursor::writeRaceBlock}}) {
    LedgerCursor d(dir.path());
    d.year = "2001";
    d.course = 5;
    try {
      (d.*op)(0);
      FAIL() << code;
    } catch (const FatalFileError& e) {
      EXPECT_EQ(e.code(), code);
    }
  }
}

TEST(LedgerCursor, SavingYearsFailsWithNumberOne) {
  TempDir dir;
  LedgerCursor ds(dir.path() / "missing-folder");
  try {
    ds.saveYears();
    FAIL();
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 1);
    EXPECT_EQ(e.path(), "main.dat");
  }
}

TEST(LedgerCursor, ALedgerCopiedFromWindowsOpensAsItIs) {
  TempDir dir;
  {
    LedgerCursor ds(dir.path());
    makeLedger(ds, {2001});
    appendMeeting(ds, 0, meeting(105, 101), RaceBlock{});
  }
  // Windows spellings of the folders and files.
  std::filesystem::rename(dir / "tovradatafile/sap", dir / "tovradatafile/SAP");
  std::filesystem::rename(dir / "tovradatafile", dir / "Tovradatafile");
  std::filesystem::rename(dir / "main.dat", dir / "Main.dat");
  std::filesystem::rename(dir / "Tovradatafile/SAP/2001sap.dat", dir / "Tovradatafile/SAP/2001SAP.DAT");
  LedgerCursor ds(dir.path());
  ds.loadYears();
  ds.year = newestYear(ds.nenji);
  ASSERT_FALSE(ds.year.empty());
  EXPECT_EQ(ds.year, "2001");
  ds.countMeetings();
  EXPECT_EQ(ds.meetingCount[0], 1);
  ds.readShown();
  EXPECT_EQ(ds.kaisai.tsukiHi, 105);
  // main.dat was read, not created anew in lower case.
  EXPECT_FALSE(std::filesystem::exists(dir / "main.dat"));
}
