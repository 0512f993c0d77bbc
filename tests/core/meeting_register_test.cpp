#include "core/meeting_fixture.hpp"
#include "features/main/meeting_view.hpp"
#include "storage/bytes.hpp"
#include "storage/fatal_error.hpp"
#include "storage/recovery.hpp"

namespace meeting_test {

using V = std::vector<int>;

TEST_F(MeetingLedger, RegisteringPlacesTheDayByDateAndShowsIt) {
  add(0, 4, 29, 1);
  add(0, 5, 6, 2);
  int shown = runRegisterSingle(0, {5, 2, 2, 3});
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(dates(), (V{429, 502, 506}));
  EXPECT_EQ(ds->shown(), 1);
  EXPECT_EQ(ds->kaisai.tsukiHi, 502);
  EXPECT_EQ(ds->kaisai.kaiNichi, 203);
  expectWellFormed(0, 3);
  // The races of 5/6 moved with it; the new day has twelve blank races.
  EXPECT_EQ(rows()[2], (Row{506, 101, 2, 2}));
  for (const auto& r : ds->races) EXPECT_TRUE(r.isBlank());
  EXPECT_EQ(shownView().kaisaiPanel, "  5月 2日 2回 3日目  ");
}

TEST_F(MeetingLedger, NewRecordIsBlankBesideItsDateAndKaiNichi) {
  add(3, 12, 3, 0, 3, 8);
  auto m = fileBytes(meetingPath(3));
  ASSERT_EQ(m.size(), 2 * KaisaiRecord::kSize);
  EXPECT_EQ(tovra::bytes::getU16(m.data(), kaisai_off::tsukiHi), 1203);
  EXPECT_EQ(tovra::bytes::getU16(m.data(), kaisai_off::kaiNichi), 308);
  for (std::size_t i = 4; i < m.size(); ++i) ASSERT_EQ(m[i], 0) << i;
  auto r = fileBytes(racePath(3));
  ASSERT_EQ(r.size(), 2 * kRaceBlockSize);
  for (auto b : r) ASSERT_EQ(b, 0);
}

TEST_F(MeetingLedger, EqualDatesKeepTheOrderOfRegistration) {
  add(0, 6, 1, 1);
  add(0, 6, 8, 2);
  add(0, 6, 1, 3);
  EXPECT_EQ(add(0, 6, 1, 4), 2);
  std::vector<int> tags;
  for (const Row& r : rows()) tags.push_back(r.meetingTag);
  EXPECT_EQ(tags, (V{1, 3, 4, 2}));
  expectWellFormed(0, 4);
}

TEST_F(MeetingLedger, RegistrationSelectsTheCourseAndLeavesOthersAlone) {
  add(2, 7, 1, 1);
  ds->shownMeeting[5] = 0;
  runRegisterSingle(5, {9, 9, 4, 1});
  EXPECT_EQ(ds->course, 5);
  EXPECT_EQ(ds->meetingCount[5], 1);
  EXPECT_EQ(ds->meetingCount[2], 1);
  EXPECT_EQ(dates(2), (V{701}));
  EXPECT_EQ(dates(5), (V{909}));
  expectWellFormed(0, 0);
}

TEST_F(MeetingLedger, SeriesCrossingTheYearEndSortsToTheStartOfTheSameYear) {
  add(8, 6, 1, 1);
  int shown = runRegisterSeries(8, {12, 28, 5, 1});
  EXPECT_EQ(dates(8), (V{104, 105, 111, 112, 118, 119, 601, 1228, 1229}));
  // The last day registered (1/19, 8日目) is shown.
  EXPECT_EQ(shown, 5);
  EXPECT_EQ(ds->kaisai.tsukiHi, 119);
  EXPECT_EQ(ds->kaisai.kaiNichi, 508);
  EXPECT_EQ(rows(8)[6], (Row{601, 101, 1, 1}));
  expectWellFormed(8, 9);
  EXPECT_FALSE(std::filesystem::exists(root / "tovradatafile/han/2002han.dat"));
}

TEST_F(MeetingLedger, SeriesFromTheEighthDayRegistersOneDay) {
  runRegisterSeries(1, {7, 20, 2, 8});
  EXPECT_EQ(dates(1), (V{720}));
  expectWellFormed(1, 1);
}

TEST_F(MeetingLedger, WaitPopupHourglassViewAndSound) {
  runRegisterSeries(0, {3, 30, 1, 1});
  EXPECT_EQ(port.waitText, kTourokuWaitText);
  EXPECT_EQ(hookCalls, (std::vector<std::string>{"closeRaceWindow", "showMeetingView"}));
  EXPECT_EQ(port.events, (std::vector<std::string>{"busy", "wait", "waitEnd", "arrow", "view", "asterisk"}));
  EXPECT_TRUE(port.messages.empty());
  EXPECT_FALSE(workFilesLeft());
}

TEST_F(MeetingLedger, EditMovesTheMeetingWithItsRacesAndFiguresToTheEnd) {
  add(0, 1, 5, 1);
  add(0, 3, 4, 2);
  add(0, 6, 10, 3);
  ds->shownMeeting[0] = 0;
  ds->readShown();
  ds->kaisai.shushi[12] = -1200;  // figures held in memory are written with the new date
  int shown = runEditShown({12, 20, 6, 2});
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(rows(), (std::vector<Row>{{304, 101, 2, 2}, {610, 101, 3, 3}, {1220, 602, 1, 1}}));
  EXPECT_EQ(ds->shown(), 2);
  EXPECT_EQ(ds->kaisai.shushi[12], -1200);
  EXPECT_EQ(ds->races[0].koumoku, 1u);
  EXPECT_EQ(shownView().kaisaiPanel, " 12月20日 6回 2日目  ");
  expectWellFormed(0, 3);
  EXPECT_EQ(port.waitText, kShuseiWaitText);
  EXPECT_EQ(port.events, (std::vector<std::string>{"busy", "wait", "waitEnd", "arrow", "view", "asterisk"}));
  EXPECT_EQ(hookCalls.front(), "closeRaceWindow");
}

TEST_F(MeetingLedger, EditTowardsTheStartAndAmongEqualDates) {
  add(0, 3, 1, 1);
  add(0, 3, 1, 2);
  add(0, 5, 1, 3);
  add(0, 7, 1, 4);
  // Moving back: it stops after the meetings of its new date.
  ds->shownMeeting[0] = 3;
  ds->readShown();
  EXPECT_EQ(editShown({3, 1, 1, 1}), 2);
  std::vector<int> tags;
  for (const Row& r : rows()) tags.push_back(r.meetingTag);
  EXPECT_EQ(tags, (V{1, 2, 4, 3}));
  // Moving forward: it stops before the meetings of its new date.
  ds->shownMeeting[0] = 0;
  ds->readShown();
  EXPECT_EQ(editShown({5, 1, 1, 1}), 2);
  tags.clear();
  for (const Row& r : rows()) tags.push_back(r.meetingTag);
  EXPECT_EQ(tags, (V{2, 4, 1, 3}));
  // Changing only the 回次 keeps the place.
  ds->shownMeeting[0] = 1;
  ds->readShown();
  EXPECT_EQ(editShown({3, 1, 9, 9}), 1);
  EXPECT_EQ(rows()[1], (Row{301, 909, 4, 4}));
  expectWellFormed(0, 4);
}

TEST_F(MeetingLedger, EditWithoutMeetingDoesNothing) {
  auto before = fileBytes(meetingPath());
  EXPECT_EQ(runEditShown({1, 1, 1, 1}), -1);
  EXPECT_EQ(port.beeps, 1);
  EXPECT_TRUE(hookCalls.empty());
  EXPECT_EQ(fileBytes(meetingPath()), before);
}

TEST_F(MeetingLedger, DataAfterTheTerminatorIsRefusedAndKept) {
  add(0, 5, 5, 1);
  {
    std::ofstream m(meetingPath(), std::ios::binary | std::ios::app);
    std::string junk(3 * KaisaiRecord::kSize, 'x');
    m << junk;
  }
  const auto m = fileBytes(meetingPath()), r = fileBytes(racePath());
  EXPECT_EQ(runRegisterSingle(0, {5, 1, 1, 1}), -1);
  EXPECT_EQ(port.lastText(),
            "開催ﾃﾞｰﾀﾌｧｲﾙが壊れています。\n\ntovradatafile/sap/2001sap.dat\n\n"
            "開催ﾃﾞｰﾀの登録・修正・削除は出来ません。");
  EXPECT_EQ(fileBytes(meetingPath()), m);
  EXPECT_EQ(fileBytes(racePath()), r);
  // Reading still sees the meeting before the damage.
  ds->countMeetings();
  EXPECT_EQ(ds->meetingCount[0], 1);
}

TEST_F(MeetingLedger, ShortRaceFileIsRefusedAndKept) {
  add(0, 5, 5, 1);
  add(0, 5, 6, 2);
  std::filesystem::resize_file(racePath(), kRaceBlockSize);  // block 1 and the trailing block lost
  const auto m = fileBytes(meetingPath()), r = fileBytes(racePath());
  EXPECT_EQ(runRegisterSingle(0, {5, 1, 1, 1}), -1);
  EXPECT_EQ(port.lastText(),
            "ﾚｰｽﾃﾞｰﾀﾌｧｲﾙが壊れています。\n\ntovradatafile/sap/2001rsa.dat\n\n"
            "開催ﾃﾞｰﾀの登録・修正・削除は出来ません。");
  EXPECT_EQ(fileBytes(meetingPath()), m);
  EXPECT_EQ(fileBytes(racePath()), r);
  EXPECT_FALSE(workFilesLeft());
}

// --- failures: the ledger stays as it was and the program ends with the code of the step

class MeetingFailures : public MeetingLedger {
 protected:
  std::vector<std::uint8_t> m0, r0;
  void SetUp() override {
    MeetingLedger::SetUp();
    add(0, 4, 1, 1);
    add(0, 4, 8, 2);
    m0 = fileBytes(meetingPath());
    r0 = fileBytes(racePath());
  }
  void expectUnchanged() {
    EXPECT_EQ(fileBytes(meetingPath()), m0);
    EXPECT_EQ(fileBytes(racePath()), r0);
    EXPECT_FALSE(workFilesLeft());
  }
  int fatalCode(const std::function<void()>& f) {
    try {
      f();
    } catch (const FatalFileError& e) {
      EXPECT_TRUE(ds->dead());
      return e.code();
    }
    return 0;
  }
};

TEST_F(MeetingFailures, MissingFilesAreFatalWhenRead) {
  std::filesystem::remove(racePath());
  EXPECT_EQ(fatalCode([&] { add(0, 4, 2); }), 5);
  EXPECT_EQ(fileBytes(meetingPath()), m0);
}

TEST_F(MeetingFailures, MissingMeetingFileIsFatal3) {
  std::filesystem::remove(meetingPath());
  EXPECT_EQ(fatalCode([&] { add(0, 4, 2); }), 3);
}

TEST_F(MeetingFailures, WorkFileNotCreatedIsFatal4Or6) {
  failing.failCreate = [](const auto& p) { return stagedFileOf(p, "sap.dat"); };
  EXPECT_EQ(fatalCode([&] { add(0, 4, 2); }), 4);
  expectUnchanged();
}

TEST_F(MeetingFailures, FullDiskWhileWritingTheRaceFileIsFatal6) {
  failing.limitWrites = [](const auto& p) { return stagedFileOf(p, "rsa"); };
  failing.writeBudget = kRaceBlockSize + 100;
  EXPECT_EQ(fatalCode([&] { runRegisterSingle(0, {4, 2, 1, 1}); }), 6);
  expectUnchanged();
  // The popup and the hourglass went away with the failure.
  EXPECT_EQ(port.events.back(), "arrow");
}

TEST_F(MeetingFailures, RaceFileNotReplacedIsCompletedAtTheNextOpen) {
  failing.failRename = [](const auto& p) { return p.filename() == "2001rsa.dat"; };
  ds->shownMeeting[0] = 1;
  ds->readShown();
  EXPECT_EQ(fatalCode([&] { editShown({1, 1, 1, 1}); }), 6);
  // Committed: the mark and the staged race file wait for the next open.
  EXPECT_TRUE(workFilesLeft());
  recoverLedger(FileSystem::standard(), root);
  EXPECT_FALSE(workFilesLeft());
  EXPECT_EQ(rows(), (std::vector<Row>{{101, 101, 2, 2}, {401, 101, 1, 1}}));
}

}  // namespace meeting_test

