// `chart balance|course|bettype|month --range all|YYYY --png FILE`: a page of the chart
// window 収支ｸﾞﾗﾌ drawn offscreen into a PNG file, counted over the range as the window
// counts it. `chart bettype --types LIST|all` draws the types listed, as the window's
// toggles do.
#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "cli/figures_json.hpp"
#include "cli/parsers.hpp"
#include "features/export/balance_series.hpp"
#include "features/export/chart_renderer.hpp"
#include "features/export/rate_charts.hpp"

namespace tovra::cli {
namespace {

constexpr const char* kNoTypeBars = "選んだ式別はこの範囲の馬券式別ｸﾞﾗﾌにありません。";
constexpr const char* kNoCharts = "このtovra-cliはｸﾞﾗﾌ機能 (Qt Charts) なしで作られています。";

class ChartCommand : public Command {
 public:
  explicit ChartCommand(exports::ChartKind kind)
      : Command("chart", exports::chartKindKey(kind), std::string(exports::chartKindName(kind)) + " as a PNG file",
                Writes::Nothing),
        kind_(kind) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    app.add_option("--png", png_, "The PNG file to write")->required()->each([this](const std::string& v) {
      png_ = absoluteFileOption(v);
    });
    app.add_option("--width", width_, "Width in pixels")->check(CLI::Range(320, 4000));
    app.add_option("--height", height_, "Height in pixels")->check(CLI::Range(240, 4000));
    if (kind_ == exports::ChartKind::BetType)
      app.add_option("--types", types_,
                     "The types drawn, a comma list of tan fuku waku wide uma umatan sanrenpuku sanrentan, or all "
                     "(the new types have bars when the range holds them)");
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    exports::ChartRequest q;
    q.range = parseTallyRange(ctx, range_);
    q.first = kind_;
    q.types = chartTypes(ctx);
    if (!ctx.chartRenderer) ctx.refuse(kNoCharts);
    const exports::BalanceSeries series = exports::balanceSeries(ds, ctx.port, q.range);
    std::unique_ptr<exports::ChartRenderer> renderer = ctx.chartRenderer();
    if (kind_ == exports::ChartKind::Balance) {
      if (!renderer->balancePng(ds.fs(), ctx.port, png_, series, ctx.settings, width_, height_)) throw Refused();
      return;
    }
    const exports::RateChart chart = exports::rateChart(ds, ctx.bets(), ctx.port, q, series.byMonth, kind_);
    // Only new types asked for, over a range the store adds nothing to.
    if (chart.bars.empty()) ctx.refuse(kNoTypeBars);
    const bool written = renderer->ratePng(ds.fs(), ctx.port, png_, chart, ctx.settings, width_, height_);
    if (!written) throw Refused();
  }

 private:
  // --types as the chart's toggles (the same names as tally shushi --types).
  exports::ChartTypes chartTypes(Context& ctx) const {
    const std::optional<TypeChoice> choice = typeChoiceFromText(types_);
    if (!choice)
      ctx.refuse("式別は tan fuku waku wide uma umatan sanrenpuku sanrentan をｶﾝﾏで区切るか all で指定して下さい。");
    exports::ChartTypes c;
    for (BetType t : kBetTypes) c.on[static_cast<std::size_t>(exports::chartTypeOf(t))] = choice->old[oldTypeIndex(t)];
    for (std::size_t n = 0; n < choice->fresh.size(); ++n) c.on[kBetTypeCount + n] = choice->fresh[n];
    return c;
  }

  exports::ChartKind kind_;
  std::string range_, png_, types_ = "all";
  int width_ = 1000, height_ = 640;
};

}  // namespace

void addChartCommands(CommandSet& set) {
  set.group("chart", "Draw a page of the chart window 収支ｸﾞﾗﾌ into a PNG file");
  for (int k = 0; k < exports::kChartKinds; ++k) set.add<ChartCommand>(static_cast<exports::ChartKind>(k));
}

}  // namespace tovra::cli
