#include "features/bets/kept_figures.hpp"

#include <algorithm>

#include "features/bets/race_bets.hpp"

namespace tovra {
namespace {

KeptTypeFigures keptOf(const BetFigures& f) { return {f.bought, f.refunded, f.ret, f.hit}; }
BetFigures figuresOf(const KeptTypeFigures& f) { return {f.bought, f.refunded, f.ret, f.hit}; }

}  // namespace

NewBetFigures newBetFiguresOf(const KeptDay& d) {
  NewBetFigures out;
  for (int t = 0; t < kNewBetTypeCount; ++t) {
    const BetFigures f = figuresOf(d.types[static_cast<std::size_t>(t)]);
    out.byType[static_cast<std::size_t>(t)] = f;
    out.all += f;
  }
  return out;
}

std::optional<KeptDay> keptDayOf(const DateKey& date, const std::array<StoredRace, 12>& day) {
  KeptDay out{date, {}, {}};
  NewBetFigures figures;
  bool any = false;
  for (std::size_t r = 0; r < day.size(); ++r) {
    const StoredRace& race = day[r];
    if (race.empty()) continue;
    any = true;
    figures += settleStoredRace(race).settlement.figures;
    if (!race.scratched.empty() || !race.refundedFrames.empty())
      out.scratches.push_back({static_cast<int>(r) + 1, numberSet(race.scratched),
                               static_cast<std::uint16_t>(numberSet(race.refundedFrames))});
  }
  if (!any) return std::nullopt;
  for (int t = 0; t < kNewBetTypeCount; ++t)
    out.types[static_cast<std::size_t>(t)] = keptOf(figures.byType[static_cast<std::size_t>(t)]);
  return out;
}

Status keepStaleFigures(BetStore& store) {
  if (!store.exists()) return Done{};
  const auto stale = store.staleDays();
  if (!stale) return stale.refusal();
  if (stale->empty()) return Done{};
  std::vector<KeptDay> days;
  for (const DateKey& date : *stale) {
    const auto day = store.day(date);
    if (!day) return day.refusal();
    if (auto kept = keptDayOf(date, *day)) days.push_back(std::move(*kept));
  }
  return store.keepFigures(*stale, days);
}

Result<std::vector<KeptDay>> newBetsByDay(BetStore& store, const std::vector<int>& years) {
  auto kept = store.keptFigures(years);
  if (!kept) return kept.refusal();
  std::vector<KeptDay> out = std::move(kept->days);
  if (kept->stale.empty()) return out;  // the kept days are in date order
  for (const DateKey& date : kept->stale) {
    const auto day = store.day(date);
    if (!day) return day.refusal();
    if (auto d = keptDayOf(date, *day)) out.push_back(std::move(*d));
  }
  std::sort(out.begin(), out.end(), [](const KeptDay& a, const KeptDay& b) { return a.date < b.date; });
  return out;
}

}  // namespace tovra
