// The JRA-VAN record reader: every field of the four layouts, from files built with the
// field tables' offsets, and the real Japan Cup of 2018 through the newer results layout.
#include <gtest/gtest.h>

#include "features/import/jravan/jravan_records.hpp"
#include "storage/text.hpp"
#include "support/import_builders.hpp"

using namespace tovra;
using namespace tovra::importtest;

namespace {

const MeetingKey kJcDay{"2018", 4, 1125, 508};  // 東京 11月25日 5回8日目

JravanFormat fmt(JravanKind k, bool newer) { return JravanFormat{k, newer}; }

std::string u8(const char* cp932) { return cp932ToUtf8(cp932); }

}  // namespace

TEST(JravanRecords, RecordLengthsOfTheFourLayouts) {
  EXPECT_EQ(fmt(JravanKind::Card, false).recordLength(), 584u);
  EXPECT_EQ(fmt(JravanKind::Result, false).recordLength(), 1323u);
  EXPECT_EQ(fmt(JravanKind::Card, true).recordLength(), 1463u);
  EXPECT_EQ(fmt(JravanKind::Result, true).recordLength(), 3048u);
}

TEST(JravanRecords, JapanCup2018ThroughTheNewerResultsLayout) {
  KaisaiRecord k;
  RaceBlock races{};
  races[10].tanUma[0] = 1;  // a ticket bought before stays
  races[10].tanGaku[0] = 1000;
  const auto data = jvNewResultJapanCup().bytes();
  const auto taken = readJravanRecords(data, fmt(JravanKind::Result, true), kJcDay, k, races);
  ASSERT_EQ(taken, std::vector<int>{11});
  const RaceRecord& r = races[10];
  EXPECT_EQ(r.koumoku, kJcKoumoku);
  EXPECT_EQ(r.kyori, 2400);
  EXPECT_EQ(u8(k.raceMei[10]), "ジャパンカップ");  // the full-width blanks after it are gone
  EXPECT_EQ(r.tanKeka[0], 1);
  EXPECT_EQ(r.tanHaitou[0], 140);
  EXPECT_EQ(r.tanKeka[1], 0);
  const int fuku[4][2] = {{1, 110}, {8, 160}, {11, 150}, {0, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.fukuKeka[i], fuku[i][0]);
    EXPECT_EQ(r.fukuHaitou[i], fuku[i][1]);
  }
  EXPECT_EQ(r.wakuKeka[0], 15);
  EXPECT_EQ(r.wakuHaitou[0], 600);
  EXPECT_EQ(r.umaKeka[0], 108);
  EXPECT_EQ(r.umaHaitou[0], 590);
  const int wide[3][2] = {{108, 230}, {111, 240}, {811, 470}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(r.wideKeka[i], wide[i][0]);
    EXPECT_EQ(r.wideHaitou[i], wide[i][1]);
  }
  EXPECT_EQ(r.wideKeka[3], 0);
  for (const Runner& x : japanCup2018()) {
    const std::size_t j = static_cast<std::size_t>(x.number - 1);
    EXPECT_EQ(r.shutsubaWaku[j], x.waku) << x.number;
    EXPECT_EQ(u8(r.shutsubaBamei[j]), x.half) << x.number;
    EXPECT_EQ(r.shutsubaKinryo[j], x.kinryo) << x.number;  // 530 -> 53
    EXPECT_EQ(u8(r.shutsubaKishu[j]), x.jockey) << x.number;
  }
  EXPECT_EQ(r.shutsubaWaku[14], 0);
  const int order[5] = {1, 8, 11, 9, 5};
  const char* texts[5] = {"2.20.6", "1.3/4", "3.1/2", "ｸﾋﾞ", " 2"};
  const char* names[5] = {"ｱ-ﾓﾝﾄﾞｱｲ", "ｷｾｷ", "ｽﾜ-ｳﾞﾘﾁｬ-ﾄﾞ", "ｼｭｳﾞｧﾙｸﾞﾗﾝ", "ﾐｯｷ-ｽﾜﾛ-"};
  for (int p = 0; p < 5; ++p) {
    EXPECT_EQ(r.chakuUma[p], order[p]);
    EXPECT_EQ(u8(r.chakuText[p]), texts[p]);
    EXPECT_EQ(u8(r.chakuBamei[p]), names[p]);
  }
  EXPECT_EQ(r.tanUma[0], 1);
  EXPECT_EQ(r.tanGaku[0], 1000);
}

