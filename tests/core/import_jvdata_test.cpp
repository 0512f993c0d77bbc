// A day of JV-Data records applied to a meeting day: the race items, the card, the
// finishers and the five record types' results in the race records; the new types'
// winners, 特払, scratches and refunded frames in the store's rows; and a dead heat, a
// scratch, a 特払, a cancelled race and a deletion each coming through to the figures.
#include <gtest/gtest.h>

#include "domain/bet_points.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/race_figures.hpp"
#include "features/import/jvdata/jvdata_import.hpp"
#include "storage/text.hpp"
#include "support/jvdata_builders.hpp"

using namespace tovra;
using namespace tovra::jvtest;

namespace {

const DateKey kDay{2018, 4, 11, 25};  // 東京 (course index 4 = JyoCD 05)

struct Applied {
  KaisaiRecord meeting;
  RaceBlock races{};
  JvApplied a;
};

Applied apply(const std::vector<Rec>& recs, RaceBlock races = RaceBlock{}, bool clearDeleted = false) {
  const auto file = jvFile(recs);
  auto day = jvDataDayOf(file, "jv.dat", kDay);
  EXPECT_TRUE(day) << (day.refused() ? day.refusal().text : "");
  Applied out;
  out.races = races;
  out.a = applyJvDataDay(*day, kDay, out.meeting, out.races, clearDeleted);
  return out;
}

// The store's race as the import leaves it (over a race without rows), with `lines` bought.
StoredRace storedOf(const Applied& x, int race, std::vector<StoredLine> lines = {}) {
  StoredRace s;
  s.lines = std::move(lines);
  for (const ImportedRace& r : x.a.bets.races) {
    if (r.race != race) continue;
    s.winners = r.winners;
    s.special = r.special;
    s.scratched = r.scratched;
    s.refundedFrames = r.refundedFrames;
  }
  return s;
}

StoredLine line(NewBetType t, std::vector<int> combo, int stake) {
  return storedLineOf(PurchaseLine::normal(t, std::move(combo), stake), 1);
}

}  // namespace

TEST(JvDataImport, RaceItemsNameAndDistanceFromRa) {
  Rec ra = raRecord(11);
  ra.put(33, sj("ジャパンカップ")).put(615, "A");
  Applied x = apply({ra});
  // 3歳上, オープン + A = ＧⅠ, 混合, 牡牝, 定量, 芝, 良.
  EXPECT_EQ(x.races[10].koumoku, 30911311u);
  EXPECT_EQ(x.races[10].kyori, 2400);
  EXPECT_EQ(std::string(x.meeting.raceMei[10]), sj("ジャパンカップ"));
  EXPECT_EQ(x.a.races, (std::vector<int>{11}));
  EXPECT_EQ(x.a.text, " 11R");
  EXPECT_TRUE(x.a.bets.races.empty());  // no payouts: the store's results stay
}

// Dirt races take the dirt's going; the jump and turf races the turf's.
TEST(JvDataImport, GoingFollowsTheTrack) {
  struct Case {
    const char* track;
    const char* going;  // 天候, 芝, ダート
    unsigned lastTwoDigits;
  };
  const Case cases[] = {{"11", "134", 13}, {"23", "134", 24}, {"24", "120", 21}, {"51", "130", 33}};
  for (const Case& c : cases) {
    Rec ra = raRecord(1);
    ra.put(706, c.track).put(888, c.going);
    EXPECT_EQ(apply({ra}).races[0].koumoku % 100, c.lastTwoDigits) << c.track;
  }
}

