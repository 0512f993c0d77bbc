// `tally shushi --range all|YYYY|M/D [--by month|kai] [--row 0-12]`: the income and
// expense tally.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/tally/shushi_tally.hpp"

namespace tovra::cli {
namespace {

class TallyShushi : public Command {
 public:
  TallyShushi()
      : Command("tally", "shushi", "収支集計: purchase, return, balance and rates per course (tmp/shushi.tmp)",
                Writes::WorkFiles) {}
  void define(CLI::App& app) override {
    app.add_option("--range", range_, "all, a registered year YYYY, or a day M/D of the current year")->required();
    app.add_option("--by", by_, "Rows by month or by meeting number (kai); not for a day")
        ->check(CLI::IsMember({"month", "kai"}));
    rowOption_ =
        app.add_option("--row", row_, "Row shown: 0 = all, 1-12 = month or meeting number")->check(CLI::Range(0, 12));
    csv_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    int mode = 0, selection = 0;
    if (range_.find('/') != std::string::npos) {
      // A day of the current year, as the dialog's month and day boxes offer.
      const MonthDay md = parseMonthDay(ctx, range_);
      if (rowOption_->count() > 0 && row_ != 0) ctx.refuse("月日指定の集計には行を指定出来ません。");
      mode = tally::kShushiDay;
      selection = md.month * 100 + md.day;
    } else {
      const tally::TallyRange r = parseTallyRange(ctx, range_);
      const bool kai = by_ == "kai";
      if (r.allYears) {
        mode = kai ? tally::kShushiAllByKai : tally::kShushiAllByMonth;
      } else {
        mode = kai ? tally::kShushiYearByKai : tally::kShushiYearByMonth;
        selection = tally::yearPosition(ds.nenji, r.year);
      }
    }
    if (!tally::runShushiTally(ds, ctx.port, mode, selection, ds.yearNumber())) throw Refused();
    if (csv_.print(ctx, tally::TallyKind::Shushi)) return;
    const auto result = tally::readShushiFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::shushiLines(tally::shushiView(*result, row_, ds.nenji, ds.year)))
      ctx.out << terminalText(line, Keep::Tabs) << "\n";
  }

 private:
  TallyCsvFlag csv_;
  std::string range_, by_ = "month";
  int row_ = 0;
  CLI::Option* rowOption_ = nullptr;
};

}  // namespace

void addTallyShushi(CommandSet& set) { set.add<TallyShushi>(); }

}  // namespace tovra::cli
