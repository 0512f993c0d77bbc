#include "storage/bet_store.hpp"

#include "storage/win5_schema.hpp"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <iterator>

#include "storage/day_import_codec.hpp"
#include "storage/fileio.hpp"
#include "storage/paths.hpp"
#include "storage/sql_rows.hpp"
#include "storage/sqlite_db.hpp"

namespace tovra {

using sql::Db;
using sql::joinNumbers;
using sql::run;
using sql::splitNumbers;
using sql::SqlError;
using sql::SqlStatus;
using sql::SqlValue;
using sql::Statement;

namespace {

// The steps from each version to the next: kMigrations[v] turns version v into v + 1.
// A step is never changed once released; a new schema adds a step.
constexpr const char* kMigrations[] = {
    // 0 -> 1: the tables.
    R"sql(
CREATE TABLE schema_version(version INTEGER NOT NULL);
CREATE TABLE lines(
  id INTEGER PRIMARY KEY,
  year INTEGER NOT NULL, course INTEGER NOT NULL CHECK(course BETWEEN 0 AND 9),
  month INTEGER NOT NULL, day INTEGER NOT NULL, race INTEGER NOT NULL CHECK(race BETWEEN 1 AND 12),
  type INTEGER NOT NULL CHECK(type BETWEEN 0 AND 2),
  method INTEGER NOT NULL CHECK(method BETWEEN 0 AND 3),
  set1 TEXT NOT NULL, set2 TEXT NOT NULL, set3 TEXT NOT NULL,
  multi INTEGER NOT NULL CHECK(multi IN (0, 1)),
  place1 INTEGER NOT NULL, place2 INTEGER NOT NULL,
  stake INTEGER NOT NULL, points INTEGER NOT NULL);
CREATE INDEX lines_by_race ON lines(year, course, month, day, race);
CREATE TABLE winners(
  id INTEGER PRIMARY KEY,
  year INTEGER NOT NULL, course INTEGER NOT NULL CHECK(course BETWEEN 0 AND 9),
  month INTEGER NOT NULL, day INTEGER NOT NULL, race INTEGER NOT NULL CHECK(race BETWEEN 1 AND 12),
  type INTEGER NOT NULL CHECK(type BETWEEN 0 AND 2),
  h1 INTEGER NOT NULL, h2 INTEGER NOT NULL, h3 INTEGER NOT NULL,
  payout INTEGER NOT NULL);
CREATE INDEX winners_by_race ON winners(year, course, month, day, race);
CREATE TABLE specials(
  year INTEGER NOT NULL, course INTEGER NOT NULL CHECK(course BETWEEN 0 AND 9),
  month INTEGER NOT NULL, day INTEGER NOT NULL, race INTEGER NOT NULL CHECK(race BETWEEN 1 AND 12),
  type INTEGER NOT NULL CHECK(type BETWEEN 0 AND 2),
  payout INTEGER NOT NULL,
  PRIMARY KEY(year, course, month, day, race, type));
CREATE TABLE scratches(
  year INTEGER NOT NULL, course INTEGER NOT NULL CHECK(course BETWEEN 0 AND 9),
  month INTEGER NOT NULL, day INTEGER NOT NULL, race INTEGER NOT NULL CHECK(race BETWEEN 1 AND 12),
  horses TEXT NOT NULL, frames TEXT NOT NULL,
  PRIMARY KEY(year, course, month, day, race));
CREATE TABLE intents(
  id INTEGER PRIMARY KEY,
  kind INTEGER NOT NULL CHECK(kind BETWEEN 1 AND 3),
  year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  new_year INTEGER NOT NULL, new_course INTEGER NOT NULL, new_month INTEGER NOT NULL, new_day INTEGER NOT NULL,
  from_count INTEGER NOT NULL, to_count INTEGER NOT NULL);
)sql",
    // 1 -> 2: the figures of each day's new types kept beside its rows, so that a range of
    // years reads one row a day and type instead of every line; and the days whose rows
    // changed since their figures were kept, marked by triggers in the change's own
    // transaction (a kept figure is never read for a day marked stale).
    R"sql(
CREATE TABLE day_figures(
  year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  type INTEGER NOT NULL CHECK(type BETWEEN 0 AND 2),
  bought INTEGER NOT NULL, refunded INTEGER NOT NULL, ret INTEGER NOT NULL, hit INTEGER NOT NULL,
  PRIMARY KEY(year, course, month, day, type)) WITHOUT ROWID;
CREATE TABLE stale_days(
  year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  PRIMARY KEY(year, course, month, day)) WITHOUT ROWID;
INSERT OR IGNORE INTO stale_days
  SELECT year, course, month, day FROM lines UNION SELECT year, course, month, day FROM winners
  UNION SELECT year, course, month, day FROM specials UNION SELECT year, course, month, day FROM scratches;
CREATE TRIGGER lines_added AFTER INSERT ON lines BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER lines_removed AFTER DELETE ON lines BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
END;
CREATE TRIGGER lines_changed AFTER UPDATE ON lines BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER winners_added AFTER INSERT ON winners BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER winners_removed AFTER DELETE ON winners BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
END;
CREATE TRIGGER winners_changed AFTER UPDATE ON winners BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER specials_added AFTER INSERT ON specials BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER specials_removed AFTER DELETE ON specials BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
END;
CREATE TRIGGER specials_changed AFTER UPDATE ON specials BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER scratches_added AFTER INSERT ON scratches BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
CREATE TRIGGER scratches_removed AFTER DELETE ON scratches BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
END;
CREATE TRIGGER scratches_changed AFTER UPDATE ON scratches BEGIN
  INSERT OR IGNORE INTO stale_days VALUES (OLD.year, OLD.course, OLD.month, OLD.day);
  INSERT OR IGNORE INTO stale_days VALUES (NEW.year, NEW.course, NEW.month, NEW.day);
END;
)sql",
    // 2 -> 3: a year's kept figures in one row (and with them the races with scratches), so
    // that a range reads one row a year; and the record types' figures of scratched races
    // per course and year, with the stamp of the race file they were computed from. Every
    // day is kept again from its rows.
    R"sql(
DROP TABLE day_figures;
CREATE TABLE year_figures(year INTEGER PRIMARY KEY, days BLOB NOT NULL);
CREATE TABLE course_figures(
  year INTEGER NOT NULL, course INTEGER NOT NULL, stamp BLOB NOT NULL, races BLOB NOT NULL,
  PRIMARY KEY(year, course)) WITHOUT ROWID;
INSERT OR IGNORE INTO stale_days
  SELECT year, course, month, day FROM lines UNION SELECT year, course, month, day FROM winners
  UNION SELECT year, course, month, day FROM specials UNION SELECT year, course, month, day FROM scratches;
)sql",
    // 3 -> 4: the purchase-history lines an import took, so that none is taken twice (one
    // receipt a date, whichever course it was for); and intents that carry an import's rows
    // until the day's records hold what the import wrote.
    R"sql(
