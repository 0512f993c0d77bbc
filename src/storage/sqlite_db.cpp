#include "storage/sqlite_db.hpp"

#include <sqlite3.h>

namespace tovra::sql {
namespace {

SqlError errorOf(sqlite3* db, int rc) {
  SqlError e;
  e.code = db ? sqlite3_extended_errcode(db) : rc;
  // The connection's code may be an older one when rc comes from elsewhere (a busy
  // handler, a misuse): keep rc's family then.
  if ((e.code & 0xff) != (rc & 0xff)) e.code = rc;
  e.message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (e.message.empty()) e.message = sqlite3_errstr(rc);
  return e;
}

}  // namespace

// --- Statement ---

Statement::~Statement() {
  if (stmt_) sqlite3_finalize(stmt_);
}

Statement& Statement::operator=(Statement&& o) noexcept {
  if (this != &o) {
    if (stmt_) sqlite3_finalize(stmt_);
    db_ = std::exchange(o.db_, nullptr);
    stmt_ = std::exchange(o.stmt_, nullptr);
  }
  return *this;
}

SqlStatus Statement::check(int rc) const {
  if (rc == SQLITE_OK) return {};
  return errorOf(db_, rc);
}

SqlStatus Statement::bind(int index, int value) { return check(sqlite3_bind_int(stmt_, index, value)); }

SqlStatus Statement::bind(int index, std::int64_t value) {
  return check(sqlite3_bind_int64(stmt_, index, static_cast<sqlite3_int64>(value)));
}

SqlStatus Statement::bind(int index, std::string_view text) {
  return check(sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

SqlStatus Statement::bindBlob(int index, std::string_view bytes) {
  return check(sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT));
}

SqlStatus Statement::bindNull(int index) { return check(sqlite3_bind_null(stmt_, index)); }

SqlValue<bool> Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  SqlError e = errorOf(db_, rc);
  sqlite3_reset(stmt_);  // the statement is ready again; the error is kept above
  return e;
}

SqlStatus Statement::run() {
  for (;;) {
    auto row = step();
    if (!row) return row.status();
    if (!*row) break;
  }
  return reset();
}

SqlStatus Statement::reset() {
  // sqlite3_reset repeats the last step's error; that one was reported by step().
  sqlite3_reset(stmt_);
  return {};
}

int Statement::columnInt(int column) const { return sqlite3_column_int(stmt_, column); }

std::int64_t Statement::columnInt64(int column) const {
  return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, column));
}

std::string Statement::columnText(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  const int n = sqlite3_column_bytes(stmt_, column);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(n)) : std::string();
}

std::string_view Statement::columnBlob(int column) const {
  const void* bytes = sqlite3_column_blob(stmt_, column);
  const int n = sqlite3_column_bytes(stmt_, column);
  return bytes ? std::string_view(static_cast<const char*>(bytes), static_cast<std::size_t>(n)) : std::string_view();
}

bool Statement::columnIsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

// --- Db ---

SqlValue<Db> Db::open(const std::string& path, int flags, const std::string& vfs) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, vfs.empty() ? nullptr : vfs.c_str());
  Db db(raw);  // closes the handle SQLite gives even on failure
  if (rc != SQLITE_OK) return errorOf(raw, rc);
  sqlite3_extended_result_codes(raw, 1);
  return db;
}

Db::~Db() {
  if (db_) sqlite3_close_v2(db_);
}

Db& Db::operator=(Db&& o) noexcept {
  if (this != &o) {
    if (db_) sqlite3_close_v2(db_);
    db_ = std::exchange(o.db_, nullptr);
  }
  return *this;
}

SqlStatus Db::exec(const std::string& sql) {
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) return {};
  return errorOf(db_, rc);
}

SqlValue<Statement> Db::prepare(std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) {
    if (stmt) sqlite3_finalize(stmt);
    return errorOf(db_, rc);
  }
  return Statement(db_, stmt);
}

SqlValue<std::optional<std::string>> Db::queryText(const std::string& sql) {
  auto st = prepare(sql);
  if (!st) return st.error();
  auto row = st->step();
  if (!row) return row.error();
  if (!*row || st->columnIsNull(0)) return std::optional<std::string>();
  return std::optional<std::string>(st->columnText(0));
}

std::int64_t Db::lastInsertRowid() const { return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_)); }

int Db::changes() const { return sqlite3_changes(db_); }

bool Db::inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

void Db::setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

SqlError Db::lastError() const { return errorOf(db_, db_ ? sqlite3_extended_errcode(db_) : SQLITE_MISUSE); }

// --- Transaction ---

SqlValue<Transaction> Transaction::begin(Db& db) {
  if (auto s = db.exec("BEGIN IMMEDIATE"); !s) return s.error();
  return Transaction(&db);
}

Transaction::~Transaction() { rollback(); }

SqlStatus Transaction::commit() {
  if (!db_) return {};
  SqlStatus s = db_->exec("COMMIT");
  if (!s) {
    rollback();  // a failed COMMIT may leave the transaction open (SQLITE_BUSY)
    return s;
  }
  db_ = nullptr;
  return s;
}

SqlStatus Transaction::rollback() {
  Db* db = std::exchange(db_, nullptr);
  // SQLite rolls back by itself after some errors (SQLITE_FULL, SQLITE_IOERR, ...).
  if (!db || !db->inTransaction()) return {};
  return db->exec("ROLLBACK");
}

}  // namespace tovra::sql
