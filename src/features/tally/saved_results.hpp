#pragma once
// Saved tally results: per tally kind an archive (tovradatafile/shukei/<kind>.dat, the
// saved copies of the work file one after the other, no header) and its index
// (<kind>.tim, one 64-byte entry per copy holding the copy's time stamp without its
// leading "集計日時    "). Entry i labels copy i; both files gain and lose an entry and a
// copy together.
//
// Every change writes the new archive and the new index beside the old ones and commits
// them together (storage/fileio.hpp): after a crash at any point the two read as the old
// pair or, once the next open has completed a committed change, as the new pair.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/tally/result_files.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

inline constexpr std::size_t kIndexEntrySize = 64;
// The text skipped at the start of a time stamp ("集計日時" and four blanks).
inline constexpr std::size_t kStampLead = 12;

// The index entry of a saved copy: the time stamp text from byte 12 on, NUL-terminated,
// zero-filled. `record` is the copy (the kind's record size).
std::array<std::uint8_t, kIndexEntrySize> indexEntry(TallyKind kind, const std::uint8_t* record);

// Whether a kind's two files can be listed and changed. Both missing: no saved results.
// One without the other, a file that cannot be read, an index too large to be real, or
// an archive whose size is not its index's entries x the record size: `problem` holds
// the message (kSavedDamagedLead, a blank line, what is wrong with which file) and
// saving and deleting refuse to write. A part entry at the end of the index is ignored.
struct SavedCheck {
  std::size_t entries = 0;
  std::string problem;  // empty when the pair is sound
};
SavedCheck checkSaved(DataStore& ds, TallyKind kind);

// The saved results of a kind in index order, as the dialog lists them (UTF-8 time
// texts, e.g. "2001年 5月12日14時 3分"); empty when the index file is missing or cannot be
// read (checkSaved tells why).
std::vector<std::string> savedLabels(DataStore& ds, TallyKind kind);

// A saved result as the dialog lists it: the time text of its index entry and what the
// copy covers, in words read from the archive (kind, range, rows or conditions). Only the
// few bytes of each copy that the words need are read.
struct SavedEntry {
  std::string time;         // "2001年 5月12日14時 3分"
  std::string description;  // "全年 月別", "2001年 3歳 芝 単勝", ...; kSavedNoCopy, kSavedUnknown
};
inline constexpr const char* kSavedNoCopy = "ﾃﾞｰﾀなし";   // the archive does not hold the copy
inline constexpr const char* kSavedUnknown = "内容不明";  // the copy holds no result of the kind
std::vector<SavedEntry> savedEntries(DataStore& ds, TallyKind kind);
// A line of the dialog's list: the time, two blanks, the description.
std::string savedLine(const SavedEntry& entry);
// The question before a saved result is deleted: "保存済<tally>結果を削除します。", a blank
// line, then the line as the dialog lists it.
std::string savedDeleteQuestion(TallyKind kind, const SavedEntry& entry);

// 集計結果保存: after the kind's question (OK / Cancel), appends the work file's copy and
// its entry. False when cancelled or refused (after a message: the work file cannot be
// shown, the saved files are not sound (checkSaved), or the files cannot be written;
// nothing is changed then).
bool saveTallyResult(DataStore& ds, UserPort& port, TallyKind kind);

// 表示: writes saved copy `index` back as the kind's work file. When the archive does not
// hold that copy in full (missing, or out of step with its index) or the copy is not a
// result, "保存されているﾃﾞｰﾀに異常がありました。\n\n表示出来ません。" and the work file stays
// as it was.
bool restoreSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index);

// 削除: removes copy `index` and its entry (no question). When the new files cannot be
// written, "保存集計結果削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。" and nothing is
// deleted. When the saved files are not sound (checkSaved), that message and nothing is
// deleted; an index out of range is refused without a message.
bool deleteSavedResult(DataStore& ds, UserPort& port, TallyKind kind, int index);

inline constexpr const char* kSavedDamagedLead = "保存されているﾃﾞｰﾀに異常がありました。";
inline constexpr const char* kSavedBrokenMessage = "保存されているﾃﾞｰﾀに異常がありました。\n\n表示出来ません。";
inline constexpr const char* kSavedDeleteFailedMessage =
    "保存集計結果削除用作業ﾌｧｲﾙが作成出来ません。\n\n処理を中止します。";
inline constexpr const char* kSavedSaveFailedMessage = "集計結果を保存出来ませんでした。\n\n処理を中止します。";

}  // namespace tovra::tally
