// The race comment and the going of a whole day; the common settle-and-write and cancel.
#include <gtest/gtest.h>

#include <cstring>

#include "domain/settlement.hpp"
#include "entry_fixture.hpp"
#include "features/entry/entry_text.hpp"
#include "features/entry/purchase.hpp"
#include "features/entry/race_entry.hpp"
#include "storage/text.hpp"

namespace tovra {
namespace {

using entrytest::EntryLedger;

class CommentEntry : public EntryLedger {};

TEST_F(CommentEntry, CommentOnAnEmptyRaceGivesState1) {
  ASSERT_TRUE(run(registerComment(ds.ledger(), key, day(), 8, "外枠不利")));
  auto disk = onDisk();
  EXPECT_EQ(fixedText(disk.races[8].comento), sj("外枠不利"));
  EXPECT_EQ(disk.kaisai.raceJoutai[8], 1);
  EXPECT_EQ(disk.kaisai.kounyuGaku[8], 0);
  EXPECT_EQ(disk.kaisai.shushi[8], 0);
}

TEST_F(CommentEntry, LineBreaksAreStoredAsCrLf) {
  ASSERT_TRUE(run(registerComment(ds.ledger(), key, day(), 0, "一行目\n二行目\r\n三行目")));
  EXPECT_EQ(fixedText(onDisk().races[0].comento), sj("一行目\r\n二行目\r\n三行目"));
  EXPECT_EQ(commentForMemo(ds.races[0]), "一行目\n二行目\n三行目");
}

TEST_F(CommentEntry, SixtyFullWidthCharactersFitWhole) {
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "馬";
  ASSERT_TRUE(run(registerComment(ds.ledger(), key, day(), 1, sixty)));
  auto disk = onDisk();
  EXPECT_EQ(fixedText(disk.races[1].comento).size(), 120u);
  EXPECT_EQ(commentForMemo(ds.races[1]), sixty);

  EXPECT_FALSE(run(registerComment(ds.ledger(), key, day(), 2, sixty + "a")));
  EXPECT_EQ(port.lastText(), "ｺﾒﾝﾄは全角で 60文字 (120ﾊﾞｲﾄ) までです。");
  // 119 characters and one break: the break takes two bytes, 121 in all.
  EXPECT_FALSE(run(registerComment(ds.ledger(), key, day(), 2, std::string(59, 'a') + "\n" + std::string(60, 'b'))));
  EXPECT_FALSE(run(registerComment(ds.ledger(), key, day(), 2, "ok\xF0\x9F\x98\x80")));
  EXPECT_EQ(port.lastText(), "ｺﾒﾝﾄに登録出来ない文字が含まれています。");
  EXPECT_EQ(onDisk().races[2].comento[0], '\0');
}

TEST_F(CommentEntry, UneditedCommentKeepsItsBytes) {
  const char raw[] = {'a', '\r', 'b', '\x82', 0};  // a lone CR and a cut double-byte character
  std::memcpy(ds.races[3].comento, raw, sizeof raw);
  ds.writeShown();
  ASSERT_TRUE(run(registerComment(ds.ledger(), key, day(), 3, commentForMemo(ds.races[3]))));
  EXPECT_EQ(std::memcmp(onDisk().races[3].comento, raw, sizeof raw), 0);
  EXPECT_EQ(onDisk().kaisai.raceJoutai[3], 1);
}

class RaceCommit : public EntryLedger {};

TEST_F(RaceCommit, PurchaseOnACopyWritesNothingUntilTheCommit) {
  const auto meetingBefore = fileBytes(ds.meetingFile());
  const auto racesBefore = fileBytes(ds.raceFile());
  MeetingDay copy = day();
  PurchaseBook book(copy.races[0], otherRacesMoney(copy.meeting, 0));
  ASSERT_FALSE(book.addSingle(BetType::Tan, 4, "3").refused);
  std::strcpy(copy.races[0].comento, "typed");
  EXPECT_EQ(fileBytes(ds.meetingFile()), meetingBefore);
  EXPECT_EQ(fileBytes(ds.raceFile()), racesBefore);

  const Result<MeetingDay> written = commitRace(ds.ledger(), key, copy, 0);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->meeting.kounyuGaku[0], 300);  // settled before it was written
  const auto disk = onDisk();
  EXPECT_EQ(disk.races[0].tanUma[0], 4);
  EXPECT_EQ(disk.kaisai.kounyuGaku[0], 300);
  EXPECT_EQ(disk.kaisai.kounyuGaku[12], 300);
  EXPECT_EQ(fixedText(disk.races[0].comento), "typed");
}

TEST(CommentText, FittingWhileTyping) {
  std::string sixtyOne;
  for (int i = 0; i < 61; ++i) sixtyOne += "あ";
  EXPECT_EQ(cp932Length(fitComment(sixtyOne)), 120u);
  EXPECT_EQ(fitComment(std::string(119, 'a') + "\n"), std::string(119, 'a'));
  EXPECT_EQ(fitComment("a\r\nb"), "a\nb");
  EXPECT_EQ(fitCp932Bytes("ｱｲｳ漢字", 5), "ｱｲｳ漢");
  EXPECT_EQ(fitCp932Bytes("ｱｲｳ漢字", 4), "ｱｲｳ");
  EXPECT_EQ(cp932Length("ｱ漢a"), 4u);
  EXPECT_EQ(commentToStored("a\rb\nc"), "a\r\nb\r\nc");
}

class GoingEntry : public EntryLedger {};

TEST_F(GoingEntry, OnlyRacesWithItemsChange) {
  for (int r = 0; r < 6; ++r) {
    ds.races[r].koumoku = 20221111;
    ds.races[r].kyori = 1200;
  }
  ds.races[9].kyori = 1000;  // data but no items
  settleAllRaces(ds.kaisai, ds.races);
  ds.writeShown();
  const auto meetingBefore = fileBytes(ds.meetingFile());

  GoingSheet sheet(ds.races);
  EXPECT_TRUE(sheet.enabled(5));
  EXPECT_FALSE(sheet.enabled(6));
  EXPECT_EQ(sheet.selected(0), 0);
  EXPECT_EQ(sheet.selected(6), -1);
  sheet.selectAll(2);  // すべて重
  sheet.select(9, 1);  // a disabled group takes no choice
  EXPECT_EQ(sheet.selected(9), -1);
  ASSERT_TRUE(sheet.apply(ds.ledger(), key));

  auto disk = onDisk();
  for (int r = 0; r < 6; ++r) EXPECT_EQ(disk.races[r].koumoku, 20221113u) << r;
  for (int r = 6; r < 12; ++r) EXPECT_EQ(disk.races[r].koumoku, 0u) << r;
  EXPECT_EQ(disk.races[9].kyori, 1000);
  EXPECT_EQ(fileBytes(ds.meetingFile()), meetingBefore);
}

TEST_F(GoingEntry, SingleRaceToFuryo) {
  ds.races[2].koumoku = 20221111;
  ds.writeShown();
  GoingSheet sheet(ds.races);
  sheet.select(2, 3);
  ASSERT_TRUE(sheet.apply(ds.ledger(), key));
  EXPECT_EQ(onDisk().races[2].koumoku, 20221114u);
}

TEST_F(GoingEntry, UnreadableGoingIsLeftAlone) {
  ds.races[0].koumoku = 20221117;  // no such going
  ds.writeShown();
  GoingSheet sheet(ds.races);
  EXPECT_TRUE(sheet.enabled(0));
  EXPECT_EQ(sheet.selected(0), -1);
  ASSERT_TRUE(sheet.apply(ds.ledger(), key));
  EXPECT_EQ(onDisk().races[0].koumoku, 20221117u);
}

}  // namespace
}  // namespace tovra
