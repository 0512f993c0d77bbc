// The pages of the seven print kinds: positions, texts and colours of each kind, and
// for every kind with the fullest data it can hold: no text over another, nothing
// outside the paper, long ticket lists continuing on a second page.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "common/ledger_cursor.hpp"
#include "common/shown_day.hpp"
#include "features/print/layouts.hpp"
#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::print;
using tovra::testing::shownDay;
using tovra::testing::shownKey;

namespace {

// The text drawn at exactly (x, y), or a failure naming the place.
const DrawText& at(const Page& p, int x, int y) {
  for (const DrawText& t : p)
    if (t.x == x && t.y == y) return t;
  static DrawText none{x, y, "<nothing here>", kBlack, 0};
  ADD_FAILURE() << "nothing drawn at (" << x << ", " << y << ")";
  return none;
}
bool drawnAt(const Page& p, int x, int y) {
  for (const DrawText& t : p)
    if (t.x == x && t.y == y) return true;
  return false;
}
int countText(const Document& d, const std::string& text) {
  int n = 0;
  for (const Page& p : d.pages)
    for (const DrawText& t : p) n += t.text == text;
  return n;
}

// Every page: no ink over other ink, all of it on the paper.
void expectClean(const Document& d) {
  ASSERT_FALSE(d.pages.empty());
  for (std::size_t i = 0; i < d.pages.size(); ++i) {
    const Page& p = d.pages[i];
    if (auto o = findOverlap(p))
      ADD_FAILURE() << "page " << i + 1 << ": \"" << o->first.text << "\" at (" << o->first.x << ", " << o->first.y
                    << ") overlaps \"" << o->second.text << "\" at (" << o->second.x << ", " << o->second.y << ")";
    const Box e = inkExtent(p);
    EXPECT_GE(e.left, 0);
    EXPECT_GE(e.top, 0);
    EXPECT_LE(e.right, kPageWidth) << "page " << i + 1;
    EXPECT_LE(e.bottom, kPageHeight) << "page " << i + 1;
  }
}

LedgerCursor meetingDay() {
  LedgerCursor ds;
  ds.year = "2001";
  ds.course = 5;  // 中山
  ds.meetingCount[5] = 1;
  ds.kaisai.tsukiHi = 1223;
  ds.kaisai.kaiNichi = 508;
  return ds;
}

void setName(char (&buf)[25], const char* utf8) { setFixedText(buf, sj(utf8)); }

}  // namespace

// ------------------------------------------------------------------ geometry

TEST(PrintGeometry, InkBoxesSkipBlanksAndCountShiftJisBytes) {
  const DrawText t{100, 50, "  12円  　Ab", kBlack, 60};
  const std::vector<Box> boxes = inkBoxes(t);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], (Box{100 + 2 * 30, 50, 100 + 6 * 30, 110}));    // "12円": 4 bytes
  EXPECT_EQ(boxes[1], (Box{100 + 10 * 30, 50, 100 + 12 * 30, 110}));  // after 2 + 2 (full-width) blanks
  EXPECT_EQ(textCells("ｱｲ競馬"), 6);
  // "x" stands in the gap of the blanks, "y" over "def".
  const Page p{{0, 0, "abc   def"}, {120, 30, "x"}, {240, 50, "y"}};
  ASSERT_TRUE(findOverlap(p).has_value());
  EXPECT_EQ(findOverlap(p)->second.text, "y");
  EXPECT_FALSE(findOverlap(Page{{0, 0, "abc   def"}, {120, 0, "z"}}).has_value());  // in the gap
  EXPECT_EQ(inkExtent(Page{{0, 0, "  ab"}, {10, 100, "c  "}}), (Box{10, 0, 120, 160}));
}

// ------------------------------------------------------------------ kind 1

TEST(PrintKind1, MeetingDayRowsTotalsHitsAndBlueBalances) {
  LedgerCursor ds = meetingDay();
  KaisaiRecord& k = ds.kaisai;
  k.raceJoutai[0] = 12, k.kounyuGaku[0] = 1000, k.shushi[0] = 2200;  // hit: return 3200
  k.raceJoutai[1] = 2, k.kounyuGaku[1] = 500, k.shushi[1] = -500;
  k.raceJoutai[2] = 1;   // a comment only
  k.raceJoutai[3] = 10;  // tens digit alone: no data
  k.kounyuGaku[12] = 1500, k.shushi[12] = 1700;
  const Document d = meetingDocument(shownKey(ds), shownDay(ds));
  ASSERT_EQ(d.pages.size(), 1u);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 190).text, "競走収支帖 トヴラ  開催データ");
  EXPECT_EQ(at(p, 200, 360).text, "2001年12月23日   中山   5回 8日目  ");
  EXPECT_EQ(at(p, 200, 495).text, "レース    馬券購入額      回収率       回収金額        収  支");
  EXPECT_EQ(at(p, 210, 630).text, " 1R");
  EXPECT_EQ(at(p, 210, 630 + 70 * 11).text, "12R");
  EXPECT_EQ(at(p, 400, 630).text, "      1000円      320.0％         3200円");
  EXPECT_EQ(at(p, 1630, 630).text, "       2200円");
  EXPECT_EQ(at(p, 1630, 630).colour, kBlue);
  EXPECT_EQ(at(p, 2200, 630).text, "[的中]");
  EXPECT_EQ(at(p, 1630, 700).text, "       -500円");
  EXPECT_EQ(at(p, 1630, 700).colour, kBlack);
  EXPECT_FALSE(drawnAt(p, 2200, 700));
  EXPECT_EQ(at(p, 400, 770).text, "         0円");
  EXPECT_FALSE(drawnAt(p, 1630, 770));
  EXPECT_FALSE(drawnAt(p, 400, 840));
  EXPECT_EQ(at(p, 220, 1535).text, "合計        1500円      213.3％         3200円");
  EXPECT_EQ(at(p, 1630, 1535).text, "       1700円");
  EXPECT_EQ(at(p, 1630, 1535).colour, kBlue);
  expectClean(d);
}

