#pragma once
// 的中率 and 回収率 per bet type over a range, for all eight types: every race's figures
// over all types (its record's tickets with the store's scratched horses refunded, its
// store lines settled) added up per type, with the races the type was bought on and the
// races it hit. A refunded ticket is neither bought nor returned: purchase = bought -
// refunded, and a race whose tickets of a type were all refunded is no race of that type.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "domain/all_types_figures.hpp"
#include "storage/bet_store.hpp"
#include "storage/ledger.hpp"
#include "storage/outcome.hpp"

namespace tovra::exports {

// The types of the chart, in the order of its bars and toggles: 単勝 複勝 枠連 馬連 ﾜｲﾄﾞ
// 馬単 3連複 3連単.
inline constexpr int kChartTypeCount = kBetTypeCount + kNewBetTypeCount;
const char* chartTypeName(int i);   // "単勝" ... "3連単"
const char* chartTypeAscii(int i);  // "tan" ... "sanrentan", as the command line names them
// The chart's position of an old type.
int chartTypeOf(BetType t);

// Which types the chart shows.
struct ChartTypes {
  std::array<bool, kChartTypeCount> on{};
  static ChartTypes every();
  bool any() const;
  bool operator==(const ChartTypes&) const = default;
};

struct TypeRate {
  BetFigures figures;          // bought, refunded, return over the range
  std::int64_t races = 0;      // races with a purchase of the type
  std::int64_t hitRaces = 0;   // of those, the races a ticket of the type hit
  bool operator==(const TypeRate&) const = default;
};

struct TypeRates {
  std::array<TypeRate, kChartTypeCount> byType;
  // Whether the eight types tell more than the five: a new type bought or a ticket refunded.
  bool beyondOldTypes() const;
  bool operator==(const TypeRates&) const = default;
};

// One race's part: what allTypesFigures gave it, counted per type.
void addRace(TypeRates& rates, const AllTypesFigures& race);

// Whether the store holds a race of the years (lines, results or scratches); a store that
// cannot be used in its refusal.
Result<bool> storeHoldsRaces(BetStore& store, const std::vector<std::string>& years);

// Over the years given (registered year texts) and courses (0-9, all when empty).
Result<TypeRates> typeRates(const Ledger& ledger, BetStore& store, const std::vector<std::string>& years,
                            const std::vector<int>& courses = {});

}  // namespace tovra::exports
