// `win5 legs|buy|result|scratch|cancel|note|show`: WIN5 of a day, each command one change
// of the bet store checked by the same rules as the WIN5 window. The course files are read
// for the legs' runners, never written.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.hpp"
#include "cli/day_args.hpp"
#include "cli/figures_json.hpp"
#include "cli/parsers.hpp"
#include "features/bets/bet_text.hpp"
#include "features/bets/win5_bets.hpp"

namespace tovra::cli {
namespace {

constexpr const char* kDateHelp = "The day: YYYY-MM-DD";

Win5Date parseDate(Context& ctx, const std::string& text) {
  int y = 0, m = 0, d = 0;
  const auto a = text.find('-');
  const auto b = a == std::string::npos ? a : text.find('-', a + 1);
  if (b == std::string::npos || !parseDigits(text.substr(0, a), y, 4) || text.substr(0, a).size() != 4 ||
      !parseDigits(text.substr(a + 1, b - a - 1), m, 2) || !parseDigits(text.substr(b + 1), d, 2) || m < 1 ||
      m > 12 || d < 1 || d > 31)
    ctx.refuse("日付は YYYY-MM-DD で指定して下さい (例 2025-10-19)。");
  return {y, m, d};
}

// "1,3" as horses; refused unless digits separated by commas.
Horses parseHorses(Context& ctx, const std::string& text, const char* bad) {
  Horses out;
  std::size_t at = 0;
  for (;;) {
    const auto comma = text.find(',', at);
    int h = 0;
    if (!parseDigits(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at), h, 2))
      ctx.refuse(bad);
    out.push_back(h);
    if (comma == std::string::npos) return out;
    at = comma + 1;
  }
}

// Five parts separated by '/'.
std::vector<std::string> fiveParts(Context& ctx, const std::string& text, const char* bad) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  for (;;) {
    const auto slash = text.find('/', at);
    parts.push_back(text.substr(at, slash == std::string::npos ? std::string::npos : slash - at));
    if (slash == std::string::npos) break;
    at = slash + 1;
  }
  if (parts.size() != kWin5Legs) ctx.refuse(bad);
  return parts;
}

std::int64_t digitsOf(Context& ctx, const std::string& text, std::size_t maxDigits, const char* bad) {
  if (text.empty() || text.size() > maxDigits || text.find_first_not_of("0123456789") != std::string::npos)
    ctx.refuse(bad);
  return std::stoll(text);
}

std::string dateText(const Win5Date& d) {
  std::string s = std::to_string(d.year);
  s += '-';
  if (d.month < 10) s += '0';
  s += std::to_string(d.month);
  s += '-';
  if (d.day < 10) s += '0';
  s += std::to_string(d.day);
  return s;
}

std::string legText(const Win5Leg& l) {
  std::string s = keibajo(l.course).name;
  s += std::to_string(l.race);
  s += 'R';
  return s;
}

std::string horsesText(const std::vector<int>& h) {
  std::string s;
  for (std::size_t i = 0; i < h.size(); ++i) {
    if (i) s += ',';
    s += std::to_string(h[i]);
  }
  return s;
}

StoredWin5Day requireDay(Context& ctx, Win5Store& store, const Win5Date& d) {
  auto day = valueOf(ctx, store.day(d));
  if (!day) ctx.refuse(msg::kWin5NoDay);
  return *day;
}

void printDay(Context& ctx, const Win5Date& d, const StoredWin5Day& day) {
  const SettledWin5Day s = settleWin5Day(day);
  ctx.out << "WIN5\t" << dateText(d) << (day.cancelled ? "\t不成立" : "") << "\n";
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    ctx.out << "ﾚｰｽ" << (i + 1) << "\t" << legText(day.legs[i]);
    if (!day.scratched[i].empty()) ctx.out << "\t返還 " << horsesText(day.scratched[i]);
    ctx.out << "\n";
  }
  for (std::size_t i = 0; i < day.lines.size(); ++i) {
    const StoredWin5Line& l = day.lines[i];
    ctx.out << (i + 1) << "\t" << win5LineText(win5LineOf(l)) << "\t" << l.points << "点\t"
            << groupedYen(l.points * l.stake * 100) << "円\n";
  }
  for (const StoredWin5Winner& w : day.winners)
    ctx.out << "的中\t" << horsesText({w.horses.begin(), w.horses.end()}) << "\t" << groupedYen(w.payout) << "円\n";
  if (!day.note.empty()) ctx.out << "ﾒﾓ\t" << day.note << "\n";
  const BetFigures& f = s.settlement.figures;
  ctx.out << "購入\t" << groupedYen(f.purchase()) << "円\t払戻\t" << groupedYen(f.ret) << "円\t収支\t"
          << groupedYen(f.balance()) << "円\n";
}

