#include "features/bets/race_bets.hpp"

#include "features/bets/kept_figures.hpp"

#include <algorithm>
#include <cstdlib>

namespace tovra {
namespace {

Refusal refuse(const char* text) { return Refusal{MsgIcon::Error, text}; }

bool contains(const Horses& h, int horse) { return std::find(h.begin(), h.end(), horse) != h.end(); }

// The first horse of the line that is not a runner of the race (0 when all are).
int notRunning(const PurchaseLine& line, const Horses& runners) {
  if (runners.empty()) return 0;
  for (const Horses& set : line.sets)
    for (int h : set)
      if (!contains(runners, h)) return h;
  return 0;
}

constexpr std::int64_t kMinPayout = 10;
constexpr std::int64_t kTopPayout = 999'999'990;

// A change done: the figures of the days it made stale kept again (a failure there leaves
// them stale, which readers compute from the rows).
template <class T>
Result<T> kept(BetStore& store, Result<T> changed) {
  if (changed) keepStaleFigures(store);
  return changed;
}

Horses sortedDistinct(Horses h) {
  std::sort(h.begin(), h.end());
  h.erase(std::unique(h.begin(), h.end()), h.end());
  return h;
}

}  // namespace

DateKey dateKeyOf(const DayKey& key, const KaisaiRecord& meeting) {
  return DateKey{std::atoi(key.year.c_str()), key.course, meeting.month(), meeting.day()};
}

RaceKey raceKeyOf(const DayKey& key, const KaisaiRecord& meeting, int r) {
  return RaceKey{dateKeyOf(key, meeting), r + 1};
}

PurchaseLine purchaseLineOf(const StoredLine& s) {
  PurchaseLine l;
  l.type = static_cast<NewBetType>(s.type);
  l.method = static_cast<BetMethod>(s.method);
  l.sets = s.sets;
  l.multi = s.multi;
  l.places = s.places;
  l.stake = s.stake;
  return l;
}

StoredLine storedLineOf(const PurchaseLine& l, int points) {
  StoredLine s;
  s.type = static_cast<int>(l.type);
  s.method = static_cast<int>(l.method);
  s.sets = l.sets;
  s.multi = l.multi;
  s.places = l.places;
  s.stake = l.stake;
  s.points = points;
  return s;
}

std::vector<PurchaseLine> purchaseLinesOf(const StoredRace& race) {
  std::vector<PurchaseLine> lines;
  lines.reserve(race.lines.size());
  for (const StoredLine& s : race.lines) lines.push_back(purchaseLineOf(s));
  return lines;
}

NewBetResults resultsOf(const StoredRace& race) {
  NewBetResults r;
  for (const StoredWinner& w : race.winners) {
    if (w.type < 0 || w.type >= kNewBetTypeCount) continue;
    r.byType[static_cast<std::size_t>(w.type)].winners.push_back({w.combo, w.payout});
  }
  for (std::size_t t = 0; t < race.special.size(); ++t) r.byType[t].special = race.special[t];
  r.scratched = race.scratched;
  return r;
}

Horses runnersOf(const RaceRecord& race) {
  Horses h;
  for (int i = 0; i < kMaxHorse; ++i) {
    const auto u = static_cast<std::size_t>(i);
    if (race.shutsubaWaku[u] != 0 || race.shutsubaBamei[u][0] != '\0') h.push_back(i + 1);
  }
  return h;
}

Result<int> checkLineForRace(const PurchaseLine& line, const RaceRecord& race) {
  Result<int> points = checkLine(line);
  if (!points) return points;
  if (notRunning(line, runnersOf(race)) != 0) return refuse(msg::kNotARunner);
  return points;
}

Result<StoredLine> buyLine(BetStore& store, const RaceKey& key, const RaceRecord& race, const PurchaseLine& line) {
  const Result<int> points = checkLineForRace(line, race);
  if (!points) return points.refusal();
  StoredLine s = storedLineOf(line, *points);
  const Result<std::int64_t> id = kept(store, store.addLine(key, s));
  if (!id) return id.refusal();
  s.id = *id;
  return s;
}

Status deleteLine(BetStore& store, const RaceKey& key, int n) {
  if (!store.exists()) return refuse(msg::kNoSuchLine);
  Status r = kept(store, store.deleteLine(key, n));
  if (r.refused() && r.refusal().text.empty()) return refuse(msg::kNoSuchLine);
  return r;
}

std::optional<Refusal> checkWinner(NewBetType type, const Combination& combo, std::int64_t payout,
                                   const RaceRecord& race) {
  const int size = pointSize(type);
  for (int i = 0; i < 3; ++i) {
    const int h = combo[static_cast<std::size_t>(i)];
    if (i >= size) {
      if (h != 0) return refuse(size == 2 ? msg::kComboSize2 : msg::kComboSize3);
      continue;
    }
    if (h == 0) return refuse(size == 2 ? msg::kComboSize2 : msg::kComboSize3);
    if (h < 1 || h > kMaxHorse) return refuse(msg::kLineHorseRange);
  }
  for (int i = 0; i < size; ++i)
    for (int j = i + 1; j < size; ++j)
      if (combo[static_cast<std::size_t>(i)] == combo[static_cast<std::size_t>(j)]) return refuse(msg::kLineHorseTwice);
  const Horses runners = runnersOf(race);
  for (int i = 0; i < size && !runners.empty(); ++i)
    if (!contains(runners, combo[static_cast<std::size_t>(i)])) return refuse(msg::kNotARunner);
  if (payout < kMinPayout || payout > kTopPayout) return refuse(msg::kPayoutRange);
  return std::nullopt;
}

Status addWinner(BetStore& store, const RaceKey& key, const RaceRecord& race, NewBetType type, Combination combo,
                 std::int64_t payout) {
  if (auto bad = checkWinner(type, combo, payout, race)) return *bad;
  if (!isOrdered(type)) std::sort(combo.begin(), combo.end());
  const Result<StoredRace> now = store.race(key);
  if (!now) return now.refusal();
  const int t = static_cast<int>(type);
  for (const StoredWinner& w : now->winners)
    if (w.type == t && w.combo == combo) return refuse(msg::kWinnerTwice);
  return kept(store, store.addWinner(key, StoredWinner{t, combo, payout}));
}

Status deleteWinner(BetStore& store, const RaceKey& key, NewBetType type, int n) {
  if (!store.exists()) return refuse(msg::kNoSuchLine);
  Status r = kept(store, store.deleteWinner(key, static_cast<int>(type), n));
  if (r.refused() && r.refusal().text.empty()) return refuse(msg::kNoSuchLine);
  return r;
}

std::optional<Refusal> checkSpecial(std::int64_t payout) {
  if (payout < kMinPayout || payout > kTopPayout) return refuse(msg::kSpecialRange);
  return std::nullopt;
}

Status setSpecial(BetStore& store, const RaceKey& key, NewBetType type, std::int64_t payout) {
  if (auto bad = checkSpecial(payout)) return *bad;
  return kept(store, store.setSpecial(key, static_cast<int>(type), payout));
}

Status clearResult(BetStore& store, const RaceKey& key, NewBetType type) {
  if (!store.exists()) return Done{};
  return kept(store, store.clearResult(key, static_cast<int>(type)));
}

Status setScratch(BetStore& store, const RaceKey& key, Horses horses, std::vector<int> frames) {
  for (int h : horses)
    if (h < 1 || h > kMaxHorse) return refuse(msg::kLineHorseRange);
  for (int f : frames)
    if (f < 1 || f > 8) return refuse(msg::kFrameRange);
  if (horses.empty() && frames.empty() && !store.exists()) return Done{};
  return kept(store, store.setScratch(key, sortedDistinct(std::move(horses)), sortedDistinct(std::move(frames))));
}

SettledRace settleStoredRace(const StoredRace& race) {
  // A line the rules do not accept (a store changed by hand) is settled as nothing.
  std::vector<PurchaseLine> valid;
  std::vector<int> at;
  for (const StoredLine& s : race.lines) {
    const PurchaseLine l = purchaseLineOf(s);
    if (!checkLine(l)) {
      at.push_back(-1);
      continue;
    }
    at.push_back(static_cast<int>(valid.size()));
    valid.push_back(l);
  }
  const NewBetSettlement settled = settleNewBets(valid, resultsOf(race));
  SettledRace out{race, {}};
  out.settlement.figures = settled.figures;
  for (int i : at)
    out.settlement.lines.push_back(i < 0 ? LineSettlement{} : settled.lines[static_cast<std::size_t>(i)]);
  return out;
}

}  // namespace tovra
