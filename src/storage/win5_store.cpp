#include "storage/win5_store.hpp"

#include <algorithm>
#include <charconv>

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

// The bet store's code for a row that is not there: its change ends refused with an
// empty text and rolls back.
SqlError absent() { return {-1, "absent"}; }
SqlError malformed(const std::string& what) { return {11 /* SQLITE_CORRUPT */, "malformed " + what}; }

constexpr const char* kDateWhere = "year = ? AND month = ? AND day = ?";

SqlValue<bool> dayExists(Db& db, const Win5Date& d) {
  auto st = db.prepare(std::string("SELECT 1 FROM win5_days WHERE ") + kDateWhere);
  if (!st) return st.error();
  if (auto s = st->bindAll(d.year, d.month, d.day); !s) return s.error();
  return st->step();
}

// Every day of the selection (" WHERE ..." on year, month, day; "" for all) in date order.
SqlStatus collect(Db& db, const std::string& where, const std::vector<int>& params,
                  const std::function<void(const Win5Date&, StoredWin5Day&)>& visit) {
  std::vector<std::pair<Win5Date, StoredWin5Day>> days;
  auto bind = [&](Statement& st) -> SqlStatus {
    for (std::size_t i = 0; i < params.size(); ++i)
      if (auto s = st.bind(static_cast<int>(i + 1), params[i]); !s) return s;
    return {};
  };
  auto find = [&](const Win5Date& d) -> StoredWin5Day* {
    auto it = std::lower_bound(days.begin(), days.end(), d,
                               [](const std::pair<Win5Date, StoredWin5Day>& e, const Win5Date& k) { return e.first < k; });
    return it != days.end() && it->first == d ? &it->second : nullptr;
  };
  auto each = [&](const std::string& q, const std::function<SqlStatus(const Statement&, StoredWin5Day&)>& read,
                  bool create) -> SqlStatus {
    auto st = db.prepare(q);
    if (!st) return st.error();
    if (auto s = bind(*st); !s) return s;
    for (;;) {
      auto row = st->step();
      if (!row) return row.status();
      if (!*row) return {};
      const Win5Date d{st->columnInt(0), st->columnInt(1), st->columnInt(2)};
      StoredWin5Day* day = find(d);
      if (!day) {
        if (!create) return malformed("WIN5 row without its day");
        days.push_back({d, {}});
        day = &days.back().second;
      }
      if (auto s = read(*st, *day); !s) return s;
    }
  };
  const std::string order = " ORDER BY year, month, day";
  SqlStatus s = each(
      "SELECT year, month, day, course1, race1, course2, race2, course3, race3, course4, race4, course5, race5, "
      "cancelled, note FROM win5_days" + where + order,
      [](const Statement& st, StoredWin5Day& day) -> SqlStatus {
        for (int l = 0; l < kWin5LegCount; ++l)
          day.legs[static_cast<std::size_t>(l)] = {st.columnInt(3 + 2 * l), st.columnInt(4 + 2 * l)};
        day.cancelled = st.columnInt(13) != 0;
        day.note = st.columnText(14);
        return {};
      },
      true);
  if (!s) return s;
  s = each("SELECT year, month, day, id, leg1, leg2, leg3, leg4, leg5, stake, points FROM win5_lines" + where + order +
               ", id",
           [](const Statement& st, StoredWin5Day& day) -> SqlStatus {
             StoredWin5Line line;
             line.id = st.columnInt64(3);
             for (int l = 0; l < kWin5LegCount; ++l)
               if (!splitNumbers(st.columnText(4 + l), line.legs[static_cast<std::size_t>(l)]))
                 return malformed("horse list of a WIN5 line");
             line.stake = st.columnInt(9);
             line.points = st.columnInt64(10);
             day.lines.push_back(std::move(line));
             return {};
           },
           false);
  if (!s) return s;
  s = each("SELECT year, month, day, h1, h2, h3, h4, h5, payout FROM win5_winners" + where + order + ", id",
           [](const Statement& st, StoredWin5Day& day) -> SqlStatus {
             StoredWin5Winner w;
             for (int l = 0; l < kWin5LegCount; ++l) w.horses[static_cast<std::size_t>(l)] = st.columnInt(3 + l);
             w.payout = st.columnInt64(8);
             day.winners.push_back(w);
             return {};
           },
           false);
  if (!s) return s;
  s = each("SELECT year, month, day, leg, horses FROM win5_scratches" + where + order + ", leg",
           [](const Statement& st, StoredWin5Day& day) -> SqlStatus {
             const int leg = st.columnInt(3);
             if (leg < 1 || leg > kWin5LegCount) return malformed("leg of a WIN5 scratch");
             if (!splitNumbers(st.columnText(4), day.scratched[static_cast<std::size_t>(leg - 1)]))
               return malformed("horse list of a WIN5 scratch");
             return {};
           },
           false);
  if (!s) return s;
  for (auto& [d, day] : days) visit(d, day);
  return {};
}

