#pragma once
// The figures of a race, a day or a range as JSON: one object per bet type and `all`, each
// with `bought`, `refunded`, `purchase`, `return` and `balance` in yen and `hit`. What
// `show race|meeting --json` and `tally shushi --json` print.
#include <array>
#include <optional>
#include <string>

#include "domain/all_types_figures.hpp"

namespace tovra::cli {

// A JSON string of UTF-8 text.
std::string jsonQuoted(const std::string& s);
// One type's figures.
std::string figuresJson(const BetFigures& f);

// Which bet types an object holds: the five record types (by BetType), the new ones (by
// typeIndex), and WIN5 (the day's, where a range's figures are asked).
struct TypeChoice {
  std::array<bool, kBetTypeCount> old{};
  std::array<bool, kNewBetTypeCount> fresh{};
  bool win5 = false;
  // The eight types of a race (no WIN5).
  static TypeChoice every();
  // Every type of a race chosen, whatever win5 is.
  bool everyRaceType() const;
  bool operator==(const TypeChoice&) const = default;
};
// "all", or a comma list of the command line's type names (tan fuku waku wide uma umatan
// sanrenpuku sanrentan, and win5 when `withWin5`); none for an empty list, an empty item
// or any other name. With `withWin5` "all" chooses WIN5 too.
std::optional<TypeChoice> typeChoiceFromText(const std::string& text, bool withWin5 = false);

// The types in the order tan fuku waku uma wide umatan sanrenpuku sanrentan, then `all`.
std::string figuresObject(const AllTypesFigures& a);
// Only the chosen types, and `all` the sum of them; `win5` (the range's WIN5 figures) after
// sanrentan when the choice holds WIN5 and it is given.
std::string figuresObject(const AllTypesFigures& a, const TypeChoice& choice, const BetFigures* win5 = nullptr);

}  // namespace tovra::cli