TEST(PrintKind1, DayWithoutPurchasePrintsTheTotalCaptionOnly) {
  LedgerCursor ds = meetingDay();
  ds.kaisai.raceJoutai[4] = 1;
  const Document pDoc = meetingDocument(shownKey(ds), shownDay(ds));
  const Page& p = pDoc.pages[0];
  EXPECT_EQ(at(p, 200, 1535).text.substr(0, 6), "合計");
  EXPECT_EQ(at(p, 200, 1535).text.find_first_not_of(' ', 6), std::string::npos);
  EXPECT_FALSE(drawnAt(p, 1630, 1535));
}

// ------------------------------------------------------------------ kinds 2 and 3

namespace {
RaceRecord sampleRace() {
  RaceRecord r;
  r.koumoku = 20311322;  // 3歳, 500万下, 混合, 牡牝, 定量, ダ, 稍重
  r.kyori = 1800;
  r.chakuUma[0] = 7, r.chakuUma[1] = 12;
  setName(r.chakuBamei[0], "サクラローレル");
  setName(r.chakuBamei[1], "マヤノトップガン");
  setFixedText(r.chakuText[1], sj("ｸﾋﾞ"));
  r.tanUma[0] = 7, r.tanGaku[0] = 1000, r.tanGoukei = 1000;
  r.umaKumi[0] = 712, r.umaGaku[0] = 500, r.umaKumi[1] = 107, r.umaGaku[1] = 300, r.umaGoukei = 800;
  r.tanKeka[0] = 107, r.tanHaitou[0] = 320;    // hit
  r.fukuKeka[0] = 107, r.fukuHaitou[0] = 130;  // hit
  r.fukuKeka[1] = 12, r.fukuHaitou[1] = 210;
  r.wakuKeka[0] = 46, r.wakuHaitou[0] = 880;
  r.umaKeka[0] = 10712, r.umaHaitou[0] = 1520;  // hit
  r.wideKeka[0] = 712, r.wideHaitou[0] = 450;
  return r;
}
}  // namespace

