#include "features/main/win5_line.hpp"

#include <algorithm>

#include "features/bets/bet_text.hpp"
#include "features/bets/win5_bets.hpp"
#include "storage/records.hpp"

namespace tovra {

namespace {

void appendYen(std::string& s, std::int64_t yen) {
  s += groupedYen(yen);
  s += "円";
}

Refusal refuse(const char* text) { return Refusal{MsgIcon::Error, text}; }

std::string joined(const std::vector<int>& horses) {
  std::string s;
  for (std::size_t i = 0; i < horses.size(); ++i) {
    if (i) s += ',';
    s += std::to_string(horses[i]);
  }
  return s;
}

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

std::string win5LegText(const Win5Leg& leg) {
  std::string s = leg.course >= 0 && leg.course < kCourseCount ? std::string(keibajo(leg.course).name) : "?";
  s += std::to_string(leg.race);
  s += 'R';
  return s;
}

std::string win5ListLine(const StoredWin5Line& line) {
  std::string s = win5LineText(win5LineOf(line));
  s += "  ";
  s += std::to_string(line.points);
  s += "点 ";
  appendYen(s, line.points * line.stake * 100);
  return s;
}

std::string win5FiguresText(const BetFigures& f) {
  std::string s = "購入 ";
  appendYen(s, f.bought);
  s += "  返還 ";
  appendYen(s, f.refunded);
  s += "  馬券購入額 ";
  appendYen(s, f.purchase());
  s += "  払戻 ";
  appendYen(s, f.ret);
  s += "  収支 ";
  appendYen(s, f.balance());
  return s;
}

std::string win5DayLine(const StoredWin5Day& day) {
  const SettledWin5Day settled = settleWin5Day(day);
  std::string s = "WIN5 ";
  for (const Win5Leg& leg : day.legs) {
    s += ' ';
    s += win5LegText(leg);
  }
  std::int64_t points = 0;
  for (const StoredWin5Line& l : day.lines) points += l.points;
  const BetFigures& f = settled.settlement.figures;
  s += "  ";
  s += std::to_string(day.lines.size());
  s += "行 ";
  s += std::to_string(points);
  s += "点 ";
  appendYen(s, f.purchase());
  s += " 払戻 ";
  appendYen(s, f.ret);
  s += " 収支 ";
  appendYen(s, f.balance());
  if (day.cancelled) s += "  不成立";
  return s;
}

Result<std::optional<std::string>> win5DayLineOf(BetStore& bets, const Win5Date& date) {
  Win5Store store(bets);
  const Result<std::optional<StoredWin5Day>> day = store.day(date);
  if (day.failed()) return day.failure();
  if (day.refused()) return day.refusal();
  if (!*day) return std::optional<std::string>{};
  return std::optional<std::string>{win5DayLine(**day)};
}

std::optional<Horses> parseWin5Horses(const std::string& text) {
  Horses out;
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (c == ' ' || c == ',') {
      ++at;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    int n = 0;
    std::size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) n = n * 10 + (text[at] - '0');
    if (digits > 2 || n < 1 || n > kMaxHorse) return std::nullopt;
    out.push_back(n);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

Result<std::vector<Win5Winner>> win5WinnersOfEntry(const std::array<std::string, kWin5Legs>& legs,
                                                   const std::string& payoutUnits) {
  const bool none = std::all_of(legs.begin(), legs.end(), blank) && blank(payoutUnits);
  if (none) return std::vector<Win5Winner>{};
  std::array<Horses, kWin5Legs> winners;
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    const std::optional<Horses> h = parseWin5Horses(legs[i]);
    // A dead heat names two horses in its leg, three at most.
    if (!h || h->empty() || h->size() > 3) return refuse(msg::kWin5NoWinner);
    winners[i] = *h;
  }
  const std::string units = payoutUnits.substr(0, std::min(payoutUnits.find_last_not_of(' ') + 1, payoutUnits.size()));
  const bool digits = !units.empty() && units.size() <= 8 && units.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) return refuse(msg::kWin5PayoutBad);
  const std::int64_t payout = std::stoll(units) * 10;
  if (Status s = checkWin5Payout(payout); !s) return s.refusal();
  std::vector<Win5Winner> out = win5WinnersOf(winners, payout);
  if (Status s = checkWin5Winners(out); !s) return s.refusal();
  return out;
}

Result<std::array<Horses, kWin5Legs>> win5ScratchesOfEntry(const std::array<std::string, kWin5Legs>& legs) {
  std::array<Horses, kWin5Legs> out;
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    const std::optional<Horses> h = parseWin5Horses(legs[i]);
    if (!h) return refuse(msg::kLineHorseRange);
    out[i] = *h;
  }
  return out;
}

Win5ResultEntry win5ResultEntryOf(const StoredWin5Day& day) {
  Win5ResultEntry e;
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    std::vector<int> horses;
    for (const StoredWin5Winner& w : day.winners) horses.push_back(w.horses[i]);
    std::sort(horses.begin(), horses.end());
    horses.erase(std::unique(horses.begin(), horses.end()), horses.end());
    e.winners[i] = joined(horses);
    e.scratched[i] = joined(day.scratched[i]);
  }
  if (!day.winners.empty()) e.payoutUnits = std::to_string(day.winners.front().payout / 10);
  return e;
}

}  // namespace tovra
