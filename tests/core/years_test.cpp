#include <gtest/gtest.h>

#include <map>

#include "entry/digit_keys.hpp"
#include "ledger/datastore.hpp"
#include "ledger/paths.hpp"
#include "ledger/years.hpp"
#include "settings/exit_confirmation.hpp"
#include "settings/settings_record.hpp"
#include "common/ledger_builder.hpp"
#include "core/support/faulty_fs.hpp"
#include "ledger/fatal_error.hpp"
#include "common/scripted_port.hpp"

using namespace tovra;
using namespace tovra::testing;

namespace {
// Every file under `root` with its bytes.
std::map<std::string, std::vector<unsigned char>> filesUnder(const std::filesystem::path& root) {
  std::map<std::string, std::vector<unsigned char>> out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file()) out[std::filesystem::relative(e.path(), root).string()] = readBytes(e.path());
  return out;
}

std::vector<int> table(const DataStore& ds) {
  std::vector<int> v;
  for (auto n : ds.nenji.nen) v.push_back(n);
  return v;
}
}  // namespace

TEST(Years, FirstYearAndRegistrationKeepNewestFirst) {
  TempDir dir;
  DataStore ds(dir.path());
  makeLedger(ds, {});
  EXPECT_FALSE(initYears(ds));
  EXPECT_TRUE(firstYearTextAccepted("2001"));
  EXPECT_FALSE(firstYearTextAccepted("201"));
  registerFirstYear(ds, 2001);
  EXPECT_EQ(ds.year, "2001");
  ScriptedPort port;
  ASSERT_TRUE(registerYear(ds, port, "2000"));
  ds.course = 4;
  ASSERT_TRUE(registerYear(ds, port, "1999"));
  auto t = table(ds);
  EXPECT_EQ(t[0], 2001);
  EXPECT_EQ(t[1], 2000);
  EXPECT_EQ(t[2], 1999);
  EXPECT_EQ(t[3], 0);
  EXPECT_EQ(ds.year, "1999");
  EXPECT_EQ(ds.course, 0);  // 札幌 shown after registering
  EXPECT_EQ(port.messages.back().title, "年次登録終了");
  EXPECT_EQ(port.messages.back().text, "年次 1999年を登録しました。");
  auto bytes = readBytes(dir / "main.dat");
  ASSERT_EQ(bytes.size(), 42u);
  EXPECT_EQ(bytes[4] | (bytes[5] << 8), 1999);
}

TEST(Years, WindowsShowTheYearBeforeTheNotice) {
  TempDir dir;
  DataStore ds(dir.path());
  makeLedger(ds, {2001, 2000});
  ScriptedPort port;
  std::vector<std::string> order;
  auto note = [&](const char* what) {
    return [&, what] { order.push_back(std::string(what) + " after " + std::to_string(port.messages.size())); };
  };
  const YearWindowHooks hooks{note("close"), note("show")};
  ASSERT_TRUE(registerYear(ds, port, "1999", hooks));
  EXPECT_EQ(order, (std::vector<std::string>{"close after 0", "show after 0"}));
  EXPECT_EQ(port.lastText(), "年次 1999年を登録しました。");
  order.clear();
  ASSERT_EQ(deleteYear(ds, port, 2000, hooks), DeleteYearResult::Deleted);  // the question was answered OK
  EXPECT_EQ(order, (std::vector<std::string>{"close after 2", "show after 2"}));
  EXPECT_EQ(port.lastText(), "年次 2000年を削除しました。");
  // Refusals close nothing.
  order.clear();
  EXPECT_FALSE(registerYear(ds, port, "01", hooks));
  EXPECT_EQ(deleteYear(ds, port, 1999, hooks), DeleteYearResult::Refused);
  EXPECT_TRUE(order.empty());
}

