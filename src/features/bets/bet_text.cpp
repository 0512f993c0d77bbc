#include "features/bets/bet_text.hpp"

#include <string_view>

namespace tovra {
namespace {

std::string listText(const Horses& h) {
  std::string s;
  for (std::size_t i = 0; i < h.size(); ++i) {
    if (i) s += ",";
    s += std::to_string(h[i]);
  }
  return s;
}

}  // namespace

std::string groupedYen(std::int64_t yen) {
  const bool negative = yen < 0;
  // The magnitude in unsigned, so that the most negative value reads too.
  std::uint64_t v = negative ? ~static_cast<std::uint64_t>(yen) + 1 : static_cast<std::uint64_t>(yen);
  std::string digits = std::to_string(v);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

std::string pointsCostText(int points, int stake) {
  return std::to_string(points) + "点 ・ 合計 " + groupedYen(std::int64_t{points} * stake * 100) + "円";
}

std::string setsText(const PurchaseLine& line) {
  const auto& s = line.sets;
  switch (line.method) {
    case BetMethod::Normal: {
      std::string t;
      for (std::size_t i = 0; i < s[0].size(); ++i) {
        if (i) t += "-";
        t += std::to_string(s[0][i]);
      }
      return t;
    }
    case BetMethod::Box: return listText(s[0]);
    case BetMethod::Formation: {
      std::string t = listText(s[0]) + " / " + listText(s[1]);
      if (pointSize(line.type) == 3) t += " / " + listText(s[2]);
      return t;
    }
    case BetMethod::Nagashi: break;
  }
  std::string t = "軸 " + listText(s[0]);
  if (isOrdered(line.type)) {
    if (line.multi)
      t += " ﾏﾙﾁ";
    else if (s[0].size() == 2)
      t += " (" + std::to_string(line.places[0]) + "・" + std::to_string(line.places[1]) + "着)";
    else
      t += " (" + std::to_string(line.places[0]) + "着)";
  }
  return t + " → " + listText(s[1]);
}

std::string comboText(NewBetType type, const Combination& combo) {
  std::string t = std::to_string(combo[0]) + "-" + std::to_string(combo[1]);
  if (pointSize(type) == 3) {
    t += "-";
    t += std::to_string(combo[2]);
  }
  return t;
}

std::optional<NewBetType> newBetTypeFromText(const std::string& text) {
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan})
    if (text == newBetTypeAscii(t) || text == newBetTypeName(t)) return t;
  return std::nullopt;
}

const char* betMethodAscii(BetMethod m) {
  switch (m) {
    case BetMethod::Normal: return "normal";
    case BetMethod::Box: return "box";
    case BetMethod::Nagashi: return "nagashi";
    case BetMethod::Formation: return "formation";
  }
  return "";
}

std::optional<BetMethod> betMethodFromText(const std::string& text) {
  for (BetMethod m : {BetMethod::Normal, BetMethod::Box, BetMethod::Nagashi, BetMethod::Formation})
    if (text == betMethodAscii(m) || text == betMethodName(m)) return m;
  return std::nullopt;
}

std::optional<Horses> parseCombo(const std::string& text) {
  Horses h;
  std::size_t at = 0;
  while (true) {
    const std::size_t end = text.find('-', at);
    const std::string_view part =
        std::string_view(text).substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (part.empty() || part.size() > 2) return std::nullopt;
    int v = 0;
    for (char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
      v = v * 10 + (c - '0');
    }
    h.push_back(v);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return h;
}

}  // namespace tovra