namespace meeting_test {

// Every change of a course's meetings is announced once, after it is on disk; what is
// refused or fails announces nothing.
TEST_F(MeetingLedger, EachChangeIsAnnouncedOnceAndNothingElse) {
  runRegisterSingle(2, {5, 1, 1, 1});
  runRegisterSeries(2, {5, 2, 1, 7});  // two days, one change
  runEditShown({6, 1, 1, 1});
  port.answers = {Answer::Ok, Answer::Ok};
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Deleted);
  const std::vector<std::string> four(4, "meetings 2001 2");
  EXPECT_EQ(announced.seen, four);

  // Refused: nothing shown to edit, a cancelled question, a damaged course, work files
  // that cannot be made.
  ds->course = 7;
  EXPECT_EQ(runEditShown({1, 1, 1, 1}), -1);
  ds->course = 2;
  port.answers = {Answer::Cancel};
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Cancelled);
  failing.failCreate = [](const auto& p) { return stagedFileOf(p, "fuk.dat"); };
  port.answers = {Answer::Ok, Answer::Ok};
  EXPECT_EQ(runDeleteShown(), SakujyoResult::WorkFileFailed);
  {
    std::ofstream m(meetingPath(2), std::ios::binary | std::ios::app);
    m << std::string(KaisaiRecord::kSize, 'x');
  }
  const auto m = fileBytes(meetingPath(2)), r = fileBytes(racePath(2));
  EXPECT_EQ(runRegisterSingle(2, {5, 9, 1, 1}), -1);
  EXPECT_EQ(runEditShown({5, 9, 1, 1}), -1);
  EXPECT_EQ(fileBytes(meetingPath(2)), m);
  EXPECT_EQ(fileBytes(racePath(2)), r);
  EXPECT_EQ(announced.seen, four);
}

