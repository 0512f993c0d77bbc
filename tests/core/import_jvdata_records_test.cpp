// The JV-Data record readers: hand-made records with fields at literal 1-based positions,
// one per record kind and layout era; the scan of a file of many days and kinds against
// a plain model of it; and the faults that end a scan.
#include <gtest/gtest.h>

#include <random>

#include "features/import/jvdata/jvdata_records.hpp"
#include "storage/text.hpp"
#include "support/jvdata_builders.hpp"

using namespace tovra;
using tovra::jvtest::Rec;

namespace {

std::string padded(const std::string& s, std::size_t n) { return s + std::string(n - s.size(), ' '); }

}  // namespace

TEST(JvDataRecords, RaReadsItsFieldsAtTheirPositions) {
  Rec x("RA", 1272, '7');
  x.put(12, "2018").put(16, "1125").put(20, "05").put(22, "05").put(24, "08").put(26, "11");
  x.put(33, padded(sj("ジャパンカップ"), 60));
  x.put(615, "A").put(617, "13").put(619, "N00").put(622, "4").put(623, "000000000000999");
  x.put(698, "2400").put(706, "11").put(874, "1540").put(882, "14").put(884, "14").put(888, "123");
  ASSERT_EQ(x.b.size(), 1272u);
  const auto r = parseJvRace(x.b);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->dataKind, '7');
  EXPECT_EQ(r->id, (JvRaceId{2018, 1125, 5, 5, 8, 11}));
  EXPECT_EQ(r->name, sj("ジャパンカップ"));
  EXPECT_EQ(r->grade, 'A');
  EXPECT_EQ(r->typeCode, 13);
  EXPECT_EQ(r->mark, "N00");
  EXPECT_EQ(r->weight, '4');
  EXPECT_EQ(r->conditions, (std::array<int, 5>{0, 0, 0, 0, 999}));
  EXPECT_EQ(r->distance, 2400);
  EXPECT_EQ(r->track, 11);
  EXPECT_EQ(r->startTime, 1540);
  EXPECT_EQ(r->registered, 14);
  EXPECT_EQ(r->starters, 14);
  EXPECT_EQ(r->weather, 1);
  EXPECT_EQ(r->turfGoing, 2);
  EXPECT_EQ(r->dirtGoing, 3);
  EXPECT_FALSE(parseJvRace(std::span(x.b).first(1271)));
}

// SE of 555 bytes (from 2003-04-22) and of 547 (before): the fields read stand at the same
// positions, and the scan takes each by where its CR LF is.
TEST(JvDataRecords, SeReadsItsFieldsInBothLengths) {
  for (const std::size_t len : {std::size_t{555}, std::size_t{547}}) {
    SCOPED_TRACE(len);
    Rec x("SE", len);
    x.put(12, len == 555 ? "20181125" : "20030420").put(20, "05050811");
    x.put(28, "7").put(29, "11").put(41, padded(sj("アーモンドアイ"), 36)).put(289, "530");
    x.put(307, padded(sj("ルメール"), 8)).put(332, "0").put(335, "01").put(337, "1").put(339, "2206").put(343, "K  ");
    const auto file = jvtest::jvFile({x, x});
    const JvScan scan = scanJvData(file, {});
    ASSERT_FALSE(scan.fault);
    ASSERT_EQ(scan.day.runners.size(), 2u);
    const JvRunner& r = scan.day.runners[1];
    EXPECT_EQ(r.id.race, 11);
    EXPECT_EQ(r.frame, 7);
    EXPECT_EQ(r.horse, 11);
    EXPECT_EQ(r.name, padded(sj("アーモンドアイ"), 36));
    EXPECT_EQ(r.carried, 530);
    EXPECT_EQ(r.jockey, sj("ルメール"));
    EXPECT_EQ(r.abnormality, 0);
    EXPECT_EQ(r.position, 1);
    EXPECT_TRUE(r.deadHeat);
    EXPECT_EQ(r.time, 2206);
    EXPECT_EQ(r.margin, "K  ");
  }
}