TEST(JvDataImport, CardAndFinishersFromSe) {
  Rec a = seRecord(11, 1, 1, 2), b = seRecord(11, 7, 11, 1), c = seRecord(11, 2, 3, 0);
  a.put(41, sj("キセキ")).put(343, "312");
  b.put(41, sj("アーモンドアイ")).put(339, "2206").num(289, 3, 535);
  Applied x = apply({a, b, c});
  const RaceRecord& r = x.races[10];
  EXPECT_EQ(r.shutsubaWaku[10], 7);
  EXPECT_EQ(std::string(r.shutsubaBamei[10]), sj("ｱ-ﾓﾝﾄﾞｱｲ"));
  EXPECT_EQ(r.shutsubaKinryo[10], 535);
  EXPECT_EQ(r.shutsubaKinryo[0], 57);
  EXPECT_EQ(std::string(r.shutsubaKishu[0]), "Lemaire");
  EXPECT_EQ(r.shutsubaWaku[2], 2);
  EXPECT_EQ(r.shutsubaWaku[5], 0);
  EXPECT_EQ(r.chakuUma[0], 11);
  EXPECT_EQ(std::string(r.chakuText[0]), "2.20.6");
  EXPECT_EQ(r.chakuUma[1], 1);
  EXPECT_EQ(std::string(r.chakuBamei[1]), sj("ｷｾｷ"));
  EXPECT_EQ(std::string(r.chakuText[1]), "3.1/2");
  EXPECT_EQ(r.chakuUma[2], 0);
}

// A card before the race (no positions) leaves the finishers entered by hand.
TEST(JvDataImport, CardWithoutPositionsKeepsFinishers) {
  RaceBlock races{};
  races[0].chakuUma[0] = 9;
  Applied x = apply({seRecord(1, 1, 1, 0)}, races);
  EXPECT_EQ(x.races[0].chakuUma[0], 9);
  EXPECT_EQ(x.races[0].shutsubaWaku[0], 1);
}

// A dead heat for first: both 単勝 horses and payouts in the record, every 馬単, 3連複
// (ascending) and 3連単 combination in the store, and the tickets on each paid.
TEST(JvDataImport, DeadHeatComesThroughToTheFigures) {
  Rec hr = hrRecord(11);
  hr.put(103, "0500000014001").put(116, "0300000021002");
  hr.put(246, "0305000000350001");
  hr.put(454, "0503000000600002").put(470, "0305000000700003");
  hr.put(550, "110503000000900003");
  hr.put(604, "0503110000012000001").put(623, "0305110000013000002");
  Rec s1 = seRecord(11, 3, 5, 1), s2 = seRecord(11, 2, 3, 1), s3 = seRecord(11, 7, 11, 3);
  s1.put(337, "1");
  s2.put(337, "1");
  RaceBlock races{};
  races[10].tanUma[0] = 3;
  races[10].tanGaku[0] = 1000;
  races[10].tanUma[1] = 5;
  races[10].tanGaku[1] = 200;
  Applied x = apply({hr, s1, s2, s3}, races);
  const RaceRecord& r = x.races[10];
  EXPECT_EQ(r.tanKeka[0] % 100, 5);
  EXPECT_EQ(r.tanHaitou[0], 140);
  EXPECT_EQ(r.tanKeka[1] % 100, 3);
  EXPECT_EQ(r.tanHaitou[1], 210);
  EXPECT_EQ(r.umaKeka[0] % 10000, 305);
  EXPECT_EQ(r.chakuUma[0], 3);
  EXPECT_EQ(r.chakuUma[1], 5);
  EXPECT_EQ(std::string(r.chakuText[1]), sj("同着"));
  EXPECT_EQ(r.chakuUma[2], 11);
  ASSERT_EQ(x.a.bets.races.size(), 1u);
  const ImportedRace& ir = x.a.bets.races[0];
  EXPECT_EQ(ir.race, 11);
  EXPECT_TRUE(ir.results);
  const std::vector<StoredWinner> winners{{0, {5, 3, 0}, 600},   {0, {3, 5, 0}, 700},    {1, {3, 5, 11}, 900},
                                          {2, {5, 3, 11}, 1200}, {2, {3, 5, 11}, 1300}};
  EXPECT_EQ(ir.winners, winners);
  EXPECT_EQ(x.a.bets.date, kDay);
  // 単勝 3 (1,000 yen at 210) and 5 (200 yen at 140); 馬単 3-5 and 5-3, 100 yen each.
  const RaceBets b = raceBets(r, storedOf(x, 11, {line(NewBetType::Umatan, {3, 5}, 1),
                                                   line(NewBetType::Umatan, {5, 3}, 1)}));
  EXPECT_EQ(b.figures.of(BetType::Tan).ret, 2100 + 280);
  EXPECT_EQ(b.figures.of(NewBetType::Umatan).ret, 700 + 600);
  EXPECT_TRUE(b.figures.of(NewBetType::Umatan).hit);
}

