// The NIFTY board reader and import: finishers and the five payout sections at their
// byte distances, the ends of sections, race errors, blocks of another meeting, the
// automatic search by the file head, and the Japan Cup of 2018.
#include <gtest/gtest.h>

#include "features/import/import_folders.hpp"
#include "features/import/import_messages.hpp"
#include "features/import/nifty/nifty_import.hpp"
#include "features/import/nifty/nifty_records.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"
#include "support/import_fixture.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

const MeetingKey kJcDay{"2018", 4, 1125, 508};
std::string u8(const char* cp932) { return cp932ToUtf8(cp932); }

NiftyRead read(const std::vector<NiftyRace>& rs, RaceBlock& races) {
  return readNiftyBlocks(niftyFile(rs), kJcDay, races);
}

}  // namespace

TEST(NiftyRecords, JapanCup2018EveryField) {
  RaceBlock races{};
  races[10].tanKeka[1] = 3;  // the second win entry reads "連勝": set to 0
  races[10].tanHaitou[1] = 300;
  const NiftyRead r = read({niftyJapanCup()}, races);
  EXPECT_FALSE(r.mismatch);
  EXPECT_EQ(r.read, std::vector<int>{11});
  EXPECT_TRUE(r.errors.empty());
  const RaceRecord& x = races[10];
  const int order[5] = {1, 8, 11, 9, 5};
  const char* names[5] = {"ｱ-ﾓﾝﾄﾞｱｲ", "ｷｾｷ", "ｽﾜ-ｳﾞﾘﾁｬ-ﾄﾞ", "ｼｭｳﾞｧﾙｸﾞﾗﾝ", "ﾐｯｷ-ｽﾜﾛ-"};
  const char* texts[5] = {"2:20.6", "13/4", "31/2", "ｸﾋﾞ", "2"};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(x.chakuUma[p], order[p]);
    EXPECT_EQ(u8(x.chakuBamei[p]), names[p]);
    EXPECT_EQ(u8(x.chakuText[p]), texts[p]);
  }
  EXPECT_EQ(x.tanKeka[0], 1);
  EXPECT_EQ(x.tanHaitou[0], 140);
  EXPECT_EQ(x.tanKeka[1], 0);
  EXPECT_EQ(x.tanHaitou[1], 0);
  const int fuku[4][2] = {{1, 110}, {8, 160}, {11, 150}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(x.fukuKeka[i], fuku[i][0]);
    EXPECT_EQ(x.fukuHaitou[i], fuku[i][1]);
  }
  EXPECT_EQ(x.wakuKeka[0], 15);
  EXPECT_EQ(x.wakuHaitou[0], 600);
  EXPECT_EQ(x.wakuKeka[1], 0);
  EXPECT_EQ(x.umaKeka[0], 108);
  EXPECT_EQ(x.umaHaitou[0], 590);
  EXPECT_EQ(x.umaKeka[1], 0);
  const int wide[4][2] = {{108, 230}, {111, 240}, {811, 470}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(x.wideKeka[i], wide[i][0]);
    EXPECT_EQ(x.wideHaitou[i], wide[i][1]);
  }
}

TEST(NiftyRecords, ARefundedQuinellaEndsTheBlockAndTheWideResultsKeepTheirValues) {
  NiftyRace jc = niftyJapanCup();
  jc.uma = {{fw("返　還　　"), fwPay(0)}};
  RaceBlock races{};
  races[10].wideKeka[0] = 1718;
  const NiftyRead r = read({jc}, races);
  EXPECT_EQ(r.read, std::vector<int>{11});
  EXPECT_EQ(races[10].umaKeka[0], 0);
  EXPECT_EQ(races[10].wideKeka[0], 1718);
  // A field starting with 0x96 and a row of dots end the block the same way.
  jc.uma = {{fwHorses(1, 8), fwPay(590)}, {std::string("\x96") + std::string(9, ' '), fwPay(0)}};
  EXPECT_EQ(read({jc}, races).read, std::vector<int>{11});
  EXPECT_EQ(races[10].wideKeka[0], 1718);
}

