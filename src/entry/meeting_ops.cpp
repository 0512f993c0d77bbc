#include "entry/meeting_ops.hpp"

#include "entry/meeting_files.hpp"
#include "ledger/datastore.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {
namespace {

// Puts the new files of the course in place; any failure ends the program with the
// codes of writing a meeting (4) or a race block (6). The course is then the old one, or
// (after the commit mark) the new one once the next open has completed it.
void replaceOrFatal(DataStore& ds, int course, const CourseFiles& after) {
  CourseRewrite rewrite(ds, course);
  CourseRewrite::Which failed = rewrite.create();
  if (failed == CourseRewrite::Which::None) failed = rewrite.write(after);
  if (failed == CourseRewrite::Which::None) failed = rewrite.commit();
  if (failed == CourseRewrite::Which::Meeting) ds.fatal(4, ds.meetingFile(course));
  if (failed == CourseRewrite::Which::Race) ds.fatal(6, ds.raceFile(course));
}

// The wait popup with the hourglass for the length of one operation; closed again even
// when a fatal file error leaves the operation.
class WaitScope {
 public:
  WaitScope(UserPort& port, const char* text) : port_(port) {
    port_.setBusy(true);
    port_.waitBegin(text, false);
  }
  ~WaitScope() { close(); }
  void close() {
    if (open_) {
      port_.waitEnd();
      port_.setBusy(false);
      open_ = false;
    }
  }

 private:
  UserPort& port_;
  bool open_ = true;
};

void closeRaceWindow(const MeetingWindowHooks& hooks) {
  if (hooks.closeRaceWindow) hooks.closeRaceWindow();
}

// A damaged course: the message naming the file, nothing written. The meeting shown is
// read again, as the window showed it before.
int refuseDamaged(DataStore& ds, UserPort& port, WaitScope& popup, const CourseDamaged& e) {
  popup.close();
  showError(port, e.what());
  ds.readShown();
  return -1;
}

}  // namespace

std::string sakujyoQuestion(int course, int tsukiHi, int kaiNichi) {
  return sjprintfUtf8("%s競馬場   %2d月%2d日 %d回 %d日目の開催ﾃﾞｰﾀを削除します。", sj(keibajo(course).name).c_str(),
                      tsukiHi / 100, tsukiHi % 100, kaiNichi / 100, kaiNichi % 100);
}

int registerMeetings(DataStore& ds, int course, const std::vector<MeetingDate>& days) {
  ds.course = course;
  if (days.empty()) return ds.shown();
  CourseFiles after = CourseFiles::read(ds, course);
  for (const MeetingDate& d : days) {
    KaisaiRecord k;
    k.tsukiHi = d.tsukiHi();
    k.kaiNichi = d.kaiNichi();
    after.append(k, nullptr);
  }
  // One stable sort of all the days appended in their order places each of them after
  // the meetings of its date registered before it: the same as adding them one by one.
  const std::size_t shown = after.sortByDate(after.count() - 1);
  replaceOrFatal(ds, course, after);
  ds.meetingCount[course] = static_cast<int>(after.count());
  ds.shownMeeting[course] = static_cast<int>(shown);
  ds.readShown();
  return ds.shown();
}

int editShownMeeting(DataStore& ds, const MeetingDate& date) {
  const int course = ds.course;
  CourseFiles after = CourseFiles::read(ds, course);
  const std::size_t at = static_cast<std::size_t>(ds.shown());
  if (ds.shown() < 0 || at >= after.count()) return -1;
  KaisaiRecord k = ds.kaisai;  // the shown meeting, figures and race names with it
  k.tsukiHi = date.tsukiHi();
  k.kaiNichi = date.kaiNichi();
  after.setMeeting(at, k);
  std::size_t moved = after.sortByDate(at);
  replaceOrFatal(ds, course, after);
  ds.meetingCount[course] = static_cast<int>(after.count());
  ds.shownMeeting[course] = static_cast<int>(moved);
  ds.readShown();
  return ds.shown();
}

