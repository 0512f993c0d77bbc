// Race items: the code and its class table, registering and deleting items.
#include <gtest/gtest.h>

#include <cstring>

#include "domain/race_items.hpp"
#include "entry_fixture.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

// Positions of age 2, 未勝利, kind 2, sex 1, weight 1, 芝, 良.
ItemPositions sample() { return {1, 1, 1, 0, 0, 0, 0}; }

TEST(RaceItemsCode, SampleCodeAndDigits) {
  EXPECT_EQ(koumokuFromPositions(sample()), 20221111u);
  EXPECT_EQ(koumokuDigit(20221111, ItemField::Age), 2);
  EXPECT_EQ(koumokuDigit(20221111, ItemField::Class), 2);
  EXPECT_EQ(koumokuDigit(41394312, ItemField::Class), 13);
  EXPECT_EQ(koumokuDigit(41394312, ItemField::Weight), 3);
  EXPECT_EQ(koumokuDigit(41394312, ItemField::Going), 2);
  EXPECT_EQ(withGoing(20221111, 4), 20221114u);
}

TEST(RaceItemsCode, ClassTableBothWays) {
  // 1000万下 sits at position 3 and stores 13; 900万下 at position 10 stores 4.
  EXPECT_EQ(classCodeForPosition(3), 13);
  EXPECT_EQ(classCodeForPosition(10), 4);
  EXPECT_EQ(classCodeForPosition(11), 12);
  EXPECT_EQ(classPositionForCode(13), 3);
  EXPECT_EQ(classPositionForCode(4), 10);
  // 400万下 only comes from imports and shows as 900万下.
  EXPECT_EQ(classPositionForCode(11), 10);
  EXPECT_EQ(classPositionForCode(0), -1);
  EXPECT_EQ(classPositionForCode(14), -1);
  for (int pos = 0; pos < 12; ++pos) EXPECT_EQ(classPositionForCode(classCodeForPosition(pos)), pos) << pos;
  EXPECT_STREQ(raceItemGroup(ItemField::Class).items[3], "1000万下");
  EXPECT_STREQ(raceItemGroup(ItemField::Class).items[10], "900万下");
}

TEST(RaceItemsCode, ZeroDigitIsInvalid) {
  EXPECT_TRUE(koumokuValid(20221111));
  EXPECT_FALSE(koumokuValid(0));
  EXPECT_FALSE(koumokuValid(20221110));  // going 0
  EXPECT_FALSE(koumokuValid(20021111));  // class 0 in two digits
  EXPECT_FALSE(koumokuValid(2221111));   // age 0
  ItemPositions none = sample();
  none[static_cast<int>(ItemField::Sex)] = -1;
  EXPECT_FALSE(koumokuValid(koumokuFromPositions(none)));
  // Digits beyond a group's items open with nothing selected there.
  ItemPositions odd = positionsFromKoumoku(90221181);
  EXPECT_EQ(odd[static_cast<int>(ItemField::Age)], -1);
  EXPECT_EQ(odd[static_cast<int>(ItemField::Track)], -1);
  EXPECT_EQ(odd[static_cast<int>(ItemField::Going)], 0);
}

TEST(RaceItemsCode, DistanceText) {
  EXPECT_EQ(kyoriFromText("1150"), 1150);
  EXPECT_EQ(kyoriFromText(""), 0);
  EXPECT_EQ(kyoriFromText("0"), 0);
  EXPECT_EQ(kyoriFromText("12ab"), 12);
  EXPECT_EQ(kyoriFromText("x12"), 0);
  EXPECT_EQ(kyoriFromText("65535"), 65535);
  EXPECT_EQ(kyoriFromText("65536"), -1);
}

TEST(RaceItemsCode, ItemsLine) {
  EXPECT_EQ(raceItemsLine(0, 1200), "");
  EXPECT_EQ(raceItemsLine(20221111, 1200), " 3 歳     未 勝 利              馬齢     芝 1200M   良");
  EXPECT_EQ(raceItemsLine(20221111, 1200, true).substr(0, 6), " 4 歳");
}