TEST(NiftyRecords, PayoutWithBlanksBeforeTheDigits) {
  NiftyRace jc = niftyJapanCup();
  jc.win[0].payout = fw("　　　２５０");
  RaceBlock races{};
  read({jc}, races);
  EXPECT_EQ(races[10].tanHaitou[0], 250);
}

TEST(NiftyRecords, AFieldThatCannotBeDecodedRestoresTheRaceAndListsItAsAnError) {
  NiftyRace bad = niftyJapanCup();
  bad.race = 10;
  bad.place[1].payout = fw("　　１，６０");  // a comma is no digit
  NiftyRace good = niftyJapanCup();
  RaceBlock races{};
  races[9].kyori = 1600;
  races[9].chakuUma[0] = 4;
  const NiftyRead r = read({bad, good}, races);
  EXPECT_EQ(r.read, std::vector<int>{11});
  EXPECT_EQ(r.errors, std::vector<int>{10});
  EXPECT_EQ(races[9].chakuUma[0], 4);  // as before the block
  EXPECT_EQ(races[9].tanKeka[0], 0);
  EXPECT_EQ(races[9].kyori, 1600);
  EXPECT_EQ(races[10].tanKeka[0], 1);
}

TEST(NiftyRecords, HorseNumberFormsAndTheirErrors) {
  NiftyRace jc = niftyJapanCup();
  jc.win[0].field = fwHorse(1, true);  // "０１" is the quinella form, not the win form
  RaceBlock races{};
  EXPECT_EQ(read({jc}, races).errors, std::vector<int>{11});
  jc = niftyJapanCup();
  jc.uma[0].field = fwHorses(1, 18);
  jc.place[2].field = fwHorse(18, false);
  EXPECT_EQ(read({jc}, races).read, std::vector<int>{11});
  EXPECT_EQ(races[10].umaKeka[0], 118);
  EXPECT_EQ(races[10].fukuKeka[2], 18);
  jc.uma[0].field = fwHorses(1, 19);  // no horse 19
  EXPECT_EQ(read({jc}, races).errors, std::vector<int>{11});
}

TEST(NiftyRecords, ABlockOfAnotherMeetingStopsEverything) {
  NiftyRace other = niftyJapanCup();
  other.race = 12;
  other.nichi = 7;
  RaceBlock races{};
  EXPECT_TRUE(read({niftyJapanCup(), other}, races).mismatch);
  other = niftyJapanCup();
  other.course = "中山";
  EXPECT_TRUE(read({other}, races).mismatch);
}

TEST(NiftyRecords, OnlyTheFirstTwelveBlocksAreRead) {
  std::vector<NiftyRace> rs;
  for (int r = 1; r <= 12; ++r) {
    NiftyRace x = niftyJapanCup();
    x.race = r;
    x.finishers.resize(3);  // a "単" line ends the finishers
    rs.push_back(x);
  }
  rs.push_back(niftyJapanCup());  // a thirteenth block: race 11 again, with its five finishers
  RaceBlock races{};
  const NiftyRead r = read(rs, races);
  EXPECT_EQ(r.read.size(), 12u);
  EXPECT_EQ(races[10].chakuUma[3], 0);
  EXPECT_EQ(races[0].chakuUma[2], 11);
}

TEST(NiftyRecords, FileHeadOfTheAutomaticSearch) {
  EXPECT_TRUE(niftyHeadMatches(niftyFile({}), kJcDay));
  EXPECT_FALSE(niftyHeadMatches(niftyFile({}, 4), kJcDay));
  EXPECT_FALSE(niftyHeadMatches(niftyFile({}, 5, "中山"), kJcDay));
  EXPECT_FALSE(niftyHeadMatches(niftyFile({}, 5, "東京", 7), kJcDay));
  auto f = niftyFile({});
  f[32] = '5';  // not a full-width digit
  EXPECT_FALSE(niftyHeadMatches(f, kJcDay));
  EXPECT_FALSE(niftyHeadMatches(std::vector<std::uint8_t>(45, ' '), kJcDay));
}

