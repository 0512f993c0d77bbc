// `race items|delete-items|buy|result|comment|going`: the race entry dialogs on the
// command line. Each command makes one change through the same rules as the dialog,
// then settles the race and writes the meeting day, as 登録 does.
#include <CLI/CLI.hpp>
#include <tuple>
#include <utility>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "cli/race_bets_args.hpp"
#include "cli/terminal_text.hpp"
#include "features/bets/bet_text.hpp"
#include "features/entry/purchase.hpp"
#include "features/entry/race_entry.hpp"
#include "features/entry/results.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

// Above any list's length: `--delete` is checked against it before 1 is taken off.
constexpr int kMaxListLine = 9999;

// A radio item given by its label or by its number in the dialog's order (1-based).
int parseItem(Context& ctx, ItemField f, const std::string& text) {
  const ItemGroup& g = raceItemGroup(f);
  const int n = static_cast<int>(g.items.size());
  for (int i = 0; i < n; ++i)
    if (text == g.items[static_cast<std::size_t>(i)]) return i;
  int v = 0;
  if (parseDigits(text, v, 2) && v >= 1 && v <= n) return v - 1;
  std::string list;
  for (const char* item : g.items) list += std::string(" ") + item;
  ctx.refuse(std::string(g.caption) + "は" + list + " (または 1～" + std::to_string(n) + ") で指定して下さい。");
}

BetType parseBetType(Context& ctx, const std::string& text) {
  auto t = betTypeFromText(text);
  if (!t)
    ctx.refuse(
        "券種は tan fuku waku wide uma umatan sanrenpuku sanrentan (単勝 複勝 枠連 ﾜｲﾄﾞ 馬連 馬単 3連複 3連単) "
        "で指定して下さい。");
  return *t;
}

// The amount as typed into the dialog's eight-digit field (digits only).
void checkAmountField(Context& ctx, const std::string& amount) {
  if (amount.size() > 8 || amount.find_first_not_of("0123456789") != std::string::npos)
    ctx.refuse("金額は数字 8桁までで指定して下さい。");
}

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const std::string& l : lines) out << terminalText(l, Keep::Tabs) << "\n";
}

// The options of the seven radio items, in the dialog's order.
constexpr const char* kItemFlags[kItemFields] = {"--age",    "--class", "--kind", "--sex",
                                                 "--weight", "--track", "--going"};

constexpr const char* kTypeHelp =
    "Bet type: tan fuku waku wide uma umatan sanrenpuku sanrentan (or 単勝 複勝 枠連 ﾜｲﾄﾞ 馬連 馬単 3連複 3連単)";

class RaceItems : public Command {
 public:
  RaceItems()
      : Command("race", "items",
                "Register the race items (ﾚｰｽ項目登録): --distance --name --age --class --kind --sex --weight --track "
                "--going; items not given keep what the dialog would show",
                Writes::Ledger) {}
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_option("--name", name_, "Race name (at most 60 Shift-JIS bytes)");
    app.add_option("--distance", kyori_, "Distance in metres (1000, 1150, ...)");
    for (int i = 0; i < kItemFields; ++i) {
      const ItemGroup& g = raceItemGroups()[static_cast<std::size_t>(i)];
      std::string help = g.caption;
      help += ":";
      for (std::size_t k = 0; k < g.items.size(); ++k) {
        help += ' ';
        help += std::to_string(k + 1);
        help += '=';
        help += g.items[k];
      }
      app.add_option(kItemFlags[i], items_[i], help);
    }
  }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    const int r = at.race;
    MeetingDay day = readDay(ctx, at.day);
    RaceItemsInput in = openRaceItems(day, r);
    for (int i = 0; i < kItemFields; ++i)
      if (items_[i]) in.positions[static_cast<std::size_t>(i)] = parseItem(ctx, static_cast<ItemField>(i), *items_[i]);
    if (kyori_) in.kyoriText = *kyori_;
    if (name_) in.raceName = *name_;
    day = valueOf(ctx, registerRaceItems(ctx.ds->ledger(), at.day, std::move(day), r, in));
    const RaceRecord& race = day.races[static_cast<std::size_t>(r)];
    ctx.out << raceItemsLine(race.koumoku, race.kyori) << "\n";
  }

 private:
  RaceArgs args_;
  std::optional<std::string> name_, kyori_;
  std::optional<std::string> items_[kItemFields];
};

class RaceDeleteItems : public Command {
 public:
  RaceDeleteItems()
      : Command("race", "delete-items", "Delete the race items, distance and name (全て削除; asks first)",
                Writes::Ledger) {}
  void define(CLI::App& app) override { args_.define(app); }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    MeetingDay day = readDay(ctx, at.day);
    if (!askOkCancel(ctx.port, deleteRaceItemsQuestion(), MsgIcon::Question)) throw Refused();
    valueOf(ctx, deleteRaceItems(ctx.ds->ledger(), at.day, std::move(day), at.race));
  }

 private:
  RaceArgs args_;
};

