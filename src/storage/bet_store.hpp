#pragma once
// The bet store: what the course files have no room for (馬単, 3連複 and 3連単 lines, their
// winning combinations and special payouts, scratched horses and refunded frames), kept in
// one SQLite database beside the ledger, tovradatafile/bets.sqlite. Rows are keyed by date
// and race, never by a meeting's place in its course file, so that the course files stay
// byte for byte what they are.
//
// The file is created on the first write; reading a ledger that has none reads every race
// empty and creates nothing. Every change is one transaction (rollback journal,
// synchronous=EXTRA, FULL with the folder synced when the journal goes: a change that
// returned is on the disk). A store that cannot be opened
// or fails PRAGMA quick_check is refused with a message naming the file, and nothing of it
// is read or written; the course files keep working without it.
//
// Changes that touch the course files as well (a meeting's new date, a deleted meeting, a
// deleted year) write an intent first (beginIntent), then the course files change, then
// applyIntent moves or removes the rows and the intent together. An intent left by a crash
// is completed or dropped at the next open by whoever looks at the course files
// (features/bets/bet_intents.hpp).
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/bet_store_keys.hpp"
#include "storage/kept_days.hpp"
#include "storage/outcome.hpp"
#include "storage/win5_rows.hpp"

namespace tovra::sql {
class Db;
struct SqlError;
class SqlStatus;
}  // namespace tovra::sql

namespace tovra {

// The logical path of the store (relative to the working folder).
inline constexpr const char* kBetStorePath = "tovradatafile/bets.sqlite";
// The schema this build writes; older stores are migrated when opened.
inline constexpr int kBetStoreSchema = 6;

// A purchase line as stored: plain numbers (domain/bet_points.hpp reads them as a
// PurchaseLine). type 0 馬単 1 3連複 2 3連単; method 0 通常 1 ﾎﾞｯｸｽ 2 流し 3 ﾌｫｰﾒｰｼｮﾝ.
struct StoredLine {
  std::int64_t id = 0;  // the row's id, ascending in the order the lines were bought
  int type = 0;
  int method = 0;
  std::array<std::vector<int>, 3> sets;
  bool multi = false;
  std::array<int, 2> places{1, 2};
  int stake = 0;   // per point, in 100 yen
  int points = 0;  // as the expansion counted them when bought
  bool operator==(const StoredLine&) const = default;
};

// A winning combination of a type and its payout in yen per 100 yen.
struct StoredWinner {
  int type = 0;
  std::array<int, 3> combo{};  // finishing order for 馬単 and 3連単; 馬単 leaves the third 0
  std::int64_t payout = 0;
  bool operator==(const StoredWinner&) const = default;
};

// Everything the store holds of one race.
struct StoredRace {
  std::vector<StoredLine> lines;                       // in the order bought
  std::vector<StoredWinner> winners;                   // in the order entered
  std::array<std::optional<std::int64_t>, 3> special;  // 特払 per type, yen per 100 yen
  std::vector<int> scratched;                          // horses, ascending
  std::vector<int> refundedFrames;                     // 枠連 frames, ascending
  bool empty() const;
  bool operator==(const StoredRace&) const = default;
};

// What an import brings to one race of the store.
struct ImportedRace {
  int race = 1;                   // 1..12
  std::vector<StoredLine> lines;  // added after the race's lines, in this order
  // When set, the race's winning combinations, special payouts, scratched horses and
  // refunded frames are replaced by the ones below (a type without winners and special
  // is cleared); when not, they stay as they are.
  bool results = false;
  std::vector<StoredWinner> winners;
  std::array<std::optional<std::int64_t>, 3> special;
  std::vector<int> scratched;
  std::vector<int> refundedFrames;
  bool operator==(const ImportedRace&) const = default;
};

// What an import brings to one meeting day of the store, written in one transaction.
struct DayImport {
  DateKey date;
  std::vector<ImportedRace> races;
  // The purchase-history lines taken ("受付番号-通番", UTF-8), kept under the date's
  // year, month and day (any course), so that a line is never taken twice.
  std::vector<std::string> receipts;
  // The WIN5 of the date (JV-Data WF): written by storeImportWithBets after the day and its
  // rows, in a transaction of its own (never carried by an intent); not part of empty().
  std::optional<Win5Import> win5 = {};
  bool empty() const { return races.empty() && receipts.empty(); }
  bool operator==(const DayImport&) const = default;
};

// A change of both stores, written before the course files change.
struct StoreIntent {
  // Import: the day's course files are rewritten by an import, and `import` goes into the
  // store once they hold `after` (dropped when they still hold `before`).
  enum class Kind { MoveDay = 1, DeleteDay = 2, DeleteYear = 3, Import = 4 };
  std::int64_t id = 0;  // set by beginIntent
  Kind kind = Kind::MoveDay;
  DateKey from;  // the day (DeleteYear: only from.year counts)
  DateKey to;    // MoveDay: the new date (same year and course)
  // The meetings the course held on from's date (and on to's date) before the change, for
  // the recovery to tell whether the course files changed.
  int fromCountBefore = 0;
  int toCountBefore = 0;
  // Import: the day's meeting index, the fingerprints of its records before and after
  // (dayFingerprint), and the rows.
  int index = 0;
  std::uint64_t before = 0;
  std::uint64_t after = 0;
  DayImport import = {};
  bool operator==(const StoreIntent&) const = default;
};

class BetStore {
 public:
  // The store of the ledger in `root` (root / kBetStorePath, the folder matched without
  // regard to case as the course files are). Nothing is opened until it is used.
  // `vfs` names an SQLite VFS to open the file through (tests that fail I/O); "" the default.
  explicit BetStore(std::filesystem::path root, std::string vfs = "");
  ~BetStore();
  BetStore(const BetStore&) = delete;
  BetStore& operator=(const BetStore&) = delete;

