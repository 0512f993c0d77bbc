#pragma once
// Registering, editing and deleting meeting days. Every operation leaves the meeting
// file of the course as its meetings sorted by date (equal dates in the order they were
// registered) followed by one all-zero record, and the race file as their race blocks
// followed by one all-zero block; both files exactly that long.
#include <functional>
#include <string>
#include <vector>

#include "entry/meeting_series.hpp"

namespace tovra {

class DataStore;
class UserPort;

// The texts of the wait popups.
inline constexpr const char* kTourokuWaitText =
    "開催ﾃﾞｰﾀ登録中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kShuseiWaitText =
    "開催ﾃﾞｰﾀ修正中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kSakujyoWaitText =
    "開催ﾃﾞｰﾀ削除中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kSakujyoWorkFileText = "開催ﾃﾞｰﾀ削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。";
inline constexpr const char* kSakujyoCautionText =
    "//////////////////// 注意 ///////////////////////////\n\n開催ﾃﾞｰﾀを削除するとそれに対応したﾚｰｽﾃﾞｰﾀも削除されます。";

// The first deletion question for the meeting in the data layer's KaisaiRecord.
std::string sakujyoQuestion(int course, int tsukiHi, int kaiNichi);

// --- the file work (no user interface) ---

// Adds the days to `course` in the given order, each after every meeting of the same
// date, as blank meetings with twelve blank races. The course becomes the current one,
// its count grows and its shown meeting is the last day added (read with its races).
// Returns that index. Fatal 3/5 when the files cannot be read, 4/6 when they cannot be
// replaced; CourseDamaged (nothing written) when the course's files are damaged.
int registerMeetings(DataStore& ds, int course, const std::vector<MeetingDate>& days);

// Gives the shown meeting of the current course (the data layer's KaisaiRecord, with
// its figures) a new date and 回次, writes it, and moves it with its races to its place
// by date. The shown index follows it; it is read again with its races. Returns the new
// index, or -1 when the course has no meeting. CourseDamaged as above.
int editShownMeeting(DataStore& ds, const MeetingDate& date);

// How a deletion ended.
enum class SakujyoResult { Deleted, Cancelled, WorkFileFailed, Damaged };

// --- the whole operations as the main window runs them ---

// What the main window does around an operation: close its race window before the work
// starts, and show the meeting view once the meeting to show has been read.
struct MeetingWindowHooks {
  std::function<void()> closeRaceWindow;
  std::function<void()> showMeetingView;
};

// 登録 / 一括登録 of the registration dialog: wait popup and hourglass, the day or the
// whole series, the new meeting shown, then the asterisk sound. A damaged course is
// refused with a message naming the file (-1 returned, nothing written); so are edit and
// delete below.
int runRegisterSingle(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, int course,
                      const MeetingDate& date);
int runRegisterSeries(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, int course,
                      const MeetingDate& first);
// 修正 of the edit dialog.
int runEditShown(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, const MeetingDate& date);
// 開催ﾃﾞｰﾀ削除: the two questions, then the deletion of the shown meeting with its races.
// Afterwards meeting 0 of the course is shown. Work files that cannot be made (or
// written completely) stop it with a message before the ledger changes; files that
// cannot be put in place are fatal (8 meeting file, 10 race file).
SakujyoResult runDeleteShown(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks);

}  // namespace tovra