// `race buy` and `race result`: one bet type's list of the race, added to from the options
// or, with --delete, one line taken off it; then the race is settled and written and the
// list printed.
template <class Book>
class RaceListCommand : public Command {
 public:
  using Command::Command;
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    const int r = at.race;
    if (const auto fresh = newBetTypeFromText(type_)) {
      runNew(ctx, at, *fresh, amount_, del_);
      return;
    }
    MeetingDay day = readDay(ctx, at.day);
    const BetType bt = parseBetType(ctx, type_);
    Book book(day.races[static_cast<std::size_t>(r)], otherRacesMoney(day.meeting, r));
    if (del_ != 0) {
      valueOf(ctx, book.remove(bt, del_ - 1));
    } else {
      checkAmountField(ctx, amount_);
      if (!add(ctx, book, bt, amount_)) throw Refused();
    }
    // The book works on the race inside `day`: the settled day takes its place.
    day = valueOf(ctx, commitRace(ctx.ds->ledger(), at.day, day, r));
    printLines(ctx.out, book.lines(bt));
    printAfterList(ctx, book, bt);
  }

 protected:
  // The race, the type, the amount and the horse, in this order in the help.
  void defineHead(CLI::App& app, const char* amountHelp) {
    args_.define(app);
    app.add_option("TYPE", type_, kTypeHelp)->required();
    app.add_option("--amount", amount_, amountHelp);
    app.add_option("--horse", horse_, "単勝/複勝: horse number 1-18");
  }
  void definePair(CLI::App& app, const char* help) { app.add_option("--pair", pair_, help)->expected(2); }
  void defineDelete(CLI::App& app, const char* help) {
    app.add_option("--delete", del_, help)->check(CLI::Range(1, kMaxListLine));
  }
  // 馬単, 3連複 and 3連単: one change of the bet store.
  virtual void runNew(Context& ctx, const RaceAddress& at, NewBetType type, const std::string& amount, int del) = 0;
  // Adds what the options give; false when the book refused it (having said why).
  virtual bool add(Context& ctx, Book& book, BetType bt, const std::string& amount) = 0;
  // What is printed after the list.
  virtual void printAfterList(Context&, const Book&, BetType) {}
  // --horse of 単勝/複勝, refused when missing.
  int horse(Context& ctx) const {
    if (horse_ == 0) ctx.refuse("--horse で馬番を指定して下さい。");
    return horse_;
  }
  // The two numbers of --pair, refused when missing.
  std::pair<int, int> pair(Context& ctx) const {
    if (pair_.size() != 2) ctx.refuse("--pair で二つの番号を指定して下さい。");
    return {pair_[0], pair_[1]};
  }

 private:
  RaceArgs args_;
  std::string type_, amount_;
  int horse_ = 0, del_ = 0;
  std::vector<int> pair_;
};

// Shows what the add gives to show; true when tickets were added.
bool shown(Context& ctx, const AddOutcome& out) {
  showMessages(ctx.port, out);
  return !out.refused;
}

class RaceBuy : public RaceListCommand<PurchaseBook> {
 public:
  RaceBuy()
      : RaceListCommand("race", "buy",
                        "Add or delete bought tickets (購入馬券登録). TYPE tan|fuku|waku|wide|uma|umatan|sanrenpuku|"
                        "sanrentan. 単勝/複勝: --horse; pairs: --pair A B (通常), --method nagashi --axis X --partners "
                        "LIST, or --method box --members LIST; 馬単/3連複/3連単: --combo A-B[-C], --method box "
                        "--members LIST, --method nagashi --axis LIST --partners LIST [--multi] [--position P], or "
                        "--method formation --first LIST --second LIST [--third LIST]; --amount per point",
                        Writes::Ledger) {}
  void define(CLI::App& app) override {
    defineHead(app, "Stake per ticket in units of 100 yen, as typed into the dialog (at most 8 digits)");
    app.add_option("--method", method_,
                   "Input method: normal (通常), nagashi (流し), box (ﾎﾞｯｸｽ), formation (ﾌｫｰﾒｰｼｮﾝ; new types only)");
    definePair(app, "通常: the two numbers (brackets 1-8 for 枠連, horses 1-18)");
    app.add_option("--axis", axis_, "流し: the axis (軸; one or two horses for 3連複/3連単)")->delimiter(',');
    app.add_option("--partners", partners_, "流し: partners (相手), comma-separated")->delimiter(',');
    app.add_option("--members", members_, "ﾎﾞｯｸｽ: three or more numbers, comma-separated")->delimiter(',');
    newLine_.define(app);
    defineDelete(app, "Delete the ticket on this line of the type's list (1-based) instead of adding");
  }