  const std::filesystem::path& file() const { return file_; }
  // Whether the file exists (a ledger that never held a new-type row has none).
  bool exists() const;
  // Opens the file when it exists (or creates it, with `create`), migrates it and runs
  // PRAGMA quick_check. Refused with kBetStoreDamagedText (naming the file) when it cannot
  // be opened, is not a store, is newer than this build or fails the check; the refusal
  // is kept and every later call ends with it. Done when the file does not exist and
  // `create` is false (reads then read empty).
  Status open(bool create);

  // --- reading ---
  Result<StoredRace> race(const RaceKey& key);
  // The twelve races of a day (index 0 is race 1).
  Result<std::array<StoredRace, 12>> day(const DateKey& key);
  // Every race holding a row, of the years given (all years when empty), in key order.
  Status scan(const std::vector<int>& years, const std::function<void(const RaceKey&, const StoredRace&)>& visit);
  // The days of a course and year that hold rows (for the recovery and the tests).
  Result<std::vector<DateKey>> days(int year, int course);

  // --- changes: each one transaction; the file is created on the first ---
  // Adds a line after the race's others; its new id.
  Result<std::int64_t> addLine(const RaceKey& key, const StoredLine& line);
  // Deletes the race's n-th line (1-based, in the order bought); refused with an empty
  // text when there is none.
  Status deleteLine(const RaceKey& key, int n);
  // Adds a winning combination after the type's others.
  Status addWinner(const RaceKey& key, const StoredWinner& winner);
  // Deletes the type's n-th winning combination (1-based); refused when there is none.
  Status deleteWinner(const RaceKey& key, int type, int n);
  // Sets (or with nullopt clears) the type's special payout.
  Status setSpecial(const RaceKey& key, int type, std::optional<std::int64_t> payout);
  // Removes the type's winning combinations and special payout.
  Status clearResult(const RaceKey& key, int type);
  // Replaces the race's scratched horses and refunded frames (both empty: clears them).
  Status setScratch(const RaceKey& key, const std::vector<int>& horses, const std::vector<int>& frames);
  // Writes what an import brings to a day (see DayImport), in one transaction; an empty
  // one writes nothing and creates no file.
  Status applyImport(const DayImport& import);
  // The purchase-history lines taken on a date (any course), ascending.
  Result<std::vector<std::string>> receipts(int year, int month, int day);

