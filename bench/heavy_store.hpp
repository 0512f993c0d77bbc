#pragma once
// The generated 20-year ledger of bench_ledger.hpp with a bet store of 100,000 new-type lines
// (a winner for one line in four, a scratch for one in fifty) spread over its meeting days,
// made once per run, every day's figures kept and the race files settled.
#include <sqlite3.h>

#include <random>
#include <thread>

#include "bench_ledger.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "storage/bet_store.hpp"
#include "storage/file_stamp.hpp"
#include "storage/fileio.hpp"
#include "storage/ledger.hpp"

namespace tovra::bench {

// The bench ledger with a store of 100,000 lines (and a winner and, for one race in fifty,
// a scratch per race with lines) spread over its meeting days, made once.
inline BetStore& heavyStore() {
  static BetStore* store = [] {
    const auto& root = ledger().root;
    std::filesystem::remove(root / kBetStorePath);
    auto* s = new BetStore(root);
    // The first change makes the file and its schema; the rest go in one transaction.
    const PurchaseLine first = PurchaseLine::box(NewBetType::Sanrentan, {1, 2, 3, 4}, 1);
    if (!s->addLine({{2024, 0, 1, 1}, 1}, storedLineOf(first, 24))) std::abort();
    std::vector<DateKey> dates;
    Ledger ledger(root, FileSystem::standard());
    std::vector<std::string> years;
    for (int y = 2005; y <= 2024; ++y) years.push_back(std::to_string(y));
    const Status scanned = ledger.scan(years, {}, [&](const Ledger::ScanDay& d) {
      dates.push_back({std::atoi(d.key.year.c_str()), d.key.course, d.meeting.month(), d.meeting.day()});
    });
    if (!scanned || dates.empty()) std::abort();
    sqlite3* db = nullptr;
    if (sqlite3_open((root / kBetStorePath).c_str(), &db) != SQLITE_OK) std::abort();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* line = nullptr;
    sqlite3_stmt* winner = nullptr;
    sqlite3_stmt* scratch = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO lines(year,course,month,day,race,type,method,set1,set2,set3,multi,place1,place2,"
                       "stake,points) VALUES(?,?,?,?,?,?,1,?,'','',0,1,2,1,?)",
                       -1, &line, nullptr);
    sqlite3_prepare_v2(
        db, "INSERT INTO winners(year,course,month,day,race,type,h1,h2,h3,payout) VALUES(?,?,?,?,?,2,1,2,3,?)", -1,
        &winner, nullptr);
    sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO scratches VALUES(?,?,?,?,?,'5','')", -1, &scratch, nullptr);
    std::mt19937 rng(25);
    const int kLines = 100'000;
    for (int i = 0; i < kLines; ++i) {
      const DateKey& d = dates[static_cast<std::size_t>(rng() % dates.size())];
      const int race = 1 + static_cast<int>(rng() % 12);
      const int type = static_cast<int>(rng() % 3);
      auto bindKey = [&](sqlite3_stmt* st) {
        sqlite3_reset(st);
        sqlite3_bind_int(st, 1, d.year);
        sqlite3_bind_int(st, 2, d.course);
        sqlite3_bind_int(st, 3, d.month);
        sqlite3_bind_int(st, 4, d.day);
        sqlite3_bind_int(st, 5, race);
      };
      bindKey(line);
      sqlite3_bind_int(line, 6, type);
      sqlite3_bind_text(line, 7, "1,2,3,4,5,6", -1, SQLITE_STATIC);
      const int points[] = {30, 20, 120};
      sqlite3_bind_int(line, 8, points[type]);
      if (sqlite3_step(line) != SQLITE_DONE) std::abort();
      if (i % 4 == 0) {
        bindKey(winner);
        sqlite3_bind_int64(winner, 6, 10 * (1000 + i % 5000));
        sqlite3_step(winner);
      }
      if (i % 50 == 0) {
        bindKey(scratch);
        sqlite3_step(scratch);
      }
    }
    sqlite3_finalize(line);
    sqlite3_finalize(winner);
    sqlite3_finalize(scratch);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    // The figures of every day kept, as the next change or the next open keeps them.
    if (!keepStaleFigures(*s)) std::abort();
    // The race files were written a moment ago; a user's were written long before a tally
    // runs, and only a settled file's figures are kept.
    std::this_thread::sleep_for(kStampSettledAfter);
    return s;
  }();
  return *store;
}

}  // namespace tovra::bench
