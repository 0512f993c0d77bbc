// The PAT import: purchase index and files of the four kinds, result and entries files,
// the texts of the three reads, the installation check, and the Japan Cup of 2018 with
// tickets bought on it.
#include <gtest/gtest.h>

#include "features/import/file_list.hpp"
#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/pat/pat_import.hpp"
#include "features/import/pat/pat_records.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

const MeetingKey kJcDay{"2018", 4, 1125, 508};

std::string u8(const char* cp932) { return cp932ToUtf8(cp932); }

// Applies a purchase file's tickets to blank races; returns the races taken.
std::vector<int> apply(int kind, const std::vector<PatTicketRow>& rows, RaceBlock& races,
                       std::array<bool, kRacesPerDay> bought = {}) {
  std::vector<int> taken;
  applyPatTickets(readPatPurchaseFile(kind, patPurchases(kind, rows)), kind, kJcDay, bought, races, taken);
  return taken;
}

}  // namespace

class PatIndexKinds : public ::testing::TestWithParam<int> {};

TEST_P(PatIndexKinds, EntriesOfTheDayAndTheirFileNames) {
  const int kind = GetParam();
  const auto idx = patIndex(kind, {{kind == 0   ? "PT112501"
                                    : kind == 1 ? "P001"
                                                : "P0001",
                                    "2018", 1125},
                                   {kind == 0   ? "PT112401"
                                    : kind == 1 ? "P002"
                                                : "P0002",
                                    "2018", 1124},
                                   {kind == 0   ? "PT112502"
                                    : kind == 1 ? "P003"
                                                : "P0003",
                                    "2017", 1125}});
  EXPECT_EQ(idx.size(), kind == 0 ? 181u : kind == 1 ? 202u : 2623u);
  const auto entries = readPatIndex(kind, idx);
  ASSERT_EQ(entries.size(), kind >= 2 ? 100u : 10u);
  EXPECT_EQ(entries[0].file, kind == 0 ? "PT112501" : kind == 1 ? "P001.jra" : "P0001.jra");
  EXPECT_EQ(entries[0].tsukiHi, 1125);
  EXPECT_TRUE(patIndexEntryMatches(kind, entries[0], kJcDay));
  EXPECT_FALSE(patIndexEntryMatches(kind, entries[1], kJcDay));
  // Only kinds 2 and 3 keep the year: the entry of 2017 belongs to the day for 0 and 1.
  EXPECT_EQ(patIndexEntryMatches(kind, entries[2], kJcDay), kind < 2);
  // A cut index gives the entries it holds whole.
  EXPECT_EQ(readPatIndex(kind, std::span(idx).first(kind == 0   ? 1 + 18 + 5
                                                    : kind == 1 ? 22 + 18
                                                                : 23 + 26))
                .size(),
            1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PatIndexKinds, ::testing::Values(0, 1, 2, 3));

TEST(PatIndex, NamesThatAreNoPlainFileNameAreNotOpened) {
  PatIndexEntry e{"../x.jra", "2018", 1125};
  EXPECT_FALSE(patIndexEntryMatches(2, e, kJcDay));
  e.file = ".jra";  // an empty stem
  EXPECT_FALSE(patIndexEntryMatches(2, e, kJcDay));
}

class PatPurchaseKinds : public ::testing::TestWithParam<int> {};

TEST_P(PatPurchaseKinds, RecordsUpToTheEndCondition) {
  const int kind = GetParam();
  const auto t = readPatPurchaseFile(kind, patPurchases(kind, {{5, 11, 1, 1, 10}, {5, 3, 4, 312, 5}}));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].course, 5);
  EXPECT_EQ(t[1].race, 3);
  EXPECT_EQ(t[1].type, 4);
  EXPECT_EQ(t[1].numbers, 312);
  EXPECT_EQ(t[1].stake, 5);
  // Without an end record the records end with the file; a cut record is not read.
  auto open = patPurchases(kind, {{5, 11, 1, 1, 10}, {5, 3, 4, 312, 5}}, true);
  EXPECT_EQ(readPatPurchaseFile(kind, open).size(), 2u);
  open.pop_back();
  EXPECT_EQ(readPatPurchaseFile(kind, open).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PatPurchaseKinds, ::testing::Values(0, 1, 2, 3));