CREATE TABLE receipts(
  year INTEGER NOT NULL, course INTEGER NOT NULL CHECK(course BETWEEN 0 AND 9),
  month INTEGER NOT NULL, day INTEGER NOT NULL, receipt TEXT NOT NULL,
  UNIQUE(year, month, day, receipt));
CREATE TABLE intents_4(
  id INTEGER PRIMARY KEY,
  kind INTEGER NOT NULL CHECK(kind BETWEEN 1 AND 4),
  year INTEGER NOT NULL, course INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  new_year INTEGER NOT NULL, new_course INTEGER NOT NULL, new_month INTEGER NOT NULL, new_day INTEGER NOT NULL,
  from_count INTEGER NOT NULL, to_count INTEGER NOT NULL,
  day_index INTEGER NOT NULL DEFAULT 0, before_print INTEGER NOT NULL DEFAULT 0,
  after_print INTEGER NOT NULL DEFAULT 0, payload TEXT NOT NULL DEFAULT '');
INSERT INTO intents_4(id, kind, year, course, month, day, new_year, new_course, new_month, new_day, from_count,
  to_count) SELECT id, kind, year, course, month, day, new_year, new_course, new_month, new_day, from_count, to_count
  FROM intents;
DROP TABLE intents;
ALTER TABLE intents_4 RENAME TO intents;
)sql",
    // 4 -> 5: the WIN5 days, keyed by date alone (storage/win5_schema.hpp).
    kWin5Tables,
    // 5 -> 6: the purchase-history WIN5 lines an import took (storage/win5_schema.hpp).
    kWin5ReceiptTable,
};
static_assert(std::size(kMigrations) == kBetStoreSchema, "one migration step per schema version");

// The tables whose rows belong to a meeting day: those of its races (lines, winners,
// specials, scratches) and the purchase-history receipts.
constexpr const char* kDayTables[] = {"lines", "winners", "specials", "scratches", "receipts"};

// The code of an error that is not SQLite's: the row to delete is not there.
constexpr int kAbsent = -1;
SqlError absent() { return {kAbsent, "absent"}; }
// What a removal of a row that is not there gives.
Refusal nothingToDelete() { return {MsgIcon::Error, ""}; }
// A row that does not read as this program wrote it.
SqlError malformed(const std::string& what) { return {SQLITE_CORRUPT, "malformed " + what}; }

std::string withFile(const char* text, const std::filesystem::path& file) {
  std::string s = text;
  const auto at = s.find("%1");
  if (at != std::string::npos) s.replace(at, 2, file.string());
  return s;
}