TEST(PrintKind2, RaceDataItemsResultsInRedTicketsAndTotals) {
  LedgerCursor ds = meetingDay();
  setFixedText(ds.kaisai.raceMei[10], sj("有馬記念"));
  ds.kaisai.raceJoutai[10] = 12, ds.kaisai.kounyuGaku[10] = 1800, ds.kaisai.shushi[10] = 6000;
  ds.races[10] = sampleRace();
  const Document d = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10);
  ASSERT_EQ(d.pages.size(), 1u);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 190).text, "競走収支帖 トヴラ  レースデータ");
  EXPECT_EQ(at(p, 200, 360).text, "2001年12月23日   中山   5回 8日目  ");
  EXPECT_EQ(at(p, 200, 465).text, "11R     有馬記念");
  // Items, each field at its place (labels cut to their bytes only where blanks go).
  EXPECT_EQ(at(p, 600, 570).text, "3 歳 ");
  EXPECT_EQ(at(p, 800, 570).text, "500 万下");
  EXPECT_EQ(at(p, 1200, 570).text, " 混 ");
  EXPECT_EQ(at(p, 1550, 570).text, " ");
  EXPECT_EQ(at(p, 1650, 570).text, "定量");
  EXPECT_EQ(at(p, 1850, 570).text, "ダ");
  EXPECT_EQ(at(p, 1950, 570).text, "1800M");
  EXPECT_EQ(at(p, 2100, 570).text, " 稍重");  // five bytes: the whole label, not half a character
  // Finishers.
  EXPECT_EQ(at(p, 250, 675).text, "1着");
  EXPECT_EQ(at(p, 500, 675).text, "7");
  EXPECT_EQ(at(p, 700, 675).text, "サクラローレル");
  EXPECT_EQ(at(p, 1300, 735).text, "ｸﾋﾞ");
  EXPECT_EQ(at(p, 400, 795).text, "   ");
  // Results: hits in red.
  EXPECT_EQ(at(p, 200, 1015).text, "レース結果");
  EXPECT_EQ(at(p, 600, 1115).text, " 7番       320円");
  EXPECT_EQ(at(p, 600, 1115).colour, kRed);
  EXPECT_EQ(at(p, 1650, 1115).colour, kRed);
  EXPECT_EQ(at(p, 1650, 1175).text, "12番       210円");
  EXPECT_EQ(at(p, 1650, 1175).colour, kBlack);
  EXPECT_EQ(at(p, 600, 1240).text, " 4-6       880円");
  EXPECT_EQ(at(p, 600, 1365).text, " 7-12     1520円");
  EXPECT_EQ(at(p, 600, 1365).colour, kRed);
  EXPECT_EQ(at(p, 1650, 1365).text, " 7-12      450円");
  EXPECT_EQ(at(p, 1650, 1365).colour, kBlack);
  for (auto [x, y, caption] : {std::tuple{200, 1115, "単勝"},
                               {1250, 1115, "複勝"},
                               {200, 1245, "枠連"},
                               {200, 1365, "馬連"},
                               {1250, 1365, "ﾜｲﾄﾞ"},
                               {200, 1610, "購入馬券"},
                               {200, 1710, "単勝"},
                               {1250, 1710, "複勝"},
                               {200, 2150, "枠連"},
                               {1250, 2150, "馬連"},
                               {200, 2850, "ﾜｲﾄﾞ"}})
    EXPECT_EQ(at(p, x, y).text, caption);
  // Tickets and their totals; an empty list's total stands one line lower.
  EXPECT_EQ(at(p, 600, 1710).text, " 7番      1000円");
  EXPECT_EQ(at(p, 600, 1770).text, "合計      1000円");
  EXPECT_EQ(at(p, 1650, 1770).text, "合計         0円");
  EXPECT_EQ(at(p, 1650, 2150).text, " 7-12      500円");
  EXPECT_EQ(at(p, 1650, 2210).text, " 1- 7      300円");
  EXPECT_EQ(at(p, 1650, 2270).text, "合計       800円");
  EXPECT_EQ(at(p, 600, 2210).text, "合計         0円");
  EXPECT_EQ(at(p, 600, 2910).text, "合計         0円");
  // Totals.
  EXPECT_EQ(at(p, 200, 3310).text, "購入合計");
  EXPECT_EQ(at(p, 500, 3310).text, "    1800円");
  EXPECT_EQ(at(p, 1200, 3310).text, "    6000円");
  EXPECT_EQ(at(p, 1200, 3310).colour, kBlue);
  EXPECT_EQ(at(p, 500, 3410).text, "    7800円");
  EXPECT_EQ(at(p, 900, 3410).text, "回収率");
  EXPECT_EQ(at(p, 1200, 3410).text, "   433.3％");
  expectClean(d);
}

TEST(PrintKind2, FullestRaceContinuesOnASecondPageAndNothingRunsIntoTheTotals) {
  LedgerCursor ds = meetingDay();
  setFixedText(ds.kaisai.raceMei[0], sj("ジャパンカップダート記念競走"));
  ds.kaisai.raceJoutai[0] = 2, ds.kaisai.kounyuGaku[0] = 1000000, ds.kaisai.shushi[0] = -1000000;
  RaceRecord& r = ds.races[0];
  r = sampleRace();
  for (int i = 0; i < 5; ++i) {
    r.tanUma[i] = static_cast<std::uint16_t>(i + 1), r.tanGaku[i] = 99999900;
    r.fukuUma[i] = static_cast<std::uint16_t>(i + 1), r.fukuGaku[i] = 99999900;
    r.chakuUma[i] = static_cast<std::uint16_t>(10 + i);
    setName(r.chakuBamei[i], "ハルウララハルウララ");  // 20 bytes
  }
  for (int i = 0; i < 16; ++i) r.wakuKumi[i] = static_cast<std::uint16_t>(11 + i), r.wakuGaku[i] = 99999900;
  for (int i = 0; i < 50; ++i) r.umaKumi[i] = static_cast<std::uint16_t>(101 + i), r.umaGaku[i] = 99999900;
  for (int i = 0; i < 20; ++i) r.wideKumi[i] = static_cast<std::uint16_t>(201 + i), r.wideGaku[i] = 99999900;
  for (int i = 0; i < 6; ++i) r.wideKeka[i] = static_cast<std::uint16_t>(10102 + i), r.wideHaitou[i] = 9999990;
  const Document d = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 0);
  ASSERT_EQ(d.pages.size(), 2u);
  expectClean(d);
  // Page 1: nothing but the totals at or below their line.
  for (const DrawText& t : d.pages[0])
    if (t.y + t.size > 3300) {
      EXPECT_GE(t.y, 3310) << t.text;
    }
  // Every ticket is printed exactly once, every list's total once.
  EXPECT_EQ(countText(d, "合計  99999900円"), 0);
  EXPECT_EQ(countText(d, " 1-50 99999900円"), 1);  // the 50th 馬連 ticket (150)
  EXPECT_EQ(countText(d, " 2-20 99999900円"), 1);  // the 20th ﾜｲﾄﾞ ticket (220)
  EXPECT_EQ(countText(d, "2-6   99999900円"), 1);  // the 16th 枠連 ticket (26)
  int totals = 0;
  for (const Page& p : d.pages)
    for (const DrawText& t : p) totals += t.text.rfind("合計", 0) == 0;
  EXPECT_EQ(totals, 5);
  // The second page repeats the title, the day and the race line, and the caption of
  // each list it continues.
  const Page& p2 = d.pages[1];
  EXPECT_EQ(at(p2, 200, 190).text, "競走収支帖 トヴラ  レースデータ");
  EXPECT_EQ(at(p2, 200, 465).text, " 1R     ジャパンカップダート記念競走");
  EXPECT_EQ(at(p2, 1250, 630).text, "馬連");
  EXPECT_EQ(at(p2, 200, 630).text, "ﾜｲﾄﾞ");
  // Six wide results push the tickets down one line, clear of the 複勝 list.
  EXPECT_EQ(at(d.pages[0], 200, 1670).text, "購入馬券");
  EXPECT_EQ(at(d.pages[0], 1650, 1665).text, " 1- 7  9999990円");
}