TEST(Years, RegistrationRefusals) {
  TempDir dir;
  DataStore ds(dir.path());
  makeLedger(ds, {2001});
  ScriptedPort port;
  EXPECT_FALSE(registerYear(ds, port, "01"));
  EXPECT_EQ(port.lastText(), "西暦4桁で入力して下さい。");
  EXPECT_EQ(port.messages.back().title, "確認");
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
  EXPECT_FALSE(registerYear(ds, port, "2001"));
  EXPECT_EQ(port.lastText(), "既に登録されている年次は登録出来ません。");
  EXPECT_EQ(ds.year, "2001");
  // Twenty years fill the table: the 21st is refused and slot 20 stays 0.
  for (int y = 1982; y < 2001; ++y) ASSERT_TRUE(registerYear(ds, port, std::to_string(y)));
  EXPECT_EQ(ds.nenji.count(), 20);
  EXPECT_FALSE(registerYear(ds, port, "1981"));
  EXPECT_EQ(ds.nenji.nen[20], 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile/sap/1981sap.dat"));
}

TEST(Years, DeletingRemovesOnlyThatYearsTwentyFiles) {
  TempDir dir;
  DataStore ds(dir.path());
  makeLedger(ds, {2001, 2000, 1999});
  ScriptedPort port;
  // Make 2001 current again.
  ASSERT_TRUE(changeYear(ds, port, 2001));
  EXPECT_EQ(deleteYear(ds, port, 0), DeleteYearResult::Refused);
  EXPECT_EQ(port.lastText(), "削除する年次を選択して下さい。");
  EXPECT_EQ(deleteYear(ds, port, 2001), DeleteYearResult::Refused);
  EXPECT_EQ(port.lastText(), "現在処理中の年次は削除出来ません。");
  port.answers.push_back(Answer::Cancel);
  EXPECT_EQ(deleteYear(ds, port, 2000), DeleteYearResult::Refused);
  EXPECT_TRUE(std::filesystem::exists(dir / "tovradatafile/sap/2000sap.dat"));
  std::filesystem::create_directories(dir / "tovradatafile/sap/keep");
  ASSERT_EQ(deleteYear(ds, port, 2000), DeleteYearResult::Deleted);
  EXPECT_EQ(port.lastText(), "年次 2000年を削除しました。");
  auto t = table(ds);
  EXPECT_EQ(t[0], 2001);
  EXPECT_EQ(t[1], 1999);
  EXPECT_EQ(t[2], 0);
  EXPECT_EQ(ds.year, "2001");
  for (int c = 0; c < kCourseCount; ++c) {
    EXPECT_FALSE(std::filesystem::exists(dir / meetingFilePath("2000", c)));
    EXPECT_TRUE(std::filesystem::exists(dir / meetingFilePath("1999", c)));
    EXPECT_TRUE(std::filesystem::exists(dir / meetingFilePath("2001", c)));
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "tovradatafile/sap/keep"));
}

TEST(Years, ChangingTheYearAsksAndKeepsTheCourse) {
  TempDir dir;
  DataStore ds(dir.path());
  makeLedger(ds, {2000, 2001});
  ds.course = 6;
  ScriptedPort port;
  EXPECT_FALSE(changeYear(ds, port, 2001));  // already current: nothing asked
  EXPECT_TRUE(port.messages.empty());
  port.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(changeYear(ds, port, 2000));
  EXPECT_EQ(port.lastText(), "年次を変更します。\n\n2001年 → 2000年");
  EXPECT_EQ(ds.year, "2001");
  EXPECT_TRUE(changeYear(ds, port, 2000));
  EXPECT_EQ(ds.year, "2000");
  EXPECT_EQ(ds.course, 6);
  EXPECT_EQ(ds.shown(), 0);
}

TEST(Years, ComboListNewestFirstWithTheCurrentYearSelected) {
  DataStore ds;
  ds.nenji.nen[0] = 2001;
  ds.nenji.nen[1] = 2000;
  ds.year = "2000";
  auto list = yearComboList(ds);
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0], "2001年");
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(yearComboList(ds, kYearBoxFormat).entries[1], " 2000年");  // the main window's year box
  EXPECT_EQ(yearComboList(ds, kNenBoxFormat).entries[1], "  2000年");  // the year dialog's list
  ds.year = "1990";
  EXPECT_EQ(yearComboList(ds).selected, 0);
}

