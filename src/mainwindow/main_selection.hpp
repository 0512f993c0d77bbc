#pragma once
// What the main window shows: the current year with the list of years, the course, how
// many meetings each course holds and which of them is shown, and the meeting day shown
// (a copy read by key). The main window owns one; the operations it runs are given it.
#include <string>

#include "ledger/ledger.hpp"
#include "ledger/outcome.hpp"
#include "ledger/records.hpp"

namespace tovra {

class DataStore;

struct MainSelection {
  NenjiTable years;
  std::string year;  // the current year, e.g. "2001" ("" before one is registered)
  int course = 0;    // 0..9
  Ledger::MeetingCounts meetingCount{};
  Ledger::MeetingCounts shownMeeting{};
  MeetingDay day;  // the meeting day shown (blank when the course has none)

  int yearNumber() const;
  int shown() const { return shownMeeting[static_cast<std::size_t>(course)]; }
  int count() const { return meetingCount[static_cast<std::size_t>(course)]; }
  DayKey key() const { return DayKey{year, course, shown()}; }
  // Meeting `index` of the current course is the one shown (its day not read yet).
  void show(int index) { shownMeeting[static_cast<std::size_t>(course)] = index; }
};

// Makes `year` current: its meetings counted (code 2), every course showing its meeting
// 0, the course kept. The day is not read.
Status openYear(const Ledger& ledger, MainSelection& sel, const std::string& year);
// Reads the meeting day shown into the selection (codes 3 / 5).
Status readShownDay(const Ledger& ledger, MainSelection& sel);
// The course's meetings counted again after they changed; the day at `index` becomes the
// one shown and is read with its races.
Status followMeetings(const Ledger& ledger, MainSelection& sel, int course, const Ledger::MeetingPlace& place);

// cursor bridge: the data layer's selection set to the main window's, for the windows
// that still read it (race window and dialogs, tallies, searches, printing).
void syncCursor(const MainSelection& sel, DataStore& ds);
// cursor bridge: the main window's selection taken from the data layer's, after a window
// that still works on it (the search's jump to a race) changed it.
void takeCursor(const DataStore& ds, MainSelection& sel);

}  // namespace tovra
