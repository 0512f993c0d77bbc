#pragma once
// A small RAII wrapper of the SQLite C API: a connection (Db), a prepared statement
// (Statement) and a write transaction (Transaction). Nothing throws: every call that can
// fail returns its error as a value, with SQLite's extended result code and message.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

namespace tovra::sql {

// SQLite's extended result code (SQLITE_IOERR_WRITE, SQLITE_FULL, ...) and its message.
struct SqlError {
  int code = 0;
  std::string message;
  int primary() const { return code & 0xff; }  // SQLITE_IOERR for SQLITE_IOERR_WRITE, ...
};

// Success, or the error that stopped a call.
class SqlStatus {
 public:
  SqlStatus() = default;
  SqlStatus(SqlError e) : error_(std::move(e)) {}  // NOLINT: implicit, as a failed value
  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  const SqlError& error() const { return *error_; }

 private:
  std::optional<SqlError> error_;
};

// A value, or the error that stopped its call.
template <class T>
class SqlValue {
 public:
  SqlValue(T value) : v_(std::move(value)) {}  // NOLINT
  SqlValue(SqlError e) : v_(std::move(e)) {}   // NOLINT
  // A failed status; an ok one (a misuse) reads as SQLITE_MISUSE.
  SqlValue(SqlStatus s) : v_(s.ok() ? SqlError{21, "no value"} : s.error()) {}  // NOLINT
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& operator*() { return std::get<0>(v_); }
  const T& operator*() const { return std::get<0>(v_); }
  T* operator->() { return &std::get<0>(v_); }
  const SqlError& error() const { return std::get<1>(v_); }
  SqlStatus status() const { return ok() ? SqlStatus() : SqlStatus(error()); }

 private:
  std::variant<T, SqlError> v_;
};

class Db;

// A prepared statement; finalized when destroyed. Parameters are numbered from 1, columns
// from 0, as SQLite numbers them.
class Statement {
 public:
  Statement() = default;
  ~Statement();
  Statement(Statement&& o) noexcept : db_(std::exchange(o.db_, nullptr)), stmt_(std::exchange(o.stmt_, nullptr)) {}
  Statement& operator=(Statement&& o) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  SqlStatus bind(int index, int value);
  SqlStatus bind(int index, std::int64_t value);
  SqlStatus bind(int index, std::string_view text);
  SqlStatus bindNull(int index);
  // Bytes bound as a BLOB (copied).
  SqlStatus bindBlob(int index, std::string_view bytes);
  // Binds the values to the parameters 1, 2, ... in turn.
  template <class... Values>
  SqlStatus bindAll(const Values&... values) {
    SqlStatus s;
    int i = 0;
    ((s = s ? bind(++i, values) : s), ...);
    return s;
  }

  // True while a row is ready to read, false when the statement has run to its end.
  SqlValue<bool> step();
  // Runs the statement to its end (the rows it gives are skipped).
  SqlStatus run();
  // Ready to run again; the parameters keep their values.
  SqlStatus reset();

  int columnInt(int column) const;
  std::int64_t columnInt64(int column) const;
  std::string columnText(int column) const;
  bool columnIsNull(int column) const;
  // A BLOB (or text) column's bytes, valid until the next step or reset.
  std::string_view columnBlob(int column) const;

  sqlite3_stmt* handle() const { return stmt_; }

 private:
  friend class Db;
  Statement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
  SqlStatus check(int rc) const;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

// A connection; closed when destroyed (statements must be gone by then).
class Db {
 public:
  // Opens `path` with SQLite's open flags (SQLITE_OPEN_READWRITE, SQLITE_OPEN_CREATE, ...)
  // through the VFS named `vfs` ("" the default one). Extended result codes are on.
  static SqlValue<Db> open(const std::string& path, int flags, const std::string& vfs = "");
  Db() = default;
  ~Db();
  Db(Db&& o) noexcept : db_(std::exchange(o.db_, nullptr)) {}
  Db& operator=(Db&& o) noexcept;
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  // Runs one or more statements without parameters.
  SqlStatus exec(const std::string& sql);
  SqlValue<Statement> prepare(std::string_view sql);
  // The first column of the first row of a query without parameters (null when no row).
  SqlValue<std::optional<std::string>> queryText(const std::string& sql);

  std::int64_t lastInsertRowid() const;
  int changes() const;  // rows changed by the last INSERT, UPDATE or DELETE
  bool inTransaction() const;
  void setBusyTimeout(int milliseconds);
  // The error SQLite holds for the connection now.
  SqlError lastError() const;
  sqlite3* handle() const { return db_; }

 private:
  explicit Db(sqlite3* db) : db_(db) {}
  sqlite3* db_ = nullptr;
};

// A write transaction (BEGIN IMMEDIATE): rolled back when destroyed unless committed.
class Transaction {
 public:
  static SqlValue<Transaction> begin(Db& db);
  ~Transaction();
  Transaction(Transaction&& o) noexcept : db_(std::exchange(o.db_, nullptr)) {}
  Transaction& operator=(Transaction&&) = delete;
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // COMMIT. When it fails the transaction is rolled back (now, or when destroyed).
  SqlStatus commit();
  // ROLLBACK now (the destructor does it otherwise).
  SqlStatus rollback();

 private:
  explicit Transaction(Db* db) : db_(db) {}
  Db* db_ = nullptr;
};

}  // namespace tovra::sql
