#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/cli_context.hpp"
#include "ledger/text.hpp"
#include "search/search_engine.hpp"
#include "search/search_input.hpp"
#include "search/search_list.hpp"

namespace tovra::cli {
namespace {

// Options every search takes.
struct SearchOptions {
  std::string range = "all";
  bool hitOnly = false;
};

void addCommonOptions(CLI::App& cmd, SearchOptions& o) {
  cmd.add_option("--range", o.range, "all (default), or a registered year YYYY");
  cmd.add_flag("--hit-only", o.hitOnly, "的中ﾚｰｽのみ: only races (payouts) that were hit");
}

// The list as the result window shows it: title, summary, heading, one line per record,
// printed as the records are read (the list can be long), converted a piece at a time.
void printLastList(Context& ctx) {
  DataStore& ds = ctx.requireYear();
  const auto text = search::readKekaText(ds);
  if (!text) ctx.refuse("検索結果がありません。");
  std::cout << cp932ToUtf8(text->title) << "\n" << cp932ToUtf8(text->summary) << "\n検索されたﾚｰｽﾃﾞｰﾀ：\n";
  std::string piece;
  const auto flush = [&piece] {
    std::cout << cp932ToUtf8(piece);
    piece.clear();
  };
  search::forEachKekaRecord(ds, [&](const search::KekaRecord& r) {
    piece += search::kekaLineCp932(r);
    piece += '\n';
    if (piece.size() > 65536) flush();
  });
  flush();
}

void runAndPrint(Context& ctx, search::SearchParams p, const SearchOptions& o) {
  DataStore& ds = ctx.requireYear();
  p.range = parseTallyRange(ctx, o.range, "検索範囲は all または西暦4桁の年次で指定して下さい。");
  p.hitOnly = o.hitOnly;
  if (!search::runSearch(ds, ctx.port, p)) throw Refused();
  printLastList(ctx);
}

void addNameSearch(CLI::App& search, Context& ctx, const char* name, const char* help, search::SearchType type) {
  auto* cmd = search.add_subcommand(name, help);
  static SearchOptions opts[2];
  static std::string texts[2];
  static bool picked[2];
  const int i = type == search::SearchType::RaceMei ? 1 : 0;
  cmd->add_option("TEXT", texts[i], "The text looked for (UTF-8; at most 60 Shift-JIS bytes)")->required();
  cmd->add_flag("--from-history", picked[i], "The text counts as picked from the history list (the history stays)");
  addCommonOptions(*cmd, opts[i]);
  cmd->callback([&ctx, type, i] {
    DataStore& ds = ctx.requireYear();
    search::SearchParams p;
    p.type = type;
    const auto text = search::acceptNameText(ctx.port, type, texts[i]);
    if (!text) throw Refused();
    p.text = *text;
    p.picked = picked[i];
    if (p.picked) {
      const auto history = search::readHistory(ds, type == search::SearchType::RaceMei).texts();
      if (std::find(history.begin(), history.end(), p.text) == history.end())
        ctx.refuse("検索履歴にない文字列です。");
    }
    runAndPrint(ctx, p, opts[i]);
  });
}

void addStakesSearch(CLI::App& search, Context& ctx) {
  auto* cmd = search.add_subcommand("stakes", "重賞検索: the races of one grade (tmp/kensakukeka.tmp)");
  static SearchOptions o;
  static int grade = 1;
  cmd->add_option("--grade", grade, "1 GⅠ, 2 GⅡ, 3 GⅢ")->required()->check(CLI::Range(1, 3));
  addCommonOptions(*cmd, o);
  cmd->callback([&ctx] {
    search::SearchParams p;
    p.type = search::SearchType::Jyusho;
    p.grade = grade - 1;
    runAndPrint(ctx, p, o);
  });
}

void addPayoutSearch(CLI::App& search, Context& ctx) {
  auto* cmd = search.add_subcommand("payout", "ﾚｰｽ結果配当検索: payouts (yen per 100 yen) in a range, or 万馬券");
  static SearchOptions o;
  static std::string lower, upper;
  static bool manbaken = false;
  auto* mn = cmd->add_option("--min", lower, "Lower amount, 100 or more (at most four digits)");
  auto* mx = cmd->add_option("--max", upper, "Upper amount, above the lower (at most four digits, or 10000)");
  auto* man = cmd->add_flag("--manbaken", manbaken, "万馬券: payouts of 10000 and more");
  man->excludes(mn)->excludes(mx);
  addCommonOptions(*cmd, o);
  cmd->callback([&ctx] {
    ctx.requireYear();
    search::SearchParams p;
    p.type = search::SearchType::Haitou;
    if (manbaken) {
      p.payout.manbaken = true;
    } else {
      const auto range = search::acceptPayoutAmounts(ctx.port, lower, upper);
      if (!range) throw Refused();
      p.payout = *range;
    }
    runAndPrint(ctx, p, o);
  });
}

}  // namespace

// `search KIND ...`: each search writes tmp/kensakukeka.tmp and tmp/kensakutext.tmp (and
// the history of the name searches) as the windows do, and prints the result list.
void addSearchCommands(CLI::App& app, Context& ctx) {
  auto* search = app.add_subcommand("search", "Search the ledger, write the result list in tmp/ and print it");
  search->require_subcommand(1);
  addNameSearch(*search, ctx, "race", "ﾚｰｽ名検索: races whose name holds TEXT", search::SearchType::RaceMei);
  addNameSearch(*search, ctx, "horse", "ﾚｰｽ結果馬名検索: finishers (1st-5th) whose name holds TEXT",
                search::SearchType::Bamei);
  addStakesSearch(*search, ctx);
  addPayoutSearch(*search, ctx);
  search->add_subcommand("last", "Print the last result list again")->callback([&ctx] { printLastList(ctx); });
}

}  // namespace tovra::cli