std::vector<int> sortedUnique(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

// The rows of the race tables that a WHERE clause selects, with ?1.. as `params` give.
struct Selection {
  std::string where;
  std::vector<int> params;
};

Selection ofYear(int year) { return {"WHERE year = ?1", {year}}; }
Selection ofDay(const DateKey& d) {
  return {"WHERE year = ?1 AND course = ?2 AND month = ?3 AND day = ?4", {d.year, d.course, d.month, d.day}};
}
Selection ofRace(const RaceKey& k) {
  return {"WHERE year = ?1 AND course = ?2 AND month = ?3 AND day = ?4 AND race = ?5",
          {k.date.year, k.date.course, k.date.month, k.date.day, k.race}};
}

constexpr const char* kKeyColumns = "year, course, month, day, race";

// One table's rows in race order; the first five columns are the key.
struct Cursor {
  Statement st;
  bool has = false;
  RaceKey key;

  SqlStatus advance() {
    auto row = st.step();
    if (!row) return row.status();
    has = *row;
    if (has) key = {{st.columnInt(0), st.columnInt(1), st.columnInt(2), st.columnInt(3)}, st.columnInt(4)};
    return {};
  }
};

SqlValue<Cursor> openCursor(Db& db, const std::string& columns, const char* table, const Selection& sel,
                            const char* order) {
  const std::string q = std::string("SELECT ") + kKeyColumns + ", " + columns + " FROM " + table + " " + sel.where +
                        " ORDER BY " + kKeyColumns + order;
  auto st = db.prepare(q);
  if (!st) return st.error();
  for (std::size_t i = 0; i < sel.params.size(); ++i)
    if (auto s = st->bind(static_cast<int>(i + 1), sel.params[i]); !s) return s.error();
  Cursor c{std::move(*st), false, {}};
  if (auto s = c.advance(); !s) return s.error();
  return c;
}

SqlStatus readLine(const Statement& st, StoredLine& line) {
  line.id = st.columnInt64(5);
  line.type = st.columnInt(6);
  line.method = st.columnInt(7);
  for (int i = 0; i < 3; ++i)
    if (!splitNumbers(st.columnText(8 + i), line.sets[static_cast<std::size_t>(i)]))
      return malformed("horse list of line " + std::to_string(line.id));
  line.multi = st.columnInt(11) != 0;
  line.places = {st.columnInt(12), st.columnInt(13)};
  line.stake = st.columnInt(14);
  line.points = st.columnInt(15);
  return {};
}

// Every race of the selection holding a row, in key order, each once with all its rows:
// one ordered query per table, merged.
SqlStatus collect(Db& db, const Selection& sel, const std::function<void(const RaceKey&, StoredRace&)>& visit) {
  auto lines =
      openCursor(db, "id, type, method, set1, set2, set3, multi, place1, place2, stake, points", "lines", sel, ", id");
  if (!lines) return lines.error();
  auto winners = openCursor(db, "type, h1, h2, h3, payout", "winners", sel, ", id");
  if (!winners) return winners.error();
  auto specials = openCursor(db, "type, payout", "specials", sel, ", type");
  if (!specials) return specials.error();
  auto scratches = openCursor(db, "horses, frames", "scratches", sel, "");
  if (!scratches) return scratches.error();
  Cursor* all[] = {&*lines, &*winners, &*specials, &*scratches};

  for (;;) {
    const Cursor* first = nullptr;
    for (const Cursor* c : all)
      if (c->has && (!first || c->key < first->key)) first = c;
    if (!first) return {};
    const RaceKey key = first->key;
    StoredRace race;
    for (; lines->has && lines->key == key;) {
      StoredLine line;
      if (auto s = readLine(lines->st, line); !s) return s;
      race.lines.push_back(std::move(line));
      if (auto s = lines->advance(); !s) return s;
    }
    for (; winners->has && winners->key == key;) {
      const Statement& st = winners->st;
      StoredWinner w{st.columnInt(5), {st.columnInt(6), st.columnInt(7), st.columnInt(8)}, st.columnInt64(9)};
      race.winners.push_back(w);
      if (auto s = winners->advance(); !s) return s;
    }
    for (; specials->has && specials->key == key;) {
      const int type = specials->st.columnInt(5);
      if (type < 0 || type > 2) return malformed("type of a special payout");
      race.special[static_cast<std::size_t>(type)] = specials->st.columnInt64(6);
      if (auto s = specials->advance(); !s) return s;
    }
    for (; scratches->has && scratches->key == key;) {
      if (!splitNumbers(scratches->st.columnText(5), race.scratched) ||
          !splitNumbers(scratches->st.columnText(6), race.refundedFrames))
        return malformed("scratched horses");
      if (auto s = scratches->advance(); !s) return s;
    }
    visit(key, race);
  }
}

// Runs a statement with its parameters to its end.
// The id of the n-th row (1-based, in id order) of a query selecting ids in that order.
template <class... Values>
SqlValue<std::int64_t> nthId(Db& db, const std::string& q, int n, const Values&... values) {
  if (n < 1) return absent();
  auto st = db.prepare(q + " ORDER BY id LIMIT 1 OFFSET ?");
  if (!st) return st.error();
  if (auto s = st->bindAll(values..., n - 1); !s) return s.error();
  auto row = st->step();
  if (!row) return row.error();
  if (!*row) return absent();
  return st->columnInt64(0);
}

constexpr const char* kRaceWhere = "year = ? AND course = ? AND month = ? AND day = ? AND race = ?";
constexpr const char* kDayWhere = "year = ? AND course = ? AND month = ? AND day = ?";

bool isDamage(const SqlError& e) { return e.primary() == SQLITE_CORRUPT || e.primary() == SQLITE_NOTADB; }

SqlStatus insertLine(Db& db, const RaceKey& key, const StoredLine& line) {
  const auto& d = key.date;
  return run(db,
             "INSERT INTO lines(year, course, month, day, race, type, method, set1, set2, set3, multi, "
             "place1, place2, stake, points) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             d.year, d.course, d.month, d.day, key.race, line.type, line.method, joinNumbers(line.sets[0]),
             joinNumbers(line.sets[1]), joinNumbers(line.sets[2]), line.multi ? 1 : 0, line.places[0], line.places[1],
             line.stake, line.points);
}

SqlStatus insertWinner(Db& db, const RaceKey& key, const StoredWinner& w) {
  const auto& d = key.date;
  return run(db,
             "INSERT INTO winners(year, course, month, day, race, type, h1, h2, h3, payout) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             d.year, d.course, d.month, d.day, key.race, w.type, w.combo[0], w.combo[1], w.combo[2], w.payout);
}

// What an import brings to a day, inside the caller's transaction.
SqlStatus writeImport(Db& db, const DayImport& im) {
  const DateKey& d = im.date;
  for (const ImportedRace& r : im.races) {
    const RaceKey key{d, r.race};
    for (const StoredLine& line : r.lines)
      if (auto s = insertLine(db, key, line); !s) return s;
    if (!r.results) continue;
    for (const char* table : {"winners", "specials", "scratches"})
      if (auto s = run(db, std::string("DELETE FROM ") + table + " WHERE " + kRaceWhere, d.year, d.course, d.month,
                       d.day, r.race);
          !s)
        return s;
    for (const StoredWinner& w : r.winners)
      if (auto s = insertWinner(db, key, w); !s) return s;
    for (int type = 0; type < 3; ++type)
      if (const auto& special = r.special[static_cast<std::size_t>(type)])
        if (auto s = run(db,
                         "INSERT INTO specials(year, course, month, day, race, type, payout) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?)",
                         d.year, d.course, d.month, d.day, r.race, type, *special);
            !s)
          return s;
    if (!r.scratched.empty() || !r.refundedFrames.empty())
      if (auto s = run(db,
                       "INSERT INTO scratches(year, course, month, day, race, horses, frames) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?)",
                       d.year, d.course, d.month, d.day, r.race, joinNumbers(sortedUnique(r.scratched)),
                       joinNumbers(sortedUnique(r.refundedFrames)));
          !s)
        return s;
  }
  for (const std::string& receipt : im.receipts)
    if (auto s = run(db, "INSERT OR IGNORE INTO receipts(year, course, month, day, receipt) VALUES (?, ?, ?, ?, ?)",
                     d.year, d.course, d.month, d.day, std::string_view(receipt));
        !s)
      return s;
  return {};
}

}  // namespace

bool StoredRace::empty() const {
  return lines.empty() && winners.empty() && !special[0] && !special[1] && !special[2] && scratched.empty() &&
         refundedFrames.empty();
}

BetStore::BetStore(std::filesystem::path root, std::string vfs)
    : root_(std::move(root)), file_(resolvePath(FileSystem::standard(), root_, kBetStorePath)), vfs_(std::move(vfs)) {}

BetStore::~BetStore() = default;

bool BetStore::exists() const { return FileSystem::standard().exists(file_); }

Status BetStore::open(bool create) { return ensureOpen(create); }

Refusal BetStore::damaged() {
  if (!broken_) broken_ = Refusal{MsgIcon::Error, withFile(kBetStoreDamagedText, file_)};
  db_.reset();
  return *broken_;
}

Refusal BetStore::readFailed(const SqlError& e) {
  if (isDamage(e)) return damaged();
  return Refusal{MsgIcon::Error, withFile(kBetStoreDamagedText, file_)};
}

Refusal BetStore::writeFailed(const SqlError& e) {
  if (isDamage(e)) return damaged();
  // Closed: the next use opens the file again, and SQLite then rolls back whatever a
  // failed rollback left in the journal.
  db_.reset();
  return Refusal{MsgIcon::Error, withFile(kBetStoreWriteFailedText, file_)};
}

Status BetStore::ensureOpen(bool create) {
  if (broken_) return *broken_;
  if (db_) return Done{};
  return openFile(create);
}

Status BetStore::openFile(bool create) {
  FileSystem& fs = FileSystem::standard();
  const bool present = fs.exists(file_);
  if (!present && !create) return Done{};
  if (!present) {
    const auto dir = file_.parent_path();
    if (!fs.isDirectory(dir) && !fs.createDirectory(dir)) return writeFailed({SQLITE_CANTOPEN, "no folder"});
  }
  // A file this call created and could not make a store is closed and removed again (its
  // journal first: a journal must never outlive its file); an existing one is refused.
  Db db;
  bool fresh = !present;  // no table yet: a failure is one of writing, not a damaged file
  auto fail = [&](const SqlError& e) -> Status {
    db = Db();
    if (!fresh || isDamage(e)) return damaged();
    if (present) return writeFailed(e);
    std::error_code ec;
    if (std::filesystem::file_size(file_, ec) == 0 && !ec) {
      fs.remove(std::filesystem::path(file_.string() + "-journal"));
      fs.remove(file_);
    }
    return writeFailed(e);
  };

  const int flags = SQLITE_OPEN_READWRITE | (present ? 0 : SQLITE_OPEN_CREATE);
  auto opened = Db::open(file_.string(), flags, vfs_);
  if (!opened) return fail(opened.error());
  db = std::move(*opened);
  db.setBusyTimeout(2000);
  // Connection settings only: nothing is written yet. EXTRA is FULL (the journal and the
  // file synced at each commit) with the folder synced once the journal is removed: the
  // removal is the commit, and it too survives a power loss.
  // The page cache (16 MiB at most) holds a store of 100,000 lines while it is scanned.
  if (auto s = db.exec("PRAGMA synchronous = EXTRA; PRAGMA foreign_keys = ON; PRAGMA cache_size = -16384;"); !s)
    return fail(s.error());

  // Anything that is not a database fails here (SQLITE_NOTADB), before anything is written.
  auto check = db.queryText("PRAGMA quick_check");
  if (!check) return fail(check.error());
  if (*check != std::optional<std::string>("ok")) return damaged();

  auto tables = db.queryText("SELECT count(*) FROM sqlite_master");
  if (!tables) return fail(tables.error());
  int version = 0;
  if (*tables != std::optional<std::string>("0")) {
    auto stamped = db.queryText("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'");
    if (!stamped || *stamped != std::optional<std::string>("1")) return damaged();
    auto st = db.prepare("SELECT count(*), max(version) FROM schema_version");
    if (!st) return damaged();
    auto row = st->step();
    if (!row || !*row || st->columnInt(0) != 1 || st->columnIsNull(1)) return damaged();
    version = st->columnInt(1);
    if (version < 1 || version > kBetStoreSchema) return damaged();
  } else if (!create) {
    return Done{};  // an empty file holds no rows: read as none, and leave it as it is
  } else {
    fresh = true;
  }

  if (auto s = db.queryText("PRAGMA journal_mode = DELETE"); !s) return fail(s.error());

  if (version < kBetStoreSchema) {
    SqlStatus migrated = [&]() -> SqlStatus {
      auto tx = sql::Transaction::begin(db);
      if (!tx) return tx.error();
      for (int v = version; v < kBetStoreSchema; ++v)
        if (auto s = db.exec(kMigrations[v]); !s) return s;
      if (auto s = db.exec("DELETE FROM schema_version"); !s) return s;
      if (auto s = run(db, "INSERT INTO schema_version(version) VALUES (?)", kBetStoreSchema); !s) return s;
      return tx->commit();
    }();
    // An older store that cannot be brought up to date is refused as it is.
    if (!migrated) return fail(migrated.error());
  }
  db_ = std::make_unique<Db>(std::move(db));
  return Done{};
}

Status BetStore::change(const std::function<SqlStatus(Db&)>& body, NoFile noFile) {
  if (auto s = ensureOpen(noFile == NoFile::Create); !s) return s;
  if (!db_) return noFile == NoFile::Refuse ? Status(nothingToDelete()) : Status(Done{});
  const SqlStatus result = [&]() -> SqlStatus {
    auto tx = sql::Transaction::begin(*db_);
    if (!tx) return tx.error();
    if (auto s = body(*db_); !s) {
      if (auto r = tx->rollback(); !r && s.error().code == kAbsent) return r;
      return s;
    }
    return tx->commit();
  }();
  if (result) return Done{};
  if (result.error().code == kAbsent) return nothingToDelete();
  return writeFailed(result.error());
}

// --- reading ---

Result<StoredRace> BetStore::race(const RaceKey& key) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  StoredRace out;
  if (!db_) return out;
  if (auto s = collect(*db_, ofRace(key), [&](const RaceKey&, StoredRace& r) { out = std::move(r); }); !s)
    return readFailed(s.error());
  return out;
}