std::vector<int> sortedUnique(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

}  // namespace

Result<std::optional<StoredWin5Day>> Win5Store::day(const Win5Date& date) {
  if (auto s = store_.ensureOpen(false); !s) return s.refusal();
  std::optional<StoredWin5Day> out;
  if (!store_.db_) return out;
  const auto s = collect(*store_.db_, std::string(" WHERE ") + "year = ?1 AND month = ?2 AND day = ?3",
                         {date.year, date.month, date.day},
                         [&](const Win5Date&, StoredWin5Day& d) { out = std::move(d); });
  if (!s) return store_.readFailed(s.error());
  return out;
}

Status Win5Store::scan(const std::vector<int>& years,
                       const std::function<void(const Win5Date&, const StoredWin5Day&)>& visit) {
  if (auto s = store_.ensureOpen(false); !s) return s;
  if (!store_.db_) return Done{};
  auto each = [&](const Win5Date& d, StoredWin5Day& day) { visit(d, day); };
  if (years.empty()) {
    if (auto s = collect(*store_.db_, "", {}, each); !s) return store_.readFailed(s.error());
    return Done{};
  }
  for (int year : sortedUnique(years))
    if (auto s = collect(*store_.db_, " WHERE year = ?1", {year}, each); !s) return store_.readFailed(s.error());
  return Done{};
}

Result<bool> Win5Store::holdsLegAt(const Win5Date& date, int course) {
  auto d = day(date);
  if (!d) return d.refusal();
  if (!*d) return false;
  const auto& legs = (*d)->legs;
  return std::any_of(legs.begin(), legs.end(), [&](const Win5Leg& l) { return l.course == course; });
}

Result<std::vector<std::string>> Win5Store::receipts(const Win5Date& date) {
  if (auto s = store_.ensureOpen(false); !s) return s.refusal();
  std::vector<std::string> out;
  if (!store_.db_) return out;
  auto st = store_.db_->prepare(std::string("SELECT receipt FROM win5_receipts WHERE ") + kDateWhere +
                                " ORDER BY receipt");
  if (!st) return store_.readFailed(st.error());
  if (auto s = st->bindAll(date.year, date.month, date.day); !s) return store_.readFailed(s.error());
  for (;;) {
    auto row = st->step();
    if (!row) return store_.readFailed(row.error());
    if (!*row) break;
    out.push_back(st->columnText(0));
  }
  return out;
}