 private:
  void runNew(Context& ctx, const RaceAddress& at, NewBetType type, const std::string& amount, int del) override {
    NewLineOptions o = newLine_;
    o.axis = axis_;
    o.partners = partners_;
    o.members = members_;
    buyNewLine(ctx, at, type, method_, o, amount, del);
  }
  bool add(Context& ctx, PurchaseBook& book, BetType bt, const std::string& amount) override {
    if (!isPairType(bt)) return shown(ctx, book.addSingle(bt, horse(ctx), amount));
    auto m = inputMethodFromText(method_);
    if (!m) ctx.refuse("入力方法は normal nagashi box (通常 流し ﾎﾞｯｸｽ) で指定して下さい。");
    PairPick pick;
    pick.method = *m;
    if (*m == InputMethod::Tsujo) {
      std::tie(pick.first, pick.second) = pair(ctx);
    } else if (*m == InputMethod::Nagashi) {
      if (axis_.size() != 1 || axis_[0] == 0) ctx.refuse("--axis で軸の番号を指定して下さい。");
      pick.first = axis_[0];
      pick.ticked = partners_;
    } else {
      pick.ticked = members_;
    }
    return shown(ctx, book.addPairs(bt, pick, amount));
  }
  void printAfterList(Context& ctx, const PurchaseBook& book, BetType bt) override {
    ctx.out << book.remainingLabel(bt) << "\n";
  }

  std::string method_ = "normal";
  std::vector<int> axis_, partners_, members_;
  NewLineOptions newLine_;
};

class RaceResult : public RaceListCommand<ResultBook> {
 public:
  RaceResult()
      : RaceListCommand("race", "result",
                        "Add or delete a result and its payout (ﾚｰｽ結果登録). TYPE tan|fuku|waku|wide|uma; --horse or "
                        "--pair. TYPE umatan|sanrenpuku|sanrentan: --combo A-B[-C] --amount N for each winning "
                        "combination (a dead heat has several), --special N for 特払, --clear",
                        Writes::Ledger) {}
  void define(CLI::App& app) override {
    defineHead(app, "Payout per 100 yen in units of 10 yen, as typed into the dialog (at most 8 digits)");
    definePair(app, "枠連/ﾜｲﾄﾞ/馬連: the two numbers");
    app.add_option("--combo", fresh_.combo, "馬単/3連複/3連単: the winning horses in finishing order, e.g. 3-7-12");
    app.add_option("--special", fresh_.special, "馬単/3連複/3連単: 特払 per 100 yen in units of 10 yen (7 for 70 yen)");
    app.add_flag("--clear", fresh_.clear, "馬単/3連複/3連単: remove the type's result");
    defineDelete(app, "Delete the result on this line of the type's list (1-based) instead of adding");
  }

 private:
  void runNew(Context& ctx, const RaceAddress& at, NewBetType type, const std::string& amount, int del) override {
    NewResultOptions o = fresh_;
    o.amount = amount;
    o.del = del;
    enterNewResult(ctx, at, type, o);
  }
  NewResultOptions fresh_;
  bool add(Context& ctx, ResultBook& book, BetType bt, const std::string& amount) override {
    const auto [a, b] = isPairType(bt) ? pair(ctx) : std::pair<int, int>(horse(ctx), 0);
    const Status added = book.add(bt, a, b, amount);
    if (added.refused()) showRefusal(ctx.port, added.refusal());
    return bool(added);
  }
};

class RaceComment : public Command {
 public:
  RaceComment()
      : Command("race", "comment", "Store the race comment (ｺﾒﾝﾄ登録); an empty TEXT clears it", Writes::Ledger) {}
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_option("TEXT", text_,
                   "Comment, at most 120 Shift-JIS bytes (60 full-width characters); a line break counts 2")
        ->required();
  }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    MeetingDay day = readDay(ctx, at.day);
    valueOf(ctx, registerComment(ctx.ds->ledger(), at.day, std::move(day), at.race, text_));
  }

 private:
  RaceArgs args_;
  std::string text_;
};

class RaceGoing : public Command {
 public:
  RaceGoing()
      : Command(
            "race", "going",
            "Set the going (馬場状態修正) of one race or of every race with items (RACE all); writes the races only",
            Writes::Ledger) {}
  void define(CLI::App& app) override {
    meeting_.define(app);
    app.add_option("RACE", race_, "Race number 1-12, or all")->required();
    app.add_option("GOING", going_, "良 稍重 重 不良 (or 1-4)")->required();
  }
  void run(Context& ctx) override {
    const int item = parseItem(ctx, ItemField::Going, going_);
    const int r = race_ == "all" ? -1 : parseRace(ctx, race_);
    const DayKey key = dayKey(ctx, meeting_);
    GoingSheet sheet(readDay(ctx, key).races);
    if (r < 0) {
      sheet.selectAll(item);
    } else {
      if (!sheet.enabled(r)) ctx.refuse(std::to_string(r + 1) + "Rにはﾚｰｽ項目が登録されていません。");
      sheet.select(r, item);
    }
    valueOf(ctx, sheet.apply(ctx.ds->ledger(), key));
  }

 private:
  MeetingArgs meeting_;
  std::string race_, going_;
};

}  // namespace

void addRaceCommands(CommandSet& set) {
  set.group("race", "Race entry: items, bought tickets, results, comment, going");
  set.addEach<RaceItems, RaceDeleteItems, RaceBuy, RaceResult, RaceComment, RaceGoing>();
  addRaceScratchCommand(set);
}

}  // namespace tovra::cli