TEST(JravanRecords, NewerRaceCardFillsItemsNameAndRunnersWithGoingGood) {
  KaisaiRecord k;
  RaceBlock races{};
  races[10].chakuUma[0] = 7;  // results are not in a race card
  const auto data = jvNewCardJapanCup().bytes();
  ASSERT_EQ(readJravanRecords(data, fmt(JravanKind::Card, true), kJcDay, k, races), std::vector<int>{11});
  EXPECT_EQ(races[10].koumoku, kJcKoumoku);
  EXPECT_EQ(races[10].kyori, 2400);
  EXPECT_EQ(races[10].shutsubaWaku[7], 5);
  EXPECT_EQ(u8(races[10].shutsubaBamei[10]), "ｽﾜ-ｳﾞﾘﾁｬ-ﾄﾞ");
  EXPECT_EQ(races[10].shutsubaKinryo[1], 55);
  EXPECT_EQ(u8(races[10].shutsubaKishu[8]), "Ｃデムー");
  EXPECT_EQ(races[10].chakuUma[0], 7);
  EXPECT_EQ(races[10].tanKeka[0], 0);
}

TEST(JravanRecords, WinnersTimeHasTwoDigitSecondsAndMarginTable) {
  EXPECT_EQ(jravanTimeText(1345), "1.34.5");
  EXPECT_EQ(jravanTimeText(2059), "2.05.9");
  EXPECT_EQ(jravanTimeText(591), "0.59.1");
  const std::pair<const char*, const char*> margins[] = {
      {" 12", "1/2"}, {" 34", "3/4"},   {"1  ", " 1"},   {"112", "1.1/2"}, {"114", "1.1/4"}, {"134", "1.3/4"},
      {"2  ", " 2"},  {"212", "2.1/2"}, {"3  ", " 3"},   {"312", "3.1/2"}, {"4  ", " 4"},    {"5  ", " 5"},
      {"6  ", " 6"},  {"7  ", " 7"},    {"8  ", " 8"},   {"9  ", " 9"},    {"A  ", "ｱﾀﾏ"},   {"D  ", "同着"},
      {"H  ", "ﾊﾅ"},  {"K  ", "ｸﾋﾞ"},   {"T  ", "大差"}, {"Z  ", "10ﾞ"},   {"XYZ", "--"},    {"   ", "--"}};
  for (const auto& [code, text] : margins) EXPECT_EQ(cp932ToUtf8(jravanMarginText(code)), text) << code;
}

TEST(JravanRecords, DeadHeatAmongTheFirstFiveKeepsBothHorses) {
  Rec r = jvNewResultJapanCup();
  // Horses 8 and 11 both finish second; nobody is third.
  const std::size_t e11 = 726 + 10 * 129;
  r.num(e11 + 91, 2, 2).raw(e11 + 86, "D  ");
  KaisaiRecord k;
  RaceBlock races{};
  readJravanRecords(r.bytes(), fmt(JravanKind::Result, true), kJcDay, k, races);
  const RaceRecord& x = races[10];
  EXPECT_EQ(x.chakuUma[0], 1);
  EXPECT_EQ(x.chakuUma[1], 8);
  EXPECT_EQ(u8(x.chakuText[1]), "1.3/4");
  EXPECT_EQ(x.chakuUma[2], 11);
  EXPECT_EQ(u8(x.chakuText[2]), "同着");
  EXPECT_EQ(x.chakuUma[3], 9);
  EXPECT_EQ(x.chakuUma[4], 5);
}

TEST(JravanRecords, DeadHeatForTheWinIsTimedOnceAndTheSecondHorseIsDoukyaku) {
  Rec r = jvNewResultJapanCup();
  const std::size_t e8 = 726 + 7 * 129;
  r.num(e8 + 91, 2, 1);
  KaisaiRecord k;
  RaceBlock races{};
  readJravanRecords(r.bytes(), fmt(JravanKind::Result, true), kJcDay, k, races);
  EXPECT_EQ(races[10].chakuUma[0], 1);
  EXPECT_EQ(u8(races[10].chakuText[0]), "2.20.6");
  EXPECT_EQ(races[10].chakuUma[1], 8);
  EXPECT_EQ(u8(races[10].chakuText[1]), "同着");
  EXPECT_EQ(races[10].chakuUma[2], 11);
}

