// `tally koumoku --range all|YYYY [--course CODE|10]`: the item tally, shown for one
// course or (10, the default) for all courses as the window shows it after a tally.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/tally/koumoku_tally.hpp"
#include "features/tally/koumoku_view.hpp"

namespace tovra::cli {
namespace {

class TallyKoumoku : public Command {
 public:
  TallyKoumoku()
      : Command("tally", "koumoku", "項目集計: results by race number, items, bet type, amount... (tmp/koumoku.tmp)",
                Writes::WorkFiles) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    app.add_option("--course", course_, "Course shown: sap..kok or 0-9, or 10 for all courses (default)");
    csv_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    const int n = course_ == "10" ? tally::kAllCoursesRow : parseCourse(ctx, course_);
    const int mode = r.allYears ? 0 : 1;
    const int position = r.allYears ? 0 : tally::yearPosition(ds.nenji, r.year);
    if (!tally::runKoumokuTally(ds, ctx.port, mode, position)) throw Refused();
    if (csv_.print(ctx, tally::TallyKind::Koumoku)) return;
    const auto result = tally::readKoumokuFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::koumokuLines(tally::koumokuView(*result, n)))
      ctx.out << terminalText(line, Keep::Tabs) << "\n";
  }

 private:
  TallyCsvFlag csv_;
  std::string range_, course_ = "10";
};

}  // namespace

void addTallyKoumoku(CommandSet& set) { set.add<TallyKoumoku>(); }

}  // namespace tovra::cli