TEST(PrintKind3, RunnersWithWeightsAsTheWindowShowsThem) {
  LedgerCursor ds = meetingDay();
  setFixedText(ds.kaisai.raceMei[2], sj("ﾃｽﾄ特別"));
  RaceRecord& r = ds.races[2];
  r.shutsubaWaku[0] = 1, r.shutsubaKinryo[0] = 550;
  setName(r.shutsubaBamei[0], "メジロマックイーン");
  setFixedText(r.shutsubaKishu[0], sj("武豊"));
  r.shutsubaWaku[17] = 8, r.shutsubaKinryo[17] = 57;
  const Document d = runnersDocument(shownKey(ds), shownDay(ds), 2);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 190).text, "競走収支帖 トヴラ  出走馬");
  EXPECT_EQ(at(p, 200, 495).text, " 3R     ﾃｽﾄ特別");
  EXPECT_EQ(at(p, 250, 720).text, "1");
  EXPECT_EQ(at(p, 450, 720).text, "1");
  EXPECT_EQ(at(p, 700, 720).text, "メジロマックイーン");
  EXPECT_EQ(at(p, 1500, 720).text, "武豊");
  EXPECT_EQ(at(p, 2100, 720).text, "55.0");
  EXPECT_FALSE(drawnAt(p, 250, 780));  // no runner 2
  EXPECT_EQ(at(p, 250, 720 + 60 * 17).text, "8");
  EXPECT_EQ(at(p, 450, 720 + 60 * 17).text, "18");
  EXPECT_EQ(at(p, 2100, 720 + 60 * 17).text, "57");
  for (const DrawText& t : p) EXPECT_EQ(t.colour, kBlack);
  expectClean(d);
}

// ------------------------------------------------------------------ kind 4

TEST(PrintKind4, IncomeTallyRowOfTheWindowWithHitRatesAndBlueBalances) {
  tally::ShushiResult r;
  r.mode = tally::kShushiYearByMonth;
  r.selection = 1;  // the second year of the list
  using R = tally::ShushiResult;
  const int row = 5;  // June, shown at position 6
  r.kounyu[R::cell(row, 4)] = 10000, r.shushi[R::cell(row, 4)] = -2500, r.kaishu[R::cell(row, 4)] = 75.0f;
  r.tekichu[R::cell(row, 4)] = 25.0f;
  r.kounyu[R::cell(row, 5)] = 1000, r.shushi[R::cell(row, 5)] = 500, r.kaishu[R::cell(row, 5)] = 150.0f;
  r.tekichu[R::cell(row, 5)] = 100.0f;
  r.kounyu[R::cell(row, 10)] = 11000, r.shushi[R::cell(row, 10)] = -2000, r.kaishu[R::cell(row, 10)] = 81.8f;
  r.tekichu[R::cell(row, 10)] = 40.0f;
  NenjiTable nenji;
  nenji.nen[0] = 2002, nenji.nen[1] = 2001;
  const Document d = shushiDocument(r, 6, nenji, "2002");
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 190).text, "競走収支帖 トヴラ");
  EXPECT_EQ(at(p, 200, 360).text, " 収支集計      2001年");
  EXPECT_EQ(at(p, 1000, 360).text, " 6 月");
  EXPECT_EQ(at(p, 200, 495).text, "開催      馬券購入額     回収率       回収金額       収  支     的中率");
  EXPECT_EQ(at(p, 210, 630).text, "札幌");
  EXPECT_FALSE(drawnAt(p, 400, 630));  // nothing bought at 札幌
  EXPECT_EQ(at(p, 400, 970).text, "     10000円       75.0％        7500円                   25.0％");
  EXPECT_EQ(at(p, 1630, 970).text, "     -2500円");
  EXPECT_EQ(at(p, 1630, 970).colour, kBlack);
  EXPECT_EQ(at(p, 1630, 1055).colour, kBlue);
  EXPECT_EQ(at(p, 210, 1535).text, "合 計");
  EXPECT_EQ(at(p, 400, 1535).text, "     11000円       81.8％        9000円                   40.0％");
  expectClean(d);

  // All rows by meeting number over all years; a one-day tally has no row heading.
  r.mode = tally::kShushiAllByKai;
  const Document allDoc = shushiDocument(r, 0, nenji, "2002");
  const Page& all = allDoc.pages[0];
  EXPECT_EQ(at(all, 200, 360).text, " 収支集計      全データ                 ");
  EXPECT_EQ(at(all, 1000, 360).text, "全回次");
  r.mode = tally::kShushiDay;
  r.selection = 512;
  const Document dayDoc = shushiDocument(r, 3, nenji, "2002");
  const Page& day = dayDoc.pages[0];
  EXPECT_EQ(at(day, 200, 360).text, " 収支集計      2002年 5月 12日        ");
  EXPECT_FALSE(drawnAt(day, 1000, 360));
}

