#include "features/bets/kept_figures.hpp"

#include <algorithm>

#include "features/bets/race_bets.hpp"

namespace tovra {

NewBetFigures dayNewBetFigures(const std::array<StoredRace, 12>& day) {
  NewBetFigures f;
  for (const StoredRace& race : day)
    if (!race.empty()) f += settleStoredRace(race).settlement.figures;
  return f;
}

std::vector<BetStore::DayFigureRow> dayFigureRows(const DateKey& date, const NewBetFigures& figures) {
  std::vector<BetStore::DayFigureRow> rows;
  for (int t = 0; t < kNewBetTypeCount; ++t) {
    const BetFigures& f = figures.byType[static_cast<std::size_t>(t)];
    if (f == BetFigures{}) continue;
    rows.push_back({date, t, f.bought, f.refunded, f.ret, f.hit});
  }
  return rows;
}

Status keepStaleFigures(BetStore& store) {
  if (!store.exists()) return Done{};
  const auto stale = store.staleDays();
  if (!stale) return stale.refusal();
  for (const DateKey& date : *stale) {
    const auto day = store.day(date);
    if (!day) return day.refusal();
    if (const Status kept = store.keepFigures(date, dayFigureRows(date, dayNewBetFigures(*day))); !kept) return kept;
  }
  return Done{};
}

Result<std::vector<std::pair<DateKey, NewBetFigures>>> newBetFiguresByDay(BetStore& store,
                                                                          const std::vector<int>& years) {
  std::vector<std::pair<DateKey, NewBetFigures>> out;
  const auto kept = store.keptFigures(years);
  if (!kept) return kept.refusal();
  for (const BetStore::DayFigureRow& r : kept->rows) {
    if (out.empty() || out.back().first != r.date) out.push_back({r.date, {}});
    NewBetFigures& f = out.back().second;
    BetFigures& t = f.byType[static_cast<std::size_t>(r.type)];
    t = BetFigures{r.bought, r.refunded, r.ret, r.hit};
    f.all += t;
  }
  for (const DateKey& date : kept->stale) {
    const auto day = store.day(date);
    if (!day) return day.refusal();
    out.push_back({date, dayNewBetFigures(*day)});
  }
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return out;
}

}  // namespace tovra
