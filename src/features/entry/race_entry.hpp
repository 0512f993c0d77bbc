#pragma once
// Editing one race of a meeting day: race items, comment, the going of the whole day, and
// the common ending of every change (settle the race, write the day). Each operation takes
// the day as a value and gives back the day as it wrote it, or the refusal (nothing
// written) or the file that could not be written. The dialogs and the CLI both drive
// these; they keep no rule of their own.
#include <array>
#include <cstdint>
#include <string>

#include "domain/race_items.hpp"
#include "storage/ledger.hpp"

namespace tovra {

// "%d月%2d日 %d回  %d日目  %s競馬場   %dR" for race `race` of the day held on `course`;
// without the race part for race < 0 (the track-condition dialog).
std::string entryDayLabel(const KaisaiRecord& meeting, int course, int race);

// 登録 of every race dialog: settles race `race` (0..11) of the day and writes the meeting
// record and its twelve races at `key` together. The settled day as written.
Result<MeetingDay> commitRace(const Ledger& ledger, const DayKey& key, MeetingDay day, int race);
// Settles all twelve races of the day and writes it at `key`. The settled day as written.
Result<MeetingDay> settleDay(const Ledger& ledger, const DayKey& key, MeetingDay day);

// --- race items ---
// What the items dialog shows: radio positions, distance text and race name (UTF-8).
struct RaceItemsInput {
  ItemPositions positions{};
  std::string kyoriText;
  std::string raceName;
};
// The dialog's opening state for race `race`: the stored items, or every group on its
// first item with empty distance and name when none are stored.
RaceItemsInput openRaceItems(const MeetingDay& day, int race);
// 登録: checks the distance, the code and the name, stores them and commits.
// A race name left as it was shown keeps its stored bytes.
Result<MeetingDay> registerRaceItems(const Ledger& ledger, const DayKey& key, MeetingDay day, int race,
                                     const RaceItemsInput& in);
// 全て削除 asks this first (OK/ｷｬﾝｾﾙ, question icon); on OK the caller runs deleteRaceItems.
std::string deleteRaceItemsQuestion();
// 全て削除: clears items, distance and name (tickets, results and comment stay) and commits.
Result<MeetingDay> deleteRaceItems(const Ledger& ledger, const DayKey& key, MeetingDay day, int race);

// --- comment ---
// The stored comment as the comment box shows it (LF line breaks).
std::string commentForMemo(const RaceRecord& race);
// 登録: stores the text (line breaks as CR LF) and commits; a text left as it was shown
// keeps its stored bytes.
Result<MeetingDay> registerComment(const Ledger& ledger, const DayKey& key, MeetingDay day, int race,
                                   const std::string& memoUtf8);

// --- the going of a whole day ---
// The twelve radio groups of the track-condition dialog over the day's race block.
class GoingSheet {
 public:
  explicit GoingSheet(const RaceBlock& races);
  bool enabled(int r) const { return races_[static_cast<std::size_t>(r)].koumoku != 0; }
  int selected(int r) const { return selected_[static_cast<std::size_t>(r)]; }  // 0..3, -1 = none
  void select(int r, int item);                                                 // ignored for races without items
  void selectAll(int item);  // 全て良 / すべて稍重 / すべて重 / すべて不良
  // The race block with the going digit of every race with items rewritten.
  RaceBlock applied() const;
  // 修正: writes applied() as the race block of `key` only (the going takes no part in
  // the money figures). The block as written.
  Result<RaceBlock> apply(const Ledger& ledger, const DayKey& key) const;

 private:
  RaceBlock races_;
  std::array<int, 12> selected_{};
};

}  // namespace tovra
