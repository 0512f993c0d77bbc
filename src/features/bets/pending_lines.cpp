#include "features/bets/pending_lines.hpp"

#include "features/bets/bet_text.hpp"
#include "features/bets/race_bets.hpp"

namespace tovra {
namespace {

template <class T>
Status statusOf(const Result<T>& r) {
  if (r.failed()) return r.failure();
  return r.refusal();
}

}  // namespace

std::string purchaseLineText(const PurchaseLine& line, int points) {
  return std::string(betMethodName(line.method)) + " " + setsText(line) + "\n  " + pointsCostText(points, line.stake);
}

PendingLines::PendingLines(const std::vector<StoredLine>& stored) {
  int at = 0;
  for (const StoredLine& s : stored) entries_.push_back({purchaseLineOf(s), s.points, ++at, false});
}

std::vector<std::string> PendingLines::texts(NewBetType type) const {
  std::vector<std::string> out;
  for (const Entry& e : entries_)
    if (!e.deleted && e.line.type == type) out.push_back(purchaseLineText(e.line, e.points));
  return out;
}

Result<int> PendingLines::add(const PurchaseLine& line, const RaceRecord& race) {
  const Result<int> points = checkLineForRace(line, race);
  if (points) entries_.push_back({line, *points, 0, false});
  return points;
}

Status PendingLines::remove(NewBetType type, int row) {
  int shown = 0;
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->deleted || it->line.type != type) continue;
    if (shown++ != row) continue;
    if (it->storedAt == 0)
      entries_.erase(it);
    else
      it->deleted = true;
    return Done{};
  }
  return Refusal{MsgIcon::Error, msg::kLineToDelete};
}

bool PendingLines::changed() const {
  for (const Entry& e : entries_)
    if (e.deleted || e.storedAt == 0) return true;
  return false;
}

Status PendingLines::apply(BetStore& store, const RaceKey& key, const RaceRecord& race) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->deleted)
      if (Status done = deleteLine(store, key, it->storedAt); !done) return done;
  for (const Entry& e : entries_)
    if (e.storedAt == 0)
      if (Result<StoredLine> bought = buyLine(store, key, race, e.line); !bought) return statusOf(bought);
  return Done{};
}

}  // namespace tovra