// ------------------------------------------------------------------ kind 5

TEST(PrintKind5, ItemTallyPageOfTheWindowWithRedCaptionsAndCourseTotals) {
  tally::KoumokuResult r;
  r.mode = 1;
  std::memcpy(r.yearText, "2001", 5);
  // 東京 (4), age 3歳 (slot 1): 4 bought, 1 hit, purchase 4000, balance +1000.
  r.age.count[4][1] = 4, r.age.count[4][4 + 1] = 1, r.age.purchase[4][1] = 4000, r.age.balance[4][1] = 1000;
  r.weight.count[4][3] = 2, r.weight.purchase[4][3] = 2000, r.weight.balance[4][3] = -2000;
  r.races[4][0] = 6, r.races[4][1] = 1, r.dayPurchase[4][0] = 6000, r.dayBalance[4][0] = -1000;
  r.sumCourses();
  const Document d = koumokuDocument(r, 4, 1);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 360).text, "項目集計    2001年");
  EXPECT_EQ(at(p, 1000, 360).text, "東京競馬場");
  EXPECT_EQ(at(p, 500, 495).text, "馬券購入額     回収率       回収金額       収  支     的中率");
  // Ten lines (two captions, eight rows) fit 85 apart below the column heading.
  EXPECT_EQ(at(p, 130, 580).text, "年齢条件");
  EXPECT_EQ(at(p, 130, 665).text, "2歳");
  EXPECT_EQ(at(p, 130, 665).colour, kRed);
  EXPECT_EQ(at(p, 400, 665).text, "         0円");
  EXPECT_EQ(at(p, 130, 750).text, "3歳");
  EXPECT_EQ(at(p, 400, 750).text, "      4000円      125.0％        5000円                   25.0％");
  EXPECT_EQ(at(p, 1630, 750).text, "      1000円");
  EXPECT_EQ(at(p, 1630, 750).colour, kBlue);
  EXPECT_EQ(at(p, 130, 580 + 5 * 85).text, "斤    量");
  EXPECT_EQ(at(p, 130, 580 + 9 * 85).text, "ﾊﾝﾃﾞ");
  EXPECT_EQ(at(p, 1630, 580 + 9 * 85).colour, kBlack);
  EXPECT_EQ(at(p, 130, 1465).text, "東京総合");
  EXPECT_EQ(at(p, 400, 1465).text, "      6000円       83.3％        5000円                   16.7％");
  EXPECT_EQ(at(p, 130, 1535).text, "全場総合");
  expectClean(d);

  // All courses: "全 場" and no course total; the print's own labels of the race page.
  const Document allDoc = koumokuDocument(r, 10, 0);
  const Page& all = allDoc.pages[0];
  EXPECT_EQ(at(all, 1000, 360).text, "全 場");
  EXPECT_FALSE(drawnAt(all, 130, 1465));
  EXPECT_EQ(at(all, 130, 580).text, "レース");
  EXPECT_EQ(at(all, 130, 580 + 67).text, " 1R");
  r.mode = 0;
  const Document months = koumokuDocument(r, 10, 5);
  EXPECT_EQ(at(months.pages[0], 500, 580).text, "月～月");
  const Document allYears = koumokuDocument(r, 10, 0);
  EXPECT_EQ(at(allYears.pages[0], 200, 360).text, "項目集計    全データ");
}

