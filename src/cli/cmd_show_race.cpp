// `show race COURSE INDEX RACE`: one race as text: the items line, the tickets of each
// type, the results with a mark on hits, the totals and the comment.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/parsers.hpp"
#include "cli/terminal_text.hpp"
#include "domain/money_text.hpp"
#include "domain/settlement.hpp"
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

class ShowRace : public Command {
 public:
  ShowRace()
      : Command("show", "race", "One race: items, tickets, results with hits, totals, comment", Writes::Nothing) {}
  void define(CLI::App& app) override { args_.define(app); }
  void run(Context& ctx) override {
    const RaceAddress at = raceAddress(ctx, args_);
    printRace(ctx.out, at.day, readDay(ctx, at.day), at.race);
  }

 private:
  RaceArgs args_;
};

}  // namespace

void addShowRaceCommand(CommandSet& set) { set.add<ShowRace>(); }

}  // namespace tovra::cli
