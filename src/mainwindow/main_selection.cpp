#include "mainwindow/main_selection.hpp"

#include <cstdlib>

#include "ledger/datastore.hpp"

namespace tovra {

int MainSelection::yearNumber() const { return std::atoi(year.c_str()); }

Status openYear(const Ledger& ledger, MainSelection& sel, const std::string& year) {
  auto counts = ledger.countMeetings(year);
  if (!counts) return counts.failure();
  sel.year = year;
  sel.meetingCount = *counts;
  sel.shownMeeting = {};
  return Done{};
}

Status readShownDay(const Ledger& ledger, MainSelection& sel) {
  auto day = ledger.readDay(sel.key());
  if (!day) return day.failure();
  sel.day = *day;
  return Done{};
}

Status followMeetings(const Ledger& ledger, MainSelection& sel, int course, const Ledger::MeetingPlace& place) {
  sel.course = course;
  sel.meetingCount[static_cast<std::size_t>(course)] = place.count;
  sel.show(place.index);
  return readShownDay(ledger, sel);
}

// cursor bridge
void syncCursor(const MainSelection& sel, DataStore& ds) {
  ds.nenji = sel.years;
  ds.year = sel.year;
  ds.course = sel.course;
  for (int c = 0; c < kCourseCount; ++c) {
    ds.meetingCount[c] = sel.meetingCount[static_cast<std::size_t>(c)];
    ds.shownMeeting[c] = sel.shownMeeting[static_cast<std::size_t>(c)];
  }
  ds.kaisai = sel.day.meeting;
  ds.races = sel.day.races;
}

// cursor bridge
void takeCursor(const DataStore& ds, MainSelection& sel) {
  sel.years = ds.nenji;
  sel.year = ds.year;
  sel.course = ds.course;
  for (int c = 0; c < kCourseCount; ++c) {
    sel.meetingCount[static_cast<std::size_t>(c)] = ds.meetingCount[c];
    sel.shownMeeting[static_cast<std::size_t>(c)] = ds.shownMeeting[c];
  }
  sel.day = MeetingDay{ds.kaisai, ds.races};
}

}  // namespace tovra
