// 馬単, 3連複 and 3連単 of `race buy`, `race result` and `race scratch`: each command is one
// change of the bet store, checked by the same rules as the windows; the course files are
// read for the day's date and the race's card, never written.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/parsers.hpp"
#include "cli/race_bets_args.hpp"
#include "features/bets/bet_text.hpp"
#include "features/bets/race_bets.hpp"

namespace tovra::cli {
namespace {

constexpr int kMaxListLine = 9999;

struct RaceAt {
  MeetingDay day;
  RaceKey key;
  const RaceRecord& race() const { return day.races[static_cast<std::size_t>(key.race - 1)]; }
};

RaceAt raceAt(Context& ctx, const RaceAddress& at) {
  RaceAt r{readDay(ctx, at.day), {}};
  r.key = raceKeyOf(at.day, r.day.meeting, at.race);
  return r;
}

// A number typed with digits only (at most `maxDigits`), refused with `bad` otherwise.
std::int64_t digitsOf(Context& ctx, const std::string& text, std::size_t maxDigits, const char* bad) {
  if (text.empty() || text.size() > maxDigits || text.find_first_not_of("0123456789") != std::string::npos)
    ctx.refuse(bad);
  return std::stoll(text);
}

void printLines(Context& ctx, const StoredRace& race) {
  int n = 0;
  for (const StoredLine& s : race.lines) {
    const PurchaseLine l = purchaseLineOf(s);
    ctx.out << ++n << "\t" << newBetTypeName(l.type) << "\t" << betMethodName(l.method) << "\t" << setsText(l) << "\t"
            << pointsCostText(s.points, s.stake) << "\n";
  }
}

void printResults(Context& ctx, const StoredRace& race) {
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
    int n = 0;
    for (const StoredWinner& w : race.winners)
      if (w.type == static_cast<int>(t))
        ctx.out << newBetTypeName(t) << "\t" << ++n << "\t" << comboText(t, w.combo) << "\t" << groupedYen(w.payout)
                << "円\n";
    if (const auto& sp = race.special[typeIndex(t)])
      ctx.out << newBetTypeName(t) << "\t特払\t" << groupedYen(*sp) << "円\n";
  }
}

StoredRace reread(Context& ctx, const RaceKey& key) { return valueOf(ctx, ctx.bets().race(key)); }

Horses fromList(const std::vector<int>& v) { return Horses(v.begin(), v.end()); }

PurchaseLine lineOf(Context& ctx, NewBetType type, const std::string& methodText, const NewLineOptions& o, int stake) {
  const auto method = betMethodFromText(methodText);
  if (!method) ctx.refuse("入力方法は normal box nagashi formation (通常 ﾎﾞｯｸｽ 流し ﾌｫｰﾒｰｼｮﾝ) で指定して下さい。");
  switch (*method) {
    case BetMethod::Normal: {
      if (o.combo.empty()) ctx.refuse("--combo で馬番を指定して下さい (例 3-7-12)。");
      const auto combo = parseCombo(o.combo);
      if (!combo) ctx.refuse("--combo は馬番を - で区切って指定して下さい (例 3-7-12)。");
      return PurchaseLine::normal(type, *combo, stake);
    }
    case BetMethod::Box: return PurchaseLine::box(type, fromList(o.members), stake);
    case BetMethod::Nagashi: {
      std::array<int, 2> places{1, 2};
      if (o.position.size() > 2) ctx.refuse(msg::kLinePlace);
      for (std::size_t i = 0; i < o.position.size(); ++i) places[i] = o.position[i];
      // One axis horse at place 2 leaves the other place unused; two default to 1・2着.
      if (o.position.size() == 1 && o.axis.size() == 2) places[1] = places[0] == 1 ? 2 : 1;
      return PurchaseLine::nagashi(type, fromList(o.axis), fromList(o.partners), o.multi, stake, places);
    }
    case BetMethod::Formation:
      return PurchaseLine::formation(type, fromList(o.first), fromList(o.second), fromList(o.third), stake);
  }
  ctx.refuse(msg::kLineSetsBad);
}

}  // namespace

void NewLineOptions::define(CLI::App& app) {
  app.add_option("--combo", combo, "馬単/3連複/3連単 通常: the horses in finishing order, e.g. 3-7-12");
  app.add_option("--first", first, "ﾌｫｰﾒｰｼｮﾝ: horses for 1着, comma-separated")->delimiter(',');
  app.add_option("--second", second, "ﾌｫｰﾒｰｼｮﾝ: horses for 2着, comma-separated")->delimiter(',');
  app.add_option("--third", third, "ﾌｫｰﾒｰｼｮﾝ: horses for 3着 (3連複/3連単), comma-separated")->delimiter(',');
  app.add_option("--position", position,
                 "流し of 馬単/3連単: the place of each axis horse (1-3; default 1, or 1,2 for two)")
      ->delimiter(',');
  app.add_flag("--multi", multi, "流し of 馬単/3連単: ﾏﾙﾁ (the axis at every place)");
}

