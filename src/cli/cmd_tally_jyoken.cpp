// `tally jyoken`: the condition tally over conditions given as KIND=VALUE.
#include <CLI/CLI.hpp>

#include "cli/cli_context.hpp"
#include "cli/csv_output.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "features/tally/jyoken_tally.hpp"
#include "features/tally/jyoken_view.hpp"

namespace tovra::cli {
namespace {

// The condition kinds by their names on the command line, in the dialog's tab order.
constexpr const char* kKindNames[tally::kJyokenKinds] = {"month",  "race",  "age",      "class", "type", "sex",
                                                         "weight", "track", "distance", "going", "bet"};

tally::JyokenKind kindOf(Context& ctx, const std::string& name) {
  for (int k = 0; k < tally::kJyokenKinds; ++k)
    if (name == kKindNames[k]) return static_cast<tally::JyokenKind>(k + 1);
  ctx.refuse("条件の種類は month race age class type sex weight track distance going bet のいずれかで指定して下さい。");
}

// One KIND=VALUE given to the list as the dialog's 設定 would add it.
void addCondition(Context& ctx, tally::JyokenList& list, const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos) ctx.refuse("条件は KIND=VALUE で指定して下さい。");
  const std::string name = text.substr(0, eq), value = text.substr(eq + 1);
  const tally::JyokenKind kind = kindOf(ctx, name);
  int v = 0;
  if (kind == tally::JyokenKind::Distance) {
    // The distance box takes up to four digits, and may be left empty.
    if (value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos)
      ctx.refuse("距離は 4桁までの数字で指定して下さい。");
  } else {
    const int count = tally::jyokenValueCount(kind);
    if (!parseDigits(value, v, 2) || v < 1 || v > count)
      ctx.refuse("条件 " + name + " の値は 1～" + std::to_string(count) + " で指定して下さい。");
  }
  if (list.add(ctx.port, kind, v, value)) return;
  if (list.count() >= tally::kMaxJyoken) throw Refused();  // the dialog's message has been shown
  ctx.refuse("条件 " + name + " は既に設定されています。");
}

// `tally jyoken --range all|YYYY --cond KIND=VALUE ...`: the condition tally with up to
// seven conditions, each kind once.
class TallyJyoken : public Command {
 public:
  TallyJyoken()
      : Command("tally", "jyoken", "条件集計: results of the races meeting every condition (tmp/jyoken.tmp)",
                Writes::WorkFiles) {}
  void define(CLI::App& app) override {
    defineTallyRange(app, range_);
    app.add_option("--cond", conds_,
                   "KIND=VALUE, KIND one of month race age class type sex weight track distance going bet; "
                   "VALUE the item number (class 1 新馬 ... 9 G1; bet 1 単勝 2 複勝 3 枠連 4 ﾜｲﾄﾞ 5 馬連) "
                   "or the distance in metres");
    csv_.define(app);
  }
  void run(Context& ctx) override {
    DataStore& ds = ctx.requireYear();
    const tally::TallyRange r = parseTallyRange(ctx, range_);
    tally::JyokenList list;
    for (const std::string& c : conds_) addCondition(ctx, list, c);
    if (!list.validate(ctx.port)) throw Refused();
    const int rangeFlag = r.allYears ? 0 : 1;
    const int position = r.allYears ? 0 : tally::yearPosition(ds.nenji, r.year);
    if (!tally::runJyokenTally(ds, ctx.port, rangeFlag, position, list.conditions())) throw Refused();
    if (csv_.print(ctx, tally::TallyKind::Jyoken)) return;
    const auto result = tally::readJyokenFile(ds);
    if (!result) ctx.refuse("集計結果を読み込めませんでした。");
    for (const std::string& line : tally::jyokenLines(tally::jyokenView(*result)))
      ctx.out << terminalText(line, Keep::Tabs) << "\n";
  }

 private:
  TallyCsvFlag csv_;
  std::string range_;
  std::vector<std::string> conds_;
};

}  // namespace

void addTallyJyoken(CommandSet& set) { set.add<TallyJyoken>(); }

}  // namespace tovra::cli