TEST(JvDataRecords, HrReadsFlagsRefundsAndEveryBlock) {
  Rec x("HR", 719, '2');
  x.put(12, "20181125050508").put(26, "11").put(28, "14").put(30, "13");
  x.put(32, "000000001").put(41, "000000101").put(50, "100000000");
  x.put(59, "0000100000000000000000000000").put(87, "00100000").put(95, "00000001");
  x.put(103, "0500000014001").put(116, "0300000021000");              // 単勝 dead heat
  x.put(142, "0500000011000");                                         // 複勝
  x.put(207, "3400000012001");                                         // 枠連
  x.put(246, "0511000000350001");                                      // 馬連
  x.put(294, "0511000000150001").put(310, "0105000000200002");        // ﾜｲﾄﾞ
  x.put(454, "1105000000600002");                                      // 馬単
  x.put(550, "110501000000900003").put(568, "051103000000800002");    // 3連複
  x.put(604, "0000000000000700000");                                  // 3連単 特払 slot
  const auto p = parseJvPayouts(x.b);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->dataKind, '2');
  EXPECT_EQ(p->id, (JvRaceId{2018, 1125, 5, 5, 8, 11}));
  EXPECT_EQ(p->starters, 13);
  EXPECT_TRUE(p->failed[8]);
  EXPECT_FALSE(p->failed[0]);
  EXPECT_TRUE(p->special[6]);
  EXPECT_TRUE(p->refund[0]);
  EXPECT_EQ(p->refundedHorses, (std::vector<int>{5}));
  EXPECT_EQ(p->refundedFrames, (std::vector<int>{3}));
  EXPECT_EQ(p->refundedSameFrames, (std::vector<int>{8}));
  using T = JvPayType;
  EXPECT_EQ(p->pays[jvIndex(T::Win)], (std::vector<JvPay>{{{5, 0, 0}, 140, 1}, {{3, 0, 0}, 210, 0}}));
  EXPECT_EQ(p->pays[jvIndex(T::Place)], (std::vector<JvPay>{{{5, 0, 0}, 110, 0}}));
  EXPECT_EQ(p->pays[jvIndex(T::Bracket)], (std::vector<JvPay>{{{3, 4, 0}, 120, 1}}));
  EXPECT_EQ(p->pays[jvIndex(T::Quinella)], (std::vector<JvPay>{{{5, 11, 0}, 350, 1}}));
  EXPECT_EQ(p->pays[jvIndex(T::Wide)], (std::vector<JvPay>{{{5, 11, 0}, 150, 1}, {{1, 5, 0}, 200, 2}}));
  EXPECT_EQ(p->pays[jvIndex(T::Exacta)], (std::vector<JvPay>{{{11, 5, 0}, 600, 2}}));
  EXPECT_EQ(p->specialPay[jvIndex(T::Exacta)], 600);
  EXPECT_EQ(p->pays[jvIndex(T::Trio)], (std::vector<JvPay>{{{11, 5, 1}, 900, 3}, {{5, 11, 3}, 800, 2}}));
  EXPECT_TRUE(p->pays[jvIndex(T::Trifecta)].empty());
  EXPECT_EQ(p->specialPay[jvIndex(T::Trifecta)], 70);  // an all-zero combination is an empty slot
}

// Before 2002-06-15 the 特払 and 返還 flags are not there; before 2004-08-14 the 3連単
// block is reserved, whatever it holds.
TEST(JvDataRecords, HrOfOlderErasLeavesOutWhatWasNotThere) {
  struct Case {
    const char* date;
    bool flags, trifecta;
  };
  const Case cases[] = {{"20020608", false, false}, {"20020615", true, false}, {"20040807", true, false},
                        {"20040814", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    Rec x("HR", 719, '2');
    x.put(12, c.date).put(20, "05050811");
    x.put(41, "111111111").put(50, "111111111").put(59, "1000000000000000000000000000");
    x.put(604, "0102030000005000001");
    const auto p = parseJvPayouts(x.b);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->special[0], c.flags);
    EXPECT_EQ(p->refund[8], c.flags);
    EXPECT_EQ(p->refundedHorses, (std::vector<int>{1}));
    EXPECT_EQ(p->pays[jvIndex(JvPayType::Trifecta)].size(), c.trifecta ? 1u : 0u);
  }
}