TEST(PatPurchases, TicketsGoIntoTheFirstFreeSlotsOfTheirTypes) {
  RaceBlock races{};
  const auto taken = apply(2,
                           {{5, 11, 1, 1, 10},   // 単勝 1, 1000 yen
                            {5, 11, 3, 103, 2},  // 枠連 1-3 -> 13
                            {5, 11, 4, 312, 5},  // 馬連 3-12 -> 312
                            {5, 11, 5, 111, 3},  // ﾜｲﾄﾞ 1-11
                            {5, 11, 2, 8, 1},    // 複勝 8
                            {5, 5, 3, 505, 1},   // 枠連 5-5 is a ticket
                            {6, 11, 1, 2, 1},    // 中山: another course
                            {5, 13, 1, 2, 1},    // no race 13
                            {5, 11, 6, 2, 1}},   // no bet type 6
                           races);
  EXPECT_EQ(taken, (std::vector<int>{11, 11, 11, 11, 11, 5}));
  const RaceRecord& r = races[10];
  EXPECT_EQ(r.tanUma[0], 1);
  EXPECT_EQ(r.tanGaku[0], 1000);
  EXPECT_EQ(r.tanGoukei, 1000);
  EXPECT_EQ(r.wakuKumi[0], 13);
  EXPECT_EQ(r.wakuGaku[0], 200);
  EXPECT_EQ(r.umaKumi[0], 312);
  EXPECT_EQ(r.umaGaku[0], 500);
  EXPECT_EQ(r.umaGoukei, 500);
  EXPECT_EQ(r.wideKumi[0], 111);
  EXPECT_EQ(r.wideGaku[0], 300);
  EXPECT_EQ(r.fukuUma[0], 8);
  EXPECT_EQ(r.fukuGaku[0], 100);
  EXPECT_EQ(races[4].wakuKumi[0], 55);
  EXPECT_EQ(races[11].tanUma[0], 0);
}

TEST(PatPurchases, SixWinTicketsKeepFiveEqualTicketsAreNotMerged) {
  RaceBlock races{};
  apply(2, {{5, 1, 1, 1, 1}, {5, 1, 1, 2, 1}, {5, 1, 1, 3, 1}, {5, 1, 1, 3, 1}, {5, 1, 1, 5, 1}, {5, 1, 1, 6, 1}},
        races);
  const std::uint16_t want[5] = {1, 2, 3, 3, 5};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(races[0].tanUma[i], want[i]);
  EXPECT_EQ(races[0].tanGoukei, 500);
}

TEST(PatPurchases, RacesBoughtBeforeAreLeftAndBadNumbersPassedOver) {
  RaceBlock races{};
  races[2].tanUma[0] = 9;
  races[2].tanGaku[0] = 100;
  std::array<bool, kRacesPerDay> bought{};
  bought[2] = true;
  const auto taken = apply(1,
                           {{5, 3, 1, 1, 10},    // race 3 held tickets before
                            {5, 4, 1, 0, 10},    // horse 0
                            {5, 4, 1, 19, 10},   // horse 19
                            {5, 4, 3, 109, 10},  // bracket 9
                            {5, 4, 4, 303, 10},  // the same horse twice
                            {5, 4, 5, 102, 10},  // ﾜｲﾄﾞ: not in PAT for Win
                            {5, 4, 4, 1203, 10}},
                           races, bought);
  EXPECT_EQ(taken, (std::vector<int>{4}));
  EXPECT_EQ(races[2].tanUma[0], 9);
  EXPECT_EQ(races[2].tanUma[1], 0);
  EXPECT_EQ(races[3].umaKumi[0], 312);  // kept smaller first
  EXPECT_EQ(races[3].tanUma[0], 0);
  EXPECT_EQ(races[3].wideKumi[0], 0);
}

