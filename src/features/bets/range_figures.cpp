#include "features/bets/range_figures.hpp"

#include <algorithm>
#include <cstdlib>

#include "domain/race_state.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"

namespace tovra {
namespace {

// What the meeting record holds of a race: its purchase and what it returned.
BetFigures recordFigures(const KaisaiRecord& k, int r) {
  BetFigures f;
  f.bought = k.kounyuGaku[r];
  f.ret = std::int64_t{k.kounyuGaku[r]} + k.shushi[r];
  f.hit = raceHit(k.raceJoutai[r]);
  return f;
}

struct Scratch {
  RaceKey key;
  Horses horses;
  std::vector<int> frames;
};

}  // namespace

Result<RangeFigures> rangeFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const std::vector<int>& courses) {
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  RangeFigures out;
  if (years.empty()) return out;
  std::vector<int> yearNumbers;
  for (const std::string& y : years) yearNumbers.push_back(std::atoi(y.c_str()));
  // The new types a day at a time (kept figures), and the races with scratches.
  auto byDay = newBetFiguresByDay(store, yearNumbers);
  if (!byDay) return byDay.refusal();
  std::vector<bool> counted(byDay->size(), false);  // a second meeting on a date counts nothing again
  std::vector<Scratch> scratches;
  const Status scanned =
      store.scanScratches(yearNumbers, [&](const RaceKey& k, const std::vector<int>& h, const std::vector<int>& f) {
        scratches.push_back({k, h, f});
      });
  if (!scanned) return scanned.refusal();
  auto scratchOf = [&](const RaceKey& k) -> const Scratch* {
    const auto it = std::lower_bound(scratches.begin(), scratches.end(), k,
                                     [](const Scratch& s, const RaceKey& key) { return s.key < key; });
    return it != scratches.end() && it->key == k ? &*it : nullptr;
  };

  // Races read from their records: (year, course) -> (meeting index, race) and the scratch.
  struct Refund {
    std::string year;
    int course = 0;
    std::vector<std::pair<int, int>> at;
    std::vector<const Scratch*> scratch;
  };
  std::vector<Refund> refunds;
  Ledger::ScanOptions options;
  if (!courses.empty()) options.courses = courses;
  const Status visited = ledger.scan(years, options, [&](const Ledger::ScanDay& d) {
    const DateKey date{std::atoi(d.key.year.c_str()), d.key.course, d.meeting.month(), d.meeting.day()};
    const auto it = std::lower_bound(byDay->begin(), byDay->end(), date,
                                     [](const auto& e, const DateKey& k) { return e.first < k; });
    const bool held = it != byDay->end() && it->first == date;
    const std::size_t at = static_cast<std::size_t>(it - byDay->begin());
    const bool first = held && !counted[at];
    if (first) {
      counted[at] = true;
      out.fresh += it->second;
    }
    for (int r = 0; r < kRacesPerDay; ++r) {
      if (first && !scratches.empty()) {
        if (const Scratch* s = scratchOf({date, r + 1})) {
          if (refunds.empty() || refunds.back().year != d.key.year || refunds.back().course != d.key.course)
            refunds.push_back({d.key.year, d.key.course, {}, {}});
          refunds.back().at.emplace_back(d.key.index, r);
          refunds.back().scratch.push_back(s);
          continue;
        }
      }
      out.old += recordFigures(d.meeting, r);
    }
  });
  if (visited.failed()) return visited.failure();
  if (visited.refused()) return visited.refusal();
  // The races with scratches: their tickets read (one file a course and year), the
  // refunded ones taken out.
  for (const Refund& f : refunds) {
    const auto races = ledger.readRaces(f.year, f.course, f.at);
    if (!races) return races.failure();
    for (std::size_t i = 0; i < races->size(); ++i)
      out.old += oldFiguresTotal((*races)[i], f.scratch[i]->horses, f.scratch[i]->frames);
  }
  out.all = addFigures(out.old, out.fresh.all);
  return out;
}

Result<StoredRaces> StoredRaces::read(BetStore& store, const std::vector<std::string>& years) {
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  std::vector<int> yearNumbers;
  for (const std::string& y : years) yearNumbers.push_back(std::atoi(y.c_str()));
  StoredRaces out;
  if (!yearNumbers.empty()) {
    const Status scanned = store.scan(yearNumbers, [&](const RaceKey& key, const StoredRace& race) {
      out.rows_.push_back({key, race, false});
    });
    if (!scanned) return scanned.refusal();
  }
  std::sort(out.rows_.begin(), out.rows_.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
  return out;
}

const StoredRace* StoredRaces::take(const DateKey& date, int r) {
  const RaceKey key{date, r + 1};
  const auto it =
      std::lower_bound(rows_.begin(), rows_.end(), key, [](const Row& row, const RaceKey& k) { return row.key < k; });
  if (it == rows_.end() || it->key != key || it->taken) return nullptr;
  it->taken = true;
  return &it->race;
}

Result<AllTypesFigures> rangeFiguresByType(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                           const std::vector<int>& courses) {
  Result<StoredRaces> stored = StoredRaces::read(store, years);
  if (stored.refused()) return stored.refusal();
  AllTypesFigures out;
  Ledger::ScanOptions options;
  options.withRaces = true;
  if (!courses.empty()) options.courses = courses;
  const NewBetSettlement none;
  const Status scanned = ledger.scan(years, options, [&](const Ledger::ScanDay& d) {
    if (!d.races) return;
    const DateKey date = dateKeyOf(d.key, d.meeting);
    for (int r = 0; r < kRacesPerDay; ++r) {
      const RaceRecord& race = (*d.races)[static_cast<std::size_t>(r)];
      if (const StoredRace* s = stored->take(date, r)) {
        const SettledRace settled = settleStoredRace(*s);
        out += allTypesFigures(race, settled.stored.scratched, settled.stored.refundedFrames, settled.settlement);
      } else {
        out += allTypesFigures(race, {}, {}, none);
      }
    }
  });
  if (scanned.failed()) return scanned.failure();
  if (scanned.refused()) return scanned.refusal();
  return out;
}

}  // namespace tovra