namespace {

int runRegister(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, int course,
                const std::vector<MeetingDate>& days) {
  closeRaceWindow(hooks);
  WaitScope popup(port, kTourokuWaitText);
  int shown = -1;
  try {
    shown = registerMeetings(ds, course, days);
  } catch (const CourseDamaged& e) {
    return refuseDamaged(ds, port, popup, e);
  }
  if (hooks.showMeetingView) hooks.showMeetingView();
  popup.close();
  port.asterisk();
  return shown;
}

}  // namespace

int runRegisterSingle(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, int course,
                      const MeetingDate& date) {
  return runRegister(ds, port, hooks, course, {date});
}

int runRegisterSeries(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, int course,
                      const MeetingDate& first) {
  return runRegister(ds, port, hooks, course, seriesDates(first));
}

int runEditShown(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks, const MeetingDate& date) {
  if (ds.shown() < 0 || ds.shown() >= ds.count()) {
    port.beep();
    return -1;
  }
  closeRaceWindow(hooks);
  WaitScope popup(port, kShuseiWaitText);
  int shown = -1;
  try {
    shown = editShownMeeting(ds, date);
  } catch (const CourseDamaged& e) {
    return refuseDamaged(ds, port, popup, e);
  }
  if (hooks.showMeetingView) hooks.showMeetingView();
  popup.close();
  port.asterisk();
  return shown;
}

SakujyoResult runDeleteShown(DataStore& ds, UserPort& port, const MeetingWindowHooks& hooks) {
  const int course = ds.course;
  if (ds.shown() < 0 || ds.shown() >= ds.count()) {
    port.beep();
    return SakujyoResult::Cancelled;
  }
  if (!askOkCancel(port, sakujyoQuestion(course, ds.kaisai.tsukiHi, ds.kaisai.kaiNichi), MsgIcon::Question))
    return SakujyoResult::Cancelled;
  if (!askOkCancel(port, kSakujyoCautionText, MsgIcon::Question)) return SakujyoResult::Cancelled;

  // The new files are the work files; making them is the first step, before anything
  // is shown or changed.
  CourseRewrite rewrite(ds, course);
  // A file the user made read-only is never replaced: refused with its name, as a change
  // in place of it is, not as a work file that could not be made.
  switch (rewrite.readOnly()) {
    case CourseRewrite::Which::Meeting: ds.fatal(8, ds.meetingFile(course));
    case CourseRewrite::Which::Race: ds.fatal(10, ds.raceFile(course));
    case CourseRewrite::Which::None: break;
  }
  if (rewrite.create() != CourseRewrite::Which::None) {
    showError(port, kSakujyoWorkFileText);
    return SakujyoResult::WorkFileFailed;
  }

  closeRaceWindow(hooks);
  WaitScope popup(port, kSakujyoWaitText);
  CourseFiles after;
  try {
    after = CourseFiles::read(ds, course);
  } catch (const CourseDamaged& e) {
    refuseDamaged(ds, port, popup, e);
    return SakujyoResult::Damaged;
  }
  const std::size_t at = static_cast<std::size_t>(ds.shown());
  if (at >= after.count()) {  // the file holds fewer meetings than counted: nothing to delete
    popup.close();
    port.beep();
    return SakujyoResult::Cancelled;
  }
  after.erase(at);
  if (rewrite.write(after) != CourseRewrite::Which::None) {
    // A full disk, say: the work files are gone again and the ledger is untouched.
    popup.close();
    showError(port, kSakujyoWorkFileText);
    return SakujyoResult::WorkFileFailed;
  }
  switch (rewrite.commit()) {
    case CourseRewrite::Which::Meeting: ds.fatal(8, ds.meetingFile(course));
    case CourseRewrite::Which::Race: ds.fatal(10, ds.raceFile(course));
    case CourseRewrite::Which::None: break;
  }
  ds.meetingCount[course] = static_cast<int>(after.count());
  ds.shownMeeting[course] = 0;
  ds.readShown();
  if (hooks.showMeetingView) hooks.showMeetingView();
  popup.close();
  port.asterisk();
  return SakujyoResult::Deleted;
}

}  // namespace tovra