TEST(NiftyImport, NamedFileSettlesAndListsAndWritesNothing) {
  RaceBlock stored{};
  stored[10].umaKumi[0] = 108;
  stored[10].umaGaku[0] = 1000;
  ImportDay day(stored);
  NiftyRace bad = niftyJapanCup();
  bad.race = 3;
  bad.win[0].payout = fw("　　　ＸＸＸ");
  writeFile(day.root() / "board.txt", niftyFile({bad, niftyJapanCup()}));
  writeFile(day.root() / "tmp" / "nifty.tmp", {1});
  const Snapshot before = snapshot(day.root());
  const auto t = niftyOnShown(day.ds(), day.port, ImportFolders{}, NiftyRequest{false, "board.txt"});
  ASSERT_TRUE(t);
  EXPECT_EQ(t->read, " 11R");
  EXPECT_EQ(t->errors, "  3R");
  EXPECT_EQ(day.ds().kaisai.kounyuGaku[10], 1000);
  EXPECT_EQ(day.ds().kaisai.shushi[10], 4900);  // 10 × 590 - 1000
  EXPECT_EQ(snapshot(day.root()), before);
  EXPECT_FALSE(std::filesystem::exists(day.root() / "tmp" / "nifty.tmp"));
}

TEST(NiftyImport, MissingFileMismatchAndNoMatchingFileGiveTheirMessages) {
  ImportDay day;
  const Snapshot before = snapshot(day.root());
  EXPECT_EQ(niftyOnShown(day.ds(), day.port, ImportFolders{}, NiftyRequest{false, "none.txt"}), std::nullopt);
  EXPECT_EQ(day.port.lastText(), msg::kNiftyNotFound);
  NiftyRace other = niftyJapanCup();
  other.kai = 4;
  writeFile(day.root() / "b.txt", niftyFile({niftyJapanCup(), other}));
  EXPECT_EQ(niftyOnShown(day.ds(), day.port, ImportFolders{}, NiftyRequest{false, "b.txt"}), std::nullopt);
  EXPECT_EQ(day.port.lastText(), msg::kNiftyMismatch);
  EXPECT_EQ(day.port.messages.back().icon, MsgIcon::Warning);
  EXPECT_EQ(day.ds().races[10].tanKeka[0], 0);  // the first block was dropped too
  ImportFolders folders;
  folders.folder[kFolderNifty] = "nif/";
  std::filesystem::create_directories(day.root() / "nif");
  writeFile(day.root() / "nif" / "a.txt", niftyFile({niftyJapanCup()}, 5, "東京", 7));
  EXPECT_EQ(niftyOnShown(day.ds(), day.port, folders, NiftyRequest{true, {}}), std::nullopt);
  EXPECT_EQ(day.port.lastText(), msg::kNiftyNoMatch);
  std::filesystem::remove(day.root() / "b.txt");
  EXPECT_EQ(snapshot(day.root()), [&] {
    Snapshot s = before;
    s["nif/a.txt"] = niftyFile({niftyJapanCup()}, 5, "東京", 7);
    return s;
  }());
}

TEST(NiftyImport, AutomaticSearchTakesTheFirstFileOfTheDay) {
  ImportDay day;
  ImportFolders folders;
  folders.folder[kFolderNifty] = "nif/";
  writeFile(day.root() / "nif" / "a.txt", niftyFile({niftyJapanCup()}, 5, "東京", 7));
  writeFile(day.root() / "nif" / "b.txt", niftyFile({niftyJapanCup()}));
  const auto t = niftyOnShown(day.ds(), day.port, folders, NiftyRequest{true, {}});
  ASSERT_TRUE(t);
  EXPECT_EQ(t->read, " 11R");
  EXPECT_EQ(day.port.waits, 1);
  EXPECT_EQ(std::filesystem::file_size(day.root() / "tmp" / "niffilename.tmp"), 512u);
}
