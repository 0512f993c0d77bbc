// 馬単, 3連複 and 3連単 on the race and meeting prints: the sections after the record's
// page at their places (golden draw lists), many lines going on over pages with none lost
// (against a plain list of the rows), and a store that is missing or damaged leaving the
// print as the record alone gives it.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/ledger_cursor.hpp"
#include "common/shown_day.hpp"
#include "common/temp_dir.hpp"
#include "features/bets/race_bets.hpp"
#include "features/print/bets_print.hpp"
#include "features/print/layouts.hpp"
#include "features/print/print_job.hpp"
#include "storage/bet_store.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

using namespace tovra;
using namespace tovra::print;
using tovra::testing::shownDay;
using tovra::testing::shownKey;
using tovra::testing::TempDir;
using tovra::testing::writeBytes;

namespace tovra::print {
void PrintTo(const DrawText& t, std::ostream* os) {
  *os << "{" << t.x << ", " << t.y << ", \"" << t.text << "\", (" << t.colour.r << "," << t.colour.g << ","
      << t.colour.b << ")}";
}
}  // namespace tovra::print

namespace {

LedgerCursor meetingDay() {
  LedgerCursor ds;
  ds.year = "2001";
  ds.course = 5;  // 中山
  ds.meetingCount[5] = 1;
  ds.kaisai.tsukiHi = 1223;
  ds.kaisai.kaiNichi = 508;
  setFixedText(ds.kaisai.raceMei[10], sj("有馬記念"));
  // Race 11: a 単勝 ticket of 1000 yen on 7, which won at 320 yen.
  ds.kaisai.raceJoutai[10] = 12, ds.kaisai.kounyuGaku[10] = 1000, ds.kaisai.shushi[10] = 2200;
  ds.kaisai.kounyuGaku[12] = 1000, ds.kaisai.shushi[12] = 2200;
  RaceRecord& r = ds.races[10];
  r.tanUma[0] = 7, r.tanGaku[0] = 1000, r.tanGoukei = 1000;
  r.tanKeka[0] = 107, r.tanHaitou[0] = 320;
  return ds;
}

StoredLine line(int type, int method, std::vector<int> first, int stake, int points) {
  StoredLine l;
  l.type = type;
  l.method = method;
  l.sets[0] = std::move(first);
  l.stake = stake;
  l.points = points;
  return l;
}

// A 3連単 ﾎﾞｯｸｽ that hit twice in a dead heat, a 馬単 refunded for its scratched horse 9.
StoredRace deadHeat() {
  StoredRace s;
  s.lines = {line(2, 1, {1, 4, 14}, 1, 6), line(0, 0, {4, 9}, 2, 1)};
  s.winners = {{2, {4, 1, 14}, 29832950}, {2, {4, 14, 1}, 14916520}};
  s.special[1] = 70;
  s.scratched = {9};
  return s;
}

// The texts at or below y on a page (the page's own rows), in the order drawn.
std::vector<DrawText> below(const Page& p, int y) {
  std::vector<DrawText> out;
  for (const DrawText& t : p)
    if (t.y >= y) out.push_back(t);
  return out;
}

void expectOnPaper(const Document& d) {
  for (std::size_t i = 0; i < d.pages.size(); ++i) {
    if (auto o = findOverlap(d.pages[i]))
      ADD_FAILURE() << "page " << i + 1 << ": \"" << o->first.text << "\" overlaps \"" << o->second.text << "\"";
    const Box e = inkExtent(d.pages[i]);
    EXPECT_LE(e.right, kPageWidth) << "page " << i + 1;
    EXPECT_LE(e.bottom, kPageHeight) << "page " << i + 1;
  }
}

}  // namespace