void printJson(Context& ctx, const Win5Date& d, const StoredWin5Day& day) {
  const SettledWin5Day s = settleWin5Day(day);
  std::string o = "{\"date\":" + jsonQuoted(dateText(d));
  o += ",\"legs\":[";
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    if (i) o += ',';
    o += "{\"course\":";
    o += jsonQuoted(keibajo(day.legs[i].course).folder);
    o += ",\"race\":";
    o += std::to_string(day.legs[i].race);
    o += ",\"scratched\":[";
    o += horsesText(day.scratched[i]);
    o += "]}";
  }
  o += "],\"lines\":[";
  for (std::size_t i = 0; i < day.lines.size(); ++i) {
    const StoredWin5Line& l = day.lines[i];
    if (i) o += ',';
    o += "{\"legs\":[";
    for (std::size_t g = 0; g < kWin5Legs; ++g) {
      if (g) o += ',';
      o += '[';
      o += horsesText(l.legs[g]);
      o += ']';
    }
    o += "],\"stake\":";
    o += std::to_string(l.stake * 100);
    o += ",\"points\":";
    o += std::to_string(l.points);
    o += ",\"hits\":";
    o += std::to_string(s.settlement.lines[i].hits);
    o += ",\"figures\":";
    o += figuresJson(s.settlement.lines[i].figures);
    o += '}';
  }
  o += "],\"winners\":[";
  for (std::size_t i = 0; i < day.winners.size(); ++i) {
    if (i) o += ',';
    o += "{\"horses\":[";
    o += horsesText({day.winners[i].horses.begin(), day.winners[i].horses.end()});
    o += "],\"payout\":";
    o += std::to_string(day.winners[i].payout);
    o += '}';
  }
  o += "],\"cancelled\":";
  o += day.cancelled ? "true" : "false";
  o += ",\"note\":";
  o += jsonQuoted(day.note);
  o += ",\"figures\":";
  o += figuresJson(s.settlement.figures);
  o += "}\n";
  ctx.out << o;
}

class Win5Command : public Command {
 public:
  Win5Command(const char* name, const char* help, Writes w) : Command("win5", name, help, w) {}
  void define(CLI::App& app) override {
    app.add_option("DATE", date_, kDateHelp)->required();
    defineMore(app);
  }
  void run(Context& ctx) override {
    const Win5Date d = parseDate(ctx, date_);
    ctx.requireYear();
    if (writes() == Writes::Ledger) ctx.openBets();
    Win5Store store(ctx.bets());
    act(ctx, store, d);
  }

 protected:
  virtual void defineMore(CLI::App&) {}
  virtual void act(Context& ctx, Win5Store& store, const Win5Date& d) = 0;
  void show(Context& ctx, Win5Store& store, const Win5Date& d) { printDay(ctx, d, requireDay(ctx, store, d)); }

 private:
  std::string date_;
};

class Win5Legs : public Win5Command {
 public:
  Win5Legs() : Win5Command("legs", "Set the five WIN5 races of a day: --leg tok:10 five times, in order", Writes::Ledger) {}
  void defineMore(CLI::App& app) override {
    app.add_option("--leg", legs_, "COURSE:RACE (course code sap..kok or 0-9, race 1-12)")->required();
  }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    if (legs_.size() != kWin5Legs) ctx.refuse("--leg を 5回指定して下さい (例 --leg tok:10)。");
    std::array<Win5Leg, kWin5Legs> legs;
    for (std::size_t i = 0; i < kWin5Legs; ++i) {
      const auto colon = legs_[i].find(':');
      if (colon == std::string::npos) ctx.refuse(msg::kWin5LegBad);
      legs[i].course = parseCourse(ctx, legs_[i].substr(0, colon));
      legs[i].race = parseRace(ctx, legs_[i].substr(colon + 1)) + 1;
    }
    valueOf(ctx, setWin5Legs(store, d, legs));
    show(ctx, store, d);
  }

 private:
  std::vector<std::string> legs_;
};

