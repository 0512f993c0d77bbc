#include "ui/main/MeetingActions.h"

#include "features/bets/win5_bets.hpp"
#include "features/entry/meeting_ops.hpp"
#include "storage/user_port.hpp"
#include "ui/entry/MeetingEditDialog.h"
#include "ui/entry/MeetingRegisterDialog.h"
#include "ui/main/MainWindow.h"

namespace tovra {
namespace {

// After a meeting operation: the day it gives is shown, then the done sound; a refusal
// is told and the window stays as it was.
void showOutcome(MainWindow& main, int course, const Result<MeetingPlace>& r) {
  if (r.failed()) main.fatal(r.failure());
  if (r.refused()) {
    tellRefusal(main.port(), r.refusal());
    return;
  }
  if (const Status read = followMeetings(main.ledger(), main.dataStore().year, main.selection(), course, *r); !read)
    main.fatal(read.failure());
  main.refreshMeetingView();
  main.port().asterisk();
}

}  // namespace

void runMeetingRegistration(MainWindow& main) {
  MeetingRegisterDialog dialog(&main);
  const int result = dialog.exec();
  if (result != MeetingRegisterDialog::Single && result != MeetingRegisterDialog::Series) return;
  const int course = dialog.course();
  const std::vector<MeetingDate> days =
      result == MeetingRegisterDialog::Single ? std::vector<MeetingDate>{dialog.date()} : seriesDates(dialog.date());
  main.closeRaceWindow();
  showOutcome(
      main, course,
      runRegisterMeetings(main.ledger(), main.port(), main.ledgerEvents(), main.dataStore().year, course, days));
}

void runMeetingEdit(MainWindow& main) {
  const MainSelection& sel = main.selection();
  if (sel.count() == 0) {
    main.port().beep();
    return;
  }
  MeetingEditDialog dialog(sel.course, sel.day.meeting.tsukiHi, sel.day.meeting.kaiNichi, &main);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!meetingShown(sel.shown(), sel.count())) {
    main.port().beep();
    return;
  }
  main.closeRaceWindow();
  showOutcome(main, sel.course,
              runEditMeeting(main.ledger(), main.bets(), main.port(), main.ledgerEvents(), main.shownKey(),
                             sel.day.meeting, dialog.date()));
}

void runMeetingDeletion(MainWindow& main) {
  const MainSelection& sel = main.selection();
  if (!meetingShown(sel.shown(), sel.count())) {
    main.port().beep();
    return;
  }
  for (const std::string& question : deleteQuestions(sel.course, sel.day.meeting))
    if (!askOkCancel(main.port(), question, MsgIcon::Question)) return;
  if (const auto q = win5DeleteQuestion(main.bets(), main.shownKey().year, sel.course, sel.day.meeting.month(),
                                        sel.day.meeting.day()))
    if (!askOkCancel(main.port(), *q, MsgIcon::Question)) return;
  // The race window closes once the work files are made.
  showOutcome(main, sel.course,
              runDeleteMeeting(main.ledger(), main.bets(), main.port(), main.ledgerEvents(), main.shownKey(),
                               [&] { main.closeRaceWindow(); }));
}

}  // namespace tovra