TEST(PrintBets, RacePrintAddsTheLinesResultsAndAllTypesBlockOnTheNextPage) {
  LedgerCursor ds = meetingDay();
  const RaceBets bets = raceBets(ds.races[10], deadHeat());
  const Document plain = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10);
  const Document d = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10, &bets);
  ASSERT_EQ(plain.pages.size(), 1u);
  ASSERT_EQ(d.pages.size(), 2u);
  EXPECT_EQ(d.pages[0], plain.pages[0]);  // the record's page as it was
  const Page& p = d.pages[1];
  const std::vector<DrawText> want = {
      // The title, the day and the race line of the first page.
      {200, 190, "競走収支帖 トヴラ  レースデータ"},
      {200, 360, "2001年12月23日   中山   5回 8日目  "},
      {200, 465, "11R     有馬記念"},
      {200, 630, "馬単・3連複・3連単"},
      {250, 690, " 1 3連単 ﾎﾞｯｸｽ    6点 ・ 合計 600円", kRed},
      {250, 750, "   1,4,14", kRed},
      {250, 810, "   的中 2点  44,749,470円", kRed},
      {250, 870, " 2 馬単  通常     1点 ・ 合計 200円", kGreen},
      {250, 930, "   4-9", kGreen},
      {250, 990, "   返還 1点  200円", kGreen},
      {200, 1110, "馬単・3連複・3連単  結果・返還"},
      {250, 1170, "3連複 特払               70円"},
      {250, 1230, "3連単 4-1-14     29,832,950円  的中", kRed},
      {250, 1290, "3連単 4-14-1     14,916,520円  的中", kRed},
      {250, 1350, "返還馬番  9", kGreen},
      // 全式別: the 単勝 ticket and the two lines; the 馬単 line refunded.
      {200, 1470, "全式別"},
      {250, 1530, "購入"},
      {550, 1530, "      1800円"},
      {1250, 1530, "返還"},
      {1550, 1530, "       200円"},
      {250, 1590, "購入合計"},
      {550, 1590, "      1600円"},
      {1250, 1590, "回収率"},
      {1550, 1590, "2797041.9％"},
      {250, 1650, "回収金額"},
      {550, 1650, "  44752670円"},
      {1250, 1650, "収  支"},
      {1550, 1650, "  44751070円", kBlue},
  };
  EXPECT_EQ(p, want);
  expectOnPaper(d);
}

TEST(PrintBets, WithoutNewTypeRowsBothPrintsAreTheRecordsAlone) {
  LedgerCursor ds = meetingDay();
  const RaceBets none = raceBets(ds.races[10], StoredRace{});
  const Document race = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10);
  EXPECT_EQ(raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10, &none).pages, race.pages);
  DayBets day = dayBets(shownDay(ds), {});
  const Document meeting = meetingDocument(shownKey(ds), shownDay(ds));
  EXPECT_EQ(meetingDocument(shownKey(ds), shownDay(ds), &day).pages, meeting.pages);
  EXPECT_EQ(meeting.pages.size(), 1u);
}