class Win5Buy : public Win5Command {
 public:
  Win5Buy() : Win5Command("buy", "Buy a WIN5 line: --legs 1,3/2/5,7/1/4 --amount N (100 yen per combination); --delete N", Writes::Ledger) {}
  void defineMore(CLI::App& app) override {
    app.add_option("--legs", legs_, "The horses of each leg: sets separated by '/', horses by ','");
    app.add_option("--amount", amount_, "Stake per combination in 100 yen");
    app.add_option("--delete", del_, "Delete the N-th line instead");
  }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    if (del_ != 0) {
      valueOf(ctx, deleteWin5Line(store, d, del_));
      show(ctx, store, d);
      return;
    }
    const StoredWin5Day day = requireDay(ctx, store, d);
    if (legs_.empty()) ctx.refuse("--legs で各ﾚｰｽの馬番を指定して下さい (例 1,3/2/5,7/1/4)。");
    const char* bad = "--legs は 5ﾚｰｽ分の馬番を / で区切って指定して下さい (例 1,3/2/5,7/1/4)。";
    const auto parts = fiveParts(ctx, legs_, bad);
    Win5Line line;
    for (std::size_t i = 0; i < kWin5Legs; ++i) line.legs[i] = parseHorses(ctx, parts[i], bad);
    if (amount_.empty()) ctx.refuse(msg::kLineStakeMissing);
    const std::int64_t stake = digitsOf(ctx, amount_, 8, "金額は数字 8桁までで指定して下さい。");
    if (stake > kWin5MaxStake) ctx.refuse(msg::kLineStakeTooLarge);
    line.stake = static_cast<int>(stake);
    const auto runners = win5Runners(ctx.requireYear().ledger(), d, day.legs);
    const std::int64_t points = valueOf(ctx, checkWin5LineForDay(line, runners));
    const std::string cost = std::to_string(points) + "点 " + groupedYen(points * line.stake * 100) + "円";
    ctx.out << "WIN5\t" << win5LineText(line) << "\t" << cost << "\n";
    if (!askOkCancel(ctx.port, "WIN5 を登録します。\n\n" + cost, MsgIcon::Question)) throw Refused();
    valueOf(ctx, buyWin5Line(store, d, line, runners));
    show(ctx, store, d);
  }

 private:
  std::string legs_, amount_;
  int del_ = 0;
};

class Win5ResultCommand : public Win5Command {
 public:
  Win5ResultCommand()
      : Win5Command("result",
                    "Enter the WIN5 result: --winners 3,2,5,1,4 --amount N (payout per 100 yen in 10 yen units). "
                    "A dead heat: 3+4 in its leg (every combination paid N), or --winners/--amount repeated "
                    "(one payout each); --clear removes the result",
                    Writes::Ledger) {}
  void defineMore(CLI::App& app) override {
    app.add_option("--winners", winners_, "The winner of each leg, comma-separated; 3+4 for a dead heat");
    app.add_option("--amount", amounts_, "Payout per 100 yen in 10 yen units, one per --winners");
    app.add_flag("--clear", clear_, "Remove the result");
  }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    requireDay(ctx, store, d);
    std::vector<Win5Winner> winners;
    if (!clear_) {
      if (winners_.empty()) ctx.refuse("--winners で各ﾚｰｽの1着馬番を指定して下さい (例 3,2,5,1,4)。");
      if (amounts_.size() != winners_.size()) ctx.refuse("--amount を --winners と同じ回数指定して下さい。");
      const char* bad = "--winners は 5ﾚｰｽの1着馬番を , で区切って指定して下さい (同着は 3+4)。";
      for (std::size_t k = 0; k < winners_.size(); ++k) {
        std::array<Horses, kWin5Legs> legs;
        std::size_t at = 0;
        for (std::size_t i = 0; i < kWin5Legs; ++i) {
          const auto comma = winners_[k].find(',', at);
          if ((i + 1 < kWin5Legs) != (comma != std::string::npos)) ctx.refuse(bad);
          std::string part = winners_[k].substr(at, comma == std::string::npos ? std::string::npos : comma - at);
          for (char& c : part)
            if (c == '+') c = ',';
          legs[i] = parseHorses(ctx, part, bad);
          at = comma + 1;
        }
        const std::int64_t units = digitsOf(ctx, amounts_[k], 8, "金額は数字 8桁までで指定して下さい。");
        for (const Win5Winner& w : win5WinnersOf(legs, units * 10)) winners.push_back(w);
      }
    }
    valueOf(ctx, setWin5Result(store, d, winners));
    show(ctx, store, d);
  }

 private:
  std::vector<std::string> winners_, amounts_;
  bool clear_ = false;
};