Result<std::array<StoredRace, 12>> BetStore::day(const DateKey& key) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  std::array<StoredRace, 12> out;
  if (!db_) return out;
  const auto s = collect(*db_, ofDay(key), [&](const RaceKey& k, StoredRace& r) {
    if (k.race >= 1 && k.race <= 12) out[static_cast<std::size_t>(k.race - 1)] = std::move(r);
  });
  if (!s) return readFailed(s.error());
  return out;
}

Status BetStore::scan(const std::vector<int>& years,
                      const std::function<void(const RaceKey&, const StoredRace&)>& visit) {
  if (auto s = ensureOpen(false); !s) return s;
  if (!db_) return Done{};
  auto each = [&](const RaceKey& k, StoredRace& r) { visit(k, r); };
  if (years.empty()) {
    if (auto s = collect(*db_, {}, each); !s) return readFailed(s.error());
    return Done{};
  }
  for (int year : sortedUnique(years))
    if (auto s = collect(*db_, ofYear(year), each); !s) return readFailed(s.error());
  return Done{};
}

Result<std::vector<DateKey>> BetStore::days(int year, int course) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  std::vector<DateKey> out;
  if (!db_) return out;
  std::string q;
  for (const char* table : kDayTables) {
    if (!q.empty()) q += " UNION ";
    q += std::string("SELECT month, day FROM ") + table + " WHERE year = ?1 AND course = ?2";
  }
  q += " ORDER BY 1, 2";
  auto st = db_->prepare(q);
  if (!st) return readFailed(st.error());
  if (auto s = st->bindAll(year, course); !s) return readFailed(s.error());
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) break;
    out.push_back({year, course, st->columnInt(0), st->columnInt(1)});
  }
  return out;
}

