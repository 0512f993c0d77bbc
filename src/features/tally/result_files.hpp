#pragma once
// The four tallies' results as files: which work file, archive and index belong to each
// tally, where its time stamp lies, and whether a work file (or a saved copy of one) is
// fit to be shown. The result windows, saving and the CLI all take them from here, so a
// missing, short or damaged file is named the same way everywhere.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/shushi_tally.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

// The tally kinds as saving numbers them.
enum class TallyKind : int { Shushi = 1, Koumoku = 2, Rank = 3, Jyoken = 4 };
inline constexpr TallyKind kTallyKinds[] = {TallyKind::Shushi, TallyKind::Koumoku, TallyKind::Rank, TallyKind::Jyoken};

struct TallyKindInfo {
  TallyKind kind;
  const char* name;          // on the command line: "shushi", "koumoku", "rank", "jyoken"
  const char* title;         // "収支集計", ... (UTF-8)
  const char* workFile;      // "tmp/shushi.tmp", ...
  std::size_t recordSize;    // what a saved copy keeps: 2360, 13552, 6697, 295 bytes
  std::size_t stampOffset;   // where the time stamp text starts in the work file
  const char* archive;       // "tovradatafile/shukei/shushi.dat", ...
  const char* index;         // "tovradatafile/shukei/shushi.tim", ...
  const char* saveQuestion;  // "表示されている収支集計結果を保存します。", ...
  // The type figures beside the work file and beside the archive (収支集計 and 項目集計;
  // nullptr for the others): "tmp/shushisk.tmp", "tovradatafile/shukei/shushisk.dat".
  // The type archive holds a record (TypeTallyResult::kSize bytes) per copy of the
  // archive at the same position, zeros for a copy saved without one; it may be shorter
  // than the archive (copies saved before it existed) and is missing until a copy has one.
  const char* typeWorkFile = nullptr;
  const char* typeArchive = nullptr;
};
const TallyKindInfo& tallyKindInfo(TallyKind kind);
// The kind by its command-line name; nullopt for any other text.
std::optional<TallyKind> tallyKindByName(std::string_view name);

// What is wrong with a work file, if anything.
enum class WorkFileState { Ok, Missing, Short, Damaged };

// Whether a work file's bytes (at least the kind's record size) hold a result the windows
// can show: known mode or kind code, year and day values in range, finite rates,
// conditions the condition tally can set.
bool plausibleRecord(TallyKind kind, const std::uint8_t* data, std::size_t size);
// Reads a kind's work file and says whether it can be shown.
WorkFileState workFileState(DataStore& ds, TallyKind kind);
// The first record-size bytes of a kind's work file when it can be shown; otherwise
// nothing, and `state` says why.
std::optional<std::vector<std::uint8_t>> readWorkRecord(DataStore& ds, TallyKind kind, WorkFileState& state);
// The message (title "確認") for a work file that cannot be shown.
std::string workFileMessage(TallyKind kind, WorkFileState state);

// The work files as the windows read them: the result, or nothing after the message above.
std::optional<ShushiResult> loadShushiFile(DataStore& ds, UserPort& port);
std::optional<KoumokuResult> loadKoumokuFile(DataStore& ds, UserPort& port);
std::optional<RankResult> loadRankFile(DataStore& ds, UserPort& port);
std::optional<JyokenResult> loadJyokenFile(DataStore& ds, UserPort& port);

}  // namespace tovra::tally