TEST(JvDataRecords, WfReadsLegsFlagsCarryOverAndPayouts) {
  Rec x("WF", 7215, '1');
  x.put(12, "20181125");
  x.put(22, "05050807").put(30, "08050808").put(38, "05050809").put(46, "08050810").put(54, "05050811");
  x.put(68, "00000500000");
  x.put(79, "00000400000").put(123, "00000000123");
  x.put(134, "0").put(135, "0").put(136, "1");
  x.put(137, "000000123456789").put(152, "000001000000000");
  x.put(167, "0102030405").put(177, "123456789").put(186, "0000000002");
  x.put(167 + 29 * 242, "1817161514").put(177 + 29 * 242, "000000100").put(186 + 29 * 242, "0000000010");
  const auto w = parseJvWin5(x.b);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->dataKind, '1');
  EXPECT_EQ(w->year, 2018);
  EXPECT_EQ(w->month, 11);
  EXPECT_EQ(w->day, 25);
  EXPECT_EQ(w->legs[0], (JvWin5Leg{5, 5, 8, 7}));
  EXPECT_EQ(w->legs[1], (JvWin5Leg{8, 5, 8, 8}));
  EXPECT_EQ(w->legs[4], (JvWin5Leg{5, 5, 8, 11}));
  EXPECT_EQ(w->sold, 500000);
  EXPECT_EQ(w->valid[0], 400000);
  EXPECT_EQ(w->valid[4], 123);
  EXPECT_FALSE(w->refund);
  EXPECT_FALSE(w->failed);
  EXPECT_TRUE(w->noWinner);
  EXPECT_EQ(w->carryStart, 123456789);
  EXPECT_EQ(w->carryBalance, 1000000000);
  ASSERT_EQ(w->pays.size(), 2u);
  EXPECT_EQ(w->pays[0], (JvWin5Pay{{1, 2, 3, 4, 5}, 123456789, 2}));
  EXPECT_EQ(w->pays[1], (JvWin5Pay{{18, 17, 16, 15, 14}, 100, 10}));
  EXPECT_FALSE(parseJvWin5(std::span(x.b).first(7214)));
}

