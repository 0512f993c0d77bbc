#include <gtest/gtest.h>

#include <map>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "core/support/faulty_fs.hpp"
#include "features/entry/digit_keys.hpp"
#include "features/settings/exit_confirmation.hpp"
#include "features/years/years.hpp"
#include "storage/fatal_error.hpp"
#include "storage/paths.hpp"
#include "storage/settings_record.hpp"

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

std::vector<int> table(const NenjiTable& years) {
  std::vector<int> v;
  for (auto n : years.nen) v.push_back(n);
  return v;
}
std::vector<int> table(const LedgerCursor& ds) { return table(ds.nenji); }

// Counts what the ledger announces.
struct Counter : LedgerObserver {
  int years = 0, meetings = 0, days = 0;
  void yearsChanged() override { ++years; }
  void meetingsChanged(const std::string&, int) override { ++meetings; }
  void dayChanged(const DayKey&) override { ++days; }
};

// 登録 of the year dialog as the main window runs it: the refusal shown, or the notices
// given and the new year current (its meetings counted, 札幌 shown).
bool registerAsDialog(LedgerCursor& ds, UserPort& port, const std::string& text, const LedgerEvents& events = {}) {
  const auto r = registerYear(ds.ledger(), events, ds.nenji, text);
  if (r.failed()) ds.fatal(r.failure().code, r.failure().path);
  if (r.refused()) {
    showRefusal(port, r.refusal());
    return false;
  }
  ds.nenji = r->years;
  ds.year = r->year;
  ds.countMeetings();
  tellYearRegistered(port, *r);
  return true;
}

// 削除 of the year dialog: the refusal, the question, the deletion and its notice.
bool deleteAsDialog(LedgerCursor& ds, UserPort& port, int year, const LedgerEvents& events = {}) {
  if (const auto refusal = deleteYearRefusal(year, ds.yearNumber())) {
    showRefusal(port, *refusal);
    return false;
  }
  if (!askOkCancel(port, kDeleteYearQuestion, MsgIcon::Warning)) return false;
  BetStore bets(ds.root());
  const auto r = deleteYear(ds.ledger(), bets, events, ds.nenji, year, ds.yearNumber());
  if (r.failed()) ds.fatal(r.failure().code, r.failure().path);
  ds.nenji = r->years;
  return tellYearDeleted(port, *r);
}
}  // namespace

TEST(Years, FirstYearAndRegistrationKeepNewestFirst) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {});
  EXPECT_EQ(newestYear(ds.nenji), "");
  EXPECT_TRUE(firstYearTextAccepted("2001"));
  EXPECT_FALSE(firstYearTextAccepted("201"));
  const auto first = registerFirstYear(ds.ledger(), ds.nenji, 2001);
  ASSERT_TRUE(first);
  ds.nenji = *first;
  EXPECT_EQ(newestYear(ds.nenji), "2001");
  ds.year = "2001";
  ScriptedPort port;
  ASSERT_TRUE(registerAsDialog(ds, port, "2000"));
  ASSERT_TRUE(registerAsDialog(ds, port, "1999"));
  auto t = table(ds);
  EXPECT_EQ(t[0], 2001);
  EXPECT_EQ(t[1], 2000);
  EXPECT_EQ(t[2], 1999);
  EXPECT_EQ(t[3], 0);
  EXPECT_EQ(ds.year, "1999");
  EXPECT_EQ(port.messages.back().title, "年次登録終了");
  EXPECT_EQ(port.messages.back().text, "年次 1999年を登録しました。");
  auto bytes = readBytes(dir / "main.dat");
  ASSERT_EQ(bytes.size(), 42u);
  EXPECT_EQ(bytes[4] | (bytes[5] << 8), 1999);
}

// Each change of the list is announced once, after main.dat is written; a refusal
// announces nothing and leaves every file as it was.
TEST(Years, ChangesAreAnnouncedOnceAndRefusalsChangeNothing) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001, 2000});
  LedgerEvents events;
  Counter counter;
  events.add(&counter);
  ScriptedPort port;
  ASSERT_TRUE(registerAsDialog(ds, port, "1999", events));
  EXPECT_EQ(counter.years, 1);
  ASSERT_TRUE(deleteAsDialog(ds, port, 2000, events));
  EXPECT_EQ(counter.years, 2);
  const auto before = filesUnder(dir.path());
  for (const char* text : {"01", "1999", "1953", "2100", "19a9"}) {
    const auto r = registerYear(ds.ledger(), events, ds.nenji, text);
    ASSERT_TRUE(r.refused()) << text;
  }
  BetStore bets(ds.root());
  for (int year : {0, 1999}) EXPECT_TRUE(deleteYear(ds.ledger(), bets, events, ds.nenji, year, 1999).refused()) << year;
  EXPECT_EQ(counter.years, 2);
  EXPECT_EQ(counter.meetings + counter.days, 0);
  EXPECT_EQ(filesUnder(dir.path()), before);
  events.remove(&counter);
  ASSERT_TRUE(registerAsDialog(ds, port, "1998", events));
  EXPECT_EQ(counter.years, 2);  // no longer listening
}

