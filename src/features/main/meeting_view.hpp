#pragma once
// The meeting view: what the main window shows for the meeting day of the current
// course. It only formats what the settlement stored.
#include <optional>
#include <string>

#include "domain/new_bet_settlement.hpp"
#include "storage/outcome.hpp"
#include "storage/records.hpp"

namespace tovra {

class BetStore;
struct DayBets;
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
  // 全式別 only: the WIN5 of the date, one line for the day under the races (the same
  // whichever course's meeting of that date is shown); raceName "WIN5".
  bool win5Shown = false;
  MeetingRowView win5;
};

inline constexpr const char* kBlank = "  ";

// The view of meeting `shown` (its record `meeting`) of `course`, which holds `count`.
MeetingView formatMeetingView(int course, int count, int shown, const KaisaiRecord& meeting);
// The view of the meeting day the main window shows.
MeetingView formatMeetingView(const MainSelection& sel);

// 全式別: the same view with each race row and the totals row over all eight bet types
// (the record's five with the refunds of scratched horses, and 馬単 3連複 3連単 of the bet
// store): purchase = bought − refunded, return, 回収率, 収支 and the hit mark of `bets`.
// A race shows when it holds data or the store holds rows of it. A race without store rows
// keeps the record's row as formatMeetingView shows it (its figures are the record's); the
// totals row adds up the purchases and returns the rows show. A day without store rows is
// formatMeetingView's view exactly.
// `win5`: the figures of the date's WIN5, when the date has one. It is shown once for the
// day (win5Shown, its own line, never in a race row) and its purchase and return enter the
// totals row; without it the view is as above.
MeetingView formatMeetingViewAllTypes(int course, int count, int shown, const KaisaiRecord& meeting,
                                      const DayBets& bets, const std::optional<BetFigures>& win5 = std::nullopt);
// The 全式別 view of the meeting day the main window shows, its rows and the date's WIN5
// read from `store` by date (a store without a file reads empty); the store's refusal when
// it cannot be read.
Result<MeetingView> formatMeetingViewAllTypes(const MainSelection& sel, const std::string& year, BetStore& store);

}  // namespace tovra
