#pragma once
// The meeting view: what the main window shows for the meeting day of the current
// course. It only formats what the settlement stored.
#include <string>

#include "storage/records.hpp"

namespace tovra {

struct MainSelection;

struct MeetingRowView {
  std::string raceName;  // UTF-8 ("  " when blank)
  std::string kou;       // purchase / recovery rate / return column
  std::string shu;       // balance column
  bool hit = false;      // name on the hit-race colour with white text
  bool plus = false;     // balance in the plus colour
};

struct MeetingView {
  std::string statusText;   // "%s競馬場開催ﾃﾞｰﾀ"
  std::string jyoLabel;     // "%s競馬場"
  std::string kaisaiPanel;  // date and kai/nichi, or " ------------------"
  bool hasMeeting = false;  // toolbar buttons shown, menus and race buttons enabled
  int scrollMax = 0;
  int scrollPos = 0;
  MeetingRowView rows[12];
  std::string kou13, shu13;  // totals row
  bool plus13 = false;
};

inline constexpr const char* kBlank = "  ";

// The view of meeting `shown` (its record `meeting`) of `course`, which holds `count`.
MeetingView formatMeetingView(int course, int count, int shown, const KaisaiRecord& meeting);
// The view of the meeting day the main window shows.
MeetingView formatMeetingView(const MainSelection& sel);

}  // namespace tovra
