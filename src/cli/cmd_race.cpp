// `race items|delete-items|buy|result|comment|going`: the race entry dialogs on the
// command line. Each command makes one change through the same rules as the dialog,
// then settles the race and writes the meeting day, as 登録 does.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_context.hpp"
#include "entry/purchase.hpp"
#include "entry/race_entry.hpp"
#include "entry/results.hpp"
#include "ledger/text.hpp"

namespace tovra::cli {
namespace {

struct RaceTarget {
  std::string course;
  int index = 0;
  int race = 0;
};

void addTarget(CLI::App* cmd, RaceTarget& t) {
  cmd->add_option("COURSE", t.course, "Course code (sap..kok) or index 0-9")->required();
  cmd->add_option("INDEX", t.index, "Meeting index (0-based)")->required();
  cmd->add_option("RACE", t.race, "Race number 1-12")->required();
}

void checkRaceNumber(Context& ctx, int race) {
  if (race < 1 || race > 12) ctx.refuse("ﾚｰｽ番号は 1～12 で指定して下さい。");
}

// Reads the meeting day and makes the race current; returns its index 0..11.
int selectRace(Context& ctx, const RaceTarget& t) {
  checkRaceNumber(ctx, t.race);
  ctx.selectMeeting(ctx.parseCourse(t.course), t.index);
  ctx.ds->raceIndex = t.race - 1;
  return t.race - 1;
}

// A radio item given by its label or by its number in the dialog's order (1-based).
int parseItem(Context& ctx, ItemField f, const std::string& text) {
  const ItemGroup& g = raceItemGroup(f);
  const int n = static_cast<int>(g.items.size());
  for (int i = 0; i < n; ++i)
    if (text == g.items[static_cast<std::size_t>(i)]) return i;
  if (!text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos) {
    const int v = std::stoi(text);
    if (v >= 1 && v <= n) return v - 1;
  }
  std::string list;
  for (const char* item : g.items) list += std::string(" ") + item;
  ctx.refuse(std::string(g.caption) + "は" + list + " (または 1～" + std::to_string(n) + ") で指定して下さい。");
}

BetType parseBetType(Context& ctx, const std::string& text) {
  auto t = betTypeFromText(text);
  if (!t) ctx.refuse("券種は tan fuku waku wide uma (単勝 複勝 枠連 ﾜｲﾄﾞ 馬連) で指定して下さい。");
  return *t;
}

// The amount as typed into the dialog's eight-digit field (digits only).
void checkAmountField(Context& ctx, const std::string& amount) {
  if (amount.size() > 8 || amount.find_first_not_of("0123456789") != std::string::npos)
    ctx.refuse("金額は数字 8桁までで指定して下さい。");
}

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) std::cout << l << "\n";
}

void addItemsCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand("items", "Register the race items (ﾚｰｽ項目登録): --distance --name --age --class --kind --sex --weight --track --going; "
      "items not given keep what the dialog would show");
  static RaceTarget t;
  static std::optional<std::string> name, kyori;
  static std::optional<std::string> items[kItemFields];
  addTarget(cmd, t);
  cmd->add_option("--name", name, "Race name (at most 60 Shift-JIS bytes)");
  cmd->add_option("--distance", kyori, "Distance in metres (1000, 1150, ...)");
  static const char* const flags[kItemFields] = {"--age", "--class", "--kind", "--sex", "--weight", "--track", "--going"};
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
    cmd->add_option(flags[i], items[i], help);
  }
  cmd->callback([&ctx] {
    const int r = selectRace(ctx, t);
    DataStore& ds = *ctx.ds;
    RaceItemsInput in = openRaceItems(ds, r);
    for (int i = 0; i < kItemFields; ++i)
      if (items[i]) in.positions[static_cast<std::size_t>(i)] = parseItem(ctx, static_cast<ItemField>(i), *items[i]);
    if (kyori) in.kyoriText = *kyori;
    if (name) in.raceName = *name;
    if (!registerRaceItems(ds, ctx.port, r, in)) throw Refused();
    std::cout << raceItemsLine(ds.races[static_cast<std::size_t>(r)].koumoku, ds.races[static_cast<std::size_t>(r)].kyori)
              << "\n";
  });
}

void addDeleteItemsCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand("delete-items", "Delete the race items, distance and name (全て削除; asks first)");
  static RaceTarget t;
  addTarget(cmd, t);
  cmd->callback([&ctx] {
    const int r = selectRace(ctx, t);
    if (!deleteRaceItems(*ctx.ds, ctx.port, r)) throw Refused();
  });
}

void addBuyCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand(
      "buy",
      "Add or delete bought tickets (購入馬券登録). TYPE tan|fuku|waku|wide|uma. 単勝/複勝: --horse; pairs: "
      "--pair A B (通常), --method nagashi --axis X --partners LIST, or --method box --members LIST");
  static RaceTarget t;
  static std::string type, amount, method = "normal";
  static int horse = 0, axis = 0, del = 0;
  static std::vector<int> pair, partners, members;
  addTarget(cmd, t);
  cmd->add_option("TYPE", type, "Bet type: tan fuku waku wide uma (or 単勝 複勝 枠連 ﾜｲﾄﾞ 馬連)")->required();
  cmd->add_option("--amount", amount, "Stake per ticket in units of 100 yen, as typed into the dialog (at most 8 digits)");
  cmd->add_option("--horse", horse, "単勝/複勝: horse number 1-18");
  cmd->add_option("--method", method, "Input method for pairs: normal (通常), nagashi (流し), box (ﾎﾞｯｸｽ)");
  cmd->add_option("--pair", pair, "通常: the two numbers (brackets 1-8 for 枠連, horses 1-18)")->expected(2);
  cmd->add_option("--axis", axis, "流し: the axis (軸)");
  cmd->add_option("--partners", partners, "流し: partners (相手), comma-separated")->delimiter(',');
  cmd->add_option("--members", members, "ﾎﾞｯｸｽ: three or more numbers, comma-separated")->delimiter(',');
  cmd->add_option("--delete", del, "Delete the ticket on this line of the type's list (1-based) instead of adding");
  cmd->callback([&ctx] {
    const int r = selectRace(ctx, t);
    const BetType bt = parseBetType(ctx, type);
    DataStore& ds = *ctx.ds;
    PurchaseBook book(ds.races[static_cast<std::size_t>(r)]);
    if (del != 0) {
      if (!book.remove(ctx.port, bt, del - 1)) throw Refused();
    } else {
      checkAmountField(ctx, amount);
      AddOutcome out;
      if (!isPairType(bt)) {
        if (horse == 0) ctx.refuse("--horse で馬番を指定して下さい。");
        out = book.addSingle(ctx.port, bt, horse, amount);
      } else {
        auto m = inputMethodFromText(method);
        if (!m) ctx.refuse("入力方法は normal nagashi box (通常 流し ﾎﾞｯｸｽ) で指定して下さい。");
        PairPick pick;
        pick.method = *m;
        if (*m == InputMethod::Tsujo) {
          if (pair.size() != 2) ctx.refuse("--pair で二つの番号を指定して下さい。");
          pick.first = pair[0];
          pick.second = pair[1];
        } else if (*m == InputMethod::Nagashi) {
          if (axis == 0) ctx.refuse("--axis で軸の番号を指定して下さい。");
          pick.first = axis;
          pick.ticked = partners;
        } else {
          pick.ticked = members;
        }
        out = book.addPairs(ctx.port, bt, pick, amount);
      }
      if (out.refused) throw Refused();
    }
    commitRace(ds, r);
    printLines(book.lines(bt));
    std::cout << book.remainingLabel(bt) << "\n";
  });
}

void addResultCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand(
      "result", "Add or delete a result and its payout (ﾚｰｽ結果登録). TYPE tan|fuku|waku|wide|uma; --horse or --pair");
  static RaceTarget t;
  static std::string type, amount;
  static int horse = 0, del = 0;
  static std::vector<int> pair;
  addTarget(cmd, t);
  cmd->add_option("TYPE", type, "Bet type: tan fuku waku wide uma (or 単勝 複勝 枠連 ﾜｲﾄﾞ 馬連)")->required();
  cmd->add_option("--amount", amount, "Payout per 100 yen in units of 10 yen, as typed into the dialog (at most 8 digits)");
  cmd->add_option("--horse", horse, "単勝/複勝: horse number 1-18");
  cmd->add_option("--pair", pair, "枠連/ﾜｲﾄﾞ/馬連: the two numbers")->expected(2);
  cmd->add_option("--delete", del, "Delete the result on this line of the type's list (1-based) instead of adding");
  cmd->callback([&ctx] {
    const int r = selectRace(ctx, t);
    const BetType bt = parseBetType(ctx, type);
    DataStore& ds = *ctx.ds;
    ResultBook book(ds.races[static_cast<std::size_t>(r)]);
    if (del != 0) {
      if (!book.remove(ctx.port, bt, del - 1)) throw Refused();
    } else {
      checkAmountField(ctx, amount);
      int a = horse, b = 0;
      if (isPairType(bt)) {
        if (pair.size() != 2) ctx.refuse("--pair で二つの番号を指定して下さい。");
        a = pair[0];
        b = pair[1];
      } else if (horse == 0) {
        ctx.refuse("--horse で馬番を指定して下さい。");
      }
      if (!book.add(ctx.port, bt, a, b, amount)) throw Refused();
    }
    commitRace(ds, r);
    printLines(book.lines(bt));
  });
}

void addCommentCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand("comment", "Store the race comment (ｺﾒﾝﾄ登録); an empty TEXT clears it");
  static RaceTarget t;
  static std::string text;
  addTarget(cmd, t);
  cmd->add_option("TEXT", text, "Comment, at most 120 Shift-JIS bytes (60 full-width characters); a line break counts 2")
      ->required();
  cmd->callback([&ctx] {
    const int r = selectRace(ctx, t);
    if (!registerComment(*ctx.ds, ctx.port, r, text)) throw Refused();
  });
}

void addGoingCommand(CLI::App& race, Context& ctx) {
  auto* cmd = race.add_subcommand(
      "going", "Set the going (馬場状態修正) of one race or of every race with items (RACE all); writes the races only");
  static std::string course, raceText, going;
  static int index = 0;
  cmd->add_option("COURSE", course, "Course code (sap..kok) or index 0-9")->required();
  cmd->add_option("INDEX", index, "Meeting index (0-based)")->required();
  cmd->add_option("RACE", raceText, "Race number 1-12, or all")->required();
  cmd->add_option("GOING", going, "良 稍重 重 不良 (or 1-4)")->required();
  cmd->callback([&ctx] {
    const int item = parseItem(ctx, ItemField::Going, going);
    int r = -1;
    if (raceText != "all") {
      r = raceText.find_first_not_of("0123456789") == std::string::npos && !raceText.empty() && raceText.size() <= 2
              ? std::stoi(raceText)
              : 0;
      checkRaceNumber(ctx, r);
      --r;
    }
    ctx.selectMeeting(ctx.parseCourse(course), index);
    DataStore& ds = *ctx.ds;
    GoingSheet sheet(ds);
    if (r < 0) {
      sheet.selectAll(item);
    } else {
      if (!sheet.enabled(r)) ctx.refuse(std::to_string(r + 1) + "Rにはﾚｰｽ項目が登録されていません。");
      sheet.select(r, item);
    }
    sheet.apply(ds);
  });
}

}  // namespace

void addRaceCommands(CLI::App& app, Context& ctx) {
  auto* race = app.add_subcommand("race", "Race entry: items, bought tickets, results, comment, going");
  race->require_subcommand(1);
  addItemsCommand(*race, ctx);
  addDeleteItemsCommand(*race, ctx);
  addBuyCommand(*race, ctx);
  addResultCommand(*race, ctx);
  addCommentCommand(*race, ctx);
  addGoingCommand(*race, ctx);
}

}  // namespace tovra::cli
