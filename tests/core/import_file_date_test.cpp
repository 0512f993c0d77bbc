// Automatic searches never take a file of another day: the dates that file names and
// board texts give, the NIFTY and JRA-VAN searches with files of other years, and what
// the imports say when no folder is set or nothing of the day could be read.
#include <gtest/gtest.h>

#include <ostream>

#include "features/import/file_date.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/jravan/jravan_import.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/pat/pat_import.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

struct NameCase {
  const char* name;
  std::optional<FileDate> expected;
  friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};
class DateInFileName : public ::testing::TestWithParam<NameCase> {};
TEST_P(DateInFileName, Reads) { EXPECT_EQ(dateInFileName(GetParam().name), GetParam().expected); }
INSTANTIATE_TEST_SUITE_P(Cases, DateInFileName,
                         ::testing::Values(NameCase{"20011125.txt", FileDate{2001, 11, 25}},
                                           NameCase{"tenno_20001029.txt", FileDate{2000, 10, 29}},
                                           NameCase{"2001-11-25.txt", FileDate{2001, 11, 25}},
                                           NameCase{"jc_2001_11_25.txt", FileDate{2001, 11, 25}},
                                           NameCase{"001029.txt", FileDate{2000, 10, 29}},
                                           NameCase{"991226.txt", FileDate{1999, 12, 26}},
                                           NameCase{"20011325.txt", std::nullopt},  // no 13th month
                                           NameCase{"20010229.txt", std::nullopt},  // not a leap year
                                           NameCase{"jra1125.dat", std::nullopt},
                                           NameCase{"board5-8.txt", std::nullopt}, NameCase{"a.txt", std::nullopt}));

