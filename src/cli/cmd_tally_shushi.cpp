// `tally shushi --range all|YYYY|M/D [--by month|kai] [--row 0-12]`: the income and
// expense tally. With `--json` (`--range all|YYYY [--types LIST|all] [--course CODE]`):
// the range's figures of every bet type as one JSON object, no work file written. WIN5
// (`win5`) counts only over every course; `all` shows it when the range holds a WIN5 day.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/day_args.hpp"
#include "cli/figures_json.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/bets/range_figures.hpp"
#include "features/bets/win5_figures.hpp"
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
    app.add_flag("--json", json_,
                 "Print the figures of every bet type (all|YYYY) as JSON: bought, refunded, purchase, "
                 "return, balance in yen and hit, per type and all");
    typesOption_ = app.add_option("--types", types_,
                                  "With --json: the types, a comma list of tan fuku waku wide uma umatan sanrenpuku "
                                  "sanrentan win5, or all");
    courseOption_ = app.add_option("--course", course_, "With --json: one course (sap ... kok or 0-9)");
  }
  void run(Context& ctx) override {
    if (json_) return runJson(ctx);
    if (typesOption_->count() > 0 || courseOption_->count() > 0)
      ctx.refuse("--types と --course は --json と共に指定して下さい。");
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
  void runJson(Context& ctx) {
    if (csv_.on || rowOption_->count() > 0 || by_ != "month")
      ctx.refuse("--json には --by, --row, --csv を指定出来ません。");
    std::optional<TypeChoice> types = typeChoiceFromText(types_, true);
    if (!types)
      ctx.refuse(
          "式別は tan fuku waku wide uma umatan sanrenpuku sanrentan win5 をｶﾝﾏで区切るか all で指定して下さい。");
    std::vector<int> courses;
    if (courseOption_->count() > 0) courses.push_back(parseCourse(ctx, course_));
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r =
        parseTallyRange(ctx, range_, "--json の集計範囲は all または西暦4桁の年次で指定して下さい。");
    std::vector<std::string> years;
    for (int y : tally::rangeYears(ds.nenji, r)) years.push_back(std::to_string(y));
    const AllTypesFigures figures = valueOf(ctx, rangeFiguresByType(ds.ledger(), ctx.bets(), years, courses));
    BetFigures win5;
    if (types->win5) {
      Win5Range w5{{}, courses, 0};
      for (const std::string& y : years) w5.years.push_back(std::stoi(y));
      const std::vector<Win5DayFigures> days =
          years.empty() ? std::vector<Win5DayFigures>{} : valueOf(ctx, win5DayFigures(ctx.bets(), w5));
      for (const Win5DayFigures& d : days) win5 += d.figures;
      // "all" names WIN5 only where there is one; asked for by name it is always shown.
      if (types_ == "all" && days.empty()) types->win5 = false;
    }
    ctx.out << "{\"range\":" << jsonQuoted(r.allYears ? "all" : std::to_string(r.year))
            << ",\"figures\":" << figuresObject(figures, *types, &win5) << "}\n";
  }

  TallyCsvFlag csv_;
  std::string range_, by_ = "month";
  int row_ = 0;
  CLI::Option* rowOption_ = nullptr;
  bool json_ = false;
  std::string types_ = "all", course_;
  CLI::Option* typesOption_ = nullptr;
  CLI::Option* courseOption_ = nullptr;
};

}  // namespace

void addTallyShushi(CommandSet& set) { set.add<TallyShushi>(); }

}  // namespace tovra::cli
