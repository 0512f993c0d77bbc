#include <gtest/gtest.h>

#include "common/ledger_builder.hpp"
#include "common/ledger_cursor.hpp"
#include "common/scripted_port.hpp"
#include "domain/settlement.hpp"
#include "features/entry/race_delete.hpp"
#include "features/main/race_view.hpp"
#include "storage/settings_record.hpp"
#include "storage/text.hpp"

using namespace tovra;
using tovra::testing::appendMeeting;
using tovra::testing::makeLedger;
using tovra::testing::readBytes;
using tovra::testing::TempDir;

namespace {

LedgerCursor meetingDay(const char* year = "2001") {
  LedgerCursor ds;
  ds.year = year;
  ds.course = 5;  // 中山
  ds.meetingCount[5] = 1;
  ds.kaisai.tsukiHi = 1223;
  ds.kaisai.kaiNichi = 508;
  return ds;
}

// The view of race r of the day the store holds in memory.
RaceView formatRaceView(const LedgerCursor& ds, const SettingsRecord& settings, int r) {
  return tovra::formatRaceView(DayKey{ds.year, ds.course, 0}, MeetingDay{ds.kaisai, ds.races}, settings, r);
}

SettingsRecord options(int digits) {
  SettingsRecord s = SettingsRecord::defaults();
  s.optionDigits = static_cast<std::uint16_t>(digits);
  return s;
}

// Bytes of a displayed line in Shift-JIS: the widths the formats count.
std::size_t sjBytes(const std::string& utf8) { return sj(utf8).size(); }

}  // namespace

TEST(RaceView, HeadingPanelsAndDataButtons) {
  LedgerCursor ds = meetingDay();
  setFixedText(ds.kaisai.raceMei[10], sj("有馬記念"));
  ds.kaisai.raceJoutai[10] = 1;
  RaceView v = formatRaceView(ds, options(0), 10);
  EXPECT_EQ(v.caption, "中山競馬場ﾚｰｽﾃﾞｰﾀ");
  EXPECT_EQ(v.jyoLabel, "中山競馬場");
  EXPECT_EQ(v.dayPanel, " 12月23日 5回 8日目");
  EXPECT_EQ(v.raceNamePanel, " 11R     有馬記念");
  EXPECT_TRUE(v.holdsData);
  EXPECT_EQ(v.kouPanel, "");
  EXPECT_EQ(v.wideState, 100);

  ds.kaisai.raceJoutai[10] = 10;  // a tens digit alone holds nothing
  EXPECT_FALSE(formatRaceView(ds, options(0), 10).holdsData);
}

TEST(RaceView, TicketPageFromTheTensDigit) {
  LedgerCursor ds = meetingDay();
  EXPECT_EQ(formatRaceView(ds, options(0), 0).ticketPage, 0);
  EXPECT_EQ(formatRaceView(ds, options(11), 0).ticketPage, 1);
  EXPECT_EQ(formatRaceView(ds, options(121), 0).ticketPage, 2);
  EXPECT_EQ(formatRaceView(ds, options(90), 0).ticketPage, 0);  // a digit no page has
}

TEST(RaceView, OldAgeLabelsForYearsUpTo2000) {
  LedgerCursor ds = meetingDay("2000");
  ds.races[0].koumoku = 20232111;  // age class 2, 未 勝 利, 抽, 牝
  ds.races[0].kyori = 1800;
  EXPECT_EQ(formatRaceView(ds, options(100), 0).kouPanel, " 4 歳     未 勝 利     抽     牝    馬齢     芝 1800M   良");
  EXPECT_EQ(formatRaceView(ds, options(0), 0).kouPanel, " 3 歳     未 勝 利     抽     牝    馬齢     芝 1800M   良");
  ds.year = "2001";
  EXPECT_EQ(formatRaceView(ds, options(100), 0).kouPanel, " 3 歳     未 勝 利     抽     牝    馬齢     芝 1800M   良");
}

TEST(RaceView, TicketListsStopAtFirstZeroAndCapacity) {
  LedgerCursor ds = meetingDay();
  RaceRecord& r = ds.races[0];
  r.tanUma[0] = 7;
  r.tanGaku[0] = 1000;
  r.tanUma[2] = 9;  // after the first zero: not part of the list
  r.tanGaku[2] = 500;
  for (int i = 0; i < 5; ++i) {
    r.fukuUma[i] = static_cast<std::uint16_t>(i + 1);
    r.fukuGaku[i] = 100;
  }
  r.wakuKumi[0] = 18;
  r.wakuGaku[0] = 2000;
  r.wakuKumi[1] = 11;
  r.wakuGaku[1] = 100;
  for (int i = 0; i < 50; ++i) {
    r.umaKumi[i] = static_cast<std::uint16_t>(100 + i + 2);
    r.umaGaku[i] = 100;
  }
  r.wideKumi[0] = 312;
  r.wideGaku[0] = 123456789;
  RaceView v = formatRaceView(ds, options(0), 0);
  EXPECT_EQ(v.tickets[kBoxTan], (std::vector<std::string>{"   7         1000円"}));
  EXPECT_EQ(v.tickets[kBoxFuku].size(), 5u);
  EXPECT_EQ(v.tickets[kBoxWaku], (std::vector<std::string>{"  1-8      2000円", "  1-1       100円"}));
  ASSERT_EQ(v.tickets[kBoxUma].size(), 50u);
  EXPECT_EQ(v.tickets[kBoxUma][0], "  1- 2      100円");
  EXPECT_EQ(v.tickets[kBoxUma][49], "  1-51      100円");
  EXPECT_EQ(v.tickets[kBoxWide], (std::vector<std::string>{"  3-12123456789円"}));
}

