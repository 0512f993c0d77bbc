#pragma once
// The race window's texts: everything recorded for one race of the meeting day shown,
// formatted in Shift-JIS widths (so the fixed-width lines line up) and given in UTF-8.
// The window itself only puts these texts into its controls.
#include <array>
#include <string>
#include <vector>

#include "storage/ledger.hpp"
#include "storage/records.hpp"

namespace tovra {

struct SettingsRecord;

// One result panel: its text ("" = blank) and whether it shows a hit (the hit colour).
struct ResultPanelView {
  std::string text;
  bool hit = false;
};

// The bought-ticket lists KouBox1..KouBox5, in bet-type order 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ.
enum TicketBox { kBoxTan = 0, kBoxFuku = 1, kBoxWaku = 2, kBoxUma = 3, kBoxWide = 4 };
inline constexpr int kTicketBoxes = 5;

// How the race window sets the entries table on the screen: the five fields of an entry
// (枠番, 馬番, 馬名, 騎手, 斤量) each drawn from cell `cell` (one cell per Shift-JIS byte of
// the fixed-width font) under its heading, `cells` wide. In an entry line they stand at
// bytes 0, 3, 8, 26 and 44; here the columns leave room between them, so that a name
// filling its 18 bytes does not touch the jockey and the two number headings stay apart.
struct EntryColumn {
  int cell, cells;
  const char* heading;
};
inline constexpr int kEntryColumnCount = 5;
inline constexpr EntryColumn kEntryColumns[kEntryColumnCount] = {
    {0, 4, "枠番"}, {5, 4, "馬番"}, {10, 18, "馬名"}, {30, 18, "騎手"}, {50, 4, "斤量"},
};
using EntryFields = std::array<std::string, kEntryColumnCount>;
using EntryColumns = std::array<EntryColumn, kEntryColumnCount>;
// The fields of one entry as the columns show them (UTF-8): " %2d", " %2d", the name, the
// jockey and the weight ("%4.1f" of weight ÷ 10 above 99, else "%d").
EntryFields entryFields(int waku, int horse, const std::string& nameCp932, const std::string& jockeyCp932, int kinryo);
// The columns for these entries: those of kEntryColumns, a column widened to its widest
// field (a name of up to 24 bytes) and the later ones moved on, the room between kept.
EntryColumns entryColumns(const std::vector<EntryFields>& entries);

struct RaceView {
  int race = 0;               // 0..11
  std::string caption;        // "%s競馬場ﾚｰｽﾃﾞｰﾀ"
  std::string jyoLabel;       // "%s競馬場"
  std::string dayPanel;       // " %2d月%2d日 %d回 %d日目"
  std::string raceNamePanel;  // " %dR     %s"
  std::string kouPanel;       // the race items line, "" without items
  bool holdsData = false;     // the delete and print buttons are shown
  int ticketPage = 0;         // first page of the ticket tabs: 0 単･複, 1 枠連･ﾜｲﾄﾞ, 2 馬連

  std::array<std::vector<std::string>, kTicketBoxes> tickets;

  // Purchase, recovery rate, return, balance; all "" when nothing was bought.
  std::string gou, ritsu, kaikin, shu;
  bool plus = false;  // balance in the plus colour

  std::string memo;  // the comment, line breaks as "\n"

  std::vector<std::string> finishers;  // BameiBox1
  std::array<ResultPanelView, 2> tan, waku, uma;
  std::array<ResultPanelView, 4> fuku;
  bool wideKiriEnabled = false;  // a fourth wide result exists
  int wideState = 0;             // WideKiriBtn's state: race * 10 + page

  std::vector<std::string> entries;      // ShutsubaBox
  std::vector<EntryFields> entryFields;  // the same entries, field by field
  EntryColumns entryColumns{};           // and where their columns stand
};

// Whether the old age labels apply: years up to 2000 with the option's hundreds digit 1.
bool useOldAgeLabels(int year, const SettingsRecord& settings);

// The view of race `race` (0..11) of the day at `key` (its year picks the age labels,
// its course the captions).
RaceView formatRaceView(const DayKey& key, const MeetingDay& day, const SettingsRecord& settings, int race);

// The three wide panels of one page (0: results 1-3, 1: results 4-6).
std::array<ResultPanelView, 3> widePage(const RaceRecord& race, int page);
// The wide panels for WideKiriBtn's state (race * 10 + page) of the day's race block.
std::array<ResultPanelView, 3> widePageForState(const RaceBlock& races, int state);
// WideKiriBtn's click: the other page of the same race.
inline int toggleWideState(int state) { return (state / 10) * 10 + (state % 10 == 0 ? 1 : 0); }

// One finisher line: " %d着  %2d  %s" cut or padded to 32 Shift-JIS bytes, then the
// finisher's text right-aligned in 11 columns. CP932 in, UTF-8 out.
std::string finisherLine(int place, int horse, const std::string& nameCp932, const std::string& textCp932);
// One line of the entries table (weight 550 as 55.0, 55 as 55).
std::string entryLine(int waku, int horse, const std::string& nameCp932, const std::string& jockeyCp932, int kinryo);

}  // namespace tovra
