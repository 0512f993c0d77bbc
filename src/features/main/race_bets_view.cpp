#include "features/main/race_bets_view.hpp"

#include <algorithm>

#include "domain/money_text.hpp"
#include "features/bets/bet_text.hpp"

namespace tovra {

namespace {

constexpr NewBetType kNewTypes[] = {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan};

// The length of the UTF-8 character starting with byte `lead`.
std::size_t charLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  return 2;
}

// The Shift-JIS bytes of one UTF-8 character: ASCII and half-width kana take one, others two.
int charWidth(const std::string& s, std::size_t at, std::size_t len) {
  if (len == 1) return 1;
  if (len == 3) {
    const unsigned cp =
        ((unsigned(s[at]) & 0x0Fu) << 12) | ((unsigned(s[at + 1]) & 0x3Fu) << 6) | (unsigned(s[at + 2]) & 0x3Fu);
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;
  }
  return 2;
}

int textWidth(const std::string& s) {
  int w = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t len = std::min(charLength(static_cast<unsigned char>(s[i])), s.size() - i);
    w += charWidth(s, i, len);
    i += len;
  }
  return w;
}

// `text` padded with blanks to `width` bytes (left-aligned), or right-aligned.
std::string padRight(const std::string& text, int width) {
  return text + std::string(static_cast<std::size_t>(std::max(0, width - textWidth(text))), ' ');
}
std::string padLeft(const std::string& text, int width) {
  return std::string(static_cast<std::size_t>(std::max(0, width - textWidth(text))), ' ') + text;
}

std::string numbers(const std::vector<int>& v) {
  std::string s;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i) s += ',';
    s += std::to_string(v[i]);
  }
  return s;
}

void addRows(std::vector<BetsRowView>& out, const std::string& text, int width, int indent, bool hit, bool refunded) {
  for (std::string& row : wrapRows(text, width, indent)) out.push_back({std::move(row), hit, refunded});
}

// One result row: the type, the combination (or 特払), the payout per 100 yen, the mark.
std::string resultRow(NewBetType t, const std::string& what, std::int64_t payout, bool hit) {
  return padRight(newBetTypeName(t), 6) + padRight(what, 9) + padLeft(groupedYen(payout) + "円", 14) +
         (hit ? "  的中" : "");
}

}  // namespace

std::vector<std::string> wrapRows(const std::string& text, int width, int indent) {
  std::vector<std::string> rows;
  std::string row;
  int rowWidth = 0;
  std::size_t lastBreak = std::string::npos;  // in `row`, just after a ',' or ' '
  const std::string lead(static_cast<std::size_t>(std::max(0, indent)), ' ');
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = std::min(charLength(static_cast<unsigned char>(text[i])), text.size() - i);
    const int w = charWidth(text, i, len);
    if (rowWidth + w > width && !row.empty()) {
      std::string rest;
      if (lastBreak != std::string::npos && lastBreak > lead.size() && lastBreak < row.size()) {
        rest = row.substr(lastBreak);
        row.erase(lastBreak);
      }
      while (!row.empty() && row.back() == ' ') row.pop_back();
      rows.push_back(row);
      row = lead + rest;
      rowWidth = textWidth(row);
      lastBreak = std::string::npos;
    }
    row.append(text, i, len);
    rowWidth += w;
    if (text[i] == ',' || text[i] == ' ') lastBreak = row.size();
    i += len;
  }
  if (!row.empty() || rows.empty()) rows.push_back(row);
  return rows;
}

bool winnerBought(const RaceBets& bets, const StoredWinner& winner) {
  const NewBetType type = static_cast<NewBetType>(winner.type);
  Combination want = winner.combo;
  if (!isOrdered(type)) std::sort(want.begin(), want.begin() + pointSize(type));
  for (std::size_t i = 0; i < bets.stored.lines.size() && i < bets.settlement.lines.size(); ++i) {
    const PurchaseLine line = purchaseLineOf(bets.stored.lines[i]);
    // A line without a hit holds no winning point worth a mark.
    if (line.type != type || bets.settlement.lines[i].hits == 0) continue;
    for (const Combination& point : expandPoints(line))
      if (point == want) return true;
  }
  return false;
}

RaceBetsView formatRaceBetsView(const RaceBets& bets, int width) {
  RaceBetsView v;
  const StoredRace& s = bets.stored;
  v.holdsBets = !s.empty();
  for (std::size_t i = 0; i < s.lines.size(); ++i) {
    const StoredLine& stored = s.lines[i];
    const PurchaseLine line = purchaseLineOf(stored);
    const LineSettlement settled = i < bets.settlement.lines.size() ? bets.settlement.lines[i] : LineSettlement{};
    const bool hit = settled.hits != 0;
    const bool refunded = !hit && settled.refunds != 0;
    std::string head = padLeft(std::to_string(i + 1), 2) + " " + padRight(newBetTypeName(line.type), 6) +
                       padRight(betMethodName(line.method), 9) + pointsCostText(stored.points, stored.stake);
    addRows(v.lines, head, width, 3, hit, refunded);
    addRows(v.lines, "   " + setsText(line), width, 5, hit, refunded);
    if (settled.hits != 0)
      addRows(v.lines, "   的中 " + std::to_string(settled.hits) + "点  " + groupedYen(settled.figures.ret) + "円",
              width, 5, true, false);
    if (settled.refunds != 0)
      addRows(v.lines,
              "   返還 " + std::to_string(settled.refunds) + "点  " + groupedYen(settled.figures.refunded) + "円",
              width, 5, false, true);
  }
  for (NewBetType t : kNewTypes) {
    for (const StoredWinner& w : s.winners) {
      if (w.type != static_cast<int>(t)) continue;
      const bool hit = winnerBought(bets, w);
      v.results.push_back({resultRow(t, comboText(t, w.combo), w.payout, hit), hit, false});
    }
    if (const auto& sp = s.special[typeIndex(t)]) {
      const bool hit = bets.figures.of(t).ret != 0 && !bets.figures.of(t).hit;
      v.results.push_back({resultRow(t, "特払", *sp, false), hit, false});
    }
  }
  if (!s.scratched.empty()) addRows(v.results, "返還馬番  " + numbers(s.scratched), width, 10, false, true);
  if (!s.refundedFrames.empty()) addRows(v.results, "返還枠番  " + numbers(s.refundedFrames), width, 10, false, true);

  const BetFigures& all = bets.figures.all;
  v.bought = yenText(all.bought);
  v.refunded = yenText(all.refunded);
  v.purchase = yenText(all.purchase());
  v.ret = yenText(all.ret);
  v.rate = all.rate() ? rateText(*all.rate()) : std::string();
  v.balance = yenText(all.balance());
  v.plus = all.balance() >= 1;
  return v;
}

}  // namespace tovra