TEST(JravanRecords, NewerResultEntriesAreStoredAsReadZerosIncluded) {
  KaisaiRecord k;
  RaceBlock races{};
  races[10].tanKeka[1] = 9;
  races[10].tanHaitou[1] = 999;
  races[10].wideKeka[5] = 1718;
  readJravanRecords(jvNewResultJapanCup().bytes(), fmt(JravanKind::Result, true), kJcDay, k, races);
  EXPECT_EQ(races[10].tanKeka[1], 0);
  EXPECT_EQ(races[10].tanHaitou[1], 0);
  EXPECT_EQ(races[10].wideKeka[5], 0);
}

struct ItemCase {
  int type;
  char mark, sex, weight;
  int condition;
  char grade;
  int track;
  std::uint32_t koumoku;  // going 1 (race card)
};

class JravanItems : public ::testing::TestWithParam<ItemCase> {};

// The same items through the older race card and the newer race card.
TEST_P(JravanItems, BuiltFromTheCodes) {
  const ItemCase& c = GetParam();
  const Rec old =
      jvOldCard(5, 5, 8, 3, "テスト", c.type, c.mark, c.sex, c.weight, c.condition, 86, 1600, c.track, c.grade);
  EXPECT_EQ(jravanKoumoku(old.bytes().data(), fmt(JravanKind::Card, false)), c.koumoku);
  Rec neu(1463);
  jvNewHead(neu, "2018", 1125, 5, 508, 3, "テスト", c.grade, c.type, c.mark, c.sex, c.weight, c.condition, 1600,
            c.track);
  EXPECT_EQ(jravanKoumoku(neu.bytes().data(), fmt(JravanKind::Card, true)), c.koumoku);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, JravanItems,
    ::testing::Values(
        // age: 11 21 -> 2歳, 12 22 -> 3歳, 13 18 23 -> 3歳上, 14 19 24 -> 4歳上
        ItemCase{11, '0', '0', '3', 701, ' ', 11, 10121111}, ItemCase{21, '0', '0', '3', 703, ' ', 11, 10221111},
        ItemCase{12, '0', '0', '3', 5, ' ', 11, 20321111}, ItemCase{22, '0', '0', '3', 9, ' ', 11, 20421111},
        ItemCase{13, '0', '0', '3', 16, ' ', 11, 30521111}, ItemCase{18, '0', '0', '3', 999, ' ', 11, 30621111},
        ItemCase{23, '0', '0', '3', 702, ' ', 11, 31021111}, ItemCase{14, '0', '0', '3', 4, ' ', 11, 41121111},
        ItemCase{19, '0', '0', '3', 15, ' ', 11, 41221111}, ItemCase{24, '0', '0', '3', 10, ' ', 11, 41321111},
        // grades on open races: A ＧⅠ, B ＧⅡ, C ＧⅢ; a letter that is no grade adds nothing
        ItemCase{13, '0', '0', '3', 999, 'A', 11, 30921111}, ItemCase{13, '0', '0', '3', 999, 'B', 11, 30821111},
        ItemCase{13, '0', '0', '3', 999, 'C', 11, 30721111}, ItemCase{13, '0', '0', '3', 999, 'E', 11, 30621111},
        // a grade that would make a class the items do not have is not added
        ItemCase{13, '0', '0', '3', 10, 'A', 11, 31321111},
        // kind marks
        ItemCase{11, 'A', '0', '3', 701, ' ', 11, 10111111}, ItemCase{11, 'D', '0', '3', 701, ' ', 11, 10131111},
        ItemCase{11, 'J', '0', '3', 701, ' ', 11, 10131111}, ItemCase{11, 'B', '0', '3', 701, ' ', 11, 10141111},
        ItemCase{11, 'N', '0', '3', 701, ' ', 11, 10151111}, ItemCase{11, 'L', '0', '3', 701, ' ', 11, 10161111},
        ItemCase{11, 'M', '0', '3', 701, ' ', 11, 10171111}, ItemCase{11, 'Q', '0', '3', 701, ' ', 11, 10111111},
        // sex, weight
        ItemCase{11, '0', '2', '3', 701, ' ', 11, 10122111}, ItemCase{11, '0', '3', '3', 701, ' ', 11, 10123111},
        ItemCase{11, '0', '4', '2', 701, ' ', 11, 10121211}, ItemCase{11, '0', '1', '4', 701, ' ', 11, 10123311},
        ItemCase{11, '0', '0', '1', 701, ' ', 11, 10121411}, ItemCase{11, '0', '9', '9', 701, ' ', 11, 10121111},
        // track: below 23 turf, 23..50 dirt, above 50 jumps
        ItemCase{11, '0', '0', '3', 701, ' ', 22, 10121111}, ItemCase{11, '0', '0', '3', 701, ' ', 23, 10121121},
        ItemCase{11, '0', '0', '3', 701, ' ', 50, 10121121}, ItemCase{11, '0', '0', '3', 701, ' ', 51, 10121131},
        // a type code that does not occur reads as 2歳, an unknown condition as 新馬
        ItemCase{99, '0', '0', '3', 123, ' ', 11, 10121111}));

