#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "tally/rank_tally.hpp"

namespace tovra::cli {

// `tally rank --range all|YYYY --kind 1-5 [--page N]`
void addTallyRank(CLI::App& tally, Context& ctx) {
  auto* cmd = tally.add_subcommand("rank", "RANK集計: the best 45 (tmp/rank.tmp)");
  static std::string range;
  static int kind = 1, page = 0;
  cmd->add_option("--range", range, "all or a registered year YYYY")->required();
  cmd->add_option("--kind", kind,
                  "1 的中配当, 2 ﾚｰｽ別回収率, 3 開催日別回収率, 4 ﾚｰｽ別収支, 5 開催日別収支")
      ->required()
      ->check(CLI::Range(1, 5));
  cmd->add_option("--page", page, "Page shown: 0-14 (3 races a page) or 0-8 (5 days a page)");
  cmd->callback([&ctx] {
    DataStore& ds = ctx.requireYear();
    tally::TallyRange r = parseTallyRange(ctx, range);
    int code = tally::rankCode(!r.allYears, kind - 1);
    int pages = tally::rankPageCount(code);
    if (page < 0 || page >= pages) ctx.refuse("ﾍﾟｰｼﾞは 0～" + std::to_string(pages - 1) + " で指定して下さい。");
    int position = r.allYears ? 0 : tally::yearPosition(ds.nenji, r.year);
    if (!tally::runRankTally(ds, ctx.port, code, position)) throw Refused();
    auto result = tally::readRankFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::rankLines(tally::rankView(*result, page))) std::cout << line << "\n";
  });
}

}  // namespace tovra::cli
