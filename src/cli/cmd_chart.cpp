// `chart balance|course|bettype|month --range all|YYYY --png FILE`: a page of the chart
// window 収支ｸﾞﾗﾌ drawn offscreen into a PNG file, counted over the range as the window
// counts it.
#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "features/export/balance_series.hpp"
#include "features/export/chart_renderer.hpp"
#include "features/export/rate_charts.hpp"

namespace tovra::cli {
namespace {

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
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    exports::ChartRequest q;
    q.range = parseTallyRange(ctx, range_);
    q.first = kind_;
    if (!ctx.chartRenderer) ctx.refuse(kNoCharts);
    const exports::BalanceSeries series = exports::balanceSeries(ds, ctx.port, q.range);
    std::unique_ptr<exports::ChartRenderer> renderer = ctx.chartRenderer();
    const bool written =
        kind_ == exports::ChartKind::Balance
            ? renderer->balancePng(ds.fs(), ctx.port, png_, series, ctx.settings, width_, height_)
            : renderer->ratePng(ds.fs(), ctx.port, png_, exports::rateChart(ds, ctx.port, q, series.byMonth, kind_),
                                ctx.settings, width_, height_);
    if (!written) throw Refused();
  }

 private:
  exports::ChartKind kind_;
  std::string range_, png_;
  int width_ = 1000, height_ = 640;
};

}  // namespace

void addChartCommands(CommandSet& set) {
  set.group("chart", "Draw a page of the chart window 収支ｸﾞﾗﾌ into a PNG file");
  for (int k = 0; k < exports::kChartKinds; ++k) set.add<ChartCommand>(static_cast<exports::ChartKind>(k));
}

}  // namespace tovra::cli