struct TextCase {
  const char* utf8;
  std::optional<FileDate> expected;
  friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.utf8; }
};
class DateInText : public ::testing::TestWithParam<TextCase> {};
TEST_P(DateInText, Reads) {
  const std::string t = sj(GetParam().utf8);
  EXPECT_EQ(dateInText({reinterpret_cast<const std::uint8_t*>(t.data()), t.size()}), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, DateInText,
                         ::testing::Values(TextCase{"２００１年１１月２５日（日）", FileDate{2001, 11, 25}},
                                           TextCase{"2000年10月29日", FileDate{2000, 10, 29}},
                                           TextCase{"　２０００年　１０月　２９日", FileDate{2000, 10, 29}},
                                           TextCase{"開催 2001/11/25", FileDate{2001, 11, 25}},
                                           TextCase{"2001.11.25", FileDate{2001, 11, 25}},
                                           TextCase{"５回東京　　８日目", std::nullopt},
                                           TextCase{"12001年1月1日", std::nullopt},  // five digits
                                           TextCase{"2001年13月1日", std::nullopt}, TextCase{"", std::nullopt}));

// --- the NIFTY search: which file of the folder is taken for 2018-11-25 (5回東京8日目) ---

// A board text of the Japan Cup with a date line at its start ("" for none).
std::vector<std::uint8_t> board(const char* dateUtf8, int nichi = 8) {
  auto f = niftyFile({niftyJapanCup()}, 5, "東京", nichi);
  const std::string d = sj(dateUtf8);
  std::copy(d.begin(), d.end(), f.begin());
  return f;
}

struct SearchCase {
  const char* what;
  std::vector<std::pair<const char*, std::vector<std::uint8_t>>> files;  // in name order
  const char* taken;                                                     // the file read, nullptr: none
  const char* date;                                                      // the date the confirmation names
};
class NiftyDaySearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(NiftyDaySearch, TakesOnlyTheDayShown) {
  const SearchCase& c = GetParam();
  ImportDay day;
  ImportFolders folders;
  folders.folder[kFolderNifty] = "nif/";
  for (const auto& [name, bytes] : c.files) writeFile(day.root() / "nif" / name, bytes);
  const Snapshot before = snapshot(day.root());
  const auto t = niftyOnShown(day.ds(), day.port, folders, NiftyRequest{true, {}});
  if (!c.taken) {
    EXPECT_FALSE(t);
    EXPECT_EQ(day.port.lastText(), msg::kNiftyNoMatch);
    EXPECT_EQ(day.ds().races[10].tanKeka[0], 0);
    EXPECT_EQ(snapshot(day.root()), before);
    return;
  }
  ASSERT_TRUE(t) << day.port.lastText();
  EXPECT_EQ(t->read, " 11R");
  EXPECT_EQ(t->file, std::string("nif/") + c.taken);
  EXPECT_EQ(t->date, c.date);
  EXPECT_EQ(importSourceText({t->file, t->date}), std::string("nif/") + c.taken + (*c.date ? "  " : "") + c.date);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NiftyDaySearch,
    ::testing::Values(
        SearchCase{
            "the right date in the text", {{"a.txt", board("２０１８年１１月２５日")}}, "a.txt", "2018年11月25日"},
        SearchCase{"another year with the same 回 and 日目", {{"a.txt", board("２０１７年１１月２６日")}}, nullptr, ""},
        SearchCase{"another year passed over for the day's file",
                   {{"a.txt", board("２０１７年１１月２６日")}, {"b.txt", board("２０１８年１１月２５日")}},
                   "b.txt",
                   "2018年11月25日"},
        SearchCase{"a name of another day", {{"20171126.txt", board("")}}, nullptr, ""},
        SearchCase{"a name of the day", {{"20181125.txt", board("")}}, "20181125.txt", "2018年11月25日"},
        SearchCase{"no date anywhere: the head decides", {{"a.txt", board("")}}, "a.txt", ""},
        SearchCase{"another 日目 is never taken", {{"a.txt", board("２０１８年１１月２５日", 7)}}, nullptr, ""}));

TEST(NiftyDay, ANamedFileOfAnotherDayIsRefusedAndNothingChanges) {
  ImportDay day;
  writeFile(day.root() / "old.txt", board("２０１７年１１月２６日"));
  const Snapshot before = snapshot(day.root());
  EXPECT_FALSE(niftyOnShown(day.ds(), day.port, ImportFolders{}, NiftyRequest{false, "old.txt"}));
  EXPECT_EQ(day.port.lastText(), msg::kNiftyMismatch);
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 0);
  EXPECT_EQ(snapshot(day.root()), before);
}

TEST(JravanDay, AnOlderLayoutRecordOfAnotherYearIsNotOfTheDay) {
  // The older race key: course, year in two digits, 回, 日目.
  Rec rec = jvOldResult(5, 5, 8, 11, "ｼﾞｬﾊﾟﾝｶｯﾌﾟ", 13, 'N', '0', '4', 999, 18, 2400, 11, 'A', 1);
  const MeetingKey day{"2018", 4, 1125, 508};
  const JravanFormat old{JravanKind::Result, false};
  EXPECT_TRUE(jravanRecordMatches(rec.bytes().data(), old, day));
  rec.num(2, 2, 17);
  EXPECT_FALSE(jravanRecordMatches(rec.bytes().data(), old, day));
  rec.raw(2, "  ");  // no year written: 回 and 日目 decide
  EXPECT_TRUE(jravanRecordMatches(rec.bytes().data(), old, day));
}

TEST(JravanDay, TheSearchPassesOverAFileNamedForAnotherDay) {
  ImportDay day;
  ImportFolders folders;
  folders.folder[kFolderJravanResult] = "jv/";
  // The newer layout carries the date, and the name of the first file says another day.
  writeFile(day.root() / "jv" / "a20171126.dat", jvNewResultJapanCup().bytes());
  ImportSource source;
  const auto first =
      jravanOnShown(day.ds(), day.port, folders, JravanRequest{{JravanKind::Result, true}, true, {}}, &source);
  EXPECT_FALSE(first);
  EXPECT_EQ(day.port.lastText(), msg::kJravanNoMatch);
  writeFile(day.root() / "jv" / "b20181125.dat", jvNewResultJapanCup().bytes());
  const auto second =
      jravanOnShown(day.ds(), day.port, folders, JravanRequest{{JravanKind::Result, true}, true, {}}, &source);
  ASSERT_TRUE(second);
  EXPECT_EQ(source.file, "jv/b20181125.dat");
  EXPECT_EQ(source.date, "2018年11月25日");
}

