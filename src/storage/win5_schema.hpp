#pragma once
// The tables of the WIN5 days in the bet store, one schema step of its own.

namespace tovra {

inline constexpr const char* kWin5Tables = R"sql(
CREATE TABLE win5_days(
  year INTEGER NOT NULL, month INTEGER NOT NULL CHECK(month BETWEEN 1 AND 12),
  day INTEGER NOT NULL CHECK(day BETWEEN 1 AND 31),
  course1 INTEGER NOT NULL CHECK(course1 BETWEEN 0 AND 9), race1 INTEGER NOT NULL CHECK(race1 BETWEEN 1 AND 12),
  course2 INTEGER NOT NULL CHECK(course2 BETWEEN 0 AND 9), race2 INTEGER NOT NULL CHECK(race2 BETWEEN 1 AND 12),
  course3 INTEGER NOT NULL CHECK(course3 BETWEEN 0 AND 9), race3 INTEGER NOT NULL CHECK(race3 BETWEEN 1 AND 12),
  course4 INTEGER NOT NULL CHECK(course4 BETWEEN 0 AND 9), race4 INTEGER NOT NULL CHECK(race4 BETWEEN 1 AND 12),
  course5 INTEGER NOT NULL CHECK(course5 BETWEEN 0 AND 9), race5 INTEGER NOT NULL CHECK(race5 BETWEEN 1 AND 12),
  cancelled INTEGER NOT NULL DEFAULT 0 CHECK(cancelled IN (0, 1)),
  note TEXT NOT NULL DEFAULT '',
  PRIMARY KEY(year, month, day)) WITHOUT ROWID;
CREATE TABLE win5_lines(
  id INTEGER PRIMARY KEY,
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  leg1 TEXT NOT NULL, leg2 TEXT NOT NULL, leg3 TEXT NOT NULL, leg4 TEXT NOT NULL, leg5 TEXT NOT NULL,
  stake INTEGER NOT NULL CHECK(stake > 0), points INTEGER NOT NULL CHECK(points > 0),
  FOREIGN KEY(year, month, day) REFERENCES win5_days(year, month, day));
CREATE INDEX win5_lines_by_day ON win5_lines(year, month, day);
CREATE TABLE win5_winners(
  id INTEGER PRIMARY KEY,
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  h1 INTEGER NOT NULL, h2 INTEGER NOT NULL, h3 INTEGER NOT NULL, h4 INTEGER NOT NULL, h5 INTEGER NOT NULL,
  payout INTEGER NOT NULL,
  FOREIGN KEY(year, month, day) REFERENCES win5_days(year, month, day));
CREATE INDEX win5_winners_by_day ON win5_winners(year, month, day);
CREATE TABLE win5_scratches(
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,
  leg INTEGER NOT NULL CHECK(leg BETWEEN 1 AND 5), horses TEXT NOT NULL,
  PRIMARY KEY(year, month, day, leg),
  FOREIGN KEY(year, month, day) REFERENCES win5_days(year, month, day)) WITHOUT ROWID;
)sql";

// The purchase-history WIN5 lines an import took, one receipt a date ("受付番号-通番"), so
// that none is taken twice. Kept when a line or the day is deleted, as the other receipts.
inline constexpr const char* kWin5ReceiptTable = R"sql(
CREATE TABLE win5_receipts(
  year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL, receipt TEXT NOT NULL,
  UNIQUE(year, month, day, receipt));
)sql";

}  // namespace tovra