void buyNewLine(Context& ctx, const RaceAddress& address, NewBetType type, const std::string& method,
                const NewLineOptions& options, const std::string& amount, int del) {
  BetStore& store = ctx.openBets();
  const RaceAt at = raceAt(ctx, address);
  if (del != 0) {
    valueOf(ctx, deleteLine(store, at.key, del));
  } else {
    if (amount.empty()) ctx.refuse(msg::kLineStakeMissing);
    const std::int64_t stake = digitsOf(ctx, amount, 8, "金額は数字 8桁までで指定して下さい。");
    if (stake > kMaxPointStake) ctx.refuse(msg::kLineStakeTooLarge);
    const PurchaseLine line = lineOf(ctx, type, method, options, static_cast<int>(stake));
    const int points = valueOf(ctx, checkLineForRace(line, at.race()));
    ctx.out << newBetTypeName(type) << "\t" << betMethodName(line.method) << "\t" << setsText(line) << "\t"
            << pointsCostText(points, line.stake) << "\n";
    if (!askOkCancel(ctx.port, "購入馬券を登録します。\n\n" + pointsCostText(points, line.stake), MsgIcon::Question))
      throw Refused();
    valueOf(ctx, buyLine(store, at.key, at.race(), line));
  }
  printLines(ctx, reread(ctx, at.key));
}

void enterNewResult(Context& ctx, const RaceAddress& address, NewBetType type, const NewResultOptions& o) {
  BetStore& store = ctx.openBets();
  const RaceAt at = raceAt(ctx, address);
  if (o.clear) {
    valueOf(ctx, clearResult(store, at.key, type));
  } else if (o.del != 0) {
    valueOf(ctx, deleteWinner(store, at.key, type, o.del));
  } else if (o.special) {
    const std::int64_t units = digitsOf(ctx, *o.special, 8, "特払は数字 8桁までで指定して下さい。");
    valueOf(ctx, setSpecial(store, at.key, type, units * 10));
  } else {
    if (o.combo.empty()) ctx.refuse("--combo で着順の馬番を指定して下さい (例 3-7-12)。");
    const auto combo = parseCombo(o.combo);
    if (!combo || combo->size() > 3) ctx.refuse("--combo は馬番を - で区切って指定して下さい (例 3-7-12)。");
    Combination c{};
    for (std::size_t i = 0; i < combo->size(); ++i) c[i] = (*combo)[i];
    if (combo->size() != static_cast<std::size_t>(pointSize(type)))
      ctx.refuse(pointSize(type) == 2 ? msg::kComboSize2 : msg::kComboSize3);
    if (o.amount.empty()) ctx.refuse("--amount で払戻金 (10円単位) を指定して下さい。");
    const std::int64_t units = digitsOf(ctx, o.amount, 8, "金額は数字 8桁までで指定して下さい。");
    valueOf(ctx, addWinner(store, at.key, at.race(), type, c, units * 10));
  }
  printResults(ctx, reread(ctx, at.key));
}

namespace {

class RaceScratch : public Command {
 public:
  RaceScratch()
      : Command(
            "race", "scratch",
            "Mark scratched horses (出走取消・競走除外, 返還) and refunded 枠連 frames of a race; --clear removes them",
            Writes::Ledger) {}
  void define(CLI::App& app) override {
    args_.define(app);
    app.add_option("--horses", horses_, "Scratched horse numbers 1-18, comma-separated")->delimiter(',');
    app.add_option("--frames", frames_, "Refunded 枠連 frames 1-8, comma-separated")->delimiter(',');
    app.add_flag("--clear", clear_, "Remove the race's marks");
  }
  void run(Context& ctx) override {
    const RaceAddress address = raceAddress(ctx, args_);
    if (!clear_ && horses_.empty() && frames_.empty())
      ctx.refuse("--horses か --frames、または --clear を指定して下さい。");
    BetStore& store = ctx.openBets();
    const RaceAt at = raceAt(ctx, address);
    if (clear_)
      valueOf(ctx, setScratch(store, at.key, {}, {}));
    else
      valueOf(ctx, setScratch(store, at.key, fromList(horses_), frames_));
    const StoredRace now = reread(ctx, at.key);
    ctx.out << "返還馬番\t" << (now.scratched.empty() ? "(なし)" : "");
    for (std::size_t i = 0; i < now.scratched.size(); ++i) ctx.out << (i ? "," : "") << now.scratched[i];
    ctx.out << "\n返還枠番\t" << (now.refundedFrames.empty() ? "(なし)" : "");
    for (std::size_t i = 0; i < now.refundedFrames.size(); ++i) ctx.out << (i ? "," : "") << now.refundedFrames[i];
    ctx.out << "\n";
  }

 private:
  RaceArgs args_;
  std::vector<int> horses_, frames_;
  bool clear_ = false;
};

}  // namespace

void addRaceScratchCommand(CommandSet& set) { set.add<RaceScratch>(); }

}  // namespace tovra::cli
