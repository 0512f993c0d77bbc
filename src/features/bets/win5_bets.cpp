#include "features/bets/win5_bets.hpp"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "features/bets/race_bets.hpp"

namespace tovra {

namespace {

Refusal refuse(const char* text) { return Refusal{MsgIcon::Error, text}; }

// A refusal with an empty text (the row is not there) as the refusal given.
Status orNone(Status s, const char* text) {
  if (s.refused() && s.refusal().text.empty()) return refuse(text);
  return s;
}

Horses sortedDistinct(Horses h) {
  std::sort(h.begin(), h.end());
  h.erase(std::unique(h.begin(), h.end()), h.end());
  return h;
}

}  // namespace

Win5Line win5LineOf(const StoredWin5Line& s) {
  Win5Line l;
  for (std::size_t i = 0; i < kWin5Legs; ++i) l.legs[i] = Horses(s.legs[i].begin(), s.legs[i].end());
  l.stake = s.stake;
  return l;
}

StoredWin5Line storedWin5LineOf(const Win5Line& l, std::int64_t points) {
  StoredWin5Line s;
  for (std::size_t i = 0; i < kWin5Legs; ++i) s.legs[i] = std::vector<int>(l.legs[i].begin(), l.legs[i].end());
  s.stake = l.stake;
  s.points = points;
  return s;
}

Win5Result win5ResultOf(const StoredWin5Day& day) {
  Win5Result r;
  for (const StoredWin5Winner& w : day.winners) r.winners.push_back({w.horses, w.payout});
  for (std::size_t i = 0; i < kWin5Legs; ++i) r.scratched[i] = Horses(day.scratched[i].begin(), day.scratched[i].end());
  r.cancelled = day.cancelled;
  return r;
}

std::array<Horses, kWin5Legs> win5Runners(const Ledger& ledger, const Win5Date& date,
                                          const std::array<Win5Leg, kWin5Legs>& legs) {
  std::array<Horses, kWin5Legs> out;
  const std::string year = std::to_string(date.year);
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    const Win5Leg& leg = legs[i];
    if (leg.course < 0 || leg.course >= kCourseCount || leg.race < 1 || leg.race > 12) continue;
    const auto found = ledger.findDay(year, leg.course, date.month, date.day);
    if (!found || !*found) continue;
    const auto races = ledger.readRaces(year, leg.course, {{**found, leg.race - 1}});
    if (!races || races->empty()) continue;
    out[i] = runnersOf(races->front());
  }
  return out;
}

Status setWin5Legs(Win5Store& store, const Win5Date& date, const std::array<Win5Leg, kWin5Legs>& legs) {
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    const Win5Leg& l = legs[i];
    if (l.course < 0 || l.course > 9 || l.race < 1 || l.race > 12) return refuse(msg::kWin5LegBad);
    for (std::size_t j = 0; j < i; ++j)
      if (legs[j] == l) return refuse(msg::kWin5LegTwice);
  }
  return store.setLegs(date, legs);
}

Result<std::int64_t> checkWin5LineForDay(const Win5Line& line, const std::array<Horses, kWin5Legs>& runners) {
  Result<std::int64_t> points = checkWin5Line(line);
  if (!points) return points;
  for (std::size_t i = 0; i < kWin5Legs; ++i) {
    if (runners[i].empty()) continue;
    for (int h : line.legs[i])
      if (std::find(runners[i].begin(), runners[i].end(), h) == runners[i].end()) return refuse(msg::kWin5NotARunner);
  }
  return points;
}

Result<StoredWin5Line> buyWin5Line(Win5Store& store, const Win5Date& date, const Win5Line& line,
                                   const std::array<Horses, kWin5Legs>& runners) {
  const Result<std::int64_t> points = checkWin5LineForDay(line, runners);
  if (!points) return points.refusal();
  Win5Line sorted = line;
  for (Horses& leg : sorted.legs) leg = sortedDistinct(leg);
  StoredWin5Line s = storedWin5LineOf(sorted, *points);
  const Result<std::int64_t> id = store.addLine(date, s);
  if (!id) {
    if (id.refused() && id.refusal().text.empty()) return refuse(msg::kWin5NoDay);
    return id.refusal();
  }
  s.id = *id;
  return s;
}

Status deleteWin5Line(Win5Store& store, const Win5Date& date, int n) {
  return orNone(store.deleteLine(date, n), msg::kWin5NoLine);
}

Status setWin5Result(Win5Store& store, const Win5Date& date, const std::vector<Win5Winner>& winners) {
  if (Status s = checkWin5Winners(winners); !s) return s;
  std::vector<StoredWin5Winner> rows;
  for (const Win5Winner& w : winners) rows.push_back({w.horses, w.payout});
  return orNone(store.setWinners(date, rows), msg::kWin5NoDay);
}

Status setWin5Scratch(Win5Store& store, const Win5Date& date, int leg, Horses horses) {
  if (leg < 1 || leg > kWin5Legs) return refuse(msg::kWin5LegNumber);
  for (int h : horses)
    if (h < 1 || h > kMaxHorse) return refuse(msg::kLineHorseRange);
  const Horses h = sortedDistinct(std::move(horses));
  return orNone(store.setScratch(date, leg, std::vector<int>(h.begin(), h.end())), msg::kWin5NoDay);
}

Status setWin5Cancelled(Win5Store& store, const Win5Date& date, bool cancelled) {
  return orNone(store.setCancelled(date, cancelled), msg::kWin5NoDay);
}

Status setWin5Note(Win5Store& store, const Win5Date& date, const std::string& note) {
  const auto chars = std::count_if(note.begin(), note.end(), [](char c) { return (c & 0xC0) != 0x80; });
  if (chars > 200) return refuse(msg::kWin5NoteTooLong);
  return orNone(store.setNote(date, note), msg::kWin5NoDay);
}

std::optional<std::string> win5DeleteQuestion(BetStore& bets, const std::string& year, int course, int month,
                                              int day) {
  Win5Store store(bets);
  const Result<bool> holds = store.holdsLegAt({std::atoi(year.c_str()), month, day}, course);
  if (holds && !*holds) return std::nullopt;
  return std::string(kWin5MeetingDeleteQuestion);
}

SettledWin5Day settleWin5Day(const StoredWin5Day& day) {
  SettledWin5Day s{day, {}};
  std::vector<Win5Line> lines;
  for (const StoredWin5Line& l : day.lines) lines.push_back(win5LineOf(l));
  s.settlement = settleWin5(lines, win5ResultOf(day));
  return s;
}

Status deleteWin5Day(Win5Store& store, const Win5Date& date) {
  return orNone(store.deleteDay(date), msg::kWin5NoDay);
}

}  // namespace tovra