class RaceItemsEntry : public EntryLedger {};

TEST_F(RaceItemsEntry, RegisterStoresCodeDistanceNameAndSettles) {
  RaceItemsInput in = openRaceItems(day(), 4);
  EXPECT_EQ(in.positions, (ItemPositions{0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(in.kyoriText, "");
  in.positions = sample();
  in.positions[static_cast<int>(ItemField::Class)] = 3;  // 1000万下
  in.kyoriText = "1150";                                 // not a preset
  in.raceName = "ジャパンカップ";
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 4, in)));
  auto disk = onDisk();
  EXPECT_EQ(disk.races[4].koumoku, 21321111u);
  EXPECT_EQ(disk.races[4].kyori, 1150);
  EXPECT_EQ(fixedText(disk.kaisai.raceMei[4]), sj("ジャパンカップ"));
  EXPECT_EQ(disk.kaisai.raceJoutai[4], 1);  // a distance makes the race hold data

  RaceItemsInput again = openRaceItems(day(), 4);
  EXPECT_EQ(again.positions[static_cast<int>(ItemField::Class)], 3);
  EXPECT_EQ(again.kyoriText, "1150");
  EXPECT_EQ(again.raceName, "ジャパンカップ");
}

TEST_F(RaceItemsEntry, StoredClass11ReopensAs900AndRegistersAs4) {
  ds.races[0].koumoku = 31111111;  // age 3, class 11 (400万下), the rest 1
  ds.races[0].kyori = 1600;
  ds.writeShown();
  RaceItemsInput in = openRaceItems(day(), 0);
  EXPECT_EQ(in.positions[static_cast<int>(ItemField::Class)], 10);
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 0, in)));
  EXPECT_EQ(koumokuDigit(onDisk().races[0].koumoku, ItemField::Class), 4);
}

TEST_F(RaceItemsEntry, DistanceRefusals) {
  RaceItemsInput in;
  in.positions = sample();
  for (const char* text : {"", "0", "abc"}) {
    in.kyoriText = text;
    EXPECT_FALSE(run(registerRaceItems(ds.ledger(), key, day(), 0, in)));
    EXPECT_EQ(port.lastText(), "距離を入力して下さい。");
    EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
    EXPECT_EQ(port.messages.back().title, "確認");
  }
  EXPECT_EQ(ds.races[0].koumoku, 0u);
  EXPECT_EQ(onDisk().races[0].kyori, 0);
}

TEST_F(RaceItemsEntry, BrokenCodeIsRefusedAndWritesNothing) {
  // Something in the copy beside the items is not written either.
  MeetingDay copy = day();
  copy.races[6].tanUma[0] = 5;
  const auto raceFileBefore = fileBytes(ds.raceFile());
  RaceItemsInput in;
  in.positions = sample();
  in.positions[static_cast<int>(ItemField::Weight)] = -1;
  in.kyoriText = "2000";
  EXPECT_FALSE(run(registerRaceItems(ds.ledger(), key, copy, 6, in)));
  EXPECT_EQ(port.lastText(), "ﾚｰｽ項目に異常がありました。\n\n7R\n\n登録を中止します。");
  EXPECT_EQ(port.messages.back().icon, MsgIcon::Error);
  EXPECT_EQ(fileBytes(ds.raceFile()), raceFileBefore);
  EXPECT_EQ(onDisk().races[6].tanUma[0], 0);
}