TEST(PrintBets, MeetingPrintAddsEachRaceHoldingRowsAndTheDaysAllTypesFigures) {
  LedgerCursor ds = meetingDay();
  std::array<StoredRace, kRacesPerDay> stored{};
  stored[10] = deadHeat();
  stored[2].scratched = {3};  // race 3: a scratch alone, nothing bought
  const DayBets bets = dayBets(shownDay(ds), stored);
  const Document plain = meetingDocument(shownKey(ds), shownDay(ds));
  const Document d = meetingDocument(shownKey(ds), shownDay(ds), &bets);
  // The day's block does not fit below race 11's: it goes to a second page.
  ASSERT_EQ(d.pages.size(), 2u);
  // The record's texts first, unchanged; the sections below the day total (y 1535).
  const Page& p = d.pages[0];
  ASSERT_GT(p.size(), plain.pages[0].size());
  EXPECT_EQ(Page(p.begin(), p.begin() + static_cast<long>(plain.pages[0].size())), plain.pages[0]);
  const std::vector<DrawText> want = {
      {200, 1655, " 3R     "},
      {250, 1715, "馬単・3連複・3連単  結果・返還"},
      {300, 1775, "返還馬番  3", kGreen},
      {250, 1895, "全式別"},
      {300, 1955, "購入"},
      {600, 1955, "         0円"},
      {1300, 1955, "返還"},
      {1600, 1955, "         0円"},
      {300, 2015, "購入合計"},
      {600, 2015, "         0円"},
      {1300, 2015, "回収率"},  // no rate without purchase
      {300, 2075, "回収金額"},
      {600, 2075, "         0円"},
      {1300, 2075, "収  支"},
      {1600, 2075, "         0円"},
      {200, 2195, "11R     有馬記念"},
      {250, 2255, "馬単・3連複・3連単"},
      {300, 2315, " 1 3連単 ﾎﾞｯｸｽ    6点 ・ 合計 600円", kRed},
  };
  const std::vector<DrawText> got = below(p, 1600);
  ASSERT_GE(got.size(), want.size());
  EXPECT_EQ(std::vector<DrawText>(got.begin(), got.begin() + static_cast<long>(want.size())), want);
  EXPECT_EQ(got.back(), (DrawText{1600, 3275, "  44751070円", kBlue}));  // race 11's 収支 (all eight types)
  // The day's figures: the 単勝 ticket of race 11 and both races' lines and scratches.
  const std::vector<DrawText> day = {
      {200, 190, "競走収支帖 トヴラ  開催データ"},
      {200, 360, "2001年12月23日   中山   5回 8日目  "},
      {200, 495, "開催日合計  全式別"},
      {250, 555, "購入"},
      {550, 555, "      1800円"},
      {1250, 555, "返還"},
      {1550, 555, "       200円"},
      {250, 615, "購入合計"},
      {550, 615, "      1600円"},
      {1250, 615, "回収率"},
      {1550, 615, "2797041.9％"},
      {250, 675, "回収金額"},
      {550, 675, "  44752670円"},
      {1250, 675, "収  支"},
      {1550, 675, "  44751070円", kBlue},
  };
  EXPECT_EQ(d.pages[1], day);
  expectOnPaper(d);
}

TEST(PrintBets, ManyLinesGoOnOverPagesAndNoneIsLost) {
  LedgerCursor ds = meetingDay();
  // 120 3連単 lines of one point each, and a 馬単 result at the end.
  StoredRace s;
  std::vector<std::string> model;  // the plain list: every row of every line, in order
  for (int i = 0; i < 120; ++i) {
    const int a = i % 8 + 1, b = i / 8 % 8 + 9, c = i / 64 + 17;  // each combination once
    s.lines.push_back(line(2, 0, {a, b, c}, 1, 1));
    std::string head = i + 1 < 10 ? " " : "";
    head += std::to_string(i + 1);
    head += " 3連単 通常     1点 ・ 合計 100円";
    model.push_back(head);
    std::string sets = "   ";
    sets += std::to_string(a);
    sets += '-';
    sets += std::to_string(b);
    sets += '-';
    sets += std::to_string(c);
    model.push_back(sets);
  }
  s.winners = {{0, {1, 2, 0}, 12340}};
  const RaceBets bets = raceBets(ds.races[10], s);
  const Document d = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10, &bets);
  // 240 rows of 60 units: 46 to a page below the caption at y 630, on six pages after the first.
  ASSERT_EQ(d.pages.size(), 7u);
  expectOnPaper(d);
  std::vector<std::string> rows;
  int captions = 0;
  for (std::size_t n = 1; n < d.pages.size(); ++n) {
    const Page& p = d.pages[n];
    // Every page repeats the race print's title, day and race line.
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p[0].text, "競走収支帖 トヴラ  レースデータ");
    EXPECT_EQ(p[2].text, "11R     有馬記念");
    int lastY = 570;
    for (const DrawText& t : below(p, 600)) {
      if (t.x == 250 && t.y >= 630) {
        EXPECT_EQ(t.y, lastY + 60) << t.text;  // rows 60 apart, nothing skipped
        rows.push_back(t.text);
      }
      if (t.x == 200 && t.text == "馬単・3連複・3連単") ++captions;
      lastY = t.y;
    }
  }
  // The lines first, then the result row, then the six figures' labels.
  ASSERT_GE(rows.size(), model.size() + 4);
  EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + static_cast<long>(model.size())), model);
  EXPECT_EQ(rows[model.size()], "馬単  1-2            12,340円");
  EXPECT_EQ(rows.size(), model.size() + 1 + 3);
  // The caption opens the list and stands again on every page the lines go on over.
  EXPECT_EQ(captions, 6);
}