TEST(RaceView, TotalsAndPlusColourFromOneYen) {
  LedgerCursor ds = meetingDay();
  ds.kaisai.kounyuGaku[0] = 1000;
  ds.kaisai.shushi[0] = 2200;
  RaceView v = formatRaceView(ds, options(0), 0);
  EXPECT_EQ(v.gou, "      1000円");
  EXPECT_EQ(v.ritsu, "    320.0％");
  EXPECT_EQ(v.kaikin, "      3200円");
  EXPECT_EQ(v.shu, "      2200円");
  EXPECT_TRUE(v.plus);
  ds.kaisai.shushi[0] = 1;
  EXPECT_TRUE(formatRaceView(ds, options(0), 0).plus);
  ds.kaisai.shushi[0] = 0;
  EXPECT_FALSE(formatRaceView(ds, options(0), 0).plus);
  ds.kaisai.shushi[0] = -1000;
  v = formatRaceView(ds, options(0), 0);
  EXPECT_FALSE(v.plus);
  EXPECT_EQ(v.ritsu, "      0.0％");
  EXPECT_EQ(v.shu, "     -1000円");
}

TEST(RaceView, FinisherLinesAreCutOrPaddedTo32BytesBeforeTheText) {
  // " 1着  12  " takes 10 bytes; a 24-byte name makes 34 and is cut at 32.
  const std::string longName = sj("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈ");
  std::string line = finisherLine(1, 12, longName, sj("1.34.5"));
  EXPECT_EQ(line, " 1着  12  ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆ     1.34.5");
  EXPECT_EQ(sjBytes(line), 32u + 11u);

  // A full-width character across byte 32 leaves a blank there instead.
  line = finisherLine(2, 3, sj("ﾆｼﾉダイワメジャーダイワ"), sj("ｸﾋﾞ"));
  EXPECT_EQ(sjBytes(line), 43u);
  EXPECT_EQ(line, " 2着   3  ﾆｼﾉダイワメジャーダイ         ｸﾋﾞ");

  line = finisherLine(5, 1, sj("ｼﾝﾎﾞﾘ"), sj("同着"));
  EXPECT_EQ(line, " 5着   1  ｼﾝﾎﾞﾘ                        同着");
  EXPECT_EQ(sjBytes(line), 43u);
}

// The entries table's columns: the fields of each entry, and columns that leave room
// after the widest field they hold (18 bytes of a name or jockey, 4 of a weight).
TEST(RaceView, EntryFieldsAreTheLineFieldByField) {
  const struct {
    int waku, horse;
    const char* name;
    const char* jockey;
    int kinryo;
  } cases[] = {{1, 1, "ﾒｼﾞﾛﾏｯｸｲｰﾝ", "武豊", 57},
               {8, 18, "サクラバクシンオー", "小島太", 565},  // nine full-width characters: 18 bytes
               {3, 5, "", "", 0}};
  for (const auto& c : cases) {
    const std::string name = sj(c.name), jockey = sj(c.jockey);
    const EntryFields f = tovra::entryFields(c.waku, c.horse, name, jockey, c.kinryo);
    // Set at the line's byte positions 0, 3, 8, 26 and 44 they give the line itself.
    std::string line = f[0] + f[1] + "  " + f[2] + std::string(18 - sjBytes(f[2]), ' ') + f[3] +
                       std::string(18 - sjBytes(f[3]), ' ') + f[4];
    EXPECT_EQ(line, entryLine(c.waku, c.horse, name, jockey, c.kinryo)) << c.name;
  }
  const int widest[kEntryColumnCount] = {3, 3, 18, 18, 4};
  for (int c = 0; c + 1 < kEntryColumnCount; ++c) {
    EXPECT_GE(kEntryColumns[c].cells, widest[c]) << c;
    // At least one blank cell between a full column and the next one.
    EXPECT_GT(kEntryColumns[c + 1].cell, kEntryColumns[c].cell + kEntryColumns[c].cells) << c;
  }
  EXPECT_GE(kEntryColumns[4].cells, widest[4]);
}