// A horse scratched (SE abnormality 1) and one refunded by the payouts: their tickets of
// every type are refunded; so are the 枠連 tickets of a refunded frame.
TEST(JvDataImport, ScratchRefundsTheHorsesTickets) {
  Rec hr = hrRecord(2);
  hr.put(59, "0000000100000000000000000000").put(87, "00000010");
  hr.put(103, "0100000030001");
  Rec scratched = seRecord(2, 3, 5, 0);
  scratched.put(332, "1");
  Rec excluded = seRecord(2, 6, 12, 0);
  excluded.put(332, "4");  // 競走中止: not refunded
  RaceBlock races{};
  races[1].tanUma[0] = 5;
  races[1].tanGaku[0] = 500;
  races[1].wakuKumi[0] = 17;
  races[1].wakuGaku[0] = 300;
  Applied x = apply({hr, scratched, excluded}, races);
  ASSERT_EQ(x.a.bets.races.size(), 1u);
  EXPECT_EQ(x.a.bets.races[0].scratched, (std::vector<int>{5, 8}));
  EXPECT_EQ(x.a.bets.races[0].refundedFrames, (std::vector<int>{7}));
  const RaceBets b = raceBets(x.races[1], storedOf(x, 2, {line(NewBetType::Sanrentan, {1, 5, 2}, 2)}));
  EXPECT_EQ(b.figures.of(BetType::Tan).refunded, 500);
  EXPECT_EQ(b.figures.of(BetType::Waku).refunded, 300);
  EXPECT_EQ(b.figures.of(NewBetType::Sanrentan).refunded, 200);
  EXPECT_EQ(b.figures.all.purchase(), 0);
}

// 特払 of 3連単: a ticket off the (unsold) winning combination gets the special payout.
TEST(JvDataImport, SpecialPayoutComesThroughToTheFigures) {
  Rec hr = hrRecord(5);
  hr.put(41, "000000001").put(604, "0000000000000700000");
  Applied x = apply({hr});
  ASSERT_EQ(x.a.bets.races.size(), 1u);
  EXPECT_EQ(x.a.bets.races[0].special[2], 70);
  EXPECT_FALSE(x.a.bets.races[0].special[0]);
  EXPECT_TRUE(x.a.bets.races[0].winners.empty());
  const RaceBets b = raceBets(x.races[4], storedOf(x, 5, {line(NewBetType::Sanrentan, {1, 2, 3}, 3)}));
  EXPECT_EQ(b.figures.of(NewBetType::Sanrentan).ret, 210);
}

