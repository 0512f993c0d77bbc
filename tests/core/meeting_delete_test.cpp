#include "core/meeting_fixture.hpp"
#include "features/main/meeting_view.hpp"
#include "storage/fatal_error.hpp"
#include "storage/recovery.hpp"

namespace meeting_test {

class MeetingDelete : public MeetingLedger {
 protected:
  std::vector<std::uint8_t> m0, r0;
  void fill() {
    add(4, 10, 7, 1, 4, 1);
    add(4, 10, 8, 2, 4, 2);
    add(4, 10, 14, 3, 4, 3);
    ds->shownMeeting[4] = 1;
    ds->readShown();
    m0 = fileBytes(meetingPath(4));
    r0 = fileBytes(racePath(4));
  }
  // The ledger opened again over `fs` (a fatal error ends the store before), meeting 1 of
  // course 4 shown.
  void reopenOn(FileSystem& fs) {
    ds = std::make_unique<LedgerCursor>(root, &fs);
    ds->loadYears();
    ds->year = "2001";
    ds->countMeetings();
    ds->course = 4;
    ds->shownMeeting[4] = 1;
    ds->readShown();
  }
  void expectUnchanged() {
    EXPECT_EQ(fileBytes(meetingPath(4)), m0);
    EXPECT_EQ(fileBytes(racePath(4)), r0);
    EXPECT_EQ(ds->meetingCount[4], 3);
    EXPECT_FALSE(workFilesLeft());
  }
};

TEST_F(MeetingDelete, AsksTwiceThenRemovesTheMeetingWithItsRaces) {
  fill();
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Deleted);
  ASSERT_EQ(port.messages.size(), 2u);
  EXPECT_EQ(port.messages[0].title, "確認");
  EXPECT_EQ(port.messages[0].text, "東京競馬場   10月 8日 4回 2日目の開催ﾃﾞｰﾀを削除します。");
  EXPECT_EQ(port.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(port.messages[0].buttons, MsgButtons::OkCancel);
  EXPECT_EQ(port.messages[1].text,
            "//////////////////// 注意 ///////////////////////////\n\n"
            "開催ﾃﾞｰﾀを削除するとそれに対応したﾚｰｽﾃﾞｰﾀも削除されます。");
  EXPECT_EQ(port.messages[1].icon, MsgIcon::Question);
  EXPECT_EQ(rows(4), (std::vector<Row>{{1007, 401, 1, 1}, {1014, 403, 3, 3}}));
  expectWellFormed(4, 2);
  // Meeting 0 is shown afterwards.
  EXPECT_EQ(ds->shown(), 0);
  EXPECT_EQ(ds->kaisai.tsukiHi, 1007);
  EXPECT_EQ(ds->races[0].koumoku, 1u);
  EXPECT_EQ(port.waitText, kSakujyoWaitText);
  EXPECT_EQ(port.events,
            (std::vector<std::string>{"message", "message", "busy", "wait", "waitEnd", "arrow", "view", "asterisk"}));
  EXPECT_EQ(hookCalls, (std::vector<std::string>{"closeRaceWindow", "showMeetingView"}));
  EXPECT_FALSE(workFilesLeft());
}

TEST_F(MeetingDelete, CancelAtEitherQuestionChangesNothing) {
  fill();
  port.answers = {Answer::Cancel};
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Cancelled);
  EXPECT_EQ(port.messages.size(), 1u);
  port.answers = {Answer::Ok, Answer::Cancel};
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Cancelled);
  EXPECT_EQ(port.messages.size(), 3u);
  EXPECT_TRUE(hookCalls.empty());
  expectUnchanged();
}

TEST_F(MeetingDelete, OnlyMeetingLeavesZeroFilesAndTheEmptyView) {
  add(4, 6, 1, 7);
  EXPECT_EQ(runDeleteShown(), SakujyoResult::Deleted);
  EXPECT_EQ(fileBytes(meetingPath(4)), std::vector<std::uint8_t>(864, 0));
  EXPECT_EQ(fileBytes(racePath(4)), std::vector<std::uint8_t>(22704, 0));
  EXPECT_EQ(ds->meetingCount[4], 0);
  EXPECT_EQ(shownView().kaisaiPanel, " ------------------");
}