TEST(PrintKind5, PayoutPageWithItsStatistics) {
  tally::KoumokuResult r;
  r.payoutBand[10][1] = 3, r.hitEntries[10][0] = 3, r.hitPayoutTotal[10][0] = 4500;
  r.races[10][0] = 12, r.races[10][1] = 3;
  r.umarenTicketsPerRace[10][0] = 9, r.umarenTicketsPerRace[10][1] = 4;
  const Document pDoc = koumokuDocument(r, 10, 8);
  const Page& p = pDoc.pages[0];
  EXPECT_EQ(at(p, 130, 580).text, "的中配当");
  EXPECT_EQ(at(p, 130, 580 + 2 * 74).text, "1000円 ～ 1990円");
  EXPECT_EQ(at(p, 130, 580 + 2 * 74).colour, kRed);
  EXPECT_EQ(at(p, 700, 580 + 2 * 74).text, "         3点");
  EXPECT_EQ(at(p, 1300, 650).text, "平均的中配当");
  EXPECT_EQ(at(p, 2000, 650).text, " 1500円");
  EXPECT_EQ(at(p, 2000, 750).text, "    3Ｒ");
  EXPECT_EQ(at(p, 2000, 850).text, "   12Ｒ");
  EXPECT_EQ(at(p, 2000, 950).text, " 2.25点");
  EXPECT_EQ(at(p, 1300, 1150).text, "馬連1,3着2,3着率");
  EXPECT_FALSE(drawnAt(p, 500, 495));  // the column heading belongs to the category pages
}

// ------------------------------------------------------------------ kind 6

TEST(PrintKind6, RankPagesOfRacesAndDaysWithTheRankedValueInBlue) {
  tally::RankResult r;
  r.code = tally::kRankHaitou;
  tally::RankEntry& e = r.rows[3];  // rank 4, first on page 1
  e.tsuki = 12, e.hi = 23, e.kai = 5, e.nichi = 8, e.shiki = 4, e.jyo = 5, e.race = 10, e.kumi = 712, e.kingaku = 15200;
  std::memcpy(e.nen, "2001", 5);
  setFixedText(e.bamei1, sj("サクラローレル"));
  setFixedText(e.raceMei, sj("有馬記念"));
  Document d = rankDocument(r, 1);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 360).text, "的中配当" + std::string(32, ' '));
  EXPECT_EQ(at(p, 800, 360).text, "全データ  BEST45    ");
  EXPECT_EQ(at(p, 200, 630).text, " 4位 ");
  EXPECT_EQ(at(p, 390, 630).text, "2001年 12月23日 中山  5回 8日目 ");
  EXPECT_EQ(at(p, 390, 720).text.substr(0, 17), "11R  有馬記念");
  EXPECT_EQ(at(p, 390, 810).text, "馬連   7-12     ");
  EXPECT_EQ(at(p, 980, 810).text, "配当");
  EXPECT_EQ(at(p, 1200, 810).text, "     15200円");
  EXPECT_EQ(at(p, 1200, 810).colour, kBlue);
  EXPECT_EQ(at(p, 1650, 720).text, "1着  サクラローレル       ");
  EXPECT_EQ(at(p, 1650, 810).text, std::string(32, ' '));
  EXPECT_EQ(at(p, 200, 930).text, " 5位 ");  // empty ranks print their number only
  EXPECT_FALSE(drawnAt(p, 390, 930));
  expectClean(d);

  r.code = 5 + tally::kRankDayRitsu;  // one year, day recovery rates
  std::memcpy(r.nen, "2001", 5);
  r.rows[5] = e;  // rank 6, second on page 1
  r.rows[5].ritsu = 412.5f;
  d = rankDocument(r, 1);
  const Page& q = d.pages[0];
  EXPECT_EQ(at(q, 800, 360).text, "2001年    BEST45    ");
  EXPECT_EQ(at(q, 210, 810).text, " 7位 ");
  EXPECT_EQ(at(q, 210, 630).text, " 6位 ");
  EXPECT_EQ(at(q, 400, 630).text, "2001年 12月23日 中山  5回 8日目 ");
  EXPECT_EQ(at(q, 950, 710).text, "収支        15200円");
  EXPECT_EQ(at(q, 1650, 710).text, "回収率");
  EXPECT_EQ(at(q, 1950, 710).text, "    412.5％");
  EXPECT_EQ(at(q, 1950, 710).colour, kBlue);
  expectClean(d);
}

// ------------------------------------------------------------------ kind 7

