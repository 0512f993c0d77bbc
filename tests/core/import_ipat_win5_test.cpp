// The purchase-history CSV's WIN5 lines: each goes to the WIN5 of its date when the date
// has its legs (checked for points and horses), is reported and left out when it has
// none, and is never taken twice; the CLI prints them and --yes writes them.
#include <gtest/gtest.h>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "domain/win5.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/win5_bets.hpp"
#include "features/import/ipat/ipat_import.hpp"
#include "features/import/win5_import.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger_events.hpp"
#include "storage/win5_store.hpp"
#include "support/import_fixture.hpp"
#include "support/ipat_csv_builder.hpp"

using namespace tovra;
using namespace tovra::ipattest;

namespace {

constexpr int kNiigata = 3;
const Win5Date kDate{2022, 7, 30};
const std::array<Win5Leg, kWin5LegCount> kLegs{{{3, 7}, {3, 8}, {3, 9}, {3, 10}, {3, 11}}};

// A WIN5 line of 2022-07-30 with receipt 0003-<serial>.
std::string win5Row(const std::string& serial, const std::string& numbers, const std::string& amount) {
  CsvRow r;
  r.receipt = "0003";
  r.serial = serial;
  r.course = "";
  r.race = "";
  r.type = "WIN5";
  r.numbers = numbers;
  r.amount = amount;
  return rowText(r);
}

const std::string kSix = win5Row("01", "01；02／03／04／05；06；07／08", "100／600");
const std::string kOld = "20220730,0001,02,新潟,土,11,ワイド,08―16,500,―,―,0";

std::string allHorses() {
  std::string s;
  for (int h = 1; h <= 18; ++h) {
    if (h > 1) s += "；";
    if (h < 10) s += '0';
    s += std::to_string(h);
  }
  return s;
}

class IpatWin5Import : public ::testing::Test {
 protected:
  IpatWin5Import() : ledger_({2022}) {
    ledger_.setMeetings(2022, kNiigata, {tovra::testing::meetingDayCodes(730, 205)}, {RaceBlock{}});
    std::filesystem::create_directories(ledger_.root() / "tmp");
    ds_.emplace(ledger_.open(2022, kNiigata, 0));
  }
  Ledger ledger() { return ds_->ledger(); }
  IpatFile file(const std::vector<std::string>& rows, long long total) {
    const auto f = readIpatCsv(csvBytes(rows, total), "day.csv");
    EXPECT_TRUE(f) << (f.refused() ? f.refusal().text : "");
    return f ? *f : IpatFile{};
  }
  void setLegs() { ASSERT_TRUE(Win5Store(store_).setLegs(kDate, kLegs)); }
  std::optional<StoredWin5Day> win5() {
    const auto d = Win5Store(store_).day(kDate);
    EXPECT_TRUE(d);
    return d ? *d : std::nullopt;
  }

  tovra::testing::LedgerBuilder ledger_;
  std::optional<LedgerCursor> ds_;
  BetStore store_{ledger_.root()};
  ScriptedPort port_;
};

struct Win5Case {
  const char* name;
  bool legs;
  std::string row;
  long long cost;
  IpatLineState state;
  std::string reason;
};

const Win5Case kCases[] = {
    {"taken", true, kSix, 600, IpatLineState::Taken, ""},
    {"no legs yet", false, kSix, 600, IpatLineState::Refused, msg::kWin5NoLegsYet},
    {"one horse a leg", true, win5Row("02", "01／01／01／01／01", "200"), 200, IpatLineState::Taken, ""},
    {"over 1,000,000 points", true,
     win5Row("03", allHorses() + "／" + allHorses() + "／" + allHorses() + "／" + allHorses() + "／" + allHorses(),
             "100／188956800"),
     188956800, IpatLineState::Refused, msg::kWin5TooMany},
};

class IpatWin5Cases : public IpatWin5Import, public ::testing::WithParamInterface<Win5Case> {};

TEST_P(IpatWin5Cases, PreviewAndImport) {
  const Win5Case& c = GetParam();
  if (c.legs) setLegs();
  const IpatFile f = file({kOld, c.row}, 500 + c.cost);
  ASSERT_EQ(f.win5.size(), 1u);
  const auto p = previewIpatImport(ledger(), store_, f, false);
  ASSERT_TRUE(p) << p.refusal().text;
  ASSERT_EQ(p->win5.size(), 1u);
  EXPECT_EQ(p->win5[0].state, c.state);
  EXPECT_EQ(p->win5[0].reason, c.reason);
  const bool taken = c.state == IpatLineState::Taken;
  EXPECT_EQ(p->taken, taken ? 2 : 1);
  EXPECT_EQ(p->takenCost, 500 + (taken ? c.cost : 0));
  const bool noted = std::find(p->notices.begin(), p->notices.end(),
                               std::string("2022年7月30日 WIN5：") + msg::kWin5NoLegsYet) != p->notices.end();
  EXPECT_EQ(noted, !c.legs);
  const auto done = runIpatImport(ledger(), store_, port_, LedgerEvents{}, f, false);
  ASSERT_TRUE(done) << done.refusal().text;
  const auto w = win5();
  ASSERT_EQ(w.has_value(), c.legs);
  if (!w) return;
  ASSERT_EQ(w->lines.size(), taken ? 1u : 0u);
  if (taken) {
    EXPECT_EQ(w->lines[0].points, f.win5[0].points);
  }
  const auto receipts = Win5Store(store_).receipts(kDate);
  ASSERT_TRUE(receipts);
  EXPECT_EQ(receipts->size(), taken ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, IpatWin5Cases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Win5Case>& i) { return "c" + std::to_string(i.index); });

TEST_F(IpatWin5Import, TheLineAsBoughtAndASecondImportTakesNothing) {
  setLegs();
  const IpatFile f = file({kSix}, 600);
  auto done = runIpatImport(ledger(), store_, port_, LedgerEvents{}, f, false);
  ASSERT_TRUE(done) << done.refusal().text;
  EXPECT_EQ(done->taken, 1);
  const auto w = win5();
  ASSERT_TRUE(w);
  ASSERT_EQ(w->lines.size(), 1u);
  const StoredWin5Line& l = w->lines[0];
  EXPECT_EQ(l.legs, (std::array<std::vector<int>, 5>{{{1, 2}, {3}, {4}, {5, 6, 7}, {8}}}));
  EXPECT_EQ(l.stake, 1);
  EXPECT_EQ(l.points, 6);
  const auto again = previewIpatImport(ledger(), store_, f, false);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->win5[0].state, IpatLineState::Duplicate);
  EXPECT_EQ(again->taken, 0);
  done = runIpatImport(ledger(), store_, port_, LedgerEvents{}, f, false);
  ASSERT_TRUE(done);
  EXPECT_EQ(win5(), w);
}

