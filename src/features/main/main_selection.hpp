#pragma once
// What the main window shows of the open year (the store's): the course, how many
// meetings each course holds and which of them is shown, and the meeting day shown (a
// copy read by key). The main window owns one; the operations it runs are given it.
#include <string>

#include "storage/ledger.hpp"
#include "storage/outcome.hpp"
#include "storage/records.hpp"

namespace tovra {

struct MainSelection {
  int course = 0;  // 0..9
  Ledger::MeetingCounts meetingCount{};
  Ledger::MeetingCounts shownMeeting{};
  MeetingDay day;  // the meeting day shown (blank when the course has none)

  int shown() const { return shownMeeting[static_cast<std::size_t>(course)]; }
  int count() const { return meetingCount[static_cast<std::size_t>(course)]; }
  DayKey key(const std::string& year) const { return DayKey{year, course, shown()}; }
  // Meeting `index` of the current course is the one shown (its day not read yet).
  void show(int index) { shownMeeting[static_cast<std::size_t>(course)] = index; }
};

// Shows `year`: its meetings counted (code 2), every course showing its meeting 0, the
// course kept. The day is not read. The caller makes it the store's open year.
Status openYear(const Ledger& ledger, MainSelection& sel, const std::string& year);
// Reads the meeting day shown in `year` into the selection (codes 3 / 5).
Status readShownDay(const Ledger& ledger, const std::string& year, MainSelection& sel);
// The course's meetings counted again after they changed; the day at `index` becomes the
// one shown and is read with its races.
Status followMeetings(const Ledger& ledger, const std::string& year, MainSelection& sel, int course,
                      const Ledger::MeetingPlace& place);

}  // namespace tovra
