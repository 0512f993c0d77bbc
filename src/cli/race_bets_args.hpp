#pragma once
// 馬単, 3連複 and 3連単 on the command line: what `race buy` and `race result` take for
// them besides the old types' options, and the runs that put them into the bet store.
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "domain/bet_points.hpp"

namespace CLI {
class App;
}

namespace tovra::cli {

// The options of a purchase line (the old types share --method, --axis, --partners and
// --members with them).
struct NewLineOptions {
  std::string combo;  // 通常: "3-7[-12]"
  std::vector<int> axis, partners, members;
  std::vector<int> first, second, third;  // ﾌｫｰﾒｰｼｮﾝ
  std::vector<int> position;              // 流し: the place of each fixed axis horse
  bool multi = false;
  void define(CLI::App& app);  // --combo --first --second --third --position --multi
};

// `race buy ... TYPE` of a new type: the line's points and cost printed, then asked,
// then bought; or with `del` (1-based) the race's line deleted. The race's new lines are
// printed after.
void buyNewLine(Context& ctx, const RaceAddress& at, NewBetType type, const std::string& method,
                const NewLineOptions& options, const std::string& amount, int del);

// `race result ... TYPE` of a new type: a winning combination added (--combo, --amount
// in 10 yen per 100 yen), the type's n-th deleted (`del`), its 特払 set (`special`) or its
// result cleared. The race's new results are printed after.
struct NewResultOptions {
  std::string combo, amount;
  std::optional<std::string> special;
  bool clear = false;
  int del = 0;
};
void enterNewResult(Context& ctx, const RaceAddress& at, NewBetType type, const NewResultOptions& options);

// `race scratch`.
void addRaceScratchCommand(CommandSet& set);

}  // namespace tovra::cli
