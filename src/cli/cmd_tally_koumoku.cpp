#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "tally/koumoku_tally.hpp"
#include "tally/koumoku_view.hpp"

namespace tovra::cli {

// `tally koumoku --range all|YYYY [--course CODE|10]`: the item tally, shown for one
// course or (10, the default) for all courses as the window shows it after a tally.
void addTallyKoumoku(CLI::App& tally, Context& ctx) {
  auto* cmd = tally.add_subcommand("koumoku", "項目集計: results by race number, items, bet type, amount... (tmp/koumoku.tmp)");
  static std::string range, course = "10";
  cmd->add_option("--range", range, "all, or a registered year YYYY")->required();
  cmd->add_option("--course", course, "Course shown: sap..kok or 0-9, or 10 for all courses (default)");
  cmd->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range);
    const int n = course == "10" ? tally::kAllCoursesRow : ctx.parseCourse(course);
    const int mode = r.allYears ? 0 : 1;
    const int position = r.allYears ? 0 : tally::yearPosition(ds.nenji, r.year);
    if (!tally::runKoumokuTally(ds, ctx.port, mode, position)) throw Refused();
    const auto result = tally::readKoumokuFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::koumokuLines(tally::koumokuView(*result, n))) std::cout << line << "\n";
  });
}

}  // namespace tovra::cli