// --- changes ---

Result<std::int64_t> BetStore::addLine(const RaceKey& key, const StoredLine& line) {
  std::int64_t id = 0;
  const Status s = change([&](Db& db) -> SqlStatus {
    if (auto r = insertLine(db, key, line); !r) return r;
    id = db.lastInsertRowid();
    return {};
  });
  if (!s) return s.refusal();
  return id;
}

Status BetStore::deleteLine(const RaceKey& key, int n) {
  return change(
      [&](Db& db) -> SqlStatus {
        const auto& d = key.date;
        auto id = nthId(db, std::string("SELECT id FROM lines WHERE ") + kRaceWhere, n, d.year, d.course, d.month,
                        d.day, key.race);
        if (!id) return id.error();
        return run(db, "DELETE FROM lines WHERE id = ?", *id);
      },
      NoFile::Refuse);
}

Status BetStore::addWinner(const RaceKey& key, const StoredWinner& w) {
  return change([&](Db& db) { return insertWinner(db, key, w); });
}

Status BetStore::deleteWinner(const RaceKey& key, int type, int n) {
  return change(
      [&](Db& db) -> SqlStatus {
        const auto& d = key.date;
        auto id = nthId(db, std::string("SELECT id FROM winners WHERE ") + kRaceWhere + " AND type = ?", n, d.year,
                        d.course, d.month, d.day, key.race, type);
        if (!id) return id.error();
        return run(db, "DELETE FROM winners WHERE id = ?", *id);
      },
      NoFile::Refuse);
}