TEST(Years, RegistrationRefusals) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001});
  ScriptedPort port;
  EXPECT_FALSE(registerAsDialog(ds, port, "01"));
  EXPECT_EQ(port.lastText(), "西暦4桁で入力して下さい。");
  EXPECT_EQ(port.messages.back().title, "確認");
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
  EXPECT_FALSE(registerAsDialog(ds, port, "2001"));
  EXPECT_EQ(port.lastText(), "既に登録されている年次は登録出来ません。");
  EXPECT_EQ(ds.year, "2001");
  // Twenty years fill the table: the 21st is refused and slot 20 stays 0.
  for (int y = 1982; y < 2001; ++y) ASSERT_TRUE(registerAsDialog(ds, port, std::to_string(y)));
  EXPECT_EQ(ds.nenji.count(), 20);
  EXPECT_FALSE(registerAsDialog(ds, port, "1981"));
  EXPECT_EQ(port.lastText(), "登録出来る年次は20年までです。\n\n不要な年次を削除してから登録して下さい。");
  EXPECT_EQ(ds.nenji.nen[20], 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "tovradatafile/sap/1981sap.dat"));
}

TEST(Years, KeptFilesAreToldBeforeTheEnd) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001, 2000});
  ds.year = "2000";
  ds.countMeetings();
  ds.course = 3;
  ds.kaisai.tsukiHi = 501;
  ds.writeDay(0);
  ds.kaisai = KaisaiRecord{};
  ds.writeDay(1);  // the end mark after it
  // main.dat loses 2000; its files stay.
  ds.nenji.nen[1] = 0;
  ds.saveYears();
  ScriptedPort port;
  ds.year = "2001";
  ASSERT_TRUE(registerAsDialog(ds, port, "2000"));
  ASSERT_EQ(port.messages.size(), 2u);
  EXPECT_EQ(port.messages[0].text, kYearFilesKeptText);
  EXPECT_EQ(port.messages[1].text, "年次 2000年を登録しました。");
  EXPECT_EQ(ds.meetingCount[3], 1);
}

TEST(Years, DeletingRemovesOnlyThatYearsTwentyFiles) {
  TempDir dir;
  LedgerCursor ds(dir.path());
  makeLedger(ds, {2001, 2000, 1999});
  ScriptedPort port;
  // Make 2001 current again.
  ds.year = "2001";
  EXPECT_FALSE(deleteAsDialog(ds, port, 0));
  EXPECT_EQ(port.lastText(), "削除する年次を選択して下さい。");
  EXPECT_FALSE(deleteAsDialog(ds, port, 2001));
  EXPECT_EQ(port.lastText(), "現在処理中の年次は削除出来ません。");
  port.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(deleteAsDialog(ds, port, 2000));
  EXPECT_EQ(port.lastText(), kDeleteYearQuestion);
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Warning);
  EXPECT_TRUE(std::filesystem::exists(dir / "tovradatafile/sap/2000sap.dat"));
  std::filesystem::create_directories(dir / "tovradatafile/sap/keep");
  ASSERT_TRUE(deleteAsDialog(ds, port, 2000));
  EXPECT_EQ(port.lastText(), "年次 2000年を削除しました。");
  auto t = table(ds);
  EXPECT_EQ(t[0], 2001);
  EXPECT_EQ(t[1], 1999);
  EXPECT_EQ(t[2], 0);
  EXPECT_EQ(table(ds.ledger().readYears(false).operator*()), t);
  for (int c = 0; c < kCourseCount; ++c) {
    EXPECT_FALSE(std::filesystem::exists(dir / meetingFilePath("2000", c)));
    EXPECT_TRUE(std::filesystem::exists(dir / meetingFilePath("1999", c)));
    EXPECT_TRUE(std::filesystem::exists(dir / meetingFilePath("2001", c)));
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "tovradatafile/sap/keep"));
}