TEST(PrintKind7, ConditionTallyWithTheRedConditionLine) {
  tally::JyokenResult r;
  r.rangeFlag = 1;
  std::memcpy(r.yearText, "2001", 5);
  r.conditions[0] = {static_cast<std::int16_t>(tally::JyokenKind::Month), 6};
  r.conditions[1] = {static_cast<std::int16_t>(tally::JyokenKind::Class), 7};  // G3
  r.betType = 4;                                                               // ﾜｲﾄﾞ
  r.purchase[4] = 3000, r.balance[4] = 1500, r.recovery[4] = 150.0f, r.hitRate[4] = 50.0f;
  r.purchase[10] = 3000, r.balance[10] = 1500, r.recovery[10] = 150.0f, r.hitRate[10] = 50.0f;
  r.purchase[11] = 90000, r.balance[11] = -9000, r.recovery[11] = 90.0f, r.hitRate[11] = 12.5f;
  const Document d = jyokenDocument(r);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 360).text, " 条件集計      2001年                   ");
  EXPECT_EQ(at(p, 200, 495).text, "条件        6月    GⅢ    ﾜｲﾄﾞ");
  EXPECT_EQ(at(p, 200, 495).colour, kRed);
  EXPECT_EQ(at(p, 200, 630).text, " 開催     馬券購入額     回収率       回収金額       収  支     的中率");
  EXPECT_EQ(at(p, 210, 765 + 4 * 85).text, "東京");
  EXPECT_EQ(at(p, 400, 765 + 4 * 85).text, "      3000円      150.0％        4500円                   50.0％");
  EXPECT_EQ(at(p, 1630, 765 + 4 * 85).colour, kBlue);
  EXPECT_FALSE(drawnAt(p, 400, 765));
  EXPECT_EQ(at(p, 210, 1670).text, "合 計");
  EXPECT_EQ(at(p, 150, 1805).text, "全場総合");
  EXPECT_EQ(at(p, 1630, 1805).text, "     -9000円");
  EXPECT_EQ(at(p, 1630, 1805).colour, kBlack);
  expectClean(d);
}

TEST(PrintKind7, SevenLongConditionsWrapOntoASecondLine) {
  tally::JyokenResult r;
  using K = tally::JyokenKind;
  const std::pair<K, int> list[] = {{K::Month, 12}, {K::RaceNo, 12}, {K::Class, 5},      {K::Type, 4},
                                    {K::Sex, 2},    {K::Weight, 4},  {K::Distance, 3200}};
  for (std::size_t i = 0; i < 7; ++i)
    r.conditions[i] = {static_cast<std::int16_t>(list[i].first), static_cast<std::int16_t>(list[i].second)};
  r.betType = 5;
  const Document d = jyokenDocument(r);
  const Page& p = d.pages[0];
  EXPECT_EQ(at(p, 200, 495).colour, kRed);
  EXPECT_EQ(at(p, 200, 555).colour, kRed);
  EXPECT_EQ(at(p, 200, 495).text + at(p, 200, 555).text.substr(8),
            "条件        12月    12R    1600万下    父内産馬    牝馬限定戦    ﾊﾝﾃﾞ    3200M    馬連");
  expectClean(d);
}

// ------------------------------------------------------------------ every kind, fullest

TEST(PrintFullest, EveryKindStaysCleanWithTheWidestFigures) {
  constexpr std::int32_t kMoney = 99999999, kLoss = -99999999;
  LedgerCursor ds = meetingDay();
  for (int r = 0; r < 12; ++r) {
    ds.kaisai.raceJoutai[r] = 12, ds.kaisai.kounyuGaku[r] = kMoney, ds.kaisai.shushi[r] = kLoss;
    setFixedText(ds.kaisai.raceMei[r], sj("ジャパンカップダート記念競走ステークス"));
  }
  ds.kaisai.kounyuGaku[12] = kMoney, ds.kaisai.shushi[12] = kMoney;
  expectClean(meetingDocument(shownKey(ds), shownDay(ds)));
  RaceRecord& race = ds.races[0];
  race.koumoku = 41311244;
  race.kyori = 3600;
  for (int j = 0; j < 18; ++j) {
    race.shutsubaWaku[j] = 8, race.shutsubaKinryo[j] = 605;
    setName(race.shutsubaBamei[j], "メジロマックイーンズ");  // 20 bytes
    setFixedText(race.shutsubaKishu[j], sj("ﾃﾞｯﾄｰﾘ・ﾙﾒｰﾙ"));
  }
  for (int i = 0; i < 5; ++i) {
    race.chakuUma[i] = 18;
    setName(race.chakuBamei[i], "メジロマックイーンズ");
    setFixedText(race.chakuText[i], sj("ｱﾀﾏﾃﾞｽｸﾋﾞ"));
  }
  expectClean(raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 0));
  expectClean(runnersDocument(shownKey(ds), shownDay(ds), 0));

  tally::ShushiResult s;
  for (int i = 0; i < tally::ShushiResult::kCells; ++i)
    s.kounyu[i] = kMoney, s.shushi[i] = kLoss, s.kaishu[i] = 100.0f, s.tekichu[i] = 100.0f;
  for (int mode : {0, 1, 2, 3, 5})
    for (int pos : {0, 12}) {
      s.mode = mode;
      s.selection = mode == 5 ? 1231 : 0;
      NenjiTable nenji;
      nenji.nen[0] = 2001;
      expectClean(shushiDocument(s, pos, nenji, "2001"));
    }

  tally::KoumokuResult k;
  k.mode = 1;
  std::memcpy(k.yearText, "2001", 5);
  auto fill = [&](auto& cat) {
    for (auto& row : cat.count)
      for (auto& v : row) v = 99999;
    for (auto& row : cat.purchase)
      for (auto& v : row) v = kMoney;
    for (auto& row : cat.balance)
      for (auto& v : row) v = kLoss;
  };
  fill(k.raceNo), fill(k.age), fill(k.weight), fill(k.kind), fill(k.cls), fill(k.sex), fill(k.going);
  fill(k.season), fill(k.betType), fill(k.distance), fill(k.track), fill(k.umaTickets), fill(k.amount);
  for (int n = 0; n < 11; ++n) {
    for (auto& v : k.payoutBand[n]) v = 9999999;
    k.hitEntries[n][0] = 1, k.hitPayoutTotal[n][0] = kMoney;
    k.races[n][0] = 99999, k.races[n][1] = 99999, k.umarenTicketsAndHits[n][0] = 1, k.umarenTicketsAndHits[n][1] = 1;
    k.umarenTicketsPerRace[n][0] = 99999, k.umarenTicketsPerRace[n][1] = 1, k.umarenRacesAndNearMisses[n][0] = 1,
    k.umarenRacesAndNearMisses[n][1] = 1;
    k.dayPurchase[n][0] = kMoney, k.dayBalance[n][0] = kLoss;
  }
  for (int n : {0, 9, 10})
    for (int tab = 0; tab < kKoumokuTabs; ++tab) expectClean(koumokuDocument(k, n, tab));

  tally::RankResult rank;
  std::memcpy(rank.nen, "2001", 5);
  for (auto& e : rank.rows) {
    e.tsuki = 12, e.hi = 31, e.kai = 12, e.nichi = 12, e.jyo = 9, e.race = 11, e.shiki = 5, e.kumi = 1718;
    e.kingaku = kMoney, e.ritsu = 99999.9f;
    std::memcpy(e.nen, "2001", 5);
    setFixedText(e.bamei1, sj("メジロマックイーン"));
    setFixedText(e.bamei2, sj("メジロマックイーン"));
    setFixedText(e.raceMei, sj("ジャパンカップダート記念競走ステークス中山大障害秋"));
  }
  for (int code = 1; code <= 10; ++code) {
    rank.code = code;
    for (int page = 0; page < tally::rankPageCount(code); ++page) expectClean(rankDocument(rank, page));
  }
}