TEST(RaceView, EntryColumnsWidenForLongerNames) {
  const std::string name24(24, '\xb1'), jockey19(19, '\xb2');
  const struct {
    std::vector<EntryFields> entries;
    int cells[kEntryColumnCount];
    int starts[kEntryColumnCount];
  } cases[] = {
      {{}, {4, 4, 18, 18, 4}, {0, 5, 10, 30, 50}},
      {{entryFields(8, 18, sj("サクラバクシンオー"), sj("小島太"), 565)}, {4, 4, 18, 18, 4}, {0, 5, 10, 30, 50}},
      {{entryFields(1, 1, name24, "", 57), entryFields(1, 2, "", jockey19, 57)}, {4, 4, 24, 19, 4}, {0, 5, 10, 36, 57}},
  };
  for (const auto& c : cases) {
    const EntryColumns cols = entryColumns(c.entries);
    for (int i = 0; i < kEntryColumnCount; ++i) {
      EXPECT_EQ(cols[std::size_t(i)].cells, c.cells[i]) << i;
      EXPECT_EQ(cols[std::size_t(i)].cell, c.starts[i]) << i;
    }
  }
}

TEST(RaceView, FinishersSkipEmptyPlaces) {
  LedgerCursor ds = meetingDay();
  RaceRecord& r = ds.races[0];
  r.chakuUma[0] = 4;
  setFixedText(r.chakuBamei[0], sj("ﾃｲｴﾑｵﾍﾟﾗｵｰ"));
  setFixedText(r.chakuText[0], sj("2.33.2"));
  r.chakuUma[2] = 9;
  setFixedText(r.chakuBamei[2], sj("ﾒｲｼｮｳﾄﾞﾄｳ"));
  RaceView v = formatRaceView(ds, options(0), 0);
  ASSERT_EQ(v.finishers.size(), 2u);
  EXPECT_EQ(v.finishers[0].substr(0, 5), " 1着");
  EXPECT_EQ(v.finishers[1].substr(0, 5), " 3着");
  EXPECT_EQ(sjBytes(v.finishers[1]), 43u);
}

TEST(RaceView, CommentShownWithPlainLineBreaks) {
  LedgerCursor ds = meetingDay();
  setFixedText(ds.races[0].comento, sj("逃げ切り\r\n次走注目"));
  EXPECT_EQ(formatRaceView(ds, options(0), 0).memo, "逃げ切り\n次走注目");
}

namespace {

struct LedgerWithRace {
  TempDir dir;
  LedgerCursor ds{dir.path()};
  LedgerWithRace() {
    makeLedger(ds, {2001});
    KaisaiRecord k;
    k.tsukiHi = 1223;
    k.kaiNichi = 508;
    RaceBlock races{};
    for (int r : {2, 4}) {
      races[r].tanUma[0] = 5;
      races[r].tanGaku[0] = 1000;
      races[r].tanKeka[0] = 5;
      races[r].tanHaitou[0] = 320;
      races[r].koumoku = 21211111;
      setFixedText(races[r].comento, sj("本命"));
      setFixedText(k.raceMei[r], sj("ﾃｽﾄ"));
    }
    for (int r : {2, 4}) settleRace(k, races, r);
    appendMeeting(ds, 5, k, races);
    ds.course = 5;
    ds.readShown();
  }
  std::vector<unsigned char> meetingBytes() { return readBytes(ds.resolve(ds.meetingFile())); }
  std::vector<unsigned char> raceBytes() { return readBytes(ds.resolve(ds.raceFile())); }
};

}  // namespace

TEST(RaceDelete, QuestionNamesTheDayAndTheRace) {
  LedgerWithRace l;
  EXPECT_EQ(deleteRaceDataQuestion(l.ds.kaisai, 5, 4), "12月23日 5回 8日目  中山競馬場  5Rのﾚｰｽﾃﾞｰﾀを削除します。");
}

TEST(RaceDelete, BlanksTheRaceAndRecountsTheDay) {
  LedgerWithRace l;
  const auto racesBefore = l.raceBytes();
  const DayKey key{"2001", 5, 0};
  const auto written = deleteRaceData(l.ds.ledger(), key, MeetingDay{l.ds.kaisai, l.ds.races}, 4);
  ASSERT_TRUE(written);
  EXPECT_TRUE(written->races[4].isBlank());
  EXPECT_EQ(written->meeting.raceJoutai[4], 0);
  EXPECT_EQ(written->meeting.raceMei[4][0], '\0');
  const auto disk = l.ds.ledger().readDay(key);
  ASSERT_TRUE(disk);
  EXPECT_TRUE(disk->races[4].isBlank());
  EXPECT_EQ(disk->meeting.kounyuGaku[4], 0);
  // The other race stays, and the day's totals hold it alone.
  EXPECT_EQ(disk->races[2].tanUma[0], 5);
  EXPECT_EQ(disk->meeting.kounyuGaku[12], 1000);
  EXPECT_NE(l.raceBytes(), racesBefore);
}