// --- no folder set, nothing read ---

TEST(ImportRefusals, AutomaticSearchesWithoutAFolderSaySoAndChangeNothing) {
  ImportDay day;
  const Snapshot before = snapshot(day.root());
  const ImportFolders none;
  EXPECT_FALSE(jravanOnShown(day.ds(), day.port, none, JravanRequest{{JravanKind::Card, true}, true, {}}));
  EXPECT_EQ(day.port.lastText(), msg::kJravanNoFolder);
  EXPECT_FALSE(niftyOnShown(day.ds(), day.port, none, NiftyRequest{true, {}}));
  EXPECT_EQ(day.port.lastText(), msg::kNiftyNoFolder);
  EXPECT_FALSE(patOnShown(day.ds(), day.port, none, PatRequest{}));
  EXPECT_EQ(day.port.lastText(), msg::kPatNoFolder);
  EXPECT_EQ(day.port.messages.size(), 3u);
  EXPECT_EQ(snapshot(day.root()), before);
}

struct NothingCase {
  const char* what;
  std::vector<std::uint8_t> bytes;
};
class NothingRead : public ::testing::TestWithParam<NothingCase> {};

TEST_P(NothingRead, SaysSoAndWritesNothing) {
  ImportDay day;
  writeFile(day.root() / "x.dat", GetParam().bytes);
  const Snapshot before = snapshot(day.root());
  // JRA-VAN (newer results: a whole number of 3048-byte records, or none at all).
  if (GetParam().bytes.size() % 3048 == 0) {
    EXPECT_FALSE(
        jravanOnShown(day.ds(), day.port, ImportFolders{}, JravanRequest{{JravanKind::Result, true}, false, "x.dat"}));
    EXPECT_EQ(day.port.lastText(), msg::kJravanNothingRead);
  }
  EXPECT_FALSE(niftyOnShown(day.ds(), day.port, ImportFolders{}, NiftyRequest{false, "x.dat"}));
  EXPECT_EQ(day.port.lastText(), msg::kNiftyNothingRead);
  EXPECT_EQ(snapshot(day.root()), before);
  EXPECT_TRUE(sameDay(day.storedKaisai(), day.storedRaces(), day.ds().kaisai, day.ds().races));
}

INSTANTIATE_TEST_SUITE_P(Cases, NothingRead,
                         ::testing::Values(NothingCase{"empty", {}},
                                           NothingCase{"blanks", std::vector<std::uint8_t>(3048, ' ')},
                                           NothingCase{"random", [] {
                                                         std::vector<std::uint8_t> b(6096);
                                                         for (std::size_t i = 0; i < b.size(); ++i)
                                                           b[i] = static_cast<std::uint8_t>(i * 7919 % 251);
                                                         return b;
                                                       }()}));

TEST(ImportRefusals, APatImportThatTakesNothingSaysSo) {
  ImportDay day;
  ImportFolders folders;
  folders.folder[kFolderPat] = "pat/";
  folders.patKind = 0;  // the DOS version: purchases only
  // An index without an entry of the day.
  std::vector<std::uint8_t> index(1 + 18 * 10, ' ');
  writeFile(day.root() / "pat" / "lg-fname.jra", index);
  const Snapshot before = snapshot(day.root());
  EXPECT_FALSE(patOnShown(day.ds(), day.port, folders, PatRequest{true, false, false}));
  EXPECT_EQ(day.port.lastText(), msg::kPatNothingRead);
  EXPECT_EQ(snapshot(day.root()), before);
}

}  // namespace
