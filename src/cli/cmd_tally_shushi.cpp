#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "tally/shushi_tally.hpp"

namespace tovra::cli {

namespace {

// "M/D": a day of the current year, as the dialog's month and day boxes offer (1-12, 1-31).
std::optional<int> parseMonthDay(const std::string& text) {
  auto slash = text.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 >= text.size() || text.size() > 5) return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != slash && !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  int m = std::stoi(text.substr(0, slash)), d = std::stoi(text.substr(slash + 1));
  if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
  return m * 100 + d;
}

}  // namespace

// `tally shushi --range all|YYYY|M/D [--by month|kai] [--row 0-12]`
void addTallyShushi(CLI::App& tally, Context& ctx) {
  auto* cmd = tally.add_subcommand("shushi", "収支集計: purchase, return, balance and rates per course (tmp/shushi.tmp)");
  static std::string range, by = "month";
  static int row = 0;
  cmd->add_option("--range", range, "all, a registered year YYYY, or a day M/D of the current year")->required();
  cmd->add_option("--by", by, "Rows by month or by meeting number (kai); not for a day")->check(CLI::IsMember({"month", "kai"}));
  auto* rowOpt = cmd->add_option("--row", row, "Row shown: 0 = all, 1-12 = month or meeting number")->check(CLI::Range(0, 12));
  cmd->callback([&ctx, rowOpt] {
    DataStore& ds = ctx.requireYear();
    int mode = 0, selection = 0;
    if (range.find('/') != std::string::npos) {
      auto md = parseMonthDay(range);
      if (!md) ctx.refuse("月日は M/D (1～12月, 1～31日) で指定して下さい。");
      if (rowOpt->count() > 0 && row != 0) ctx.refuse("月日指定の集計には行を指定出来ません。");
      mode = tally::kShushiDay;
      selection = *md;
    } else {
      tally::TallyRange r = parseTallyRange(ctx, range);
      bool kai = by == "kai";
      if (r.allYears) {
        mode = kai ? tally::kShushiAllByKai : tally::kShushiAllByMonth;
      } else {
        mode = kai ? tally::kShushiYearByKai : tally::kShushiYearByMonth;
        selection = tally::yearPosition(ds.nenji, r.year);
      }
    }
    if (!tally::runShushiTally(ds, ctx.port, mode, selection)) throw Refused();
    auto result = tally::readShushiFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::shushiLines(tally::shushiView(*result, row, ds.nenji, ds.year)))
      std::cout << line << "\n";
  });
}

}  // namespace tovra::cli
