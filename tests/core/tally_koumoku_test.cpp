// The item tally: its work-file layout, its categories, and its counting of bought races.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/cli_runner.hpp"
#include "common/ledger_builder.hpp"
#include "common/scripted_port.hpp"
#include "domain/settlement.hpp"
#include "features/tally/koumoku_slots.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/koumoku_view.hpp"
#include "storage/bytes.hpp"
#include "storage/text.hpp"
#include "storage/user_port.hpp"

using namespace tovra;
using namespace tovra::tally;
using tovra::testing::LedgerBuilder;

namespace {

// The 51 pieces of tmp/koumoku.tmp: offset and size as the readers expect them.
struct Piece {
  std::size_t offset, bytes;
};
const std::vector<Piece> kPieces = {
    {0, 528},     {528, 176},   {704, 176},   {880, 264},   {1144, 396},  {1540, 88},   {1628, 176},  {1804, 176},
    {1980, 220},  {2200, 220},  {2420, 132},  {2552, 220},  {2772, 352},  {3124, 88},   {3212, 44},   {3256, 1056},
    {4312, 352},  {4664, 352},  {5016, 528},  {5544, 792},  {6336, 176},  {6512, 352},  {6864, 352},  {7216, 440},
    {7656, 440},  {8096, 264},  {8360, 440},  {8800, 704},  {9504, 484},  {9988, 44},   {10032, 88},  {10120, 88},
    {10208, 88},  {10296, 4},   {10300, 5},   {10305, 528}, {10833, 176}, {11009, 176}, {11185, 44},  {11229, 44},
    {11273, 264}, {11537, 88},  {11625, 396}, {12021, 176}, {12197, 220}, {12417, 176}, {12593, 220}, {12813, 132},
    {12945, 220}, {13165, 352}, {13517, 64}};

std::vector<std::uint8_t> encoded(const KoumokuResult& r) {
  std::vector<std::uint8_t> out(KoumokuResult::kSize, 0xEE);
  r.encode(out.data());
  return out;
}

// Puts value v into row 0, column 0 of piece `no` (1-based) through the struct, by the
// piece's meaning, so that the layout test checks names against offsets.
std::vector<std::int32_t*> firstCells(KoumokuResult& r) {
  return {&r.raceNo.balance[0][0],
          &r.age.balance[0][0],
          &r.weight.balance[0][0],
          &r.kind.balance[0][0],
          &r.cls.balance[0][0],
          &r.sex.balance[0][0],
          &r.going.balance[0][0],
          &r.season.balance[0][0],
          &r.betType.balance[0][0],
          &r.distance.balance[0][0],
          &r.track.balance[0][0],
          &r.umaTickets.balance[0][0],
          &r.amount.balance[0][0],
          &r.umarenTicketsAndHits[0][0],
          &r.hitPayoutTotal[0][0],
          &r.raceNo.count[0][0],
          &r.age.count[0][0],
          &r.weight.count[0][0],
          &r.kind.count[0][0],
          &r.cls.count[0][0],
          &r.sex.count[0][0],
          &r.going.count[0][0],
          &r.season.count[0][0],
          &r.betType.count[0][0],
          &r.distance.count[0][0],
          &r.track.count[0][0],
          &r.umaTickets.count[0][0],
          &r.amount.count[0][0],
          &r.payoutBand[0][0],
          &r.hitEntries[0][0],
          &r.races[0][0],
          &r.umarenTicketsPerRace[0][0],
          &r.umarenRacesAndNearMisses[0][0],
          &r.mode,
          nullptr,
          &r.raceNo.purchase[0][0],
          &r.age.purchase[0][0],
          &r.weight.purchase[0][0],
          &r.dayBalance[0][0],
          &r.dayPurchase[0][0],
          &r.kind.purchase[0][0],
          &r.sex.purchase[0][0],
          &r.cls.purchase[0][0],
          &r.going.purchase[0][0],
          &r.betType.purchase[0][0],
          &r.season.purchase[0][0],
          &r.distance.purchase[0][0],
          &r.track.purchase[0][0],
          &r.umaTickets.purchase[0][0],
          &r.amount.purchase[0][0],
          nullptr};
}

// A meeting day whose races are settled from their tickets and results.
struct Day {
  KaisaiRecord k;
  RaceBlock races{};
  explicit Day(int tsukiHi = 601) {
    k.tsukiHi = static_cast<std::uint16_t>(tsukiHi);
    k.kaiNichi = 301;
  }
  RaceRecord& race(int r) { return races[static_cast<std::size_t>(r)]; }
  void settle() { settleAllRaces(k, races); }
};

// Race r with a 単勝 ticket of `stake` yen on horse 1 and the items given.
void tanRace(Day& d, int r, std::int32_t stake, std::uint32_t koumoku = 20221111, int kyori = 1600) {
  RaceRecord& x = d.race(r);
  x.koumoku = koumoku;
  x.kyori = static_cast<std::uint16_t>(kyori);
  x.tanUma[0] = 1;
  x.tanGaku[0] = stake;
}

KoumokuResult count(const std::vector<std::pair<int, Day>>& days) {
  KoumokuCounter counter;
  for (const auto& [c, d] : days) counter.addMeeting(c, d.k, d.races);
  return counter.finish();
}

}  // namespace