TEST_F(MeetingDelete, WorkFilesThatCannotBeMadeStopBeforeAnythingChanges) {
  fill();
  for (const char* which : {"tok.dat", "rto.dat"}) {
    failing.failCreate = [which](const auto& p) { return stagedFileOf(p, which); };
    port.messages.clear();
    EXPECT_EQ(runDeleteShown(), SakujyoResult::WorkFileFailed) << which;
    ASSERT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(port.messages[2].text, "開催ﾃﾞｰﾀ削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。");
    EXPECT_EQ(port.messages[2].icon, MsgIcon::Error);
    EXPECT_EQ(port.messages[2].title, "確認");
    // Stopped before the race window was closed or the popup shown.
    EXPECT_TRUE(hookCalls.empty());
    EXPECT_EQ(port.waits, 0);
    expectUnchanged();
  }
}

// A file the user made read-only is refused with its name, before anything is shown or
// changed, as a change in place of it is.
TEST_F(MeetingDelete, AReadOnlyFileIsRefusedByNameAndKeptAsItWas) {
  fill();
  const std::pair<const char*, int> cases[] = {{"2001tok.dat", 8}, {"2001rto.dat", 10}};
  for (auto [which, code] : cases) {
    failing.readOnly = [which](const auto& p) { return p.filename() == which; };
    reopenOn(failing);
    try {
      runDeleteShown();
      ADD_FAILURE() << which << " replaced";
    } catch (const FatalFileError& e) {
      EXPECT_EQ(e.code(), code);
      EXPECT_EQ(e.path(), std::string("tovradatafile/tok/") + which);
    }
    EXPECT_TRUE(hookCalls.empty());
    EXPECT_EQ(port.waits, 0);
    expectUnchanged();
  }
}

TEST_F(MeetingDelete, FullDiskPartWayKeepsTheLedger) {
  fill();
  // The meeting file's work copy is complete; the race file's stops in its second block.
  failing.limitWrites = [](const auto& p) { return stagedFileOf(p, "rto"); };
  failing.writeBudget = kRaceBlockSize + 5000;
  EXPECT_EQ(runDeleteShown(), SakujyoResult::WorkFileFailed);
  EXPECT_EQ(port.lastText(), kSakujyoWorkFileText);
  EXPECT_EQ(port.events,
            (std::vector<std::string>{"message", "message", "busy", "wait", "waitEnd", "arrow", "message"}));
  expectUnchanged();
  // The shown meeting is still the one that was to be deleted.
  EXPECT_EQ(ds->shown(), 1);
  EXPECT_EQ(ds->kaisai.tsukiHi, 1008);
}

TEST_F(MeetingDelete, FilesThatCannotBeReplacedAreFatalAndCompletedAtTheNextOpen) {
  fill();
  const std::pair<const char*, int> cases[] = {{"2001tok.dat", 8}, {"2001rto.dat", 10}};
  for (auto [which, code] : cases) {
    failing.failRename = [which](const auto& p) { return p.filename() == which; };
    reopenOn(failing);
    try {
      runDeleteShown();
      ADD_FAILURE() << which;
    } catch (const FatalFileError& e) {
      EXPECT_EQ(e.code(), code);
      EXPECT_EQ(e.path(), code == 8 ? "tovradatafile/tok/2001tok.dat" : "tovradatafile/tok/2001rto.dat");
    }
    // After the commit mark the deletion is completed by the next open, never half done.
    recoverLedger(FileSystem::standard(), root);
    EXPECT_FALSE(workFilesLeft());
    EXPECT_EQ(rows(4), (std::vector<Row>{{1007, 401, 1, 1}, {1014, 403, 3, 3}}));
    // Back to three meetings for the next case.
    failing.failRename = [](const auto&) { return false; };
    std::ofstream(meetingPath(4), std::ios::binary)
        .write(reinterpret_cast<const char*>(m0.data()), static_cast<std::streamsize>(m0.size()));
    std::ofstream(racePath(4), std::ios::binary)
        .write(reinterpret_cast<const char*>(r0.data()), static_cast<std::streamsize>(r0.size()));
  }
}

}  // namespace meeting_test
