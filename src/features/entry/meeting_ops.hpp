#pragma once
// Registering, editing and deleting meeting days as the main window and the CLI run them.
// Every operation leaves the meeting file of the course as its meetings sorted by date
// (equal dates in the order they were registered) followed by one all-zero record, and the
// race file as their race blocks followed by one all-zero block; both files exactly that
// long. The caller closes the race window before and shows the meeting day after; the
// questions of a deletion are asked by the caller first.
#include <functional>
#include <string>
#include <vector>

#include "features/entry/meeting_series.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/ledger_events.hpp"
#include "storage/meeting_files.hpp"
#include "storage/outcome.hpp"

namespace tovra {

class UserPort;

// The texts of the wait popups.
inline constexpr const char* kTourokuWaitText =
    "開催ﾃﾞｰﾀ登録中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kShuseiWaitText =
    "開催ﾃﾞｰﾀ修正中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kSakujyoWaitText =
    "開催ﾃﾞｰﾀ削除中 !!!　　　　　　　　　　　　　　  　　　しばらくお待ち下さい。";
inline constexpr const char* kSakujyoWorkFileText = kMeetingWorkFileText;
inline constexpr const char* kSakujyoCautionText =
    "//////////////////// 注意 ///////////////////////////\n\n開催ﾃﾞｰﾀを削除するとそれに対応したﾚｰｽﾃﾞｰﾀも削除されます。";

using MeetingPlace = Ledger::MeetingPlace;

// --- what the caller asks first ---

// Whether meeting `shown` of a course with `count` meetings can be edited or deleted
// (otherwise the caller gives the warning beep and does nothing).
inline bool meetingShown(int shown, int count) { return shown >= 0 && shown < count; }
// The first deletion question for a meeting of `course`.
std::string sakujyoQuestion(int course, int tsukiHi, int kaiNichi);
// The two questions of a deletion, in their order (OK/キャンセル, the question icon).
std::vector<std::string> deleteQuestions(int course, const KaisaiRecord& meeting);

// --- the operations ---
// Each runs under the wait popup with the hourglass (the port serves for nothing else),
// announces the change to `events` once it is on disk, and returns where the day to show
// stands. A damaged course is refused with the message naming its file, nothing written.
// Edit and delete keep the bet store's rows of the day with it (storage/bet_intents.hpp);
// a store that cannot be used refuses them with its message, nothing written.

// The blank meeting records of the days (date and meeting number only).
std::vector<KaisaiRecord> blankMeetings(const std::vector<MeetingDate>& days);

// 登録 / 一括登録: adds the days to `course` in the given order, each after every meeting
// of the same date, as blank meetings with twelve blank races; the place is the one of
// the last day added.
Result<MeetingPlace> runRegisterMeetings(const Ledger& ledger, UserPort& wait, const LedgerEvents& events,
                                         const std::string& year, int course, const std::vector<MeetingDate>& days);
// 修正: gives meeting `key` (`meeting`, its figures and race names kept) a new date and 回次
// and moves it with its races to its place by date.
// The bet store's rows of the day move to the new date with it.
Result<MeetingPlace> runEditMeeting(const Ledger& ledger, BetStore& bets, UserPort& wait, const LedgerEvents& events,
                                    const DayKey& key, const KaisaiRecord& meeting, const MeetingDate& date);
// 開催ﾃﾞｰﾀ削除 after both questions: removes meeting `key` with its races; meeting 0 of the
// course is the one to show. Work files that cannot be made (or written completely) are
// refused before the ledger changes; once they are made, `started` is called (the window
// closes its race window) and the wait popup opens. Files that cannot be put in place end
// in code 8 (meeting file) or 10 (race file).
// The bet store's rows of the day are removed with it.
Result<MeetingPlace> runDeleteMeeting(const Ledger& ledger, BetStore& bets, UserPort& wait, const LedgerEvents& events,
                                      const DayKey& key, const std::function<void()>& started = {});

// A refusal as the meeting operations end with one: its message, or the warning beep
// when it has no text.
void tellRefusal(UserPort& port, const Refusal& r);

}  // namespace tovra