namespace {

// The day's legs, or nullopt when the store holds no WIN5 of the date.
SqlValue<std::optional<std::array<Win5Leg, kWin5LegCount>>> legsOf(Db& db, const Win5Date& d) {
  auto st = db.prepare(std::string("SELECT course1, race1, course2, race2, course3, race3, course4, race4, course5, "
                                   "race5 FROM win5_days WHERE ") +
                       kDateWhere);
  if (!st) return st.error();
  if (auto s = st->bindAll(d.year, d.month, d.day); !s) return s.error();
  auto row = st->step();
  if (!row) return row.error();
  std::optional<std::array<Win5Leg, kWin5LegCount>> out;
  if (!*row) return out;
  out.emplace();
  for (int l = 0; l < kWin5LegCount; ++l)
    (*out)[static_cast<std::size_t>(l)] = {st->columnInt(2 * l), st->columnInt(2 * l + 1)};
  return out;
}

// The day's winning combinations replaced by `winners` (inside the caller's transaction).
SqlStatus replaceWinners(Db& db, const Win5Date& date, const std::vector<StoredWin5Winner>& winners) {
  if (auto s = run(db, std::string("DELETE FROM win5_winners WHERE ") + kDateWhere, date.year, date.month, date.day);
      !s)
    return s;
  for (const StoredWin5Winner& w : winners) {
    const auto& h = w.horses;
    if (auto s = run(db,
                     "INSERT INTO win5_winners(year, month, day, h1, h2, h3, h4, h5, payout) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     date.year, date.month, date.day, h[0], h[1], h[2], h[3], h[4], w.payout);
        !s)
      return s;
  }
  return {};
}

}  // namespace

Result<Win5Imported> Win5Store::applyImport(const Win5Date& date, const Win5Import& im) {
  Win5Imported out;
  const Status s = store_.change(
      [&](Db& db) -> SqlStatus {
        out = {};
        auto held = legsOf(db, date);
        if (!held) return held.error();
        if (im.legs && *held && **held != *im.legs) {
          out.state = Win5Imported::State::LegsDiffer;
          out.held = **held;
          return {};
        }
        if (!im.legs && !*held) {
          out.state = Win5Imported::State::NoLegs;
          return {};
        }
        if (im.legs && !*held) {
          const auto& l = *im.legs;
          if (auto r = run(db,
                           "INSERT INTO win5_days(year, month, day, course1, race1, course2, race2, course3, race3, "
                           "course4, race4, course5, race5) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           date.year, date.month, date.day, l[0].course, l[0].race, l[1].course, l[1].race,
                           l[2].course, l[2].race, l[3].course, l[3].race, l[4].course, l[4].race);
              !r)
            return r;
        }
        if (im.winners)
          if (auto r = replaceWinners(db, date, *im.winners); !r) return r;
        if (im.cancelled)
          if (auto r = run(db, std::string("UPDATE win5_days SET cancelled = ? WHERE ") + kDateWhere,
                           *im.cancelled ? 1 : 0, date.year, date.month, date.day);
              !r)
            return r;
        if (im.note)
          if (auto r = run(db, std::string("UPDATE win5_days SET note = ? WHERE ") + kDateWhere, *im.note, date.year,
                           date.month, date.day);
              !r)
            return r;
        for (const Win5ImportLine& il : im.lines) {
          if (auto r = run(db, "INSERT OR IGNORE INTO win5_receipts(year, month, day, receipt) VALUES (?, ?, ?, ?)",
                           date.year, date.month, date.day, std::string_view(il.receipt));
              !r)
            return r;
          if (db.changes() == 0) continue;  // taken before
          const auto& g = il.line.legs;
          if (auto r = run(db,
                           "INSERT INTO win5_lines(year, month, day, leg1, leg2, leg3, leg4, leg5, stake, points) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                           date.year, date.month, date.day, joinNumbers(g[0]), joinNumbers(g[1]), joinNumbers(g[2]),
                           joinNumbers(g[3]), joinNumbers(g[4]), il.line.stake, il.line.points);
              !r)
            return r;
          ++out.lines;
        }
        return {};
      },
      im.legs ? BetStore::NoFile::Create : BetStore::NoFile::Done);
  if (!s) return s.refusal();
  if (!im.legs && !store_.db_) out.state = Win5Imported::State::NoLegs;
  return out;
}

Status Win5Store::setLegs(const Win5Date& date, const std::array<Win5Leg, kWin5LegCount>& legs) {
  return store_.change([&](Db& db) {
    const auto& l = legs;
    return run(db,
               "INSERT INTO win5_days(year, month, day, course1, race1, course2, race2, course3, race3, course4, race4, "
               "course5, race5) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT(year, month, day) DO UPDATE "
               "SET course1 = excluded.course1, race1 = excluded.race1, course2 = excluded.course2, race2 = "
               "excluded.race2, course3 = excluded.course3, race3 = excluded.race3, course4 = excluded.course4, race4 "
               "= excluded.race4, course5 = excluded.course5, race5 = excluded.race5",
               date.year, date.month, date.day, l[0].course, l[0].race, l[1].course, l[1].race, l[2].course, l[2].race,
               l[3].course, l[3].race, l[4].course, l[4].race);
  });
}

Result<std::int64_t> Win5Store::addLine(const Win5Date& date, const StoredWin5Line& line) {
  std::int64_t id = 0;
  const Status s = store_.change(
      [&](Db& db) -> SqlStatus {
        auto there = dayExists(db, date);
        if (!there) return there.error();
        if (!*there) return absent();
        const auto& g = line.legs;
        if (auto r = run(db,
                         "INSERT INTO win5_lines(year, month, day, leg1, leg2, leg3, leg4, leg5, stake, points) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         date.year, date.month, date.day, joinNumbers(g[0]), joinNumbers(g[1]), joinNumbers(g[2]),
                         joinNumbers(g[3]), joinNumbers(g[4]), line.stake, line.points);
            !r)
          return r;
        id = db.lastInsertRowid();
        return {};
      },
      BetStore::NoFile::Refuse);
  if (!s) return s.refusal();
  return id;
}

Status Win5Store::deleteLine(const Win5Date& date, int n) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        if (n < 1) return absent();
        auto st = db.prepare(std::string("SELECT id FROM win5_lines WHERE ") + kDateWhere +
                             " ORDER BY id LIMIT 1 OFFSET ?");
        if (!st) return st.error();
        if (auto s = st->bindAll(date.year, date.month, date.day, n - 1); !s) return s;
        auto row = st->step();
        if (!row) return row.status();
        if (!*row) return absent();
        return run(db, "DELETE FROM win5_lines WHERE id = ?", st->columnInt64(0));
      },
      BetStore::NoFile::Refuse);
}