TEST(KoumokuLayout, PiecesLieAtTheirOffsetsWithoutPadding) {
  ASSERT_EQ(kPieces.size(), 51u);
  for (std::size_t i = 0; i + 1 < kPieces.size(); ++i)
    EXPECT_EQ(kPieces[i].offset + kPieces[i].bytes, kPieces[i + 1].offset);
  EXPECT_EQ(kPieces.back().offset + kPieces.back().bytes, KoumokuResult::kSize);
  EXPECT_EQ(KoumokuResult::kSize, 13581u);

  KoumokuResult r;
  auto cells = firstCells(r);
  ASSERT_EQ(cells.size(), 51u);
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (cells[i]) *cells[i] = static_cast<std::int32_t>(0x10000 + i);
  std::memcpy(r.yearText, "2001", 5);
  std::memcpy(r.timeStamp, "stamp", 6);
  r.amount.purchase[10][7] = 0x7F6F5F4F;  // the last value before the time stamp

  const auto bytes = encoded(r);
  ASSERT_EQ(bytes.size(), 13581u);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!cells[i]) continue;
    EXPECT_EQ(bytes::getI32(bytes.data(), kPieces[i].offset), static_cast<std::int32_t>(0x10000 + i))
        << "piece " << i + 1;
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[10300])), "2001");
  EXPECT_EQ(bytes[10304], 0);
  EXPECT_EQ(bytes::getI32(bytes.data(), 13513), 0x7F6F5F4F);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[13517])), "stamp");
  for (std::size_t i = 13517 + 6; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(KoumokuLayout, ASavedCopyOfTheFirst13552BytesReadsCompletely) {
  KoumokuResult r;
  r.cls.count[3][12] = 7;
  r.amount.purchase[10][7] = -5;
  r.mode = 1;
  std::memcpy(r.yearText, "1999", 5);
  // 34 bytes of stamp text and its NUL end exactly at 13 552.
  std::memset(r.timeStamp, 'x', 34);
  auto bytes = encoded(r);
  bytes.resize(KoumokuResult::kReadSize);

  KoumokuResult back;
  ASSERT_TRUE(back.decode(bytes.data(), bytes.size()));
  EXPECT_EQ(back.cls.count[3][12], 7);
  EXPECT_EQ(back.amount.purchase[10][7], -5);
  EXPECT_EQ(back.mode, 1);
  EXPECT_STREQ(back.yearText, "1999");
  EXPECT_EQ(std::string(back.timeStamp), std::string(34, 'x'));

  KoumokuResult untouched;
  untouched.mode = 9;
  EXPECT_FALSE(untouched.decode(bytes.data(), bytes.size() - 1));
  EXPECT_EQ(untouched.mode, 9);
}

TEST(KoumokuSlots, DistanceBands) {
  using namespace koumoku_slot;
  EXPECT_EQ(distance(999), -1);
  EXPECT_EQ(distance(1000), 0);
  EXPECT_EQ(distance(1400), 0);
  EXPECT_EQ(distance(1500), -1);
  EXPECT_EQ(distance(1700), 1);
  EXPECT_EQ(distance(1900), -1);
  EXPECT_EQ(distance(2400), 2);
  EXPECT_EQ(distance(2500), 3);
  EXPECT_EQ(distance(2950), -1);
  EXPECT_EQ(distance(3000), 4);
  EXPECT_EQ(distance(3600), 4);
  EXPECT_EQ(distance(0), -1);
}

TEST(KoumokuSlots, ClassCodesAndTheirOlderNames) {
  using namespace koumoku_slot;
  auto cls = [](int code) { return raceClass(static_cast<std::uint32_t>(20000000 + code * 100000 + 21111)); };
  EXPECT_EQ(cls(1), 0);
  EXPECT_EQ(cls(10), 0);  // 未出走 with 新馬
  EXPECT_EQ(cls(2), 1);
  EXPECT_EQ(cls(3), 2);
  EXPECT_EQ(cls(11), 2);
  EXPECT_EQ(cls(4), 3);   // 900万下
  EXPECT_EQ(cls(13), 3);  // 1000万下
  EXPECT_EQ(cls(5), 4);
  EXPECT_EQ(cls(12), 4);
  EXPECT_EQ(cls(6), 5);
  EXPECT_EQ(cls(9), 8);
  EXPECT_EQ(cls(0), -1);
  EXPECT_EQ(cls(14), -1);  // outside 1-13: no slot
  EXPECT_EQ(cls(99), -1);
}

TEST(KoumokuSlots, ItemDigitsWithoutSlots) {
  using namespace koumoku_slot;
  EXPECT_EQ(kind(20271111), -1);  // 九州産馬限定
  EXPECT_EQ(kind(20261111), 5);
  EXPECT_EQ(sex(20223111), -1);  // 牡馬限定
  EXPECT_EQ(sex(20222111), 1);
  EXPECT_EQ(age(50221111), -1);
  EXPECT_EQ(age(40221111), 3);
  EXPECT_EQ(weight(20221411), 3);
  EXPECT_EQ(track(20221131), 2);
  EXPECT_EQ(track(20221141), -1);
  EXPECT_EQ(going(20221114), 3);
  EXPECT_EQ(going(20221110), -1);
}

TEST(KoumokuSlots, SeasonTicketsAmountAndPayoutBands) {
  using namespace koumoku_slot;
  EXPECT_EQ(season(105), 0);
  EXPECT_EQ(season(331), 0);
  EXPECT_EQ(season(401), 1);
  EXPECT_EQ(season(1228), 3);
  EXPECT_EQ(season(1301), -1);

  EXPECT_EQ(umarenTickets(0), -1);
  EXPECT_EQ(umarenTickets(1), 0);
  EXPECT_EQ(umarenTickets(4), 1);
  EXPECT_EQ(umarenTickets(5), 2);
  EXPECT_EQ(umarenTickets(10), 3);
  EXPECT_EQ(umarenTickets(11), 4);
  EXPECT_EQ(umarenTickets(20), 4);

  EXPECT_EQ(amount(100), 0);
  EXPECT_EQ(amount(1000), 0);
  EXPECT_EQ(amount(1050), -1);
  EXPECT_EQ(amount(1100), 1);
  EXPECT_EQ(amount(3000), 1);
  EXPECT_EQ(amount(3050), -1);
  EXPECT_EQ(amount(10000), 4);
  EXPECT_EQ(amount(10100), 5);
  EXPECT_EQ(amount(50000), 6);
  EXPECT_EQ(amount(50050), -1);
  EXPECT_EQ(amount(50100), 7);

  EXPECT_EQ(payoutBand(100), 0);
  EXPECT_EQ(payoutBand(990), 0);
  EXPECT_EQ(payoutBand(995), -1);
  EXPECT_EQ(payoutBand(1000), 1);
  EXPECT_EQ(payoutBand(1990), 1);
  EXPECT_EQ(payoutBand(5430), 5);
  EXPECT_EQ(payoutBand(9990), 9);
  EXPECT_EQ(payoutBand(10000), 10);
  EXPECT_EQ(payoutBand(123450), 10);
}

TEST(KoumokuCount, DistanceClassAndMissingSlots) {
  Day d;
  tanRace(d, 0, 1000, 20221111, 1500);  // 1 500 m: no distance slot
  tanRace(d, 1, 1000, 20221111, 1700);  // distance slot 1
  tanRace(d, 2, 1000, 21321111, 1200);  // class 13 (1000万下)
  tanRace(d, 3, 1000, 20421111, 1200);  // class 4 (900万下)
  tanRace(d, 4, 1000, 21021111, 1200);  // class 10 (未出走) with 新馬
  tanRace(d, 5, 1000, 20271111, 1200);  // race kind 7: not in the kind table
  tanRace(d, 6, 1000, 20223111, 1200);  // sex 3: not in the sex table
  tanRace(d, 7, 1000, 0, 1200);         // no race items: only race number, season, bet type, amount
  d.settle();
  const KoumokuResult r = count({{4, d}});

  EXPECT_EQ(r.races[4][0], 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(r.raceNo.count[4][i], 1);
  int distanceTotal = 0;
  for (int s = 0; s < 5; ++s) distanceTotal += r.distance.count[4][s];
  EXPECT_EQ(distanceTotal, 6);  // all with items but the 1 500 m race
  EXPECT_EQ(r.distance.count[4][1], 1);
  EXPECT_EQ(r.distance.count[4][0], 5);
  EXPECT_EQ(r.cls.count[4][3], 2);
  EXPECT_EQ(r.cls.purchase[4][3], 2000);
  EXPECT_EQ(r.cls.count[4][0], 1);
  EXPECT_EQ(r.cls.count[4][1], 4);  // 未勝利: races 0, 1, 5, 6
  int kinds = 0, sexes = 0, ages = 0;
  for (int s = 0; s < 6; ++s) kinds += r.kind.count[4][s];
  for (int s = 0; s < 2; ++s) sexes += r.sex.count[4][s];
  for (int s = 0; s < 4; ++s) ages += r.age.count[4][s];
  EXPECT_EQ(kinds, 6);
  EXPECT_EQ(sexes, 6);
  EXPECT_EQ(ages, 7);
  EXPECT_EQ(r.season.count[4][1], 8);
  EXPECT_EQ(r.amount.count[4][0], 8);
  EXPECT_EQ(r.betType.count[4][0], 8);
  EXPECT_EQ(r.betType.purchase[4][0], 8000);
  EXPECT_EQ(r.betType.balance[4][0], -8000);
  EXPECT_EQ(r.dayPurchase[4][0], 8000);
  EXPECT_EQ(r.dayBalance[4][0], -8000);
}

TEST(KoumokuCount, TwentyQuinellaTicketsAndAnOddAmount) {
  Day d;
  RaceRecord& x = d.race(0);
  x.koumoku = 20221111;
  x.kyori = 2000;
  for (int t = 0; t < 20; ++t) {
    x.umaKumi[t] = static_cast<std::uint16_t>(100 + t + 2);  // 1-2 ... 1-21
    x.umaGaku[t] = 100;
  }
  RaceRecord& y = d.race(1);
  tanRace(d, 1, 1050);  // 1 050 yen: no amount slot
  y.kyori = 1200;
  d.settle();
  const KoumokuResult r = count({{0, d}});

  EXPECT_EQ(r.umaTickets.count[0][4], 1);
  EXPECT_EQ(r.umaTickets.purchase[0][4], 2000);
  EXPECT_EQ(r.umarenTicketsAndHits[0][0], 20);
  EXPECT_EQ(r.umarenTicketsPerRace[0][0], 20);
  EXPECT_EQ(r.umarenTicketsPerRace[0][1], 1);
  EXPECT_EQ(r.umarenRacesAndNearMisses[0][0], 1);
  EXPECT_EQ(r.amount.count[0][1], 1);  // 2 000 yen
  int amounts = 0;
  for (int s = 0; s < 8; ++s) amounts += r.amount.count[0][s];
  EXPECT_EQ(amounts, 1);
  EXPECT_EQ(r.races[0][0], 2);
}

TEST(KoumokuCount, HitRaceOnlyOnPlaceHitsOnlyThePlaceSlot) {
  Day d(1015);
  RaceRecord& x = d.race(3);
  x.koumoku = 30221121;
  x.kyori = 2400;
  x.tanUma[0] = 5;
  x.tanGaku[0] = 1000;
  x.fukuUma[0] = 5;
  x.fukuGaku[0] = 1000;
  x.umaKumi[0] = 305;
  x.umaKumi[1] = 507;
  x.umaGaku[0] = 500;
  x.umaGaku[1] = 500;
  x.tanKeka[0] = 3;
  x.tanHaitou[0] = 400;
  x.fukuKeka[0] = 3;
  x.fukuKeka[1] = 5;
  x.fukuKeka[2] = 7;
  x.fukuHaitou[0] = 150;
  x.fukuHaitou[1] = 1230;  // band 1
  x.fukuHaitou[2] = 200;
  x.umaKeka[0] = 307;
  x.umaHaitou[0] = 2500;
  d.settle();
  ASSERT_EQ(d.k.raceJoutai[3], 12);
  const KoumokuResult r = count({{8, d}});

  // Bet types: 単勝 and 馬連 bought, not hit; 複勝 bought and hit.
  EXPECT_EQ(r.betType.count[8][0], 1);
  EXPECT_EQ(r.betType.count[8][5 + 0], 0);
  EXPECT_EQ(r.betType.count[8][1], 1);
  EXPECT_EQ(r.betType.count[8][5 + 1], 1);
  EXPECT_EQ(r.betType.count[8][4], 1);
  EXPECT_EQ(r.betType.count[8][5 + 4], 0);
  EXPECT_EQ(r.betType.purchase[8][1], 1000);
  EXPECT_EQ(r.betType.balance[8][1], 12300 - 1000);
  EXPECT_EQ(r.betType.balance[8][0], -1000);
  EXPECT_EQ(r.betType.balance[8][4], -1000);
  // Elsewhere a hit race.
  EXPECT_EQ(r.raceNo.count[8][12 + 3], 1);
  EXPECT_EQ(r.age.count[8][4 + 2], 1);
  EXPECT_EQ(r.track.count[8][3 + 1], 1);
  EXPECT_EQ(r.season.count[8][4 + 3], 1);
  EXPECT_EQ(r.distance.count[8][5 + 2], 1);
  EXPECT_EQ(r.umaTickets.count[8][5 + 1], 1);
  EXPECT_EQ(r.amount.count[8][8 + 1], 1);
  EXPECT_EQ(r.races[8][1], 1);
  EXPECT_EQ(r.raceNo.balance[8][3], 12300 - 3000);
  // Hit payouts: only the marked 複勝 result.
  EXPECT_EQ(r.hitEntries[8][0], 1);
  EXPECT_EQ(r.hitPayoutTotal[8][0], 1230);
  EXPECT_EQ(r.payoutBand[8][1], 1);
  EXPECT_EQ(r.umarenTicketsAndHits[8][1], 0);
  // A hit race is never counted in 馬連 figures C's second column.
  EXPECT_EQ(r.umarenRacesAndNearMisses[8][0], 1);
  EXPECT_EQ(r.umarenRacesAndNearMisses[8][1], 0);
}

TEST(KoumokuCount, QuinellaFiguresAndPayoutBands) {
  Day d(215);
  // Race 0: 馬連 3-7 hit (dead heat gives a second marked result on 3-9).
  RaceRecord& a = d.race(0);
  a.koumoku = 20221111;
  a.umaKumi[0] = 307;
  a.umaKumi[1] = 309;
  a.umaGaku[0] = 200;
  a.umaGaku[1] = 100;
  a.umaKeka[0] = 307;
  a.umaKeka[1] = 309;
  a.umaHaitou[0] = 990;
  a.umaHaitou[1] = 15000;
  // Race 1: not hit; its 馬連 ticket 2-4 has both horses among the 複勝 results.
  RaceRecord& b = d.race(1);
  b.koumoku = 20221111;
  b.umaKumi[0] = 204;
  b.umaGaku[0] = 100;
  b.umaKeka[0] = 104;
  b.umaHaitou[0] = 3000;
  b.fukuKeka[0] = 1;
  b.fukuKeka[1] = 4;
  b.fukuKeka[2] = 2;
  // Race 2: status 1 only (a comment): not a bought race.
  std::strcpy(d.race(2).comento, "x");
  d.settle();
  ASSERT_EQ(d.k.raceJoutai[0], 12);
  ASSERT_EQ(d.k.raceJoutai[1], 2);
  ASSERT_EQ(d.k.raceJoutai[2], 1);
  const KoumokuResult r = count({{2, d}});

  EXPECT_EQ(r.races[2][0], 2);
  EXPECT_EQ(r.races[2][1], 1);
  EXPECT_EQ(r.umarenTicketsAndHits[2][0], 3);
  EXPECT_EQ(r.umarenTicketsAndHits[2][1], 2);
  EXPECT_EQ(r.umarenTicketsPerRace[2][0], 3);
  EXPECT_EQ(r.umarenTicketsPerRace[2][1], 2);
  EXPECT_EQ(r.umarenRacesAndNearMisses[2][0], 2);
  EXPECT_EQ(r.umarenRacesAndNearMisses[2][1], 1);
  EXPECT_EQ(r.hitEntries[2][0], 2);
  EXPECT_EQ(r.hitPayoutTotal[2][0], 15990);
  EXPECT_EQ(r.payoutBand[2][0], 1);
  EXPECT_EQ(r.payoutBand[2][10], 1);
  EXPECT_EQ(r.betType.balance[2][4], 2 * 990 + 15000 - 400);
  EXPECT_EQ(r.raceNo.count[2][2], 0);
}

TEST(KoumokuCount, RowTenIsTheSumOfTheCoursesInEveryTable) {
  std::vector<std::pair<int, Day>> days;
  for (int c = 0; c < 10; ++c) {
    Day d(100 * (c + 1) + 5);
    for (int r = 0; r <= c; ++r) {
      tanRace(d, r, 100 * (c + r + 1), 20221111 + static_cast<std::uint32_t>(r % 3) * 10, 1000 + 200 * r);
      d.race(r).tanKeka[0] = 1;
      d.race(r).tanHaitou[0] = 150 * (r + 1);
      d.race(r).umaKumi[0] = 102;
      d.race(r).umaGaku[0] = 100;
    }
    d.settle();
    days.emplace_back(c, d);
  }
  const auto bytes = encoded(count(days));
  int checked = 0;
  for (std::size_t i = 0; i < kPieces.size(); ++i) {
    if (i == 33 || i == 34 || i == 50) continue;  // mode, year text, time stamp
    const std::size_t cols = kPieces[i].bytes / 4 / 11;
    ASSERT_EQ(cols * 4 * 11, kPieces[i].bytes);
    for (std::size_t col = 0; col < cols; ++col) {
      std::int64_t sum = 0;
      for (std::size_t row = 0; row < 10; ++row)
        sum += bytes::getI32(bytes.data(), kPieces[i].offset + 4 * (row * cols + col));
      EXPECT_EQ(bytes::getI32(bytes.data(), kPieces[i].offset + 4 * (10 * cols + col)), sum) << "piece " << i + 1;
      checked += sum != 0;
    }
  }
  EXPECT_GT(checked, 40);
}

namespace {

const Clock kClock = [] { return StampTime{2024, 6, 1, 9, 5}; };

// Two years: 2001 with a day at 東京 (a hit race and an unbought race) and one at 阪神,
// 2000 with a day at 東京.
struct KoumokuLedger : ::testing::Test {
  LedgerBuilder ledger{{2001, 2000}};
  void SetUp() override {
    Day tokyo(601);
    tanRace(tokyo, 0, 1000);
    tokyo.race(0).tanKeka[0] = 1;
    tokyo.race(0).tanHaitou[0] = 350;
    tokyo.race(1).kyori = 1200;  // race data only
    tokyo.settle();
    Day hanshin(1105);
    tanRace(hanshin, 10, 3000, 40821411, 3200);
    hanshin.settle();
    Day old(612);
    tanRace(old, 5, 500);
    old.settle();
    ledger.setMeetings(2001, 4, {tokyo.k}, {tokyo.races});
    ledger.setMeetings(2001, 8, {hanshin.k, hanshin.k}, {hanshin.races, hanshin.races});
    ledger.setMeetings(2000, 4, {old.k}, {old.races});
  }
};

}  // namespace

TEST_F(KoumokuLedger, AllYearsWritesTheWorkFileAndKeepsTheSelection) {
  LedgerCursor ds = ledger.open(2001, 8, 1);
  const KaisaiRecord shownBefore = ds.kaisai;
  ScriptedPort port;
  ASSERT_TRUE(runKoumokuTally(ds, port, 0, 0, kClock));
  EXPECT_EQ(port.waitSteps, 20);  // ten courses in each of two years
  EXPECT_EQ(ds.year, "2001");
  EXPECT_EQ(ds.course, 8);
  EXPECT_EQ(ds.shown(), 1);
  EXPECT_EQ(ds.kaisai.tsukiHi, shownBefore.tsukiHi);
  EXPECT_EQ(ds.races[10].kyori, 3200);

  const auto file = ledger.read(kKoumokuWorkFile);
  ASSERT_EQ(file.size(), 13581u);
  EXPECT_EQ(bytes::getI32(file.data(), koumoku_off::mode), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[koumoku_off::yearText])), "2000");  // the last one scanned
  EXPECT_EQ(cp932ToUtf8(reinterpret_cast<const char*>(&file[koumoku_off::timeStamp])),
            "集計日時    2024年 6月 1日 9時 5分");
  // Bought races per course and in all: 東京 2 (one hit), 阪神 2.
  auto races = [&](int row, int col) { return bytes::getI32(file.data(), koumoku_off::races + 4 * (2 * row + col)); };
  EXPECT_EQ(races(4, 0), 2);
  EXPECT_EQ(races(4, 1), 1);
  EXPECT_EQ(races(8, 0), 2);
  EXPECT_EQ(races(10, 0), 4);
  EXPECT_EQ(races(10, 1), 1);
  EXPECT_EQ(bytes::getI32(file.data(), koumoku_off::dayPurchase + 4 * 8), 6000);
  EXPECT_EQ(bytes::getI32(file.data(), koumoku_off::dayBalance + 4 * 4), 2500 - 500);

  const auto r = readKoumokuFile(ds);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->cls.count[8][7], 2);       // G2
  EXPECT_EQ(r->distance.count[8][4], 2);  // 3 200 m
  EXPECT_EQ(r->age.count[8][3], 2);       // 4歳上
  EXPECT_EQ(r->weight.count[8][3], 2);    // ﾊﾝﾃﾞ
  EXPECT_EQ(r->amount.count[8][1], 2);
  EXPECT_EQ(r->season.count[4][1], 2);
  EXPECT_EQ(r->season.count[4][4 + 1], 1);
}