TEST(PatFiles, ResultFileOfKindsTwoAndThree) {
  for (int kind : {2, 3}) {
    RaceBlock races{};
    races[10].wideKeka[0] = 1718;
    races[10].umaKumi[0] = 108;  // bought tickets are not touched
    ASSERT_EQ(readPatResultFile(kind, patResultJapanCup(kind), kJcDay, races), 11) << kind;
    const RaceRecord& r = races[10];
    EXPECT_EQ(r.chakuUma[0], 1);
    EXPECT_EQ(u8(r.chakuBamei[0]), "アーモンドアイ");  // as read, the blanks after it gone
    EXPECT_EQ(u8(r.chakuText[0]), "2.20.6");
    EXPECT_EQ(r.chakuUma[3], 9);
    EXPECT_EQ(u8(r.chakuText[3]), "クビ");
    EXPECT_EQ(r.tanKeka[0], 1);
    EXPECT_EQ(r.tanHaitou[0], 140);
    EXPECT_EQ(r.tanKeka[1], 0);
    EXPECT_EQ(r.fukuKeka[2], 11);
    EXPECT_EQ(r.fukuHaitou[2], 150);
    EXPECT_EQ(r.wakuKeka[0], 15);
    EXPECT_EQ(r.wakuHaitou[0], 600);
    EXPECT_EQ(r.umaKeka[0], 108);
    EXPECT_EQ(r.umaHaitou[0], 590);
    EXPECT_EQ(r.umaKumi[0], 108);
    if (kind == 2) {
      EXPECT_EQ(r.wideKeka[0], 1718);
    } else {
      EXPECT_EQ(r.wideKeka[0], 108);
      EXPECT_EQ(r.wideHaitou[1], 240);
      EXPECT_EQ(r.wideKeka[2], 811);
      EXPECT_EQ(r.wideHaitou[2], 470);
      EXPECT_EQ(r.wideKeka[3], 0);
    }
  }
}

TEST(PatFiles, OtherDaysAndShortFilesAreNotRead) {
  RaceBlock races{};
  auto other = patResultJapanCup(2);
  other[17] = '7';  // 回日目 0507
  EXPECT_EQ(readPatResultFile(2, other, kJcDay, races), 0);
  auto short3 = patResultJapanCup(3);
  short3.resize(600);  // the wide results of kind 3 would not fit
  EXPECT_EQ(readPatResultFile(3, short3, kJcDay, races), 0);
  EXPECT_EQ(races[10].tanKeka[0], 0);
}

TEST(PatFiles, EntriesWithWeightsInBothForms) {
  for (bool fullWidth : {false, true}) {
    RaceBlock races{};
    ASSERT_EQ(readPatEntriesFile(patEntriesJapanCup(fullWidth), kJcDay, races), 11);
    const RaceRecord& r = races[10];
    EXPECT_EQ(r.shutsubaWaku[10], 7);
    EXPECT_EQ(u8(r.shutsubaBamei[10]), "スワーヴリチャード");
    EXPECT_EQ(u8(r.shutsubaKishu[0]), "ルメール");
    EXPECT_EQ(r.shutsubaKinryo[0], fullWidth ? 53 : 530);
    EXPECT_EQ(r.shutsubaKinryo[1], fullWidth ? 55 : 550);
    EXPECT_EQ(r.shutsubaWaku[14], 0);
  }
}

TEST(PatFiles, HalfKiloWeightIsKeptInTenths) {
  auto e = patEntriesJapanCup();
  const std::string w = "53.5";
  std::copy(w.begin(), w.end(), e.begin() + 93 + 43);
  RaceBlock races{};
  readPatEntriesFile(e, kJcDay, races);
  EXPECT_EQ(races[10].shutsubaKinryo[0], 535);
}

TEST(PatFiles, RaceTextsSortedDistinctOrTheirNoDataText) {
  EXPECT_EQ(patRaceText({11, 3, 5, 3}, msg::kPatNoPurchases), "  3R  5R 11R");
  EXPECT_EQ(patRaceText({}, msg::kPatNoResults), " 読み込む競走成績ﾃﾞｰﾀがありません。");
}

// --- the whole import over a PAT folder ---