Status BetStore::setSpecial(const RaceKey& key, int type, std::optional<std::int64_t> payout) {
  return change(
      [&](Db& db) {
        const auto& d = key.date;
        if (!payout)
          return run(db, std::string("DELETE FROM specials WHERE ") + kRaceWhere + " AND type = ?", d.year, d.course,
                     d.month, d.day, key.race, type);
        return run(db,
                   "INSERT OR REPLACE INTO specials(year, course, month, day, race, type, payout) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?)",
                   d.year, d.course, d.month, d.day, key.race, type, *payout);
      },
      payout ? NoFile::Create : NoFile::Done);
}

Status BetStore::clearResult(const RaceKey& key, int type) {
  return change(
      [&](Db& db) -> SqlStatus {
        const auto& d = key.date;
        for (const char* table : {"winners", "specials"})
          if (auto s = run(db, std::string("DELETE FROM ") + table + " WHERE " + kRaceWhere + " AND type = ?", d.year,
                           d.course, d.month, d.day, key.race, type);
              !s)
            return s;
        return {};
      },
      NoFile::Done);
}

Status BetStore::setScratch(const RaceKey& key, const std::vector<int>& horses, const std::vector<int>& frames) {
  const bool clearing = horses.empty() && frames.empty();
  return change(
      [&](Db& db) {
        const auto& d = key.date;
        if (clearing)
          return run(db, std::string("DELETE FROM scratches WHERE ") + kRaceWhere, d.year, d.course, d.month, d.day,
                     key.race);
        return run(db,
                   "INSERT OR REPLACE INTO scratches(year, course, month, day, race, horses, frames) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?)",
                   d.year, d.course, d.month, d.day, key.race, joinNumbers(sortedUnique(horses)),
                   joinNumbers(sortedUnique(frames)));
      },
      clearing ? NoFile::Done : NoFile::Create);
}

Status BetStore::applyImport(const DayImport& import) {
  if (import.empty()) return Done{};
  return change([&](Db& db) { return writeImport(db, import); });
}

Result<std::vector<std::string>> BetStore::receipts(int year, int month, int day) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  std::vector<std::string> out;
  if (!db_) return out;
  auto st = db_->prepare("SELECT receipt FROM receipts WHERE year = ? AND month = ? AND day = ? ORDER BY receipt");
  if (!st) return readFailed(st.error());
  if (auto s = st->bindAll(year, month, day); !s) return readFailed(s.error());
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) break;
    out.push_back(st->columnText(0));
  }
  return out;
}

// --- changes of both stores ---

Result<StoreIntent> BetStore::beginIntent(const StoreIntent& intent) {
  StoreIntent out = intent;
  const Status s = change([&](Db& db) -> SqlStatus {
    const auto &f = intent.from, &t = intent.to;
    const std::string payload = intent.kind == StoreIntent::Kind::Import ? encodeDayImport(intent.import) : "";
    if (auto r = run(db,
                     "INSERT INTO intents(kind, year, course, month, day, new_year, new_course, new_month, new_day, "
                     "from_count, to_count, day_index, before_print, after_print, payload) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     static_cast<int>(intent.kind), f.year, f.course, f.month, f.day, t.year, t.course, t.month, t.day,
                     intent.fromCountBefore, intent.toCountBefore, intent.index,
                     static_cast<std::int64_t>(intent.before), static_cast<std::int64_t>(intent.after),
                     std::string_view(payload));
        !r)
      return r;
    out.id = db.lastInsertRowid();
    return {};
  });
  if (!s) return s.refusal();
  return out;
}

