// The purchase-history import: lines into the ticket slots and the bet store, receipts
// that keep a second import from taking anything, refusals of lines that do not fit,
// days not registered (and registered on request), differences from the results held.
#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "features/bets/race_bets.hpp"
#include "features/import/ipat/ipat_import.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger_events.hpp"
#include "support/import_fixture.hpp"
#include "support/ipat_csv_builder.hpp"

using namespace tovra;
using namespace tovra::ipattest;

namespace {

constexpr int kNiigata = 3;

class IpatImport : public ::testing::Test {
 protected:
  IpatImport() : ledger_({2022}) {
    RaceBlock races{};
    // Race 11 has its ﾜｲﾄﾞ result entered: 08-16 paid 1,430 yen.
    races[10].wideKeka[0] = 816;
    races[10].wideHaitou[0] = 1430;
    KaisaiRecord day = tovra::testing::meetingDayCodes(730, 205);
    settleAllRaces(day, races);
    ledger_.setMeetings(2022, kNiigata, {tovra::testing::meetingDayCodes(724, 204), day}, {RaceBlock{}, races});
    std::filesystem::create_directories(ledger_.root() / "tmp");
    ds_.emplace(ledger_.open(2022, kNiigata, 1));
  }
  Ledger ledger() { return ds_->ledger(); }
  IpatFile file(const std::vector<std::string>& rows, long long total) {
    const auto f = readIpatCsv(csvBytes(rows, total), "day.csv");
    EXPECT_TRUE(f) << (f.refused() ? f.refusal().text : "");
    return f ? *f : IpatFile{};
  }
  Result<IpatPreview> run(const IpatFile& f, bool registerDays = false) {
    return runIpatImport(ledger(), store_, port_, LedgerEvents{}, f, registerDays);
  }
  RaceRecord race(int index, int r) {
    const auto day = ledger().readDay(DayKey{"2022", kNiigata, index});
    EXPECT_TRUE(day);
    return day ? day->races[static_cast<std::size_t>(r - 1)] : RaceRecord{};
  }

  tovra::testing::LedgerBuilder ledger_;
  std::optional<LedgerCursor> ds_;
  BetStore store_{ledger_.root()};
  ScriptedPort port_;
};

const std::vector<std::string> kDay = {
    "20220730,0001,02,新潟,土,11,ワイド,08―16,500,的中08―16,1430,7150",
    "20220730,0001,04,新潟,土,11,3連複,06―10―12,100,―,―,0",
    "20220730,0002,01,新潟,土,9,馬連ＢＯＸ,04；07；11,200／600,―,―,0",
};

TEST_F(IpatImport, ThePreviewChangesNothing) {
  const auto before = importtest::snapshot(ledger_.root());
  const auto p = previewIpatImport(ledger(), store_, file(kDay, 1200), false);
  ASSERT_TRUE(p) << p.refusal().text;
  EXPECT_EQ(p->taken, 3);
  EXPECT_EQ(p->takenCost, 1200);
  for (const IpatLineReport& r : p->lines) EXPECT_EQ(r.state, IpatLineState::Taken) << r.reason;
  EXPECT_TRUE(p->differences.empty());
  EXPECT_EQ(importtest::snapshot(ledger_.root()), before);
}

TEST_F(IpatImport, OldTypesGoIntoTheSlotsNewTypesIntoTheStore) {
  const auto done = run(file(kDay, 1200));
  ASSERT_TRUE(done) << done.refusal().text;
  const RaceRecord r11 = race(1, 11);
  EXPECT_EQ(plainCode(BetType::Wide, r11.wideKumi[0]), 816);
  EXPECT_EQ(r11.wideGaku[0], 500);
  EXPECT_EQ(r11.wideKeka[0], 816 + 10000);  // settled: the ticket hit
  const RaceRecord r9 = race(1, 9);
  EXPECT_EQ((std::vector<int>{r9.umaKumi[0], r9.umaKumi[1], r9.umaKumi[2], r9.umaKumi[3]}),
            (std::vector<int>{407, 411, 711, 0}));
  EXPECT_EQ(r9.umaGaku[2], 200);
  const auto stored = store_.race(RaceKey{{2022, kNiigata, 7, 30}, 11});
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->lines.size(), 1u);
  EXPECT_EQ(stored->lines[0].type, 1);  // 3連複
  EXPECT_EQ(stored->lines[0].sets[0], (std::vector<int>{6, 10, 12}));
  EXPECT_EQ(stored->lines[0].stake, 1);
  const auto receipts = store_.receipts(2022, 7, 30);
  ASSERT_TRUE(receipts);
  EXPECT_EQ(*receipts, (std::vector<std::string>{"0001-02", "0001-04", "0002-01"}));
}

TEST_F(IpatImport, ImportingTheSameFileTwiceChangesNothingTheSecondTime) {
  const IpatFile f = file(kDay, 1200);
  ASSERT_TRUE(run(f));
  const auto after = importtest::snapshot(ledger_.root());
  const auto again = run(f);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->taken, 0);
  for (const IpatLineReport& r : again->lines) EXPECT_EQ(r.state, IpatLineState::Duplicate);
  EXPECT_EQ(importtest::snapshot(ledger_.root()), after);
}