class PatImport : public ::testing::Test {
 protected:
  ImportDay day;
  ImportFolders folders;
  std::filesystem::path pat;
  void SetUp() override {
    pat = day.root() / "pat";
    std::filesystem::create_directories(pat);
    folders.folder[kFolderPat] = "pat/";
    folders.patKind = 3;
  }
  void install(int kind) {
    folders.patKind = kind;
    if (kind) writeFile(pat / (kind == 1 ? "PATWIN.EXE" : kind == 2 ? "Pat95.exe" : "pat98.exe"), {'M', 'Z'});
  }
  std::optional<PatTexts> run(const PatRequest& r) { return patOnShown(day.ds(), day.port, folders, r); }
};

TEST_F(PatImport, JapanCupTicketsResultsAndRunnersSettleTheRace) {
  install(3);
  writeFile(pat / "LG-FILE.JRA", patIndex(3, {{"P0001", "2018", 1125}, {"P0002", "2018", 1124}}));
  writeFile(pat / "p0001.jra", patPurchases(3, {{5, 11, 1, 1, 10},
                                                {5, 11, 4, 108, 5},
                                                {5, 11, 5, 111, 3},
                                                {5, 11, 3, 105, 2},
                                                {5, 11, 2, 8, 1},
                                                {5, 3, 2, 4, 1}}));
  writeFile(pat / "P0002.jra", patPurchases(3, {{5, 1, 1, 1, 99}}));  // the day before
  writeFile(pat / "Ks-1125-11.dat", patResultJapanCup(3));
  writeFile(pat / "ks-1124-11.dat", std::vector<std::uint8_t>(700, ' '));
  writeFile(pat / "De-1125-11.dat", patEntriesJapanCup());
  const Snapshot before = snapshot(day.root());
  const auto t = run(patDefaultRequest(3));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->purchases, "  3R 11R");
  EXPECT_EQ(t->results, " 11R");
  EXPECT_EQ(t->entries, " 11R");
  EXPECT_TRUE(day.port.messages.empty());
  const KaisaiRecord& k = day.ds().kaisai;
  // 単勝 1000 yen on 1 at 140, 馬連 500 on 1-8 at 590, ﾜｲﾄﾞ 300 on 1-11 at 240, 枠連 200 on
  // 1-5 at 600, 複勝 100 on 8 at 160: 2100 yen bought, 6430 returned.
  EXPECT_EQ(k.kounyuGaku[10], 2100);
  EXPECT_EQ(k.shushi[10], 4330);
  EXPECT_EQ(k.raceJoutai[10], 12);
  EXPECT_EQ(k.kounyuGaku[2], 100);
  EXPECT_EQ(k.shushi[2], -100);
  EXPECT_EQ(k.raceJoutai[2], 2);
  EXPECT_EQ(k.kounyuGaku[12], 2200);
  EXPECT_EQ(day.ds().races[10].wideKeka[1], 10111);  // the hit mark on 1-11
  EXPECT_EQ(day.ds().races[10].shutsubaKinryo[13], 570);
  EXPECT_EQ(snapshot(day.root()), before);
  // The second import adds nothing: the races hold tickets now. With nothing taken by any
  // read it says so and there is nothing to confirm.
  storeShown(day.ds());
  const auto again = run(PatRequest{true, false, false});
  EXPECT_FALSE(again);
  EXPECT_EQ(day.port.lastText(), msg::kPatNothingRead);
  EXPECT_EQ(day.ds().kaisai.kounyuGaku[10], 2100);
  // Taken by another read, the purchases' "no data" text is confirmed with it.
  const auto withResults = run(PatRequest{true, true, false});
  ASSERT_TRUE(withResults);
  EXPECT_EQ(withResults->purchases, msg::kPatNoPurchases);
  EXPECT_EQ(withResults->results, " 11R");
}

TEST_F(PatImport, ProgramFileMissingEndsTheImport) {
  for (int kind : {1, 2, 3}) {
    day.port.messages.clear();
    folders.patKind = kind;
    EXPECT_EQ(run(patDefaultRequest(kind)), std::nullopt);
    EXPECT_EQ(day.port.lastText(), msg::kPatNotInstalled[kind]);
    EXPECT_EQ(day.port.messages[0].icon, MsgIcon::Error);
  }
}