TEST(MeetingChecks, WhatIsAskedBeforeAnEditOrADeletion) {
  const struct {
    int shown, count;
    bool ok;
  } cases[] = {{0, 0, false}, {0, 1, true}, {2, 3, true}, {3, 3, false}, {-1, 3, false}};
  for (const auto& c : cases) EXPECT_EQ(meetingShown(c.shown, c.count), c.ok) << c.shown << "/" << c.count;
  KaisaiRecord k;
  k.tsukiHi = 1231;
  k.kaiNichi = 1208;
  const auto q = deleteQuestions(9, k);
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[0], "小倉競馬場   12月31日 12回 8日目の開催ﾃﾞｰﾀを削除します。");
  EXPECT_EQ(q[1], kSakujyoCautionText);
}

}  // namespace meeting_test

namespace meeting_test {

// A registration refused for a damaged course leaves the window on the course and the
// day it showed: a later change of that day goes to the day on screen.
TEST_F(MeetingLedger, ARefusedRegistrationKeepsTheDayShown) {
  add(3, 8, 1, 7);
  add(0, 5, 5, 1);
  {
    std::ofstream m(meetingPath(0), std::ios::binary | std::ios::app);
    m << std::string(KaisaiRecord::kSize, 'x');
  }
  ds->course = 3;
  ds->readShown();
  EXPECT_EQ(runRegisterSingle(0, {5, 1, 1, 1}), -1);
  EXPECT_EQ(ds->course, 3);
  EXPECT_EQ(ds->kaisai.tsukiHi, 801);
  EXPECT_EQ(ds->kaisai.kounyuGaku[0], 7);
}

}  // namespace meeting_test
