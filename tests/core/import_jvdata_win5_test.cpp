// The WIN5 of a JV-Data day import: WF records at literal byte offsets become the WIN5 day
// (legs, every winning combination of a dead heat, the cancelled mark, the carry-over
// note), a day holding other legs takes nothing of it, and a failure at every I/O step of
// the WIN5 write leaves the WIN5 day as before or as after.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "common/failing_sqlite_vfs.hpp"
#include "common/temp_dir.hpp"
#include "features/import/jvdata/jvdata_import.hpp"
#include "features/import/win5_import.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger_events.hpp"
#include "storage/win5_store.hpp"
#include "support/import_fixture.hpp"
#include "support/jvdata_builders.hpp"

using namespace tovra;
using namespace tovra::importtest;
using tovra::jvtest::Rec;
using tovra::testing::runCli;

namespace {

const DateKey kDay{2018, 4, 11, 25};
const Win5Date kWin5Day{2018, 11, 25};
// 東京 7R, 京都 8R, 東京 9R, 京都 10R, 東京 11R as the ledger numbers courses (JyoCD - 1).
const std::array<Win5Leg, kWin5LegCount> kLegs{{{4, 7}, {7, 8}, {4, 9}, {7, 10}, {4, 11}}};

// A WF record of the day with its five legs, flags 0 and no carry-over; payout slots blank.
Rec wf(int date = jvtest::kDate, char dataKind = '2') {
  Rec x("WF", 7215, dataKind);
  x.num(12, 8, date);
  x.put(22, "05050807").put(30, "08050808").put(38, "05050809").put(46, "08050810").put(54, "05050811");
  x.put(134, "000").put(137, "000000000000000").put(152, "000000000000000");
  return x;
}

// Payout slot n (0-based) at 167 + 29n: 組番 10, 払戻金 9, 的中票数 10.
Rec& pay(Rec& x, int n, const char* combo, const char* payout) {
  const std::size_t at = 167 + 29 * static_cast<std::size_t>(n);
  return x.put(at, combo).put(at + 10, payout).put(at + 19, "0000000003");
}

struct WfCase {
  const char* name;
  void (*edit)(Rec&);
  bool taken;  // an import at all
  std::optional<std::vector<StoredWin5Winner>> winners;
  std::optional<bool> cancelled;
  std::optional<std::string> note;
  std::string text;
};

const WfCase kCases[] = {
    {"legs before the result", [](Rec&) {}, true, std::nullopt, std::nullopt, std::nullopt, "WIN5：対象ﾚｰｽ 取込"},
    {"one winner",
     [](Rec& x) { pay(x, 0, "0102030405", "000123450"); },
     true,
     std::vector<StoredWin5Winner>{{{1, 2, 3, 4, 5}, 123450}},
     false,
     std::nullopt,
     "WIN5：対象ﾚｰｽ・払戻 取込"},
    {"dead heat in leg 4, the second slot last of 243",
     [](Rec& x) {
       pay(x, 0, "0102030405", "000123450");
       pay(x, 242, "0102030605", "562521610");
     },
     true,
     std::vector<StoredWin5Winner>{{{1, 2, 3, 4, 5}, 123450}, {{1, 2, 3, 6, 5}, 562521610}},
     false,
     std::nullopt,
     "WIN5：対象ﾚｰｽ・払戻 取込"},
    {"refund flag", [](Rec& x) { x.put(134, "1"); }, true, std::vector<StoredWin5Winner>{}, true, std::nullopt,
     "WIN5：対象ﾚｰｽ・返還 取込"},
    {"failure flag", [](Rec& x) { x.put(135, "1"); }, true, std::vector<StoredWin5Winner>{}, true, std::nullopt,
     "WIN5：対象ﾚｰｽ・返還 取込"},
    {"no winner, carry-over",
     [](Rec& x) { x.put(136, "1").put(137, "000000100000000").put(152, "000000562521610"); },
     true,
     std::vector<StoredWin5Winner>{},
     false,
     "前回からのキャリーオーバー 100,000,000円、的中なし、キャリーオーバー 562,521,610円",
     "WIN5：対象ﾚｰｽ・結果 取込  前回からのキャリーオーバー 100,000,000円、的中なし、キャリーオーバー 562,521,610円"},
    {"winner with a carry-over brought in",
     [](Rec& x) {
       pay(x, 0, "0102030405", "000123450");
       x.put(137, "000000001234560");
     },
     true,
     std::vector<StoredWin5Winner>{{{1, 2, 3, 4, 5}, 123450}},
     false,
     "前回からのキャリーオーバー 1,234,560円",
     "WIN5：対象ﾚｰｽ・払戻 取込  前回からのキャリーオーバー 1,234,560円"},
    {"payout not in 10 yen steps",
     [](Rec& x) { pay(x, 0, "0102030405", "000000005"); },
     true,
     std::nullopt,
     std::nullopt,
     std::nullopt,
     "WIN5：対象ﾚｰｽ 取込  払戻が読めないため WIN5 の払戻は読み込みません。"},
    {"horse 19 in a combination",
     [](Rec& x) { pay(x, 0, "0102031905", "000123450"); },
     true,
     std::nullopt,
     std::nullopt,
     std::nullopt,
     "WIN5：対象ﾚｰｽ 取込  払戻が読めないため WIN5 の払戻は読み込みません。"},
    {"course 00 in leg 1", [](Rec& x) { x.put(22, "00"); }, false, std::nullopt, std::nullopt, std::nullopt,
     "WIN5：対象ﾚｰｽが読めないため WIN5 は読み込みません。"},
    {"race 13 in leg 5", [](Rec& x) { x.put(60, "13"); }, false, std::nullopt, std::nullopt, std::nullopt,
     "WIN5：対象ﾚｰｽが読めないため WIN5 は読み込みません。"},
    {"the same race twice", [](Rec& x) { x.put(30, "05050807"); }, false, std::nullopt, std::nullopt, std::nullopt,
     "WIN5：対象ﾚｰｽが読めないため WIN5 は読み込みません。"},
};

class JvWin5Cases : public ::testing::TestWithParam<WfCase> {};

TEST_P(JvWin5Cases, WfBecomesTheWin5Import) {
  const WfCase& c = GetParam();
  Rec x = wf();
  c.edit(x);
  ASSERT_EQ(x.b.size(), 7215u);
  const auto file = jvtest::jvFile({jvtest::raRecord(11), x});
  const auto day = jvDataDayOf(file, "jv.dat", kDay);
  ASSERT_TRUE(day);
  KaisaiRecord meeting;
  RaceBlock races{};
  const JvApplied a = applyJvDataDay(*day, kDay, meeting, races, false);
  EXPECT_EQ(a.win5Text, c.text);
  ASSERT_EQ(a.bets.win5.has_value(), c.taken);
  EXPECT_EQ(jvConfirmationLines(a).back(), c.text);
  if (!c.taken) return;
  const Win5Import& im = *a.bets.win5;
  EXPECT_EQ(im.legs, kLegs);
  EXPECT_EQ(im.winners, c.winners);
  EXPECT_EQ(im.cancelled, c.cancelled);
  EXPECT_EQ(im.note, c.note);
  EXPECT_TRUE(im.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, JvWin5Cases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<WfCase>& i) { return "c" + std::to_string(i.index); });

// Only the day's date counts, a deletion record is no WIN5, and the last record wins.
TEST(JvWin5, OtherDatesAndDeletionsAreNotUsedTheLastRecordWins) {
  const auto pick = [](const std::vector<Rec>& recs) {
    std::vector<Rec> all{jvtest::raRecord(11)};
    all.insert(all.end(), recs.begin(), recs.end());
    const auto file = jvtest::jvFile(all);
    const auto day = jvDataDayOf(file, "jv.dat", kDay);
    EXPECT_TRUE(day);
    std::string text;
    return jvWin5Import(*day, kDay, text);
  };
  EXPECT_FALSE(pick({}));
  EXPECT_FALSE(pick({wf(20181124)}));
  EXPECT_FALSE(pick({wf(jvtest::kDate, '0')}));
  Rec first = wf();
  Rec second = wf();
  pay(second, 0, "0102030405", "000001000");
  const auto last = pick({first, second, wf(jvtest::kDate, '0')});
  ASSERT_TRUE(last);
  ASSERT_TRUE(last->winners);
  EXPECT_EQ(last->winners->size(), 1u);
}

TEST(JvWin5, NoteAndYenText) {
  JvWin5 w;
  EXPECT_EQ(jvWin5Note(w), "");
  w.carryBalance = 999;
  EXPECT_EQ(jvWin5Note(w), "キャリーオーバー 999円");
  w.carryBalance = 1000;
  EXPECT_EQ(jvWin5Note(w), "キャリーオーバー 1,000円");
  EXPECT_EQ(win5YenText(0), "0円");
  EXPECT_EQ(win5YenText(600000000), "600,000,000円");
  EXPECT_EQ(win5YenText(-1234), "-1,234円");
  EXPECT_EQ(win5LegsText(kLegs), "東京7R 京都8R 東京9R 京都10R 東京11R");
}

std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

std::optional<StoredWin5Day> win5Of(const std::filesystem::path& root) {
  BetStore bets(root);
  const auto d = Win5Store(bets).day(kWin5Day);
  EXPECT_TRUE(d);
  return d ? *d : std::nullopt;
}

std::vector<std::uint8_t> win5File(void (*edit)(Rec&)) {
  Rec x = wf();
  edit(x);
  return jvtest::jvFile({jvtest::raRecord(11), x});
}

void deadHeat(Rec& x) {
  pay(x, 0, "0102030405", "000123450");
  pay(x, 1, "0102030605", "000061720");
}

TEST(ImportJvDataWin5Cli, PreviewWritesNothingYesWritesTheWin5Day) {
  ImportDay day;
  writeFile(day.root() / "jv.dat", win5File(deadHeat));
  const Snapshot before = snapshot(day.root());
  const std::string args = "import jvdata " + quoted(day.root() / "jv.dat") + " tok 1";
  auto r = runCli(day.root(), args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\nWIN5：対象ﾚｰｽ・払戻 取込\n"), std::string::npos) << r.out;
  EXPECT_EQ(snapshot(day.root()), before);
  r = runCli(day.root(), "--yes " + args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto w = win5Of(day.root());
  ASSERT_TRUE(w);
  EXPECT_EQ(w->legs, kLegs);
  EXPECT_EQ(w->winners,
            (std::vector<StoredWin5Winner>{{{1, 2, 3, 4, 5}, 123450}, {{1, 2, 3, 6, 5}, 61720}}));
  EXPECT_FALSE(w->cancelled);
  EXPECT_EQ(day.storedRaces()[10].kyori, 2400);
}

// Official data replaces a result and a cancel entered by hand; the lines bought stay.
TEST(ImportJvDataWin5Cli, TheFileReplacesTheEnteredResultOnTheSameLegs) {
  ImportDay day;
  {
    BetStore bets(day.root());
    Win5Store w5(bets);
    ASSERT_TRUE(w5.setLegs(kWin5Day, kLegs));
    ASSERT_TRUE(w5.addLine(kWin5Day, {0, {{{1}, {2}, {3}, {4, 6}, {5}}}, 1, 2}));
    ASSERT_TRUE(w5.setWinners(kWin5Day, {{{9, 9, 9, 9, 9}, 100}}));
    ASSERT_TRUE(w5.setCancelled(kWin5Day, true));
    ASSERT_TRUE(w5.setNote(kWin5Day, "手入力"));
  }
  writeFile(day.root() / "jv.dat", win5File(deadHeat));
  const auto r = runCli(day.root(), "--yes import jvdata " + quoted(day.root() / "jv.dat") + " tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto w = win5Of(day.root());
  ASSERT_TRUE(w);
  EXPECT_EQ(w->winners.size(), 2u);
  EXPECT_FALSE(w->cancelled);
  EXPECT_EQ(w->note, "手入力");  // the file says nothing of a carry-over
  ASSERT_EQ(w->lines.size(), 1u);
}

// The user's lines were bought on the legs held: other legs in the file change nothing of
// the WIN5, the confirmation says so, and the day itself is imported.
TEST(ImportJvDataWin5Cli, OtherLegsHeldTakeNothingAndAreReported) {
  ImportDay day;
  std::array<Win5Leg, kWin5LegCount> other = kLegs;
  other[4] = {4, 12};
  {
    BetStore bets(day.root());
    ASSERT_TRUE(Win5Store(bets).setLegs(kWin5Day, other));
  }
  const auto held = win5Of(day.root());
  writeFile(day.root() / "jv.dat", win5File(deadHeat));
  const auto r = runCli(day.root(), "--yes import jvdata " + quoted(day.root() / "jv.dat") + " tok 1");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("WIN5：この日の WIN5 には別の対象ﾚｰｽが登録されています。WIN5 は読み込みません。 "
                       "(登録済み：東京7R 京都8R 東京9R 京都10R 東京12R ／ 読み込んだﾌｧｲﾙ：東京7R 京都8R 東京9R "
                       "京都10R 東京11R)"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(win5Of(day.root()), held);
  EXPECT_EQ(day.storedRaces()[10].kyori, 2400);
}

// Without the check before the confirmation (the window's path), the write itself finds
// the other legs: the day is stored, the WIN5 not, and a warning tells why.
TEST(StoreImportWithBetsWin5, OtherLegsAtTheWriteGiveAWarningAndNoWin5) {
  ImportDay day;
  std::array<Win5Leg, kWin5LegCount> other = kLegs;
  other[0] = {0, 1};
  BetStore bets(day.root());
  ASSERT_TRUE(Win5Store(bets).setLegs(kWin5Day, other));
  const auto file = win5File(deadHeat);
  const Ledger ledger = day.ds().ledger();
  auto d = beginImport(ledger, DayKey{"2018", kTokyo, 1});
  ASSERT_TRUE(d);
  const auto records = jvDataDayOf(file, "jv.dat", kDay);
  ASSERT_TRUE(records);
  const JvApplied a = applyJvDataDay(*records, kDay, d->day.meeting, d->day.races, false);
  const Result<Done> done = storeImportWithBets(ledger, LedgerEvents{}, bets, *d, a.bets);
  ASSERT_TRUE(done.refused());
  EXPECT_EQ(done.refusal().icon, MsgIcon::Warning);
  EXPECT_NE(done.refusal().text.find(msg::kWin5LegsDiffer), std::string::npos);
  EXPECT_EQ(day.storedRaces()[10].kyori, 2400);
  const auto w = Win5Store(bets).day(kWin5Day);
  ASSERT_TRUE(w && *w);
  EXPECT_EQ((*w)->legs, other);
  EXPECT_TRUE((*w)->winners.empty());
}

// The WIN5 part is one transaction: the store failing at any step leaves the WIN5 day as
// it was (no day) or holding all of the import.
TEST(Win5StoreApplyImport, AFailureAtEveryStepLeavesNothingOrAll) {
  Win5Import im;
  im.legs = kLegs;
  im.winners = std::vector<StoredWin5Winner>{{{1, 2, 3, 4, 5}, 123450}, {{1, 2, 3, 6, 5}, 61720}};
  im.cancelled = false;
  im.note = "キャリーオーバー 1,000円";
  im.lines = {{{0, {{{1}, {2}, {3}, {4, 6}, {5}}}, 1, 2}, "0001-01"}};
  tovra::testing::RunDir base;
  {
    BetStore bets(base.path());
    ASSERT_TRUE(bets.open(true));
  }
  long n = 1;
  for (bool andLater : {false, true}) {
    for (n = 1;; ++n) {
      SCOPED_TRACE(n);
      tovra::testing::RunDir run(base.path());
      bool failed = false;
      bool ok = false;
      {
        BetStore bets(run.path(), tovra::testing::failingVfs());
        tovra::testing::armFailingVfs(n, andLater);
        const auto r = Win5Store(bets).applyImport(kWin5Day, im);
        ok = r && r->state == Win5Imported::State::Written;
        failed = tovra::testing::failingVfsFailed();
        tovra::testing::disarmFailingVfs();
      }
      BetStore bets(run.path());
      EXPECT_EQ(*bets.integrityCheck(), "ok");
      const auto w = Win5Store(bets).day(kWin5Day);
      ASSERT_TRUE(w);
      const auto receipts = Win5Store(bets).receipts(kWin5Day);
      ASSERT_TRUE(receipts);
      if (*w) {
        EXPECT_EQ((*w)->legs, kLegs);
        EXPECT_EQ((*w)->winners, *im.winners);
        EXPECT_EQ((*w)->note, *im.note);
        ASSERT_EQ((*w)->lines.size(), 1u);
        EXPECT_EQ(*receipts, (std::vector<std::string>{"0001-01"}));
      } else {
        EXPECT_FALSE(ok);
        EXPECT_TRUE(receipts->empty());
      }
      if (ok) {
        EXPECT_TRUE(*w);
      }
      if (!failed) break;
      ASSERT_LT(n, 200);
    }
    EXPECT_GE(n - 1, 3);
  }
}

// Lines alone need the day's legs; a receipt held is not taken again.
TEST(Win5StoreApplyImport, LinesNeedLegsAndTakeEachReceiptOnce) {
  tovra::testing::TempDir dir;
  BetStore bets(dir.path());
  Win5Store w5(bets);
  Win5Import lines;
  lines.lines = {{{0, {{{1}, {2}, {3}, {4}, {5}}}, 1, 1}, "0001-01"},
                 {{0, {{{1}, {2}, {3}, {4}, {6}}}, 2, 1}, "0001-02"}};
  auto r = w5.applyImport(kWin5Day, lines);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->state, Win5Imported::State::NoLegs);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / kBetStorePath));
  ASSERT_TRUE(w5.setLegs(kWin5Day, kLegs));
  r = w5.applyImport(kWin5Day, lines);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->state, Win5Imported::State::Written);
  EXPECT_EQ(r->lines, 2);
  r = w5.applyImport(kWin5Day, lines);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->lines, 0);
  const auto d = w5.day(kWin5Day);
  ASSERT_TRUE(d && *d);
  ASSERT_EQ((*d)->lines.size(), 2u);
  EXPECT_EQ((*d)->lines[1].stake, 2);
}

}  // namespace