class Win5Scratch : public Win5Command {
 public:
  Win5Scratch() : Win5Command("scratch", "Mark the scratched horses of a WIN5 leg (1-5); --horses omitted clears them", Writes::Ledger) {}
  void defineMore(CLI::App& app) override {
    app.add_option("--leg", leg_, "The leg 1-5")->required();
    app.add_option("--horses", horses_, "Scratched horses, comma-separated")->delimiter(',');
  }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    valueOf(ctx, setWin5Scratch(store, d, leg_, Horses(horses_.begin(), horses_.end())));
    show(ctx, store, d);
  }

 private:
  int leg_ = 0;
  std::vector<int> horses_;
};

class Win5Cancel : public Win5Command {
 public:
  Win5Cancel() : Win5Command("cancel", "Mark the day's WIN5 cancelled (every line refunded); --undo removes the mark", Writes::Ledger) {}
  void defineMore(CLI::App& app) override { app.add_flag("--undo", undo_, "Remove the mark"); }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    valueOf(ctx, setWin5Cancelled(store, d, !undo_));
    show(ctx, store, d);
  }

 private:
  bool undo_ = false;
};

class Win5Note : public Win5Command {
 public:
  Win5Note() : Win5Command("note", "Set the carry-over note of the day's WIN5 (empty text clears it)", Writes::Ledger) {}
  void defineMore(CLI::App& app) override { app.add_option("TEXT", text_, "The note")->required(); }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    valueOf(ctx, setWin5Note(store, d, text_));
    show(ctx, store, d);
  }

 private:
  std::string text_;
};

class Win5Delete : public Win5Command {
 public:
  Win5Delete() : Win5Command("delete", "Delete the day's WIN5 with its lines and result (asks first)", Writes::Ledger) {}
  void defineMore(CLI::App& app) override { app.add_flag("--yes", yes_, "Answer OK to the question"); }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    ctx.port.yes = ctx.port.yes || yes_;
    requireDay(ctx, store, d);
    if (!askOkCancel(ctx.port, kWin5DeleteQuestion, MsgIcon::Question)) throw Refused();
    valueOf(ctx, deleteWin5Day(store, d));
    ctx.out << "WIN5\t" << dateText(d) << "\t削除しました\n";
  }

 private:
  bool yes_ = false;
};

class Win5Show : public Win5Command {
 public:
  Win5Show() : Win5Command("show", "Show the day's WIN5: legs, lines, result and figures", Writes::Nothing) {}
  void defineMore(CLI::App& app) override { app.add_flag("--json", json_, "As JSON (money in yen)"); }
  void act(Context& ctx, Win5Store& store, const Win5Date& d) override {
    const StoredWin5Day day = requireDay(ctx, store, d);
    if (json_)
      printJson(ctx, d, day);
    else
      printDay(ctx, d, day);
  }

 private:
  bool json_ = false;
};

}  // namespace

void addWin5Commands(CommandSet& set) {
  set.group("win5", "WIN5 of a day: its five races, lines, result and figures");
  set.addEach<Win5Legs, Win5Buy, Win5ResultCommand, Win5Scratch, Win5Cancel, Win5Note, Win5Delete, Win5Show>();
}

}  // namespace tovra::cli