TEST(PrintBets, AfterTicketsGoingOnToAPageTheNewLinesFollowBelowThem) {
  LedgerCursor ds = meetingDay();
  RaceRecord& r = ds.races[10];
  for (int i = 0; i < 50; ++i) r.umaKumi[i] = static_cast<std::uint16_t>(101 + i), r.umaGaku[i] = 100;
  r.umaGoukei = 5000;
  const RaceBets bets = raceBets(r, deadHeat());
  const Document plain = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10);
  const Document d = raceDocument(shownKey(ds), shownDay(ds), SettingsRecord::defaults(), 10, &bets);
  ASSERT_EQ(plain.pages.size(), 2u);
  // The 全式別 block, kept whole, does not fit below the results: a third page.
  ASSERT_EQ(d.pages.size(), 3u);
  EXPECT_EQ(d.pages[2][3], (DrawText{200, 630, "全式別"}));
  EXPECT_EQ(d.pages[0], plain.pages[0]);
  // Page 2: the 馬連 tickets going on, then (a blank line lower) the new sections.
  const Page& ours = d.pages[1];
  const Page& theirs = plain.pages[1];
  ASSERT_GT(ours.size(), theirs.size());
  EXPECT_EQ(Page(ours.begin(), ours.begin() + static_cast<long>(theirs.size())), theirs);
  const DrawText& caption = ours[theirs.size()];
  EXPECT_EQ(caption.text, "馬単・3連複・3連単");
  EXPECT_EQ(caption.y, theirs.back().y + 120);
  expectOnPaper(d);
}

// ------------------------------------------------------------------ from the store

namespace {
struct StoreDay {
  TempDir dir;
  LedgerCursor ds = meetingDay();
  BetStore store{dir.path()};
};
}  // namespace

TEST(PrintBets, JobsReadTheStoreAndAMissingOrDamagedStoreAddsNothing) {
  StoreDay t;
  const DayKey key = shownKey(t.ds);
  const MeetingDay day = shownDay(t.ds);
  const SettingsRecord settings = SettingsRecord::defaults();
  const Document race = raceDocument(key, day, settings, 10);
  const Document meeting = meetingDocument(key, day);
  // No store file: the record's print, and no file made.
  EXPECT_EQ(raceJob(key, day, settings, 10, &t.store).document.pages, race.pages);
  EXPECT_EQ(meetingJob(key, day, &t.store).document.pages, meeting.pages);
  EXPECT_FALSE(std::filesystem::exists(t.store.file()));
  {
    // A line of race 11 in the store: both prints go on with it.
    BetStore writer(t.dir.path());
    ASSERT_TRUE(writer.addLine(raceKeyOf(key, day.meeting, 10), line(0, 0, {4, 9}, 2, 1)));
  }
  {
    BetStore reader(t.dir.path());
    const Document withLine = raceJob(key, day, settings, 10, &reader).document;
    ASSERT_EQ(withLine.pages.size(), 2u);
    EXPECT_EQ(withLine.pages[1][4].text, " 1 馬単  通常     1点 ・ 合計 200円");
    EXPECT_GT(meetingJob(key, day, &reader).document.pages[0].size(), meeting.pages[0].size());
    // Race 1 holds nothing in the store: its print is the record's.
    EXPECT_EQ(raceJob(key, day, settings, 0, &reader).document.pages, raceDocument(key, day, settings, 0).pages);
  }
  // A damaged store: the record's prints, as without a store.
  writeBytes(t.store.file(), std::vector<unsigned char>(4096, 'x'));
  BetStore damaged(t.dir.path());
  EXPECT_EQ(raceJob(key, day, settings, 10, &damaged).document.pages, race.pages);
  EXPECT_EQ(meetingJob(key, day, &damaged).document.pages, meeting.pages);
}