TEST_F(KoumokuLedger, OneYearAndAShortSavedCopy) {
  LedgerCursor ds = ledger.open();
  ScriptedPort port;
  ASSERT_TRUE(runKoumokuTally(ds, port, 1, 1, kClock));  // position 1: 2000
  EXPECT_EQ(port.waitSteps, 10);
  auto r = readKoumokuFile(ds);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->mode, 1);
  EXPECT_STREQ(r->yearText, "2000");
  EXPECT_EQ(r->races[10][0], 1);
  EXPECT_EQ(r->raceNo.purchase[4][5], 500);

  // A saved copy is 13 552 bytes long; one byte less is no result.
  auto file = ledger.read(kKoumokuWorkFile);
  file.resize(KoumokuResult::kReadSize);
  ledger.write(kKoumokuWorkFile, file);
  EXPECT_TRUE(readKoumokuFile(ds).has_value());
  file.pop_back();
  ledger.write(kKoumokuWorkFile, file);
  EXPECT_FALSE(readKoumokuFile(ds).has_value());
}

TEST(KoumokuView, HeadingsCourseTotalsAndThePageOfFigures) {
  KoumokuResult r;
  r.mode = 1;
  std::memcpy(r.yearText, "2001", 5);
  EXPECT_EQ(koumokuView(r, 10).heading, " 項目集計    2001年   全競馬場");
  EXPECT_EQ(koumokuView(r, 4).heading, " 項目集計    2001年   東京競馬場");
  r.mode = 0;
  EXPECT_EQ(koumokuView(r, 10).heading, " 項目集計  全データ   全競馬場");
  EXPECT_EQ(koumokuView(r, 0).heading, " 項目集計  全データ   札幌競馬場");

  // Nothing hit, nothing bought: blanks everywhere, meeting days or not.
  r.dayPurchase[4][0] = r.dayPurchase[10][0] = 5000;
  KoumokuView v = koumokuView(r, 4);
  EXPECT_EQ(v.heitei, "  ");
  EXPECT_EQ(v.racesu, "  ");
  EXPECT_EQ(v.hai[0], "  ");
  EXPECT_EQ(v.jyo.kou, "         0円");
  EXPECT_EQ(v.pages[0].sections[0].rows[0].kou, "         0円");
  EXPECT_EQ(v.pages[0].sections[0].rows[0].shu, "  ");

  // A row with purchase 10 000 and balance -2 500, one hit of two.
  r.age.count[4][2] = 2;
  r.age.count[4][4 + 2] = 1;
  r.age.purchase[4][2] = 10000;
  r.age.balance[4][2] = -2500;
  r.races[4][0] = r.races[10][0] = 4;
  r.races[4][1] = r.races[10][1] = 1;
  r.dayBalance[4][0] = r.dayBalance[10][0] = 1500;
  r.payoutBand[4][3] = 2;
  r.hitPayoutTotal[4][0] = 7000;
  r.hitEntries[4][0] = 2;
  r.umarenTicketsAndHits[4][0] = 8;
  r.umarenTicketsAndHits[4][1] = 1;
  r.umarenTicketsPerRace[4][0] = 8;
  r.umarenTicketsPerRace[4][1] = 3;
  v = koumokuView(r, 4);
  const CellView& age3 = v.pages[1].sections[0].rows[2];
  EXPECT_EQ(age3.kou, "     10000円       75.0％        7500円");
  EXPECT_EQ(age3.shu, "     -2500円");
  EXPECT_EQ(age3.teki, "  50.0％");
  EXPECT_FALSE(age3.plus);
  EXPECT_EQ(v.hai[3], "         2点");
  EXPECT_EQ(v.heitei, " 3500円");
  EXPECT_EQ(v.racesu, "         4Ｒ");
  EXPECT_EQ(v.tekichu, "         1Ｒ");
  EXPECT_EQ(v.umahei, " 2.67点");
  EXPECT_EQ(v.zisshitsu, " 12.5％");
  EXPECT_EQ(v.nicha, "  ");
  EXPECT_TRUE(v.courseTotalVisible);
  EXPECT_EQ(v.jyoLabel, "東京総合");
  EXPECT_EQ(v.jyo.kou, "      5000円      130.0％        6500円");
  EXPECT_TRUE(v.jyo.plus);
  EXPECT_EQ(v.jyo.teki, "  25.0％");

  // Back to all courses: the course totals are hidden, the all-course totals the same.
  const KoumokuView all = koumokuView(r, 10);
  EXPECT_FALSE(all.courseTotalVisible);
  EXPECT_EQ(all.zen.kou, v.zen.kou);
  EXPECT_EQ(payoutBandLabels()[1], "1000円 ～ 1990円");
  EXPECT_EQ(payoutBandLabels()[10], "10000円 ～");
}

