#include "features/bets/range_figures.hpp"

#include <algorithm>
#include <cstdlib>

#include "domain/race_state.hpp"
#include "features/bets/race_bets.hpp"

namespace tovra {
namespace {

// A race of the store, settled once.
struct StoredFigures {
  RaceKey key;
  NewBetFigures fresh;
  Horses scratched;
  std::vector<int> frames;
  bool counted = false;  // a second meeting on the same date does not count it again
};

// What the meeting record holds of a race: its purchase and what it returned.
BetFigures recordFigures(const KaisaiRecord& k, int r) {
  BetFigures f;
  f.bought = k.kounyuGaku[r];
  f.ret = std::int64_t{k.kounyuGaku[r]} + k.shushi[r];
  f.hit = raceHit(k.raceJoutai[r]);
  return f;
}

}  // namespace

Result<RangeFigures> rangeFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const std::vector<int>& courses) {
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  std::vector<int> yearNumbers;
  for (const std::string& y : years) yearNumbers.push_back(std::atoi(y.c_str()));
  std::vector<StoredFigures> stored;
  if (!yearNumbers.empty()) {
    const Status scanned = store.scan(yearNumbers, [&](const RaceKey& key, const StoredRace& race) {
      stored.push_back({key, settleStoredRace(race).settlement.figures, race.scratched, race.refundedFrames});
    });
    if (!scanned) return scanned.refusal();
  }
  // The scan gives them in key order; the lookups below rely on it.
  std::sort(stored.begin(), stored.end(), [](const auto& a, const auto& b) { return a.key < b.key; });

  RangeFigures out;
  std::vector<std::pair<DayKey, std::vector<int>>> scratchedDays;  // races read from their records
  Ledger::ScanOptions options;
  if (!courses.empty()) options.courses = courses;
  const Status scanned = ledger.scan(years, options, [&](const Ledger::ScanDay& d) {
    const DateKey date{std::atoi(d.key.year.c_str()), d.key.course, d.meeting.month(), d.meeting.day()};
    auto it = std::lower_bound(stored.begin(), stored.end(), RaceKey{date, 1},
                               [](const StoredFigures& s, const RaceKey& k) { return s.key < k; });
    std::vector<int> withScratches;
    for (int r = 0; r < kRacesPerDay; ++r) {
      StoredFigures* s = nullptr;
      for (; it != stored.end() && it->key.date == date && it->key.race <= r + 1; ++it)
        if (it->key.race == r + 1) s = &*it;
      if (s && !s->counted) {
        s->counted = true;
        out.fresh += s->fresh;
        if (!s->scratched.empty() || !s->frames.empty()) {
          withScratches.push_back(r);
          continue;
        }
      }
      out.old += recordFigures(d.meeting, r);
    }
    if (!withScratches.empty()) scratchedDays.emplace_back(d.key, std::move(withScratches));
  });
  if (scanned.failed()) return scanned.failure();
  if (scanned.refused()) return scanned.refusal();
  // The few races with scratches: their tickets read, the refunded ones taken out.
  for (const auto& [key, races] : scratchedDays) {
    const Result<MeetingDay> day = ledger.readDay(key);
    if (day.failed()) return day.failure();
    const DateKey date = DateKey{std::atoi(key.year.c_str()), key.course, day->meeting.month(), day->meeting.day()};
    for (int r : races) {
      const auto s = std::lower_bound(stored.begin(), stored.end(), RaceKey{date, r + 1},
                                      [](const StoredFigures& x, const RaceKey& k) { return x.key < k; });
      out.old += oldFiguresTotal(day->races[static_cast<std::size_t>(r)], s->scratched, s->frames);
    }
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