  // --- changes of both stores ---
  // Writes the intent in its own transaction; the intent with its id.
  Result<StoreIntent> beginIntent(const StoreIntent& intent);
  // Moves (MoveDay), removes (DeleteDay, DeleteYear) or writes (Import, as applyImport)
  // the rows of the intent and removes the intent, in one transaction. Results and scratches already on the new date of a
  // MoveDay are removed first (the day that moves there brings its own); lines already
  // there stay beside the ones that move in: what was bought is never lost.
  // Refused with an empty text when the intent is not in the store (applied or dropped
  // already): nothing changes then.
  Status applyIntent(const StoreIntent& intent);
  // Removes the intent alone (the course files did not change).
  Status dropIntent(std::int64_t id);
  // The intents left, oldest first.
  Result<std::vector<StoreIntent>> intents();

  // --- the kept figures (what a range of years reads instead of every line) ---
  // The days of each year as settlement gave them when they were kept (storage/kept_days.hpp).
  struct KeptFigures {
    std::vector<KeptDay> days;    // of days not stale, in date order
    std::vector<DateKey> stale;   // days whose rows changed since: read their rows instead
  };
  // Of the years given (all when empty).
  Result<KeptFigures> keptFigures(const std::vector<int>& years);
  // Every day marked stale, of every year.
  Result<std::vector<DateKey>> staleDays();
  // Keeps the days `dates` as `days` holds them (a date not in `days` has no rows) and takes
  // their stale marks, in one transaction. The caller computed them from the days' rows as
  // they are now (one writer at a time: the folder lock).
  Status keepFigures(const std::vector<DateKey>& dates, const std::vector<KeptDay>& days);
  // The record types' figures of scratched races kept per course and year, of the years
  // given (all when empty), in (year, course) order.
  Result<std::vector<KeptCourseFigures>> keptCourseFigures(const std::vector<int>& years);
  // Replaces what is kept of each course and year given (one transaction).
  Status keepCourseFigures(const std::vector<KeptCourseFigures>& kept);

  // PRAGMA integrity_check: "ok", or what it reports (tests, and the kill tests' check).
  Result<std::string> integrityCheck();

 private:
  friend class Win5Store;  // the WIN5 days: their own tables, the same file and transactions
  Status ensureOpen(bool create);
  // Opens the file (creating it with `create`), checks and migrates it; a refusal as above.
  Status openFile(bool create);
  // What a change does when there is no file: create it, or (a change that only removes
  // rows) end as done or as refused with an empty text, creating none.
  enum class NoFile { Create, Done, Refuse };
  // One change in one transaction: `body` runs inside it; its error rolls it back.
  Status change(const std::function<sql::SqlStatus(sql::Db&)>& body, NoFile noFile = NoFile::Create);
  // The refusals of a failed read or write (a damaged file is kept as broken_).
  Refusal readFailed(const sql::SqlError& e);
  Refusal writeFailed(const sql::SqlError& e);
  Refusal damaged();
  std::filesystem::path root_;
  std::filesystem::path file_;
  std::string vfs_;
  std::unique_ptr<sql::Db> db_;  // null while closed or while there is no file
  std::optional<Refusal> broken_;
};

// Shown when the store cannot be opened or is damaged; %1 is replaced by the file's path.
inline constexpr const char* kBetStoreDamagedText =
    "%1 が開けないか壊れています。\n\n馬単・3連複・3連単のﾃﾞｰﾀは使用出来ません。";
// Shown when a change of the store fails (%1 the file's path); nothing was changed.
inline constexpr const char* kBetStoreWriteFailedText = "%1 に書き込めません。\n\n処理を中止します。";

}  // namespace tovra
