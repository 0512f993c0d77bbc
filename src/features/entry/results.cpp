#include "features/entry/results.hpp"

#include <utility>

#include "domain/money_text.hpp"
#include "domain/settlement.hpp"
#include "features/entry/amount_field.hpp"
#include "features/entry/entry_messages.hpp"
#include "features/entry/slot_list.hpp"
#include "storage/text.hpp"

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

Status ResultBook::add(BetType t, int a, int b, const std::string& amount) {
  const int n = count(t);
  if (n >= capacity(t)) return Refusal{MsgIcon::Error, sjprintfUtf8(msg::kResultLimit, capacity(t))};
  const auto payout = readPayout(amount);
  if (!payout) return payout.refusal();
  const int top = maxPick(t);
  if (a < 1 || a > top || (isPairType(t) && (b < 1 || b > top)))
    return Refusal{MsgIcon::Error, t == BetType::Waku ? msg::kWakuRange : msg::kHorseRange};
  int code = a;
  if (isPairType(t)) {
    if (t != BetType::Waku && a == b) return Refusal{MsgIcon::Error, msg::kHorsePairBad};
    code = pairCode(t, a, b);
  }
  const RaceRecord before = race_;
  Slots s = resultSlots(race_, t);
  s.codes[n] = static_cast<std::uint16_t>(code);
  s.amounts[n] = *payout;
  const bool raceFits = raceMoneyFits(race_);
  if (!raceFits || !dayMoneyFits(race_, others_)) {
    race_ = before;
    return Refusal{MsgIcon::Error, raceFits ? msg::kDayMoneyTooLarge : msg::kRaceMoneyTooLarge};
  }
  return Done{};
}

Status ResultBook::remove(BetType t, int line) {
  if (line < 0 || line >= count(t)) return Refusal{MsgIcon::Error, msg::kResultSelect};
  removeSlotLine(resultSlots(race_, t), line);
  return Done{};
}

}  // namespace tovra