TEST_F(IpatImport, ALineThatDoesNotFitIsRefusedAndTheOthersGoOn) {
  std::vector<std::string> rows;
  for (int i = 1; i <= 6; ++i) rows.push_back("20220730,0003,0" + std::to_string(i) + ",新潟,土,1,単勝,0" +
                                              std::to_string(i) + ",100,―,―,0");
  const auto done = run(file(rows, 600));
  ASSERT_TRUE(done) << done.refusal().text;
  EXPECT_EQ(done->taken, 5);
  EXPECT_EQ(done->lines[5].state, IpatLineState::Refused);
  EXPECT_NE(done->lines[5].reason.find("単勝"), std::string::npos) << done->lines[5].reason;
  EXPECT_EQ(race(1, 1).tanUma[4], 5);
}

TEST_F(IpatImport, ADayNotRegisteredIsReportedOrRegisteredOnRequest) {
  const std::vector<std::string> rows = {"20220731,0001,01,新潟,日,5,単勝,03,100,―,―,0"};
  const auto p = previewIpatImport(ledger(), store_, file(rows, 100), false);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->lines[0].state, IpatLineState::Refused);
  EXPECT_EQ(p->lines[0].reason, msg::kIpatNotRegistered);
  const auto done = run(file(rows, 100), true);
  ASSERT_TRUE(done) << done.refusal().text;
  EXPECT_EQ(done->taken, 1);
  const auto meetings = ledger().meetings("2022", kNiigata);
  ASSERT_TRUE(meetings);
  ASSERT_EQ(meetings->size(), 3u);
  EXPECT_EQ((*meetings)[2].tsukiHi, 731);
  EXPECT_EQ((*meetings)[2].kaiNichi, 206);  // the day after 2回5日目
  EXPECT_EQ(race(2, 5).tanUma[0], 3);
}

TEST_F(IpatImport, DifferencesFromTheResultsHeldAreReportedNotWritten) {
  ASSERT_TRUE(addWinner(store_, RaceKey{{2022, kNiigata, 7, 30}, 11}, RaceRecord{}, NewBetType::Sanrenpuku,
                        {6, 10, 12}, 5000));
  const std::vector<std::string> rows = {
      "20220730,0001,02,新潟,土,11,ワイド,08―16,500,的中08―16,1500,7500",
      "20220730,0001,04,新潟,土,11,3連複,06―10―12,100,―,―,0",
  };
  const auto done = run(file(rows, 600));
  ASSERT_TRUE(done);
  ASSERT_EQ(done->differences.size(), 2u);
  EXPECT_NE(done->differences[0].find("1500円"), std::string::npos) << done->differences[0];
  EXPECT_NE(done->differences[1].find("06-10-12"), std::string::npos) << done->differences[1];
  EXPECT_EQ(race(1, 11).wideHaitou[0], 1430);
}

TEST_F(IpatImport, AStoreThatCannotBeUsedRefusesBeforeAnythingIsWritten) {
  std::filesystem::create_directories(ledger_.root() / "tovradatafile");
  importtest::writeFile(ledger_.root() / kBetStorePath, std::vector<std::uint8_t>(4096, 0x5a));
  const auto snap = importtest::snapshot(ledger_.root());
  const auto done = run(file(kDay, 1200));
  EXPECT_TRUE(done.refused());
  EXPECT_EQ(importtest::snapshot(ledger_.root()), snap);
}

struct ChooseCase {
  std::vector<std::pair<int, int>> meetings;  // tsukiHi, kaiNichi
  int month, day;
  MeetingDate expect;
};

TEST(IpatMeetingDate, ChosenFromTheNeighbouringMeetings) {
  const ChooseCase cases[] = {
      {{}, 1, 5, {1, 5, 1, 1}},
      {{{730, 205}}, 7, 31, {7, 31, 2, 6}},
      {{{730, 205}}, 8, 6, {8, 6, 2, 6}},
      {{{730, 208}}, 8, 6, {8, 6, 3, 1}},    // 日目 8 was the last: the next 回
      {{{806, 202}}, 7, 31, {7, 31, 2, 1}},  // the day before 2回2日目
      {{{807, 301}}, 8, 6, {8, 6, 1, 1}},    // before 日目 1, and no 回 before it this year
      {{{105, 101}, {530, 308}}, 9, 3, {9, 3, 4, 1}},
  };
  for (const ChooseCase& c : cases) {
    std::vector<KaisaiRecord> ks;
    for (const auto& [t, k] : c.meetings) ks.push_back(tovra::testing::meetingDayCodes(t, k));
    EXPECT_EQ(chooseMeetingDate(ks, 2022, c.month, c.day), c.expect) << c.month << "/" << c.day;
  }
}

}  // namespace