TEST_F(PatImport, MissingIndexAndFilesGiveTheirMessagesAndTheOtherReadsStillRun) {
  install(2);
  writeFile(pat / "De-1.dat", patEntriesJapanCup());
  const auto t = run(patDefaultRequest(2));
  ASSERT_TRUE(t);
  ASSERT_EQ(day.port.messages.size(), 2u);
  EXPECT_EQ(day.port.messages[0].text, msg::kPatIndexMissing);
  EXPECT_EQ(day.port.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(day.port.messages[1].text, msg::kPatNoResultFiles);
  EXPECT_EQ(t->purchases, "");
  EXPECT_EQ(t->results, "");
  EXPECT_EQ(t->entries, " 11R");
  EXPECT_EQ(day.ds().kaisai.raceJoutai[10], 1);  // runners are race data
}

TEST_F(PatImport, DosKindReadsPurchasesOnlyAndSaysSoForTheOthers) {
  install(0);
  EXPECT_TRUE(patDefaultRequest(0).purchases);
  EXPECT_FALSE(patDefaultRequest(0).results);
  EXPECT_FALSE(patDefaultRequest(0).entries);
  writeFile(pat / "lg-fname.jra", patIndex(0, {{"PT112501", "", 1125}}));
  writeFile(pat / "pt112501", patPurchases(0, {{5, 2, 1, 7, 3}}));
  const auto t = run(PatRequest{true, true, false});
  ASSERT_TRUE(t);
  EXPECT_EQ(t->purchases, "  2R");
  EXPECT_EQ(t->results, "");
  EXPECT_EQ(day.port.lastText(), msg::kPatDos);
  EXPECT_EQ(day.ds().races[1].tanGaku[0], 300);
  // Without its index the DOS version's message asks to check the settings.
  std::filesystem::remove(pat / "lg-fname.jra");
  day.port.messages.clear();
  run(PatRequest{true, false, false});
  EXPECT_EQ(day.port.lastText(), msg::kPatIndexMissingDos);
  EXPECT_EQ(day.port.messages[0].icon, MsgIcon::Error);
}

TEST_F(PatImport, Win95KindsStopAtAMissingPurchaseFile) {
  install(2);
  writeFile(pat / "lg-file.jra",
            patIndex(2, {{"P0001", "2018", 1125}, {"P0002", "2018", 1125}, {"P0003", "2018", 1125}}));
  writeFile(pat / "P0001.jra", patPurchases(2, {{5, 1, 1, 1, 1}}));
  writeFile(pat / "P0003.jra", patPurchases(2, {{5, 3, 1, 1, 1}}));
  const auto t = run(PatRequest{true, false, false});
  ASSERT_TRUE(t);
  EXPECT_EQ(t->purchases, "  1R");
}

// The import itself says nothing: what its reads found missing is noted in the copy, in
// order, and with nothing read at all it ends without a text of its own (the notes say why).
TEST_F(PatImport, WhatTheReadsFoundMissingIsNotedInOrderForTheCaller) {
  install(3);
  auto copy = beginImport(day.ds().ledger(), DayKey{"2018", kTokyo, 1});
  ASSERT_TRUE(copy);
  const auto r = runPatImport(day.ds().ledger(), day.port, folders, *copy, PatRequest{true, true, true});
  ASSERT_TRUE(r.refused());
  EXPECT_EQ(r.refusal().text, "");
  EXPECT_TRUE(day.port.messages.empty());
  const struct {
    const char* text;
    MsgIcon icon;
  } notes[] = {{msg::kPatIndexMissing, MsgIcon::Warning},
               {msg::kPatNoResultFiles, MsgIcon::Warning},
               {msg::kPatNoEntryFiles, MsgIcon::Warning}};
  ASSERT_EQ(copy->notices.size(), std::size(notes));
  for (std::size_t i = 0; i < std::size(notes); ++i) {
    EXPECT_EQ(copy->notices[i].text, notes[i].text) << i;
    EXPECT_EQ(copy->notices[i].icon, notes[i].icon) << i;
  }
}
