#pragma once
// The four drop-down lists of the meeting registration and edit dialogs (month, day,
// 回, 日目) and how their selections map to a meeting day and back.
#include <string>
#include <vector>

#include "features/entry/meeting_series.hpp"

namespace tovra {

struct MeetingBoxes {
  std::vector<std::string> tsuki, hi, kai, nichi;  // " 1月".."12月", " 1日".."31日", " 1回".."12回", " 1日目".." 8日目"
};
const MeetingBoxes& meetingBoxes();

// Selected entries (0-based) -> the meeting day (each entry + 1).
MeetingDate dateFromBoxes(int tsuki, int hi, int kai, int nichi);

// The entries to select for a meeting (month - 1 and so on); a value outside a list
// (a record from another program) selects the list's nearest end.
struct BoxSelection {
  int tsuki, hi, kai, nichi;
};
BoxSelection boxesForMeeting(int tsukiHi, int kaiNichi);

}  // namespace tovra
