// `search KIND ...`: each search writes tmp/kensakukeka.tmp and tmp/kensakutext.tmp (and
// the history of the name searches) as the windows do, and prints the result list.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <string>

#include "cli/cli_context.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/search/search_engine.hpp"
#include "features/search/search_input.hpp"
#include "features/search/search_list.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

// The list as the result window shows it: title, summary, heading, one line per record,
// printed as the records are read (the list can be long), converted a piece at a time.
void printLastList(Context& ctx) {
  DataStore& ds = ctx.requireYear();
  const auto text = search::readKekaText(ds);
  if (!text) ctx.refuse("検索結果がありません。");
  // Race names and the searched text come from files: control characters are shown escaped.
  ctx.out << terminalText(cp932ToUtf8(text->title), Keep::LineFeedsAndTabs) << "\n"
          << terminalText(cp932ToUtf8(text->summary), Keep::LineFeedsAndTabs) << "\n検索されたﾚｰｽﾃﾞｰﾀ：\n";
  std::string piece;
  const auto flush = [&ctx, &piece] {
    ctx.out << terminalText(cp932ToUtf8(piece), Keep::LineFeedsAndTabs);
    piece.clear();
  };
  search::forEachKekaRecord(ds, [&](const search::KekaRecord& r, const search::HaitouNote* note) {
    piece += search::kekaLineCp932(r, note);
    piece += '\n';
    if (piece.size() > 65536) flush();
  });
  flush();
}

// A search: the options every search takes, and the run that prints the new list.
class SearchCommand : public Command {
 public:
  SearchCommand(std::string name, std::string help)
      : Command("search", std::move(name), std::move(help), Writes::WorkFiles) {}

 protected:
  void defineCommon(CLI::App& app) {
    app.add_option("--range", range_, "all (default), or a registered year YYYY");
    app.add_flag("--hit-only", hitOnly_, "的中ﾚｰｽのみ: only races (payouts) that were hit");
  }
  void runAndPrint(Context& ctx, search::SearchParams p) {
    DataStore& ds = ctx.requireYear();
    p.range = parseTallyRange(ctx, range_, "検索範囲は all または西暦4桁の年次で指定して下さい。");
    p.hitOnly = hitOnly_;
    // The payout search lists the new types' payouts of the bet store as well.
    if (!search::runSearch(ds, ctx.port, p, p.type == search::SearchType::Haitou ? &ctx.bets() : nullptr))
      throw Refused();
    printLastList(ctx);
  }

 private:
  std::string range_ = "all";
  bool hitOnly_ = false;
};

class NameSearch : public SearchCommand {
 public:
  NameSearch(const char* name, const char* help, search::SearchType type) : SearchCommand(name, help), type_(type) {}
  void define(CLI::App& app) override {
    app.add_option("TEXT", text_, "The text looked for (UTF-8; at most 60 Shift-JIS bytes)")->required();
    app.add_flag("--from-history", picked_, "The text counts as picked from the history list (the history stays)");
    defineCommon(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    search::SearchParams p;
    p.type = type_;
    const auto text = search::acceptNameText(ctx.port, type_, text_);
    if (!text) throw Refused();
    p.text = *text;
    p.picked = picked_;
    if (p.picked) {
      const auto history = search::readHistory(ds, type_ == search::SearchType::RaceMei).texts();
      if (std::find(history.begin(), history.end(), p.text) == history.end()) ctx.refuse("検索履歴にない文字列です。");
    }
    runAndPrint(ctx, p);
  }

 private:
  search::SearchType type_;
  std::string text_;
  bool picked_ = false;
};

class StakesSearch : public SearchCommand {
 public:
  StakesSearch() : SearchCommand("stakes", "重賞検索: the races of one grade (tmp/kensakukeka.tmp)") {}
  void define(CLI::App& app) override {
    app.add_option("--grade", grade_, "1 GⅠ, 2 GⅡ, 3 GⅢ")->required()->check(CLI::Range(1, 3));
    defineCommon(app);
  }
  void run(Context& ctx) override {
    search::SearchParams p;
    p.type = search::SearchType::Jyusho;
    p.grade = grade_ - 1;
    runAndPrint(ctx, p);
  }

 private:
  int grade_ = 1;
};

class PayoutSearch : public SearchCommand {
 public:
  PayoutSearch() : SearchCommand("payout", "ﾚｰｽ結果配当検索: payouts (yen per 100 yen) in a range, or 万馬券") {}
  void define(CLI::App& app) override {
    auto* mn = app.add_option("--min", lower_, "Lower amount, 100 or more (at most four digits)");
    auto* mx = app.add_option("--max", upper_, "Upper amount, above the lower (at most four digits, or 10000)");
    auto* man = app.add_flag("--manbaken", manbaken_, "万馬券: payouts of 10000 and more");
    man->excludes(mn)->excludes(mx);
    auto* from = app.add_option("--from", from_, "Lower payout in yen, 100 to 999999999 (default 100)");
    auto* to = app.add_option("--to", to_, "Upper payout in yen, up to 999999999 (default 999999999)");
    for (auto* o : {from, to}) o->excludes(mn)->excludes(mx)->excludes(man);
    defineCommon(app);
  }
  void run(Context& ctx) override {
    ctx.requireYear();
    search::SearchParams p;
    p.type = search::SearchType::Haitou;
    if (manbaken_) {
      p.payout.manbaken = true;
    } else if (from_ || to_) {
      // 高額指定: amounts up to nine digits (3連単's 十万馬券 and 百万馬券).
      const auto range = search::acceptPayoutYen(ctx.port, from_.value_or("100"),
                                                 to_.value_or(std::to_string(search::kPayoutSearchMax)));
      if (!range) throw Refused();
      p.payout = *range;
    } else {
      const auto range = search::acceptPayoutAmounts(ctx.port, lower_, upper_);
      if (!range) throw Refused();
      p.payout = *range;
    }
    runAndPrint(ctx, p);
  }

 private:
  std::string lower_, upper_;
  std::optional<std::string> from_, to_;
  bool manbaken_ = false;
};

class LastSearch : public Command {
 public:
  LastSearch() : Command("search", "last", "Print the last result list again", Writes::Nothing) {}
  void define(CLI::App&) override {}
  void run(Context& ctx) override { printLastList(ctx); }
};

}  // namespace

void addSearchCommands(CommandSet& set) {
  set.group("search", "Search the ledger, write the result list in tmp/ and print it");
  set.add<NameSearch>("race", "ﾚｰｽ名検索: races whose name holds TEXT", search::SearchType::RaceMei);
  set.add<NameSearch>("horse", "ﾚｰｽ結果馬名検索: finishers (1st-5th) whose name holds TEXT", search::SearchType::Bamei);
  set.add<StakesSearch>();
  set.add<PayoutSearch>();
  set.add<LastSearch>();
}

}  // namespace tovra::cli
