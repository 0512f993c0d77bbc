// `tally rank --range all|YYYY --kind 1-5 [--page N]`: the best 45 of a rank tally.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/tally/rank_tally.hpp"

namespace tovra::cli {
namespace {

class TallyRank : public Command {
 public:
  TallyRank() : Command("tally", "rank", "RANK集計: the best 45 (tmp/rank.tmp)", Writes::WorkFiles) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    app.add_option("--kind", kind_, "1 的中配当, 2 ﾚｰｽ別回収率, 3 開催日別回収率, 4 ﾚｰｽ別収支, 5 開催日別収支")
        ->required()
        ->check(CLI::Range(1, 5));
    app.add_option("--page", page_, "Page shown: 0-14 (3 races a page) or 0-8 (5 days a page)");
    csv_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    const int code = tally::rankCode(!r.allYears, kind_ - 1);
    const int pages = tally::rankPageCount(code);
    if (page_ < 0 || page_ >= pages) ctx.refuse("ﾍﾟｰｼﾞは 0～" + std::to_string(pages - 1) + " で指定して下さい。");
    const int position = r.allYears ? 0 : tally::yearPosition(ds.nenji, r.year);
    if (!tally::runRankTally(ds, ctx.port, code, position)) throw Refused();
    if (csv_.print(ctx, tally::TallyKind::Rank)) return;
    const auto result = tally::readRankFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::rankLines(tally::rankView(*result, page_)))
      ctx.out << terminalText(line, Keep::Tabs) << "\n";
  }

 private:
  TallyCsvFlag csv_;
  std::string range_;
  int kind_ = 1, page_ = 0;
};

}  // namespace

void addTallyRank(CommandSet& set) { set.add<TallyRank>(); }

}  // namespace tovra::cli