Status Win5Store::setWinners(const Win5Date& date, const std::vector<StoredWin5Winner>& winners) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        auto there = dayExists(db, date);
        if (!there) return there.error();
        if (!*there) return absent();
        return replaceWinners(db, date, winners);
      },
      BetStore::NoFile::Refuse);
}

Status Win5Store::setScratch(const Win5Date& date, int leg, const std::vector<int>& horses) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        if (leg < 1 || leg > kWin5LegCount) return absent();
        auto there = dayExists(db, date);
        if (!there) return there.error();
        if (!*there) return absent();
        if (horses.empty())
          return run(db, std::string("DELETE FROM win5_scratches WHERE ") + kDateWhere + " AND leg = ?", date.year,
                     date.month, date.day, leg);
        return run(db, "INSERT OR REPLACE INTO win5_scratches(year, month, day, leg, horses) VALUES (?, ?, ?, ?, ?)",
                   date.year, date.month, date.day, leg, joinNumbers(sortedUnique(horses)));
      },
      BetStore::NoFile::Refuse);
}

Status Win5Store::setCancelled(const Win5Date& date, bool cancelled) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        if (auto s = run(db, std::string("UPDATE win5_days SET cancelled = ? WHERE ") + kDateWhere, cancelled ? 1 : 0,
                         date.year, date.month, date.day);
            !s)
          return s;
        return db.changes() == 0 ? SqlStatus(absent()) : SqlStatus();
      },
      BetStore::NoFile::Refuse);
}

Status Win5Store::setNote(const Win5Date& date, const std::string& note) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        if (auto s = run(db, std::string("UPDATE win5_days SET note = ? WHERE ") + kDateWhere, note, date.year,
                         date.month, date.day);
            !s)
          return s;
        return db.changes() == 0 ? SqlStatus(absent()) : SqlStatus();
      },
      BetStore::NoFile::Refuse);
}

Status Win5Store::deleteDay(const Win5Date& date) {
  return store_.change(
      [&](Db& db) -> SqlStatus {
        // The purchase-history receipts go too: importing the lines again takes them again.
        for (const char* table : {"win5_lines", "win5_winners", "win5_scratches", "win5_receipts"})
          if (auto s = run(db, std::string("DELETE FROM ") + table + " WHERE " + kDateWhere, date.year, date.month,
                           date.day);
              !s)
            return s;
        if (auto s = run(db, std::string("DELETE FROM win5_days WHERE ") + kDateWhere, date.year, date.month,
                         date.day);
            !s)
          return s;
        return db.changes() == 0 ? SqlStatus(absent()) : SqlStatus();
      },
      BetStore::NoFile::Refuse);
}

}  // namespace tovra
