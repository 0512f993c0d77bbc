#include "features/bets/ticket_rows.hpp"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "domain/bet_points.hpp"
#include "features/bets/bet_text.hpp"
#include "features/bets/race_bets.hpp"
#include "features/bets/range_figures.hpp"

namespace tovra {
namespace {

std::string joined(const Horses& set) {
  std::string o;
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (i) o += ".";
    o += std::to_string(set[i]);
  }
  return o;
}

// The old types' tickets of a race, one row per used slot.
void oldRows(const RaceRecord& race, const StoredRace* stored, TicketRow base, std::vector<TicketRow>& out) {
  static const Horses noHorses;
  static const std::vector<int> noFrames;
  const Horses& scratched = stored ? stored->scratched : noHorses;
  const std::vector<int>& frames = stored ? stored->refundedFrames : noFrames;
  for (BetType t : kRecordOrder) {
    const ConstSlots tickets = ticketSlots(race, t);
    const ConstSlots results = resultSlots(race, t);
    for (int i = 0; i < tickets.capacity; ++i) {
      const int code = tickets.codes[i];
      const std::int32_t amount = tickets.amounts[i];
      if (code == 0 && amount == 0) continue;
      TicketRow row = base;
      row.type = betTypeInfo(t).ascii;
      row.method = betMethodAscii(BetMethod::Normal);
      if (code != 0)
        row.sets = isPairType(t) ? std::to_string(pairFirst(t, code)) + "." + std::to_string(pairSecond(t, code))
                                 : std::to_string(code);
      row.points = 1;
      row.stake = amount;
      row.bought = amount;
      if (ticketRefunded(t, code, scratched, frames)) {
        row.refunded = amount;
      } else if (code != 0) {
        // As the settlement pays: every result slot on the ticket's code.
        for (int s = 0; s < results.capacity; ++s)
          if (plainCode(t, results.codes[s]) == code) row.ret += ticketPay(amount, results.amounts[s]);
      }
      out.push_back(std::move(row));
    }
  }
}

void newRows(const SettledRace& settled, const TicketRow& base, std::vector<TicketRow>& out) {
  for (std::size_t i = 0; i < settled.stored.lines.size(); ++i) {
    const PurchaseLine l = purchaseLineOf(settled.stored.lines[i]);
    const LineSettlement& s = settled.settlement.lines[i];
    TicketRow row = base;
    row.type = newBetTypeAscii(l.type);
    row.method = betMethodAscii(l.method);
    row.sets = ticketSetsText(l);
    row.points = s.points;
    row.stake = std::int64_t{l.stake} * 100;
    row.bought = s.figures.bought;
    row.refunded = s.figures.refunded;
    row.ret = s.figures.ret;
    out.push_back(std::move(row));
  }
}

}  // namespace

std::string ticketSetsText(const PurchaseLine& l) {
  const std::size_t used = l.method == BetMethod::Normal || l.method == BetMethod::Box ? 1
                           : l.method == BetMethod::Nagashi                            ? 2
                                                            : static_cast<std::size_t>(pointSize(l.type));
  std::string o;
  for (std::size_t k = 0; k < used; ++k) {
    if (k) o += "/";
    o += joined(l.sets[k]);
  }
  if (l.method == BetMethod::Nagashi && isOrdered(l.type)) {
    if (l.multi) return o + ":multi";
    o += ":";
    o += std::to_string(l.places[0]);
    if (l.sets[0].size() > 1) {
      o += ".";
      o += std::to_string(l.places[1]);
    }
  }
  return o;
}

Result<std::vector<TicketRow>> ticketRows(const Ledger& ledger, BetStore& store,
                                          const std::vector<std::string>& years) {
  Result<StoredRaces> stored = StoredRaces::read(store, years);
  if (stored.refused()) return stored.refusal();
  std::vector<TicketRow> rows;
  Ledger::ScanOptions options;
  options.withRaces = true;
  const Status scanned = ledger.scan(years, options, [&](const Ledger::ScanDay& d) {
    if (!d.races) return;
    const DateKey date = dateKeyOf(d.key, d.meeting);
    for (int r = 0; r < kRacesPerDay; ++r) {
      TicketRow base;
      base.year = date.year;
      base.month = date.month;
      base.day = date.day;
      base.course = d.key.course;
      base.race = r + 1;
      const RaceRecord& race = (*d.races)[static_cast<std::size_t>(r)];
      if (const StoredRace* s = stored->take(date, r)) {
        const SettledRace settled = settleStoredRace(*s);
        oldRows(race, &settled.stored, base, rows);
        newRows(settled, base, rows);
      } else {
        oldRows(race, nullptr, base, rows);
      }
    }
  });
  if (scanned.failed()) return scanned.failure();
  if (scanned.refused()) return scanned.refusal();
  // The scan goes year by year in the order given and course by course; the rows follow
  // the calendar.
  std::stable_sort(rows.begin(), rows.end(), [](const TicketRow& a, const TicketRow& b) {
    return std::tie(a.year, a.month, a.day, a.course, a.race) < std::tie(b.year, b.month, b.day, b.course, b.race);
  });
  return rows;
}

}  // namespace tovra