TEST(JravanRecords, OlderRaceCardReadsTheFirstNonZeroConditionAndItsFields) {
  const Rec r = jvOldCard(5, 5, 8, 7, "ﾃｽﾄ特別", 13, '0', '0', '1', 10, 95, 1800, 24, ' ');
  KaisaiRecord k;
  RaceBlock races{};
  const auto taken = readJravanRecords(r.bytes(), fmt(JravanKind::Card, false), kJcDay, k, races);
  ASSERT_EQ(taken, std::vector<int>{7});
  EXPECT_EQ(races[6].koumoku, 31321421u);  // 3歳上 1000万下 no mark 牡牝 ﾊﾝﾃﾞ ダート 良
  EXPECT_EQ(races[6].kyori, 1800);
  EXPECT_EQ(u8(k.raceMei[6]), "ﾃｽﾄ特別");
}

TEST(JravanRecords, OlderResultFollowsTheConditionPositionAndEndsBlocksAtZero) {
  // The accepted condition at P = 24: every later field moves with it.
  Rec r = jvOldResult(5, 5, 8, 11, kJcName, 13, 'N', '0', '4', 999, 24, 2400, 11, 'A', 2);
  const std::size_t p = 24;
  r.num(p + 157, 2, 1).num(p + 159, 7, 140);  // one winner; the second entry's number is 0
  r.num(p + 184, 2, 1).num(p + 186, 7, 110).num(p + 193, 2, 8).num(p + 195, 7, 160);
  r.num(p + 229, 2, 15).num(p + 231, 7, 600);
  r.num(p + 256, 4, 108).num(p + 260, 8, 590);
  KaisaiRecord k;
  RaceBlock races{};
  RaceRecord& x = races[10];
  x.tanKeka[1] = 3;  // kept: the block ended before it
  x.tanHaitou[1] = 333;
  x.fukuKeka[2] = 11;
  x.fukuHaitou[2] = 150;
  x.wideKeka[0] = 108;  // wide results are not in this layout
  ASSERT_EQ(readJravanRecords(r.bytes(), fmt(JravanKind::Result, false), kJcDay, k, races), std::vector<int>{11});
  EXPECT_EQ(x.koumoku, 30951312u);  // going 稍重 from the file
  EXPECT_EQ(x.kyori, 2400);
  EXPECT_EQ(u8(k.raceMei[10]), "ジャパンカップ");
  EXPECT_EQ(x.tanKeka[0], 1);
  EXPECT_EQ(x.tanHaitou[0], 140);
  EXPECT_EQ(x.tanKeka[1], 3);
  EXPECT_EQ(x.tanHaitou[1], 333);
  EXPECT_EQ(x.fukuKeka[1], 8);
  EXPECT_EQ(x.fukuHaitou[1], 160);
  EXPECT_EQ(x.fukuKeka[2], 11);
  EXPECT_EQ(x.wakuKeka[0], 15);
  EXPECT_EQ(x.wakuHaitou[0], 600);
  EXPECT_EQ(x.umaKeka[0], 108);
  EXPECT_EQ(x.umaHaitou[0], 590);
  EXPECT_EQ(x.wideKeka[0], 108);
}

TEST(JravanRecords, OlderResultGoingZeroOrUnknownReadsGood) {
  for (int going : {0, 7}) {
    const Rec r = jvOldResult(5, 5, 8, 1, "ﾃｽﾄ", 11, '0', '0', '3', 701, 18, 1200, 11, ' ', going);
    EXPECT_EQ(jravanKoumoku(r.bytes().data(), fmt(JravanKind::Result, false)) % 10, 1u) << going;
  }
}

