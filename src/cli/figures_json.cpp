#include "cli/figures_json.hpp"

#include <cstdio>

#include "domain/bet_points.hpp"

namespace tovra::cli {
namespace {

constexpr NewBetType kNewTypes[] = {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan};

}  // namespace

std::string jsonQuoted(const std::string& s) {
  std::string o = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      o += '\\';
      o += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      o += buf;
    } else {
      o += static_cast<char>(c);
    }
  }
  return o + "\"";
}

std::string figuresJson(const BetFigures& f) {
  return "{\"bought\":" + std::to_string(f.bought) + ",\"refunded\":" + std::to_string(f.refunded) +
         ",\"purchase\":" + std::to_string(f.purchase()) + ",\"return\":" + std::to_string(f.ret) +
         ",\"balance\":" + std::to_string(f.balance()) + ",\"hit\":" + (f.hit ? "true" : "false") + "}";
}

TypeChoice TypeChoice::every() {
  TypeChoice c;
  c.old.fill(true);
  c.fresh.fill(true);
  return c;
}

bool TypeChoice::everyRaceType() const {
  const TypeChoice e = every();
  return old == e.old && fresh == e.fresh;
}

std::optional<TypeChoice> typeChoiceFromText(const std::string& text, bool withWin5) {
  if (text == "all") {
    TypeChoice c = TypeChoice::every();
    c.win5 = withWin5;
    return c;
  }
  TypeChoice c;
  std::size_t from = 0;
  while (true) {
    const std::size_t comma = text.find(',', from);
    const std::string name = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    bool known = false;
    for (BetType t : kBetTypes) {
      if (name == betTypeInfo(t).ascii) c.old[oldTypeIndex(t)] = known = true;
    }
    for (NewBetType t : kNewTypes) {
      if (name == newBetTypeAscii(t)) c.fresh[typeIndex(t)] = known = true;
    }
    if (withWin5 && name == "win5") c.win5 = known = true;
    if (!known) return std::nullopt;
    if (comma == std::string::npos) return c;
    from = comma + 1;
  }
}

std::string figuresObject(const AllTypesFigures& a) { return figuresObject(a, TypeChoice::every()); }

std::string figuresObject(const AllTypesFigures& a, const TypeChoice& choice, const BetFigures* win5) {
  std::string o = "{";
  BetFigures all;
  for (BetType t : kRecordOrder) {
    if (!choice.old[oldTypeIndex(t)]) continue;
    o += jsonQuoted(betTypeInfo(t).ascii) + ":" + figuresJson(a.of(t)) + ",";
    all += a.of(t);
  }
  for (NewBetType t : kNewTypes) {
    if (!choice.fresh[typeIndex(t)]) continue;
    o += jsonQuoted(newBetTypeAscii(t)) + ":" + figuresJson(a.of(t)) + ",";
    all += a.of(t);
  }
  // Every type chosen: the figures' own total (the same sum).
  if (choice.everyRaceType()) all = a.all;
  if (choice.win5 && win5) {
    o += "\"win5\":" + figuresJson(*win5) + ",";
    all += *win5;
  }
  return o + "\"all\":" + figuresJson(all) + "}";
}

}  // namespace tovra::cli