Status BetStore::applyIntent(const StoreIntent& intent) {
  return change(
      [&](Db& db) -> SqlStatus {
        // The intent goes with its rows; one applied already is not applied again.
        if (auto s = run(db, "DELETE FROM intents WHERE id = ?", intent.id); !s) return s;
        if (db.changes() == 0) return absent();
        if (intent.kind == StoreIntent::Kind::Import) return writeImport(db, intent.import);
        const auto &f = intent.from, &t = intent.to;
        for (const char* table : kDayTables) {
          const std::string onDay = std::string(table) + " WHERE " + kDayWhere;
          const bool kept = std::string_view(table) == "lines" || std::string_view(table) == "receipts";
          SqlStatus s;
          switch (intent.kind) {
            case StoreIntent::Kind::Import:
              break;
            case StoreIntent::Kind::MoveDay:
              if (f == t) break;
              // What was bought is never lost: lines already there stay beside the ones
              // that move in (and the purchase-history lines taken with them). Results and
              // scratches are the race's: the day that moves there brings its own.
              if (!kept) s = run(db, "DELETE FROM " + onDay, t.year, t.course, t.month, t.day);
              if (s)
                s = run(db,
                        "UPDATE OR REPLACE " + std::string(table) + " SET year = ?, course = ?, month = ?, day = ? WHERE " +
                            kDayWhere,
                        t.year, t.course, t.month, t.day, f.year, f.course, f.month, f.day);
              break;
            case StoreIntent::Kind::DeleteDay:
              s = run(db, "DELETE FROM " + onDay, f.year, f.course, f.month, f.day);
              break;
            case StoreIntent::Kind::DeleteYear:
              s = run(db, "DELETE FROM " + std::string(table) + " WHERE year = ?", f.year);
              break;
          }
          if (!s) return s;
        }
        // A year deleted takes its WIN5 days with it (they are keyed by the same year): the
        // year's question told that all of its data goes.
        if (intent.kind == StoreIntent::Kind::DeleteYear)
          for (const char* table : {"win5_lines", "win5_winners", "win5_scratches", "win5_receipts", "win5_days"})
            if (auto s = run(db, std::string("DELETE FROM ") + table + " WHERE year = ?", f.year); !s) return s;
        return {};
      },
      NoFile::Refuse);
}

Status BetStore::dropIntent(std::int64_t id) {
  return change([&](Db& db) { return run(db, "DELETE FROM intents WHERE id = ?", id); }, NoFile::Done);
}

Result<std::vector<StoreIntent>> BetStore::intents() {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  std::vector<StoreIntent> out;
  if (!db_) return out;
  auto st = db_->prepare(
      "SELECT id, kind, year, course, month, day, new_year, new_course, new_month, new_day, from_count, to_count, "
      "day_index, before_print, after_print, payload FROM intents ORDER BY id");
  if (!st) return readFailed(st.error());
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) break;
    const int kind = st->columnInt(1);
    if (kind < 1 || kind > 4) return readFailed(malformed("intent"));
    StoreIntent i;
    i.id = st->columnInt64(0);
    i.kind = static_cast<StoreIntent::Kind>(kind);
    i.from = {st->columnInt(2), st->columnInt(3), st->columnInt(4), st->columnInt(5)};
    i.to = {st->columnInt(6), st->columnInt(7), st->columnInt(8), st->columnInt(9)};
    i.fromCountBefore = st->columnInt(10);
    i.toCountBefore = st->columnInt(11);
    i.index = st->columnInt(12);
    i.before = static_cast<std::uint64_t>(st->columnInt64(13));
    i.after = static_cast<std::uint64_t>(st->columnInt64(14));
    if (i.kind == StoreIntent::Kind::Import) {
      auto decoded = decodeDayImport(st->columnBlob(15));
      if (!decoded) return readFailed(malformed("import intent"));
      i.import = std::move(*decoded);
    }
    out.push_back(std::move(i));
  }
  return out;
}

// --- kept figures ---

namespace {

// " WHERE year IN (...)" for the years given; "" for all.
std::string yearsWhere(const std::vector<int>& years) {
  if (years.empty()) return "";
  std::string w = " WHERE year IN (";
  for (std::size_t i = 0; i < years.size(); ++i) {
    if (i) w += ",";
    w += std::to_string(years[i]);
  }
  return w + ")";
}

SqlValue<std::vector<DateKey>> readDays(Db& db, const std::string& q) {
  auto st = db.prepare(q);
  if (!st) return st.error();
  std::vector<DateKey> out;
  for (;;) {
    auto row = st->step();
    if (!row) return row.error();
    if (!*row) return out;
    out.push_back({st->columnInt(0), st->columnInt(1), st->columnInt(2), st->columnInt(3)});
  }
}

}  // namespace

