#include "features/main/main_selection.hpp"

namespace tovra {

Status openYear(const Ledger& ledger, MainSelection& sel, const std::string& year) {
  auto counts = ledger.countMeetings(year);
  if (!counts) return counts.failure();
  sel.meetingCount = *counts;
  sel.shownMeeting = {};
  return Done{};
}

Status readShownDay(const Ledger& ledger, const std::string& year, MainSelection& sel) {
  auto day = ledger.readDay(sel.key(year));
  if (!day) return day.failure();
  sel.day = *day;
  return Done{};
}

Status followMeetings(const Ledger& ledger, const std::string& year, MainSelection& sel, int course,
                      const Ledger::MeetingPlace& place) {
  sel.course = course;
  sel.meetingCount[static_cast<std::size_t>(course)] = place.count;
  sel.show(place.index);
  return readShownDay(ledger, year, sel);
}

}  // namespace tovra