// A race cancelled (data kind 9): every horse and frame refunded, every ticket of every
// type refunded, and "中止" in the text of the races read.
TEST(JvDataImport, CancelledRaceRefundsEveryTicket) {
  RaceBlock races{};
  races[3].tanUma[0] = 1;
  races[3].tanGaku[0] = 1000;
  races[3].umaKumi[0] = 102;
  races[3].umaGaku[0] = 500;
  races[3].wakuKumi[0] = 88;
  races[3].wakuGaku[0] = 100;
  races[3].tanKeka[0] = 1;
  races[3].tanHaitou[0] = 300;
  Applied x = apply({raRecord(4), hrRecord(4, '9'), raRecord(5)}, races);
  EXPECT_EQ(x.a.cancelled, (std::vector<int>{4}));
  EXPECT_EQ(x.a.text, "  4R中止  5R");
  EXPECT_EQ(x.races[3].tanKeka[0], 0);
  ASSERT_EQ(x.a.bets.races.size(), 1u);
  EXPECT_EQ(x.a.bets.races[0].scratched.size(), 18u);
  EXPECT_EQ(x.a.bets.races[0].refundedFrames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  const RaceBets b =
      raceBets(x.races[3], storedOf(x, 4, {line(NewBetType::Sanrenpuku, {1, 2, 3}, 1), line(NewBetType::Umatan, {2, 1}, 4)}));
  EXPECT_EQ(b.figures.all.bought, 1000 + 500 + 100 + 100 + 400);
  EXPECT_EQ(b.figures.all.refunded, b.figures.all.bought);
  EXPECT_EQ(b.figures.all.ret, 0);
}

// A deletion (data kind 0) clears nothing unless confirmed; confirmed, it clears the
// race's results in the record and in the store.
TEST(JvDataImport, DeletionClearsResultsOnlyWhenConfirmed) {
  RaceBlock races{};
  races[6].tanKeka[0] = 4;
  races[6].tanHaitou[0] = 520;
  races[6].wideKeka[0] = 405;
  races[6].wideHaitou[0] = 300;
  const std::vector<Rec> recs{hrRecord(7, '2'), hrRecord(7, '0')};
  EXPECT_EQ(jvDeletedRaces(*jvDataDayOf(jvFile(recs), "f", kDay)), (std::vector<int>{7}));
  Applied kept = apply(recs, races, false);
  EXPECT_EQ(kept.races[6].tanKeka[0] % 100, 4);
  EXPECT_EQ(kept.races[6].tanHaitou[0], 520);
  EXPECT_TRUE(kept.a.bets.races.empty());
  EXPECT_EQ(kept.a.deleted, (std::vector<int>{7}));
  EXPECT_EQ(jvConfirmationLines(kept.a).back(), "削除されたﾚｰｽ：  7R  (結果はそのままです)");
  Applied cleared = apply(recs, races, true);
  EXPECT_EQ(cleared.races[6].tanKeka[0], 0);
  EXPECT_EQ(cleared.races[6].wideHaitou[0], 0);
  ASSERT_EQ(cleared.a.bets.races.size(), 1u);
  EXPECT_TRUE(cleared.a.bets.races[0].results);
  EXPECT_TRUE(cleared.a.bets.races[0].winners.empty());
  EXPECT_EQ(jvConfirmationLines(cleared.a).back(), "削除されたﾚｰｽ：  7R  (結果を消去します)");
}

// 速報 and 確定 both import; the later record of a race is the one kept.
TEST(JvDataImport, LaterPayoutRecordWins) {
  Rec first = hrRecord(1, '1'), second = hrRecord(1, '2');
  first.put(103, "0100000030001");
  second.put(103, "0200000040001");
  Applied x = apply({first, second});
  EXPECT_EQ(x.races[0].tanKeka[0] % 100, 2);
  EXPECT_EQ(x.races[0].tanHaitou[0], 400);
}

// Damaged, cut, empty, random files and files without the day: refused, naming the file
// (and the record where there is one).
TEST(JvDataImport, BadFilesAreRefusedNamingFileAndRecord) {
  auto cut = jvFile({raRecord(1), hrRecord(1)});
  cut.pop_back();
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::string text;
  };
  const std::string head = "JV-Dataﾌｧｲﾙ読み込み：\n\nbad.dat ";
  const Case cases[] = {
      {{}, head + "は空のﾌｧｲﾙです。"},
      {cut, head + "の 2 件目のﾚｺｰﾄﾞ (1273 ﾊﾞｲﾄ目から、種別 HR) がﾌｧｲﾙの終わりで切れています。\n読み込みを中止します。"},
      {{'x', 0x82, 'q'}, head + "の 1 件目のﾚｺｰﾄﾞ (1 ﾊﾞｲﾄ目から、種別 x<82>) は読めない種類のﾚｺｰﾄﾞです。\n読み込みを中止します。"},
      {jvFile({raRecord(1, 20181124)}), head + "には表示されている開催ﾃﾞｰﾀのﾚｰｽがありません。"},
  };
  for (const Case& c : cases) {
    const auto r = jvDataDayOf(c.bytes, "bad.dat", kDay);
    ASSERT_TRUE(r.refused());
    EXPECT_EQ(r.refusal().text, c.text);
  }
}