TEST(JvDataRecords, RecordLengthsByKind) {
  struct Case {
    std::vector<std::uint8_t> rec;
    std::size_t length;
  };
  const auto se555 = Rec("SE", 555).b, se547 = Rec("SE", 547).b;
  std::vector<std::uint8_t> seBroken(555, ' ');
  seBroken[0] = 'S';
  seBroken[1] = 'E';
  std::vector<std::uint8_t> seOldBroken = seBroken;
  for (std::size_t i = 0; i < 8; ++i) seOldBroken[11 + i] = static_cast<std::uint8_t>("20030421"[i]);
  const Case cases[] = {
      {Rec("RA", 1272).b, 1272}, {Rec("HR", 719).b, 719}, {Rec("WF", 7215).b, 7215}, {Rec("O1", 962).b, 962},
      {se555, 555},              {se547, 547},            {seBroken, 555},           {seOldBroken, 547},
      {{'Z', 'Z', '\r', '\n'}, 0}, {{'R'}, 0},            {{}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(jvRecordLength(c.rec), c.length);
}

TEST(JvDataRecords, ScanKeepsTheDayAndStepsOverOtherKindsAndDays) {
  using namespace jvtest;
  const auto file = jvFile({Rec("O1", 962), raRecord(1), raRecord(1, 20181124), raRecord(2, kDate, 8), seRecord(1, 1, 1, 0),
                            hrRecord(1), Rec("WE", 42), hrRecord(3, '1', 20181201)});
  const JvScan scan = scanJvData(file, {kDate, kCourse});
  ASSERT_FALSE(scan.fault);
  EXPECT_EQ(scan.day.records, 8u);
  ASSERT_EQ(scan.day.races.size(), 1u);
  EXPECT_EQ(scan.day.races[0].id.race, 1);
  EXPECT_EQ(scan.day.runners.size(), 1u);
  EXPECT_EQ(scan.day.payouts.size(), 1u);
  const JvScan all = scanJvData(file, {});
  EXPECT_EQ(all.day.races.size(), 3u);
  EXPECT_EQ(all.day.payouts.size(), 2u);
}

// A record of an unknown kind, one cut by the end of the file and one whose CR LF is not
// where its length puts it end the scan, naming the record and its offset.
TEST(JvDataRecords, FaultsNameTheRecordAndOffset) {
  using namespace jvtest;
  const auto good = jvFile({raRecord(1), hrRecord(1)});  // 1272 + 719 = 1991 bytes
  struct Case {
    std::vector<std::uint8_t> tail;
    JvScanFault::Kind kind;
    std::string recordKind;
  };
  auto noEnd = hrRecord(2).b;
  noEnd[717] = ' ';
  auto cut = hrRecord(2).b;
  cut.pop_back();
  const Case cases[] = {
      {{'Z', 'Z', 'x', '\r', '\n'}, JvScanFault::Kind::Unknown, "ZZ"},
      {{0xFF}, JvScanFault::Kind::Unknown, "\xFF"},
      {cut, JvScanFault::Kind::Cut, "HR"},
      {noEnd, JvScanFault::Kind::NoLineEnd, "HR"},
  };
  for (const Case& c : cases) {
    auto file = good;
    file.insert(file.end(), c.tail.begin(), c.tail.end());
    const JvScan scan = scanJvData(file, {kDate, kCourse});
    ASSERT_TRUE(scan.fault);
    EXPECT_EQ(scan.fault->kind, c.kind);
    EXPECT_EQ(scan.fault->offset, 1991u);
    EXPECT_EQ(scan.fault->record, 3u);
    EXPECT_EQ(scan.fault->recordKind, c.recordKind);
  }
}

// Files of random records of random days against the plain model: the records of the day
// are the ones whose key bytes say so, in file order.
TEST(JvDataRecords, ScanAgreesWithAModelOfRandomFiles) {
  std::mt19937 rng(27);
  for (int round = 0; round < 200; ++round) {
    std::vector<Rec> recs;
    std::vector<std::pair<char, int>> expected;  // kind letter, race
    const int n = static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) {
      const int date = rng() % 2 ? jvtest::kDate : 20181124;
      const int course = rng() % 2 ? jvtest::kCourse : 6;
      const int r = static_cast<int>(rng() % 12) + 1;
      const bool day = date == jvtest::kDate && course == jvtest::kCourse;
      switch (rng() % 5) {
        case 0: {
          auto x = jvtest::raRecord(r, date, course);
          recs.push_back(x);
          if (day) expected.push_back({'R', r});
          break;
        }
        case 1: {
          auto x = jvtest::seRecord(r, 1, 1, 0, rng() % 2 ? 555 : 547);
          x.race(date, course, 5, 8, r);
          recs.push_back(x);
          if (day) expected.push_back({'S', r});
          break;
        }
        case 2: {
          auto x = jvtest::hrRecord(r);
          x.race(date, course, 5, 8, r);
          recs.push_back(x);
          if (day) expected.push_back({'H', r});
          break;
        }
        case 3: recs.push_back(Rec("O2", 2042)); break;
        default: recs.push_back(Rec("JG", 80)); break;
      }
    }
    const JvScan scan = scanJvData(jvtest::jvFile(recs), {jvtest::kDate, jvtest::kCourse});
    ASSERT_FALSE(scan.fault);
    EXPECT_EQ(scan.day.records, recs.size());
    std::vector<std::pair<char, int>> got;
    std::size_t ra = 0, se = 0, hr = 0;
    // The kinds of the day in file order, by walking the file again with the model.
    for (const Rec& x : recs) {
      const bool day = std::string(x.b.begin() + 11, x.b.begin() + 21) == "2018112505";
      if (!day) continue;
      if (x.b[0] == 'R' && x.b[1] == 'A') got.push_back({'R', scan.day.races.at(ra++).id.race});
      if (x.b[0] == 'S' && x.b[1] == 'E') got.push_back({'S', scan.day.runners.at(se++).id.race});
      if (x.b[0] == 'H' && x.b[1] == 'R') got.push_back({'H', scan.day.payouts.at(hr++).id.race});
    }
    EXPECT_EQ(ra, scan.day.races.size());
    EXPECT_EQ(se, scan.day.runners.size());
    EXPECT_EQ(hr, scan.day.payouts.size());
    EXPECT_EQ(got, expected);
  }
}
