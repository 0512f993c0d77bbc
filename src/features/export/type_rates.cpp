#include "features/export/type_rates.hpp"

#include <cstdlib>

#include "domain/bet_points.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/range_figures.hpp"

namespace tovra::exports {

namespace {

NewBetType newTypeAt(int i) { return static_cast<NewBetType>(i - kBetTypeCount); }

// The chart's order: the record's order (単勝 複勝 枠連 馬連 ﾜｲﾄﾞ), then the new types.
const BetFigures& figuresAt(const AllTypesFigures& f, int i) {
  if (i < kBetTypeCount) return f.of(kRecordOrder[i]);
  return f.of(newTypeAt(i));
}

}  // namespace

const char* chartTypeName(int i) {
  if (i < kBetTypeCount) return betTypeName(kRecordOrder[i]);
  return newBetTypeName(newTypeAt(i));
}

const char* chartTypeAscii(int i) {
  if (i < kBetTypeCount) return betTypeInfo(kRecordOrder[i]).ascii;
  return newBetTypeAscii(newTypeAt(i));
}

int chartTypeOf(BetType t) {
  for (int i = 0; i < kBetTypeCount; ++i)
    if (kRecordOrder[i] == t) return i;
  return 0;
}

ChartTypes ChartTypes::every() {
  ChartTypes c;
  c.on.fill(true);
  return c;
}

bool ChartTypes::any() const {
  for (bool b : on)
    if (b) return true;
  return false;
}

bool TypeRates::beyondOldTypes() const {
  for (int i = 0; i < kChartTypeCount; ++i) {
    const BetFigures& f = byType[static_cast<std::size_t>(i)].figures;
    if (f.refunded != 0 || (i >= kBetTypeCount && f.bought != 0)) return true;
  }
  return false;
}

void addRace(TypeRates& rates, const AllTypesFigures& race) {
  for (int i = 0; i < kChartTypeCount; ++i) {
    const BetFigures& f = figuresAt(race, i);
    TypeRate& t = rates.byType[static_cast<std::size_t>(i)];
    t.figures += f;
    if (f.purchase() <= 0) continue;
    ++t.races;
    if (f.hit) ++t.hitRaces;
  }
}

Result<bool> storeHoldsRaces(BetStore& store, const std::vector<std::string>& years) {
  if (const Status opened = store.open(false); !opened) return opened.refusal();
  std::vector<int> numbers;
  for (const std::string& y : years) numbers.push_back(std::atoi(y.c_str()));
  if (numbers.empty()) return false;
  bool any = false;
  const Status scanned = store.scan(numbers, [&](const RaceKey&, const StoredRace& race) {
    if (!race.empty()) any = true;
  });
  if (!scanned) return scanned.refusal();
  return any;
}

Result<TypeRates> typeRates(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                            const std::vector<int>& courses) {
  TypeRates out;
  const Status visited = visitRaceFigures(ledger, store, years, courses,
                                          [&](const Ledger::ScanDay&, int, const AllTypesFigures& f) { addRace(out, f); });
  if (visited.failed()) return visited.failure();
  if (visited.refused()) return visited.refusal();
  return out;
}

}  // namespace tovra::exports