TEST_F(RaceItemsEntry, RaceNameLimitsByCp932Bytes) {
  RaceItemsInput in;
  in.positions = sample();
  in.kyoriText = "1200";
  // 30 full-width characters: exactly 60 bytes, stored whole with its NUL.
  std::string full;
  for (int i = 0; i < 30; ++i) full += "あ";
  in.raceName = full;
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 1, in)));
  auto disk = onDisk();
  EXPECT_EQ(fixedText(disk.kaisai.raceMei[1]).size(), 60u);
  EXPECT_EQ(disk.kaisai.raceMei[1][60], '\0');

  in.raceName = full + "a";  // 61 bytes
  EXPECT_FALSE(run(registerRaceItems(ds.ledger(), key, day(), 2, in)));
  EXPECT_EQ(port.lastText(), "ﾚｰｽ名は 60ﾊﾞｲﾄ (全角 30文字) までです。");
  in.raceName = "有馬記念\xF0\x9F\x8F\x87";  // a horse-racing emoji
  EXPECT_FALSE(run(registerRaceItems(ds.ledger(), key, day(), 2, in)));
  EXPECT_EQ(port.lastText(), "ﾚｰｽ名に登録出来ない文字が含まれています。");
  EXPECT_EQ(onDisk().races[2].koumoku, 0u);
}

TEST_F(RaceItemsEntry, UneditedNameKeepsItsBytes) {
  // A name whose bytes do not decode cleanly must not be rewritten when left alone.
  ds.races[3].koumoku = 20221111;
  ds.races[3].kyori = 1800;
  const char raw[] = {'\x82', '\xA0', '\xFF', 'X', 0};
  std::memcpy(ds.kaisai.raceMei[3], raw, sizeof raw);
  ds.writeShown();
  RaceItemsInput in = openRaceItems(day(), 3);
  in.kyoriText = "2400";
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 3, in)));
  auto disk = onDisk();
  EXPECT_EQ(std::memcmp(disk.kaisai.raceMei[3], raw, sizeof raw), 0);
  EXPECT_EQ(disk.races[3].kyori, 2400);
}

TEST_F(RaceItemsEntry, DeleteAllKeepsTicketsAndResults) {
  RaceItemsInput in;
  in.positions = sample();
  in.kyoriText = "1200";
  in.raceName = "テスト";
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 5, in)));
  ds.races[5].tanUma[0] = 5;
  ds.races[5].tanGaku[0] = 1000;
  run(commitRace(ds.ledger(), key, day(), 5));

  // The caller asks first; ｷｬﾝｾﾙ there runs nothing.
  EXPECT_EQ(deleteRaceItemsQuestion(), "ﾚｰｽ項目を削除します。");
  EXPECT_EQ(onDisk().races[5].koumoku, 20221111u);

  ASSERT_TRUE(run(deleteRaceItems(ds.ledger(), key, day(), 5)));
  auto disk = onDisk();
  EXPECT_EQ(disk.races[5].koumoku, 0u);
  EXPECT_EQ(disk.races[5].kyori, 0);
  EXPECT_EQ(disk.kaisai.raceMei[5][0], '\0');
  EXPECT_EQ(disk.races[5].tanUma[0], 5);
  EXPECT_EQ(disk.kaisai.raceJoutai[5], 2);
  EXPECT_EQ(disk.kaisai.kounyuGaku[12], 1000);
}

TEST_F(RaceItemsEntry, DeleteAllOnItemsOnlyEmptiesTheRace) {
  RaceItemsInput in;
  in.positions = sample();
  in.kyoriText = "1200";
  ASSERT_TRUE(run(registerRaceItems(ds.ledger(), key, day(), 0, in)));
  EXPECT_EQ(onDisk().kaisai.raceJoutai[0], 1);
  ASSERT_TRUE(run(deleteRaceItems(ds.ledger(), key, day(), 0)));
  EXPECT_EQ(onDisk().kaisai.raceJoutai[0], 0);
}

TEST_F(RaceItemsEntry, DayLabel) {
  EXPECT_EQ(entryDayLabel(ds.kaisai, entrytest::kCourse, 4), "12月 3日 3回  8日目  東京競馬場   5R");
  EXPECT_EQ(entryDayLabel(ds.kaisai, entrytest::kCourse, -1), "12月 3日 3回  8日目  東京競馬場");
}

}  // namespace
}  // namespace tovra
