#include "entry/purchase.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "entry/amount_field.hpp"
#include "entry/entry_messages.hpp"
#include "entry/settlement.hpp"
#include "ledger/money_text.hpp"
#include "ledger/text.hpp"
#include "ledger/user_port.hpp"

namespace tovra {

const char* inputMethodName(InputMethod m) {
  switch (m) {
    case InputMethod::Tsujo: return "通常";
    case InputMethod::Nagashi: return "流し";
    case InputMethod::Box: return "ﾎﾞｯｸｽ";
  }
  return "";
}

std::optional<InputMethod> inputMethodFromText(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "normal" || text == "通常") return InputMethod::Tsujo;
  if (lower == "nagashi" || text == "流し") return InputMethod::Nagashi;
  if (lower == "box" || text == "ﾎﾞｯｸｽ" || text == "ボックス") return InputMethod::Box;
  return std::nullopt;
}

PairLayout pairLayout(BetType t, InputMethod m) {
  const std::string unit = t == BetType::Waku ? "枠番" : "馬番";
  switch (m) {
    case InputMethod::Nagashi: return {"軸", true, "", false, "相手", true, true};
    case InputMethod::Box: return {"", false, "", false, unit, true, false};
    case InputMethod::Tsujo: break;
  }
  return {unit, true, unit, true, "", false, true};
}

int PurchaseBook::count(BetType t) const { return usedSlots(ticketSlots(std::as_const(race_), t)); }
int PurchaseBook::capacity(BetType t) const { return ticketSlots(std::as_const(race_), t).capacity; }

std::string PurchaseBook::remainingLabel(BetType t) const { return sjprintfUtf8("あと %d点", capacity(t) - count(t)); }

std::vector<std::string> PurchaseBook::lines(BetType t) const {
  const ConstSlots s = ticketSlots(std::as_const(race_), t);
  std::vector<std::string> out;
  const int n = usedSlots(s);
  for (int i = 0; i < n; ++i) out.push_back(slotLine(t, s.codes[i], s.amounts[i], kPurchaseListColumns));
  return out;
}

void PurchaseBook::append(BetType t, int code, std::int32_t stake) {
  Slots s = ticketSlots(race_, t);
  const int n = count(t);
  s.codes[n] = static_cast<std::uint16_t>(code);
  s.amounts[n] = stake;
}

AddOutcome PurchaseBook::addSingle(UserPort& port, BetType t, int horse, const std::string& amount) {
  AddOutcome out;
  out.refused = true;
  if (count(t) >= capacity(t)) {
    showError(port, sjprintfUtf8(msg::kTicketLimit, capacity(t)));
    return out;
  }
  const auto stake = readStake(port, amount);
  if (!stake) return out;
  if (horse < 1 || horse > 18) {
    showError(port, msg::kHorseRange);
    return out;
  }
  const RaceRecord before = race_;
  append(t, horse, *stake);
  if (!keepsMoneyInRange(port, before)) return out;
  out.refused = false;
  out.added = 1;
  return out;
}

AddOutcome PurchaseBook::addPairs(UserPort& port, BetType t, const PairPick& pick, const std::string& amount) {
  AddOutcome out;
  out.refused = true;
  const int cap = capacity(t);
  const bool waku = t == BetType::Waku;
  if (count(t) >= cap) {
    showError(port, sjprintfUtf8(msg::kTicketLimit, cap));
    return out;
  }
  const auto stake = readStake(port, amount);
  if (!stake) return out;

  // Picks outside the groups can only come from the command line.
  const int top = maxPick(t);
  auto inRange = [top](int v) { return v >= 1 && v <= top; };
  bool picksOk = true;
  if (pick.method != InputMethod::Box) picksOk = inRange(pick.first);
  if (pick.method == InputMethod::Tsujo) picksOk = picksOk && inRange(pick.second);
  if (pick.method != InputMethod::Tsujo)
    for (int p : pick.ticked) picksOk = picksOk && inRange(p);
  if (!picksOk) {
    showError(port, waku ? msg::kWakuRange : msg::kHorseRange);
    return out;
  }
  std::vector<int> ticked = pick.ticked;
  std::sort(ticked.begin(), ticked.end());
  ticked.erase(std::unique(ticked.begin(), ticked.end()), ticked.end());

  const RaceRecord before = race_;
  switch (pick.method) {
    case InputMethod::Tsujo: {
      if (!waku && pick.first == pick.second) {
        showError(port, msg::kHorsePairBad);
        return out;
      }
      append(t, pairCode(t, pick.first, pick.second), *stake);
      out.added = 1;
      break;
    }
    case InputMethod::Nagashi: {
      if (ticked.empty()) {
        showError(port, waku ? msg::kPartnerWaku : msg::kPartnerUma);
        return out;
      }
      for (int p : ticked) {
        if (count(t) >= cap) {
          port.message("確認", sjprintfUtf8(msg::kNagashiOverflow, cap), MsgIcon::Warning);
          out.overflow = true;
          break;
        }
        // A partner equal to the axis is a same-bracket pair for 枠連 and no ticket otherwise.
        if (!waku && p == pick.first) continue;
        append(t, pairCode(t, pick.first, p), *stake);
        ++out.added;
      }
      break;
    }
    case InputMethod::Box: {
      if (ticked.size() < 3) {
        showError(port, waku ? msg::kBoxWaku : msg::kBoxUma);
        return out;
      }
      for (std::size_t i = 0; i < ticked.size() && !out.overflow; ++i) {
        for (std::size_t j = i + 1; j < ticked.size(); ++j) {
          if (count(t) >= cap) {
            port.message("確認", sjprintfUtf8(msg::kBoxOverflow, cap), MsgIcon::Warning);
            out.overflow = true;
            break;
          }
          append(t, pairCode(t, ticked[i], ticked[j]), *stake);
          ++out.added;
        }
      }
      break;
    }
  }
  if (!keepsMoneyInRange(port, before)) return AddOutcome{0, true, false};
  out.refused = false;
  return out;
}

bool PurchaseBook::keepsMoneyInRange(UserPort& port, const RaceRecord& before) {
  const bool raceFits = raceMoneyFits(race_);
  if (raceFits && dayMoneyFits(race_, others_)) return true;
  race_ = before;
  showError(port, raceFits ? msg::kDayMoneyTooLarge : msg::kRaceMoneyTooLarge);
  return false;
}

bool PurchaseBook::remove(UserPort& port, BetType t, int line) {
  if (line < 0 || line >= count(t)) {
    showError(port, msg::kTicketSelect);
    return false;
  }
  Slots s = ticketSlots(race_, t);
  for (int i = line; i + 1 < s.capacity; ++i) {
    s.codes[i] = s.codes[i + 1];
    s.amounts[i] = s.amounts[i + 1];
  }
  s.codes[s.capacity - 1] = 0;
  s.amounts[s.capacity - 1] = 0;
  return true;
}

}  // namespace tovra