// A horse the leg's card does not list is refused when the race's card is in the ledger.
TEST_F(IpatWin5Import, AHorseNotOnTheLegsCardIsRefused) {
  setLegs();
  // Race 7 of the day lists horses 1-8 only.
  RaceBlock races{};
  for (std::size_t h = 0; h < 8; ++h) races[6].shutsubaWaku[h] = static_cast<std::uint16_t>(h + 1);
  ledger_.setMeetings(2022, kNiigata, {tovra::testing::meetingDayCodes(730, 205)}, {races});
  const IpatFile f = file({win5Row("04", "09／01／01／01／01", "100")}, 100);
  const auto p = previewIpatImport(ledger(), store_, f, false);
  ASSERT_TRUE(p);
  ASSERT_EQ(win5Runners(ledger(), kDate, kLegs)[0].size(), 8u);
  EXPECT_EQ(p->win5[0].state, IpatLineState::Refused);
  EXPECT_EQ(p->win5[0].reason, msg::kWin5NotARunner);
}

TEST(IpatWin5Text, LineAndNumbers) {
  tovra::IpatWin5 w;
  w.line = 5;
  w.legs = {{{1, 3}, {2}, {5, 7}, {1}, {4}}};
  w.points = 4;
  w.cost = 400;
  EXPECT_EQ(ipatWin5NumbersText(w), "1,3/2/5,7/1/4");
  EXPECT_EQ(ipatWin5Text(w), "   5行目 WIN5 1,3/2/5,7/1/4  4点  400円");
}

// The CLI: without legs the line is printed as not taken (exit 0); with them --yes writes
// it, and a second run takes nothing.
TEST(IpatWin5Cli, PrintsWritesAndTakesNothingTheSecondTime) {
  using namespace tovra::importtest;
  ImportDay day;
  CsvRow r;
  r.date = "20181125";
  r.receipt = "0009";
  r.course = "";
  r.race = "";
  r.type = "WIN5";
  r.numbers = "01／02；03／04／05／06";
  r.amount = "100／200";
  writeFile(day.root() / "h.csv", csvVector({rowText(r)}, 200));
  const std::string cmd = "import ipat '" + (day.root() / "h.csv").string() + "'";
  auto out = tovra::testing::runCli(day.root(), cmd);
  ASSERT_EQ(out.exitCode, 0) << out.err;
  EXPECT_NE(out.out.find("   2行目 WIN5 1/2,3/4/5/6  2点  200円  読み込めません：WIN5 の対象ﾚｰｽが未登録です。\n"),
            std::string::npos)
      << out.out;
  EXPECT_NE(out.out.find("読み込む馬券  0行  0円\n"), std::string::npos) << out.out;
  const Win5Date d{2018, 11, 25};
  {
    BetStore bets(day.root());
    ASSERT_TRUE(Win5Store(bets).setLegs(d, {{{4, 8}, {4, 9}, {4, 10}, {4, 11}, {4, 12}}}));
  }
  out = tovra::testing::runCli(day.root(), "--yes " + cmd);
  ASSERT_EQ(out.exitCode, 0) << out.err;
  EXPECT_NE(out.out.find("読み込む馬券  1行  200円\n"), std::string::npos) << out.out;
  out = tovra::testing::runCli(day.root(), "--yes " + cmd);
  ASSERT_EQ(out.exitCode, 0) << out.err;
  EXPECT_NE(out.out.find("   2行目 WIN5 1/2,3/4/5/6  2点  200円  取込済み\n"), std::string::npos) << out.out;
  BetStore bets(day.root());
  const auto w = Win5Store(bets).day(d);
  ASSERT_TRUE(w && *w);
  EXPECT_EQ((*w)->lines.size(), 1u);
}

}  // namespace
