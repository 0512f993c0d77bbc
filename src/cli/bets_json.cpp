#include "cli/bets_json.hpp"

#include <cstdio>
#include <ostream>
#include <string>

#include "cli/figures_json.hpp"
#include "features/bets/bet_text.hpp"
#include "storage/text.hpp"

namespace tovra::cli {
namespace {

std::string quoted(const std::string& s) { return jsonQuoted(s); }

std::string list(const std::vector<int>& v) {
  std::string o = "[";
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i) o += ",";
    o += std::to_string(v[i]);
  }
  return o + "]";
}

bool contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// The picks of an old ticket or result code: one horse, or the pair.
std::vector<int> picks(BetType t, int code) {
  if (!isPairType(t)) return {code};
  return {pairFirst(t, code), pairSecond(t, code)};
}

// An old type's ticket is refunded when it holds a scratched horse (枠連: a refunded frame).
bool refunded(BetType t, const std::vector<int>& p, const StoredRace& s) {
  for (int x : p)
    if (t == BetType::Waku ? contains(s.refundedFrames, x) : contains(s.scratched, x)) return true;
  return false;
}

std::string oldLines(const RaceRecord& race, const StoredRace& stored, bool& first) {
  std::string o;
  for (BetType t : kRecordOrder) {
    const ConstSlots tickets = ticketSlots(race, t);
    const ConstSlots results = resultSlots(race, t);
    for (int i = 0; i < tickets.capacity; ++i) {
      const int code = tickets.codes[i];
      if (code == 0) continue;
      const std::vector<int> p = picks(t, code);
      const bool back = refunded(t, p, stored);
      bool hit = false;
      for (int k = 0; k < results.capacity && !back; ++k)
        hit =
            hit || (results.codes[k] != 0 && plainCode(t, results.codes[k]) == code && resultHit(t, results.codes[k]));
      o += std::string(first ? "" : ",") + "{\"type\":" + quoted(betTypeInfo(t).ascii) +
           ",\"method\":\"normal\",\"sets\":[" + list(p) +
           "],\"points\":1,\"stake\":" + std::to_string(tickets.amounts[i]) + ",\"hits\":" + (hit ? "1" : "0") +
           ",\"refunds\":" + (back ? "1" : "0") + "}";
      first = false;
    }
  }
  return o;
}

std::string newLines(const RaceBets& bets, bool& first) {
  std::string o;
  for (std::size_t i = 0; i < bets.stored.lines.size(); ++i) {
    const PurchaseLine l = purchaseLineOf(bets.stored.lines[i]);
    const LineSettlement& s = bets.settlement.lines[i];
    const int used = l.method == BetMethod::Normal || l.method == BetMethod::Box ? 1
                     : l.method == BetMethod::Nagashi                            ? 2
                                                                                 : pointSize(l.type);
    std::string sets;
    for (int k = 0; k < used; ++k) {
      if (k) sets += ",";
      sets += list(l.sets[static_cast<std::size_t>(k)]);
    }
    o += std::string(first ? "" : ",") + "{\"type\":" + quoted(newBetTypeAscii(l.type)) +
         ",\"method\":" + quoted(betMethodAscii(l.method)) + ",\"sets\":[" + sets + "]";
    if (l.method == BetMethod::Nagashi && isOrdered(l.type))
      o +=
          std::string(",\"multi\":") + (l.multi ? "true" : "false") + ",\"places\":" + list({l.places[0], l.places[1]});
    o += ",\"points\":" + std::to_string(s.points) + ",\"stake\":" + std::to_string(std::int64_t{l.stake} * 100) +
         ",\"hits\":" + std::to_string(s.hits) + ",\"refunds\":" + std::to_string(s.refunds) +
         ",\"return\":" + std::to_string(s.figures.ret) + "}";
    first = false;
  }
  return o;
}

std::string results(const RaceRecord& race, const StoredRace& stored) {
  std::string o = "{";
  bool firstType = true;
  for (BetType t : kRecordOrder) {
    const ConstSlots r = resultSlots(race, t);
    std::string items;
    for (int i = 0; i < r.capacity; ++i) {
      if (r.codes[i] == 0) continue;
      items += std::string(items.empty() ? "" : ",") + "{\"combo\":" + list(picks(t, plainCode(t, r.codes[i]))) +
               ",\"payout\":" + std::to_string(r.amounts[i]) + "}";
    }
    o += std::string(firstType ? "" : ",") + quoted(betTypeInfo(t).ascii) + ":[" + items + "]";
    firstType = false;
  }
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
    std::string items;
    for (const StoredWinner& w : stored.winners) {
      if (w.type != static_cast<int>(t)) continue;
      std::vector<int> combo(w.combo.begin(), w.combo.begin() + pointSize(t));
      items += std::string(items.empty() ? "" : ",") + "{\"combo\":" + list(combo) +
               ",\"payout\":" + std::to_string(w.payout) + "}";
    }
    o += ",";
    o += quoted(newBetTypeAscii(t)) + ":[" + items + "]";
  }
  return o + "}";
}

std::string specials(const StoredRace& stored) {
  std::string o = "{";
  bool first = true;
  for (NewBetType t : {NewBetType::Umatan, NewBetType::Sanrenpuku, NewBetType::Sanrentan}) {
    if (const auto& sp = stored.special[typeIndex(t)]) {
      o += std::string(first ? "" : ",") + quoted(newBetTypeAscii(t)) + ":" + std::to_string(*sp);
      first = false;
    }
  }
  return o + "}";
}

std::string dateText(int year, const KaisaiRecord& k) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, k.month() % 100, k.day() % 100);
  return buf;
}

std::string raceJson(const DayKey& key, const MeetingDay& day, const DayBets& bets, int r) {
  const auto u = static_cast<std::size_t>(r);
  const RaceRecord& race = day.races[u];
  const RaceBets& b = bets.races[u];
  bool first = true;
  std::string lines = oldLines(race, b.stored, first);
  lines += newLines(b, first);
  return "{\"date\":" + quoted(dateText(std::atoi(key.year.c_str()), day.meeting)) +
         ",\"course\":" + quoted(keibajo(key.course).folder) + ",\"race\":" + std::to_string(r + 1) +
         ",\"name\":" + quoted(cp932ToUtf8(fixedText(day.meeting.raceMei[r]))) +
         ",\"figures\":" + figuresObject(b.figures) + ",\"lines\":[" + lines +
         "],\"results\":" + results(race, b.stored) + ",\"special\":" + specials(b.stored) +
         ",\"scratched\":" + list(b.stored.scratched) + ",\"refundedFrames\":" + list(b.stored.refundedFrames) + "}";
}

}  // namespace

void printRaceJson(std::ostream& out, const DayKey& key, const MeetingDay& day, const DayBets& bets, int r) {
  out << raceJson(key, day, bets, r) << "\n";
}

void printMeetingJson(std::ostream& out, const DayKey& key, const MeetingDay& day, const DayBets& bets) {
  out << "{\"date\":" << quoted(dateText(std::atoi(key.year.c_str()), day.meeting))
      << ",\"course\":" << quoted(keibajo(key.course).folder) << ",\"races\":[";
  for (int r = 0; r < kRacesPerDay; ++r) out << (r ? "," : "") << raceJson(key, day, bets, r);
  out << "],\"figures\":" << figuresObject(bets.figures) << "}\n";
}

}  // namespace tovra::cli