TEST(Years, WhatIsAskedFirst) {
  const struct {
    int selected, current;
    const char* refusal;  // nullptr: the question comes
  } deletions[] = {
      {0, 2001, "削除する年次を選択して下さい。"},
      {0, 0, "削除する年次を選択して下さい。"},
      {2001, 2001, "現在処理中の年次は削除出来ません。"},
      {2000, 2001, nullptr},
      {2001, 0, nullptr},
  };
  for (const auto& c : deletions) {
    const auto r = deleteYearRefusal(c.selected, c.current);
    EXPECT_EQ(r ? r->text : std::string("-"), c.refusal ? c.refusal : "-") << c.selected << " " << c.current;
    if (r) {
      EXPECT_EQ(r->icon, MsgIcon::Error);
    }
  }
  const struct {
    const char* current;
    int chosen;
    const char* question;  // nullptr: nothing changes
  } changes[] = {
      {"2001", 2001, nullptr},
      {"2001", 2000, "年次を変更します。\n\n2001年 → 2000年"},
      {"1999", 2099, "年次を変更します。\n\n1999年 → 2099年"},
  };
  for (const auto& c : changes) {
    const auto q = changeYearQuestion(c.current, c.chosen);
    EXPECT_EQ(q.value_or("-"), c.question ? c.question : "-") << c.current << " " << c.chosen;
  }
}

TEST(Years, ComboListNewestFirstWithTheCurrentYearSelected) {
  NenjiTable years;
  years.nen[0] = 2001;
  years.nen[1] = 2000;
  auto list = yearComboList(years, 2000);
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0], "2001年");
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(yearComboList(years, 2000, kYearBoxFormat).entries[1], " 2000年");  // the main window's year box
  EXPECT_EQ(yearComboList(years, 2000, kNenBoxFormat).entries[1], "  2000年");  // the year dialog's list
  EXPECT_EQ(yearComboList(years, 1990).selected, 0);
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
  LedgerCursor ds(dir.path(), &fs);
  makeLedger(ds, {2001, 2000});
  const auto before = filesUnder(dir.path());
  const auto tableBefore = table(ds);
  int failures = 0;
  for (int failing = 1;; ++failing) {
    int writes = 0;
    fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path&) {
      return op == fixture::FaultyFs::Op::Write && ++writes == failing;
    };
    LedgerCursor attempt(dir.path(), &fs);
    attempt.loadYears();
    LedgerEvents events;
    Counter counter;
    events.add(&counter);
    const auto r = registerYear(attempt.ledger(), events, attempt.nenji, "2022");
    if (r.failed()) {
      ++failures;
      EXPECT_TRUE(r.failure().path == "main.dat" || r.failure().path.find("2022") != std::string::npos)
          << r.failure().path;
      EXPECT_EQ(filesUnder(dir.path()), before) << "write " << failing << " failed";
      EXPECT_EQ(table(attempt), tableBefore);
      EXPECT_EQ(counter.years, 0);
      continue;
    }
    ASSERT_TRUE(r);
    EXPECT_EQ(counter.years, 1);
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
  LedgerCursor ds(dir.path(), &fs);
  makeLedger(ds, {2001});
  const auto before = filesUnder(dir.path());
  fs.readOnly = [&](const std::filesystem::path& p) { return p.filename() == "main.dat"; };
  const auto r = registerYear(ds.ledger(), LedgerEvents{}, ds.nenji, "2022");
  ASSERT_TRUE(r.failed()) << "registered over a read-only main.dat";
  EXPECT_EQ(r.failure().code, 1);
  EXPECT_EQ(r.failure().path, "main.dat");
  EXPECT_EQ(filesUnder(dir.path()), before);
}

TEST(Years, TheFirstYearWhoseFilesCannotBeWrittenIsNotNamedInMainDat) {
  TempDir dir;
  fixture::FaultyFs fs;
  fs.realSync = false;
  LedgerCursor ds(dir.path(), &fs);
  makeLedger(ds, {});
  const auto before = filesUnder(dir.path());
  int writes = 0;
  fs.fail = [&](fixture::FaultyFs::Op op, const std::filesystem::path&) {
    return op == fixture::FaultyFs::Op::Write && ++writes == 5;
  };
  const auto r = registerFirstYear(ds.ledger(), ds.nenji, 2001);
  ASSERT_TRUE(r.failed());
  EXPECT_TRUE(r.failure().code == 4 || r.failure().code == 6) << r.failure().code;
  EXPECT_EQ(filesUnder(dir.path()), before);
  EXPECT_EQ(ds.nenji.nen[0], 0);
}