TEST_F(KoumokuLedger, CommandLine) {
  auto cli = [&](const std::string& args) { return tovra::testing::runCli(ledger.root(), args); };
  auto r = cli("tally koumoku --range all");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind(" 項目集計  全データ   全競馬場\n集計日時", 0), 0u);
  EXPECT_NE(r.out.find("\n[ﾚｰｽNO]\t"), std::string::npos);
  EXPECT_NE(r.out.find("\n11R\t      6000円"), std::string::npos);
  EXPECT_NE(r.out.find("\n全場総合\t"), std::string::npos);
  EXPECT_EQ(r.out.find("東京総合"), std::string::npos);
  EXPECT_EQ(ledger.read(kKoumokuWorkFile).size(), 13581u);

  r = cli("tally koumoku --range 2001 --course tok");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find(" 項目集計    2001年   東京競馬場"), std::string::npos);
  EXPECT_NE(r.out.find("\n東京総合\t      1000円      350.0％        3500円"), std::string::npos);

  std::filesystem::remove(ledger.root() / kKoumokuWorkFile);
  EXPECT_EQ(cli("tally koumoku --range 1999").exitCode, 1);
  EXPECT_EQ(cli("tally koumoku --range all --course xyz").exitCode, 1);
  EXPECT_EQ(cli("tally koumoku --range all --course 11").exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(ledger.root() / kKoumokuWorkFile));
}