// The tallies add up many days, so their figures reach the ends of the 32-bit fields: a
// ten-digit purchase or return, "-2147483648円", and still no label under a figure.
TEST(PrintFullest, TallyPrintsStayCleanAtTheEndsOfThe32BitFigures) {
  constexpr std::int32_t kMax = INT32_MAX;
  constexpr float kRate = 9999999.0f;  // "%9.1f" at its widest
  for (std::int32_t balance : {INT32_MIN, kMax}) {
    SCOPED_TRACE(balance);
    tally::ShushiResult s;
    for (int i = 0; i < tally::ShushiResult::kCells; ++i)
      s.kounyu[i] = kMax, s.shushi[i] = balance, s.kaishu[i] = kRate, s.tekichu[i] = 100.0f;
    NenjiTable nenji;
    nenji.nen[0] = 2001;
    for (int mode : {0, 1, 2, 3, 5}) {
      s.mode = mode;
      s.selection = mode == 5 ? 1231 : 0;
      for (int pos : {0, 12}) expectClean(shushiDocument(s, pos, nenji, "2001"));
    }

    tally::KoumokuResult k;
    k.mode = 1;
    std::memcpy(k.yearText, "2001", 5);
    auto fill = [&](auto& cat) {
      for (auto& row : cat.count)
        for (auto& v : row) v = kMax;
      for (auto& row : cat.purchase)
        for (auto& v : row) v = kMax;
      for (auto& row : cat.balance)
        for (auto& v : row) v = balance;
    };
    fill(k.raceNo), fill(k.age), fill(k.weight), fill(k.kind), fill(k.cls), fill(k.sex), fill(k.going);
    fill(k.season), fill(k.betType), fill(k.distance), fill(k.track), fill(k.umaTickets), fill(k.amount);
    for (int n = 0; n < 11; ++n) {
      for (auto& v : k.payoutBand[n]) v = kMax;
      k.hitEntries[n][0] = 1, k.hitPayoutTotal[n][0] = kMax;
      k.races[n][0] = kMax, k.races[n][1] = kMax;
      k.dayPurchase[n][0] = kMax, k.dayBalance[n][0] = balance;
    }
    for (int n : {0, 4, 9, 10})
      for (int tab = 0; tab < kKoumokuTabs; ++tab) expectClean(koumokuDocument(k, n, tab));

    tally::JyokenResult j;
    j.rangeFlag = 1;
    std::memcpy(j.yearText, "2001", 5);
    for (int i = 0; i < tally::kJyokenRows; ++i)
      j.purchase[i] = kMax, j.balance[i] = balance, j.recovery[i] = kRate, j.hitRate[i] = 100.0f;
    expectClean(jyokenDocument(j));
  }
}