Result<BetStore::KeptFigures> BetStore::keptFigures(const std::vector<int>& years) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  KeptFigures out;
  if (!db_) return out;
  const std::string where = yearsWhere(years);
  auto stale = readDays(*db_, "SELECT year, course, month, day FROM stale_days" + where + " ORDER BY 1, 2, 3, 4");
  if (!stale) return readFailed(stale.error());
  out.stale = std::move(*stale);
  auto st = db_->prepare("SELECT year, days FROM year_figures" + where + " ORDER BY 1");
  if (!st) return readFailed(st.error());
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) break;
    if (!appendKeptDays(st->columnInt(0), st->columnBlob(1), out.days)) return readFailed(malformed("kept figures"));
  }
  // A stale day's kept figures are not read.
  if (!out.stale.empty())
    std::erase_if(out.days,
                  [&](const KeptDay& d) { return std::binary_search(out.stale.begin(), out.stale.end(), d.date); });
  return out;
}

Result<std::vector<DateKey>> BetStore::staleDays() {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  if (!db_) return std::vector<DateKey>{};
  auto days = readDays(*db_, "SELECT year, course, month, day FROM stale_days ORDER BY 1, 2, 3, 4");
  if (!days) return readFailed(days.error());
  return std::move(*days);
}

Status BetStore::keepFigures(const std::vector<DateKey>& dates, const std::vector<KeptDay>& days) {
  return change(
      [&](Db& db) -> SqlStatus {
        std::vector<int> years;
        for (const DateKey& d : dates) years.push_back(d.year);
        std::sort(years.begin(), years.end());
        years.erase(std::unique(years.begin(), years.end()), years.end());
        for (const int year : years) {
          // The year's days as kept, the dates given taken out and put in as they are now.
          std::vector<KeptDay> kept;
          {
            auto st = db.prepare("SELECT days FROM year_figures WHERE year = ?");
            if (!st) return st.error();
            if (auto s = st->bindAll(year); !s) return s;
            auto row = st->step();
            if (!row) return row.error();
            if (*row) {
              auto decoded = decodeKeptDays(year, st->columnBlob(0));
              if (!decoded) return malformed("kept figures");
              kept = std::move(*decoded);
            }
          }
          std::erase_if(kept, [&](const KeptDay& d) {
            return std::find(dates.begin(), dates.end(), d.date) != dates.end();
          });
          for (const KeptDay& d : days)
            if (d.date.year == year) kept.push_back(d);
          std::sort(kept.begin(), kept.end(), [](const KeptDay& a, const KeptDay& b) { return a.date < b.date; });
          SqlStatus s = kept.empty() ? run(db, "DELETE FROM year_figures WHERE year = ?", year)
                                     : [&]() -> SqlStatus {
            auto st = db.prepare("INSERT OR REPLACE INTO year_figures VALUES (?, ?)");
            if (!st) return st.error();
            if (auto b = st->bind(1, year); !b) return b;
            if (auto b = st->bindBlob(2, encodeKeptDays(kept)); !b) return b;
            return st->run();
          }();
          if (!s) return s;
        }
        for (const DateKey& d : dates)
          if (auto s = run(db, std::string("DELETE FROM stale_days WHERE ") + kDayWhere, d.year, d.course, d.month,
                           d.day);
              !s)
            return s;
        return {};
      },
      NoFile::Done);
}

Result<std::vector<KeptCourseFigures>> BetStore::keptCourseFigures(const std::vector<int>& years) {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  std::vector<KeptCourseFigures> out;
  if (!db_) return out;
  auto st = db_->prepare("SELECT year, course, stamp, races FROM course_figures" + yearsWhere(years) + " ORDER BY 1, 2");
  if (!st) return readFailed(st.error());
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) return out;
    auto races = decodeKeptRaces(st->columnBlob(3));
    if (!races) return readFailed(malformed("kept figures of scratched races"));
    out.push_back({st->columnInt(0), st->columnInt(1), std::string(st->columnBlob(2)), std::move(*races)});
  }
}

Status BetStore::keepCourseFigures(const std::vector<KeptCourseFigures>& kept) {
  return change(
      [&](Db& db) -> SqlStatus {
        auto st = db.prepare("INSERT OR REPLACE INTO course_figures VALUES (?, ?, ?, ?)");
        if (!st) return st.error();
        for (const KeptCourseFigures& k : kept) {
          if (auto s = st->bindAll(k.year, k.course); !s) return s;
          if (auto s = st->bindBlob(3, k.stamp); !s) return s;
          if (auto s = st->bindBlob(4, encodeKeptRaces(k.races)); !s) return s;
          if (auto s = st->run(); !s) return s;
        }
        return SqlStatus{};
      },
      NoFile::Done);
}

Result<std::string> BetStore::integrityCheck() {
  if (auto s = ensureOpen(false); !s) return s.refusal();
  if (!db_) return std::string("ok");
  auto st = db_->prepare("PRAGMA integrity_check");
  if (!st) return readFailed(st.error());
  std::string out;
  for (;;) {
    auto row = st->step();
    if (!row) return readFailed(row.error());
    if (!*row) break;
    if (!out.empty()) out += '\n';
    out += st->columnText(0);
  }
  return out;
}

}  // namespace tovra
