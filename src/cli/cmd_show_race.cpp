// `show race COURSE INDEX RACE`: one race as text: the items line, the tickets of each
// type, the results with a mark on hits, the totals and the comment.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/bets_json.hpp"
#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "domain/money_text.hpp"
#include "domain/settlement.hpp"
#include "features/bets/bet_text.hpp"
#include "features/bets/race_figures.hpp"
#include "features/entry/entry_text.hpp"
#include "features/entry/purchase.hpp"
#include "features/entry/race_entry.hpp"
#include "features/entry/results.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

void printRace(std::ostream& out, const DayKey& key, const MeetingDay& day, int r) {
  const KaisaiRecord& k = day.meeting;
  RaceRecord race = day.races[static_cast<std::size_t>(r)];  // the books want a mutable record
  out << entryDayLabel(k, key.course, r) << "  " << terminalText(cp932ToUtf8(fixedText(k.raceMei[r]))) << "\n";
  const std::string items = raceItemsLine(race.koumoku, race.kyori);
  out << "ﾚｰｽ項目\t" << (items.empty() ? "(なし)" : items) << "\n";

  PurchaseBook tickets(race);
  ResultBook results(race);
  for (BetType t : kBetTypes) {
    const auto bought = tickets.lines(t);
    if (bought.empty()) continue;
    out << "購入 " << betTypeName(t) << "\n";
    for (const std::string& l : bought) out << l << "\n";
  }
  for (BetType t : kBetTypes) {
    const auto lines = results.lines(t);
    const ConstSlots s = resultSlots(std::as_const(race), t);
    for (std::size_t i = 0; i < lines.size(); ++i)
      out << "結果 " << betTypeName(t) << lines[i] << (resultHit(t, s.codes[i]) ? "  的中" : "") << "\n";
  }
  const long purchase = k.kounyuGaku[r];
  const long balance = k.shushi[r];
  if (purchase != 0) {
    out << "購入合計" << yenText(purchase) << "  回収率" << rateText(*recoveryRate(purchase, purchase + balance))
        << "  回収金額" << yenText(purchase + balance) << "  収支" << yenText(balance) << "\n";
  }
  const std::string comment = commentToMemo(cp932ToUtf8(fixedText(race.comento)));
  if (!comment.empty()) out << "ｺﾒﾝﾄ\t" << terminalText(comment, Keep::LineFeeds) << "\n";
}

// 馬単, 3連複 and 3連単 of the race, its scratches and the figures of all types; nothing
// when the bet store holds nothing of the race.
void printNewBets(std::ostream& out, const RaceBets& b) {
  if (b.stored.empty()) return;
  for (std::size_t i = 0; i < b.stored.lines.size(); ++i) {
    const StoredLine& s = b.stored.lines[i];
    const PurchaseLine l = purchaseLineOf(s);
    const LineSettlement& settled = b.settlement.lines[i];
    out << "購入 " << newBetTypeName(l.type) << "\t" << (i + 1) << "\t" << betMethodName(l.method) << "\t"
        << setsText(l) << "\t" << pointsCostText(s.points, s.stake);
    if (settled.hits != 0) out << "  的中" << settled.hits << "点 " << groupedYen(settled.figures.ret) << "円";
    if (settled.refunds != 0)
      out << "  返還" << settled.refunds << "点 " << groupedYen(settled.figures.refunded) << "円";
    out << "\n";
  }
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
    for (const StoredWinner& w : b.stored.winners)
      if (w.type == static_cast<int>(t))
        out << "結果 " << newBetTypeName(t) << "\t" << comboText(t, w.combo) << "\t" << groupedYen(w.payout) << "円\n";
    if (const auto& sp = b.stored.special[typeIndex(t)])
      out << "結果 " << newBetTypeName(t) << "\t特払\t" << groupedYen(*sp) << "円\n";
  }
  auto numbers = [](const std::vector<int>& v) {
    std::string s;
    for (std::size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + std::to_string(v[i]);
    return s;
  };
  if (!b.stored.scratched.empty()) out << "返還馬番\t" << numbers(b.stored.scratched) << "\n";
  if (!b.stored.refundedFrames.empty()) out << "返還枠番\t" << numbers(b.stored.refundedFrames) << "\n";
  const BetFigures& all = b.figures.all;
  out << "全式別\t購入" << yenText(all.bought) << "  返還" << yenText(all.refunded) << "  購入合計"
      << yenText(all.purchase()) << "  回収金額" << yenText(all.ret) << "  回収率"
      << (all.rate() ? rateText(*all.rate()) : std::string("        -")) << "  収支" << yenText(all.balance()) << "\n";
}

class ShowRace : public Command {
 public:
  ShowRace()
      : Command("show", "race",
                "One race: items, tickets, results with hits, totals, comment; 馬単/3連複/3連単, scratches and the "
                "figures of all types",
                Writes::Nothing) {}
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_flag("--json", json_, "Print the race as JSON: every line, result, scratch and figure of every type");
  }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    const MeetingDay day = readDay(ctx, at.day);
    Result<DayBets> bets = readDayBets(ctx.bets(), ctx.ds->ledger(), at.day);
    if (json_) {
      printRaceJson(ctx.out, at.day, day, valueOf(ctx, std::move(bets)), at.race);
      return;
    }
    // The old types are shown whatever the bet store says; a store that cannot be used is
    // named after them.
    printRace(ctx.out, at.day, day, at.race);
    if (bets.failed()) ctx.ds->fatal(bets.failure());
    if (bets.refused()) {
      showRefusal(ctx.port, bets.refusal());
      return;
    }
    printNewBets(ctx.out, bets->races[static_cast<std::size_t>(at.race)]);
  }

 private:
  RaceArgs args_;
  bool json_ = false;
};

}  // namespace

void addShowRaceCommand(CommandSet& set) { set.add<ShowRace>(); }

}  // namespace tovra::cli
