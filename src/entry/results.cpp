#include "entry/results.hpp"

#include <utility>

#include "entry/amount_field.hpp"
#include "entry/entry_messages.hpp"
#include "entry/settlement.hpp"
#include "ledger/money_text.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

int ResultBook::count(BetType t) const { return usedSlots(resultSlots(std::as_const(race_), t)); }
int ResultBook::capacity(BetType t) const { return resultSlots(std::as_const(race_), t).capacity; }

std::vector<std::string> ResultBook::lines(BetType t) const {
  const ConstSlots s = resultSlots(std::as_const(race_), t);
  std::vector<std::string> out;
  const int n = usedSlots(s);
  for (int i = 0; i < n; ++i) out.push_back(slotLine(t, plainCode(t, s.codes[i]), s.amounts[i], kResultListColumns));
  return out;
}

bool ResultBook::add(UserPort& port, BetType t, int a, int b, const std::string& amount) {
  const int n = count(t);
  if (n >= capacity(t)) {
    showError(port, sjprintfUtf8(msg::kResultLimit, capacity(t)));
    return false;
  }
  const auto payout = readPayout(port, amount);
  if (!payout) return false;
  const int top = maxPick(t);
  if (a < 1 || a > top || (isPairType(t) && (b < 1 || b > top))) {
    showError(port, t == BetType::Waku ? msg::kWakuRange : msg::kHorseRange);
    return false;
  }
  int code = a;
  if (isPairType(t)) {
    if (t != BetType::Waku && a == b) {
      showError(port, msg::kHorsePairBad);
      return false;
    }
    code = pairCode(t, a, b);
  }
  const RaceRecord before = race_;
  Slots s = resultSlots(race_, t);
  s.codes[n] = static_cast<std::uint16_t>(code);
  s.amounts[n] = *payout;
  const bool raceFits = raceMoneyFits(race_);
  if (!raceFits || !dayMoneyFits(race_, others_)) {
    race_ = before;
    showError(port, raceFits ? msg::kDayMoneyTooLarge : msg::kRaceMoneyTooLarge);
    return false;
  }
  return true;
}

bool ResultBook::remove(UserPort& port, BetType t, int line) {
  if (line < 0 || line >= count(t)) {
    showError(port, msg::kResultSelect);
    return false;
  }
  Slots s = resultSlots(race_, t);
  if (s.capacity == 2) {
    // Two-slot types: the second entry moves into the first when the first goes.
    if (line == 0) {
      s.codes[0] = s.codes[1];
      s.amounts[0] = s.amounts[1];
    }
    s.codes[1] = 0;
    s.amounts[1] = 0;
    return true;
  }
  for (int i = line; i + 1 < s.capacity; ++i) {
    s.codes[i] = s.codes[i + 1];
    s.amounts[i] = s.amounts[i + 1];
  }
  s.codes[s.capacity - 1] = 0;
  s.amounts[s.capacity - 1] = 0;
  return true;
}

}  // namespace tovra