TEST(JravanRecords, MeetingMatchOfBothLayouts) {
  const Rec neu = jvNewResultJapanCup();
  EXPECT_TRUE(jravanRecordMatches(neu.bytes().data(), fmt(JravanKind::Result, true), kJcDay));
  for (MeetingKey other : {MeetingKey{"2017", 4, 1125, 508}, MeetingKey{"2018", 4, 1124, 508},
                           MeetingKey{"2018", 5, 1125, 508}, MeetingKey{"2018", 4, 1125, 507}})
    EXPECT_FALSE(jravanRecordMatches(neu.bytes().data(), fmt(JravanKind::Result, true), other));
  // The older layout compares the course, the year's last two digits and 回 * 10 + 日目,
  // not the date.
  const Rec old = jvOldCard(5, 5, 8, 1, "ﾃｽﾄ", 11, '0', '0', '3', 701, 86, 1200, 11, ' ');
  EXPECT_TRUE(jravanRecordMatches(old.bytes().data(), fmt(JravanKind::Card, false), MeetingKey{"2018", 4, 101, 508}));
  EXPECT_FALSE(jravanRecordMatches(old.bytes().data(), fmt(JravanKind::Card, false), MeetingKey{"1999", 4, 101, 508}));
  EXPECT_FALSE(jravanRecordMatches(old.bytes().data(), fmt(JravanKind::Card, false), MeetingKey{"2018", 4, 1125, 507}));
  EXPECT_FALSE(jravanRecordMatches(old.bytes().data(), fmt(JravanKind::Card, false), MeetingKey{"2018", 3, 1125, 508}));
}

TEST(JravanRecords, OtherMeetingsOutOfRangeRacesAndRecordsAfterTheThirtySixthAreSkipped) {
  std::vector<Rec> recs;
  auto card = [](int course, int kai, int nichi, int race) {
    return jvOldCard(course, kai, nichi, race, "ﾃｽﾄ", 11, '0', '0', '3', 701, 86, 1000 + race, 11, ' ');
  };
  recs.push_back(card(5, 5, 8, 3));
  recs.push_back(card(8, 5, 8, 4));   // 阪神
  recs.push_back(card(5, 5, 7, 5));   // the day before
  recs.push_back(card(5, 5, 8, 0));   // no race 0
  recs.push_back(card(5, 5, 8, 13));  // no race 13
  recs.push_back(card(5, 5, 8, 1));
  recs.push_back(card(5, 5, 8, 3));  // race 3 again: the later record wins
  recs.back().num(98, 4, 2000);
  while (recs.size() < 36) recs.push_back(card(9, 1, 1, 1));
  recs.push_back(card(5, 5, 8, 12));  // the 37th record is not examined
  KaisaiRecord k;
  RaceBlock races{};
  const auto taken = readJravanRecords(join(recs), fmt(JravanKind::Card, false), kJcDay, k, races);
  EXPECT_EQ(taken, (std::vector<int>{3, 1, 3}));
  EXPECT_EQ(jravanRaceText(taken), "  3R  1R  3R");
  EXPECT_EQ(races[2].kyori, 2000);
  EXPECT_EQ(races[0].kyori, 1001);
  EXPECT_EQ(races[3].kyori, 0);
  EXPECT_EQ(races[11].kyori, 0);
}

TEST(JravanRecords, FileMatchNeedsAWholeNumberOfRecords) {
  auto data = jvNewResultJapanCup().bytes();
  EXPECT_TRUE(jravanFileMatches(data, fmt(JravanKind::Result, true), kJcDay));
  EXPECT_FALSE(jravanFileMatches(data, fmt(JravanKind::Card, true), kJcDay));
  data.push_back(' ');
  EXPECT_FALSE(jravanFileMatches(data, fmt(JravanKind::Result, true), kJcDay));
  EXPECT_FALSE(jravanFileMatches({}, fmt(JravanKind::Result, true), kJcDay));
}

TEST(JravanRecords, ItemsCheckStopsAtTheFirstRaceWithoutItems) {
  RaceBlock races{};
  races[0].koumoku = 10121111;
  races[1].koumoku = 10121110;  // going 0
  EXPECT_EQ(jravanItemsFault(races), 2);
  races[1].koumoku = 0;
  races[2].koumoku = 10021111;  // after a race without items: not looked at
  EXPECT_EQ(jravanItemsFault(races), 0);
}

TEST(JravanRecords, RaceTextHoldsAtMost200Bytes) {
  std::vector<int> many(60, 12);
  EXPECT_EQ(jravanRaceText(many).size(), 200u);
}
