#pragma once
// Editing one race of the meeting day shown: race items, comment, the going of the
// whole day, and the common ending of every change (settle, write, or re-read on cancel).
// The dialogs and the CLI both drive these; they keep no rule of their own.
#include <array>
#include <cstdint>
#include <string>

#include "entry/race_items.hpp"

namespace tovra {

class DataStore;
class UserPort;

// "%d月%2d日 %d回  %d日目  %s競馬場   %dR" for race r of the meeting day shown;
// without the race part for r < 0 (the track-condition dialog).
std::string entryDayLabel(const DataStore& ds, int r);

// 登録 of every race dialog: settle race r and write the meeting record and its twelve races.
void commitRace(DataStore& ds, int r);
// ｷｬﾝｾﾙ: read the meeting day shown again, dropping every change in memory.
void discardRaceChanges(DataStore& ds);

// --- race items ---
// What the items dialog shows: radio positions, distance text and race name (UTF-8).
struct RaceItemsInput {
  ItemPositions positions{};
  std::string kyoriText;
  std::string raceName;
};
// The dialog's opening state for race r: the stored items, or every group on its first
// item with empty distance and name when none are stored.
RaceItemsInput openRaceItems(const DataStore& ds, int r);
// 登録: checks the distance, the code and the name, stores them and commits.
// A race name left as it was shown keeps its stored bytes.
bool registerRaceItems(DataStore& ds, UserPort& port, int r, const RaceItemsInput& in);
// 全て削除: asks, then clears items, distance and name (tickets, results and comment stay) and commits.
bool deleteRaceItems(DataStore& ds, UserPort& port, int r);

// --- comment ---
// The stored comment as the comment box shows it (LF line breaks).
std::string commentForMemo(const DataStore& ds, int r);
// 登録: stores the text (line breaks as CR LF) and commits; a text left as it was shown
// keeps its stored bytes.
bool registerComment(DataStore& ds, UserPort& port, int r, const std::string& memoUtf8);

// --- the going of a whole day ---
// The twelve radio groups of the track-condition dialog.
class GoingSheet {
 public:
  // Reads the race block of the meeting day shown.
  explicit GoingSheet(DataStore& ds);
  bool enabled(int r) const { return koumoku_[r] != 0; }
  int selected(int r) const { return selected_[r]; }  // 0..3, -1 = none
  void select(int r, int item);                       // ignored for races without items
  void selectAll(int item);                           // 全て良 / すべて稍重 / すべて重 / すべて不良
  // 修正: rewrites the going digit of every race with items and writes the race block
  // only (the going takes no part in the money figures).
  void apply(DataStore& ds) const;

 private:
  std::array<std::uint32_t, 12> koumoku_{};
  std::array<int, 12> selected_{};
};

}  // namespace tovra
