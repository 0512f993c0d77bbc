#include "features/bets/range_figures.hpp"

#include <algorithm>
#include <cstdlib>

#include "domain/race_state.hpp"
#include "features/bets/kept_figures.hpp"
#include "features/bets/race_bets.hpp"
#include "storage/file_stamp.hpp"
#include "storage/paths.hpp"

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

// A race with scratches to count: where its record is and what was scratched.
struct ScratchedRace {
  int index = 0, race = 0;  // meeting index, race 0..11
  int month = 0, day = 0;
  KeptScratch scratch;
};
struct CourseScratches {
  std::string year;
  int course = 0;
  std::vector<ScratchedRace> races;
};

bool sameRace(const KeptRaceFigures& k, const ScratchedRace& r) {
  return k.month == r.month && k.day == r.day && k.index == r.index && k.scratch == r.scratch;
}

// The record types' figures of a course's races with scratches: as kept where the race file
// is as it was then, the others read from it; added to `toKeep` when asked and the file is
// settled.
Result<BetFigures> scratchedFigures(const Ledger& ledger, const CourseScratches& c, const KeptCourseFigures* kept,
                                    const RangeKeep& keep, std::vector<KeptCourseFigures>& toKeep) {
  // The file as named first (one stat), as the ledger finds it otherwise.
  const std::string raceFile = raceFilePath(c.year, c.course);
  auto stamp = fileStamp(ledger.root() / raceFile, keep.settledAfter);
  if (!stamp) stamp = fileStamp(ledger.locate(raceFile), keep.settledAfter);
  const bool usable = stamp && kept && kept->stamp == stamp->bytes;
  BetFigures sum;
  std::vector<const KeptRaceFigures*> found(c.races.size(), nullptr);
  std::vector<std::size_t> misses;
  std::size_t hint = 0;
  for (std::size_t i = 0; i < c.races.size(); ++i) {
    const ScratchedRace& r = c.races[i];
    if (usable) {
      if (hint < kept->races.size() && sameRace(kept->races[hint], r)) {
        found[i] = &kept->races[hint];
      } else {
        const auto it = std::find_if(kept->races.begin(), kept->races.end(),
                                     [&](const KeptRaceFigures& k) { return sameRace(k, r); });
        if (it != kept->races.end()) found[i] = &*it;
      }
    }
    if (found[i]) {
      hint = static_cast<std::size_t>(found[i] - kept->races.data()) + 1;
      const KeptTypeFigures& f = found[i]->figures;
      sum += BetFigures{f.bought, f.refunded, f.ret, f.hit};
    } else {
      misses.push_back(i);
    }
  }
  const bool keepNow = keep.courseFigures && stamp && stamp->settled &&
                       (!usable || !misses.empty() || c.races.size() != kept->races.size());
  if (misses.empty() && !keepNow) return sum;
  std::vector<KeptRaceFigures> now;
  for (std::size_t i = 0; i < c.races.size(); ++i) {
    const ScratchedRace& r = c.races[i];
    now.push_back(found[i] ? *found[i] : KeptRaceFigures{r.month, r.day, r.index, r.scratch, {}});
  }
  if (!misses.empty()) {
    std::vector<std::pair<int, int>> at;
    for (const std::size_t i : misses) at.emplace_back(c.races[i].index, c.races[i].race);
    const auto races = ledger.readRaces(c.year, c.course, at);
    if (!races) return races.failure();
    for (std::size_t m = 0; m < misses.size(); ++m) {
      const KeptScratch& s = c.races[misses[m]].scratch;
      const BetFigures f = oldFiguresTotal((*races)[m], numbersIn(s.horses), numbersIn(s.frames));
      now[misses[m]].figures = {f.bought, f.refunded, f.ret, f.hit};
      sum += f;
    }
  }
  if (keepNow) toKeep.push_back({std::atoi(c.year.c_str()), c.course, stamp->bytes, std::move(now)});
  return sum;
}

}  // namespace