TEST(DigitKeys, DigitsAndBackspacePassAnythingElseBeeps) {
  const struct {
    char32_t key;
    bool passes;
  } cases[] = {{U'0', true},  {U'7', true},  {U'9', true},   {8, true},    {U'a', false},
               {U'/', false}, {U':', false}, {U'５', false}, {127, false}, {U'-', false}};
  for (const auto& c : cases) {
    ScriptedPort port;
    EXPECT_EQ(digitKeyFilter(port, c.key), c.passes) << static_cast<unsigned>(c.key);
    EXPECT_EQ(port.beeps, c.passes ? 0 : 1) << static_cast<unsigned>(c.key);
  }
}

TEST(ExitConfirmation, AsksUnlessTheSettingsSayNot) {
  ScriptedPort port;
  SettingsRecord s = SettingsRecord::defaults();
  port.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(confirmExit(port, s));
  EXPECT_EQ(port.lastText(), "競走収支帖 トヴラを終了します");
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Warning);
  s.optionDigits = 121;  // units 1: end without asking
  std::size_t shown = port.messages.size();
  EXPECT_TRUE(confirmExit(port, s));
  EXPECT_EQ(port.messages.size(), shown);
}

// A write that fails at any point of registering a year (a full disk) ends in the fatal
// error of the file it could not write, and leaves nothing of the year: every file as it
// was, main.dat included, the year table in memory too.
TEST(Years, AFailedWriteLeavesNothingOfTheYear) {
  TempDir dir;
  fixture::FaultyFs fs;
  fs.realSync = false;
  DataStore ds(dir.path(), &fs);
  makeLedger(ds, {2001, 2000});
  const auto before = filesUnder(dir.path());
  const auto tableBefore = table(ds);
  int failures = 0;
  for (int failing = 1;; ++failing) {
    int writes = 0;
    fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path&) {
      return op == fixture::FaultyFs::Op::Write && ++writes == failing;
    };
    DataStore attempt(dir.path(), &fs);
    attempt.loadYears();
    initYears(attempt);
    attempt.countMeetings();
    const std::string yearBefore = attempt.year;
    ScriptedPort port;
    try {
      registerYear(attempt, port, "2022");
    } catch (const FatalFileError& e) {
      ++failures;
      EXPECT_TRUE(e.path() == "main.dat" || e.path().find("2022") != std::string::npos) << e.path();
      EXPECT_EQ(filesUnder(dir.path()), before) << "write " << failing << " failed";
      EXPECT_EQ(table(attempt), tableBefore);
      EXPECT_EQ(attempt.year, yearBefore);
      continue;
    }
    break;  // the failing write was past the last one: registered
  }
  // Twenty new files and main.dat.
  EXPECT_EQ(failures, 21);
  EXPECT_EQ(filesUnder(dir.path()).size(), before.size() + 20);
}

TEST(Years, AReadOnlyMainDatIsRefusedNamedAndNoFileOfTheYearStays) {
  TempDir dir;
  fixture::FaultyFs fs;
  fs.realSync = false;
  DataStore ds(dir.path(), &fs);
  makeLedger(ds, {2001});
  const auto before = filesUnder(dir.path());
  fs.readOnly = [&](const std::filesystem::path& p) { return p.filename() == "main.dat"; };
  ScriptedPort port;
  try {
    registerYear(ds, port, "2022");
    ADD_FAILURE() << "registered over a read-only main.dat";
  } catch (const FatalFileError& e) {
    EXPECT_EQ(e.code(), 1);
    EXPECT_EQ(e.path(), "main.dat");
  }
  EXPECT_EQ(filesUnder(dir.path()), before);
}

TEST(Years, TheFirstYearWhoseFilesCannotBeWrittenIsNotNamedInMainDat) {
  TempDir dir;
  fixture::FaultyFs fs;
  fs.realSync = false;
  DataStore ds(dir.path(), &fs);
  makeLedger(ds, {});
  const auto before = filesUnder(dir.path());
  int writes = 0;
  fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path&) {
    return op == fixture::FaultyFs::Op::Write && ++writes == 5;
  };
  EXPECT_THROW(registerFirstYear(ds, 2001), FatalFileError);
  EXPECT_EQ(filesUnder(dir.path()), before);
  EXPECT_EQ(ds.nenji.nen[0], 0);
}