Result<RangeFigures> rangeFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                  const std::vector<int>& courses, const RangeKeep& keep) {
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  RangeFigures out;
  if (years.empty()) return out;
  std::vector<int> yearNumbers;
  for (const std::string& y : years) yearNumbers.push_back(std::atoi(y.c_str()));
  std::vector<CourseScratches> scratched;
  Ledger::ScanOptions options;
  if (!courses.empty()) options.courses = courses;
  // A year at a time: its days' kept figures of the new types (with the races that have
  // scratches) beside its meeting days.
  for (std::size_t y = 0; y < years.size(); ++y) {
    auto byDay = newBetsByDay(store, {yearNumbers[y]});
    if (!byDay) return byDay.refusal();
    std::vector<bool> counted(byDay->size(), false);  // a second meeting on a date counts nothing again
    const Status visited = ledger.scan({years[y]}, options, [&](const Ledger::ScanDay& d) {
      const DateKey date{yearNumbers[y], d.key.course, d.meeting.month(), d.meeting.day()};
      const auto it = std::lower_bound(byDay->begin(), byDay->end(), date,
                                       [](const KeptDay& e, const DateKey& k) { return e.date < k; });
      const bool held = it != byDay->end() && it->date == date;
      const std::size_t at = static_cast<std::size_t>(it - byDay->begin());
      std::uint32_t withScratch = 0;  // bit r: race r is counted from its record's tickets
      if (held && !counted[at]) {
        counted[at] = true;
        out.fresh += newBetFiguresOf(*it);
        for (const KeptScratch& s : it->scratches) {
          if (scratched.empty() || scratched.back().year != d.key.year || scratched.back().course != d.key.course)
            scratched.push_back({d.key.year, d.key.course, {}});
          scratched.back().races.push_back({d.key.index, s.race - 1, date.month, date.day, s});
          withScratch |= 1u << (s.race - 1);
        }
      }
      for (int r = 0; r < kRacesPerDay; ++r)
        if (!(withScratch & (1u << r))) out.old += recordFigures(d.meeting, r);
    });
    if (visited.failed()) return visited.failure();
    if (visited.refused()) return visited.refusal();
  }
  // The races with scratches: their tickets' figures with the refunded ones taken out.
  if (!scratched.empty()) {
    const auto kept = store.keptCourseFigures(yearNumbers);
    if (!kept) return kept.refusal();
    std::vector<KeptCourseFigures> toKeep;
    for (const CourseScratches& c : scratched) {
      const int year = std::atoi(c.year.c_str());
      const auto k = std::find_if(kept->begin(), kept->end(), [&](const KeptCourseFigures& f) {
        return f.year == year && f.course == c.course;
      });
      const auto figures = scratchedFigures(ledger, c, k == kept->end() ? nullptr : &*k, keep, toKeep);
      if (!figures) return figures.failure();
      out.old += *figures;
    }
    // Kept in one transaction. What is kept only spares reading: a store that cannot take it
    // leaves the range right.
    if (!toKeep.empty()) (void)store.keepCourseFigures(toKeep);
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

Status visitRaceFigures(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                        const std::vector<int>& courses, const RaceFiguresVisit& visit) {
  Result<StoredRaces> stored = StoredRaces::read(store, years);
  if (stored.refused()) return stored.refusal();
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
        visit(d, r, allTypesFigures(race, settled.stored.scratched, settled.stored.refundedFrames, settled.settlement));
      } else {
        visit(d, r, allTypesFigures(race, {}, {}, none));
      }
    }
  });
  if (scanned.failed()) return scanned.failure();
  if (scanned.refused()) return scanned.refusal();
  return Done{};
}

Result<AllTypesFigures> rangeFiguresByType(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                                           const std::vector<int>& courses) {
  AllTypesFigures out;
  const Status visited =
      visitRaceFigures(ledger, store, years, courses,
                       [&](const Ledger::ScanDay&, int, const AllTypesFigures& f) { out += f; });
  if (visited.failed()) return visited.failure();
  if (visited.refused()) return visited.refusal();
  return out;
}

}  // namespace tovra
