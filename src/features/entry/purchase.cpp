#include "features/entry/purchase.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

#include "domain/money_text.hpp"
#include "domain/settlement.hpp"
#include "features/entry/amount_field.hpp"
#include "features/entry/entry_messages.hpp"
#include "features/entry/slot_list.hpp"
#include "storage/text.hpp"

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

namespace {

AddOutcome refusedWith(const std::string& text) {
  AddOutcome out;
  out.refused = true;
  out.messages.push_back(Refusal{MsgIcon::Error, text});
  return out;
}

}  // namespace

void showMessages(UserPort& port, const AddOutcome& out) {
  for (const Refusal& m : out.messages) showRefusal(port, m);
}

AddOutcome PurchaseBook::addSingle(BetType t, int horse, const std::string& amount) {
  if (count(t) >= capacity(t)) return refusedWith(sjprintfUtf8(msg::kTicketLimit, capacity(t)));
  const auto stake = readStake(amount);
  if (!stake) return refusedWith(stake.refusal().text);
  if (horse < 1 || horse > 18) return refusedWith(msg::kHorseRange);
  const RaceRecord before = race_;
  append(t, horse, *stake);
  AddOutcome out;
  if (!keepsMoneyInRange(out, before)) return out;
  out.added = 1;
  return out;
}

AddOutcome PurchaseBook::addPairs(BetType t, const PairPick& pick, const std::string& amount) {
  const int cap = capacity(t);
  const bool waku = t == BetType::Waku;
  if (count(t) >= cap) return refusedWith(sjprintfUtf8(msg::kTicketLimit, cap));
  const auto stake = readStake(amount);
  if (!stake) return refusedWith(stake.refusal().text);

  // Picks outside the groups can only come from the command line.
  const int top = maxPick(t);
  auto inRange = [top](int v) { return v >= 1 && v <= top; };
  bool picksOk = true;
  if (pick.method != InputMethod::Box) picksOk = inRange(pick.first);
  if (pick.method == InputMethod::Tsujo) picksOk = picksOk && inRange(pick.second);
  if (pick.method != InputMethod::Tsujo)
    for (int p : pick.ticked) picksOk = picksOk && inRange(p);
  if (!picksOk) return refusedWith(waku ? msg::kWakuRange : msg::kHorseRange);
  std::vector<int> ticked = pick.ticked;
  std::sort(ticked.begin(), ticked.end());
  ticked.erase(std::unique(ticked.begin(), ticked.end()), ticked.end());

  const RaceRecord before = race_;
  AddOutcome out;
  auto overflowed = [&](const char* text) {
    out.messages.push_back(Refusal{MsgIcon::Warning, sjprintfUtf8(text, cap)});
    out.overflow = true;
  };
  switch (pick.method) {
    case InputMethod::Tsujo: {
      if (!waku && pick.first == pick.second) return refusedWith(msg::kHorsePairBad);
      append(t, pairCode(t, pick.first, pick.second), *stake);
      out.added = 1;
      break;
    }
    case InputMethod::Nagashi: {
      if (ticked.empty()) return refusedWith(waku ? msg::kPartnerWaku : msg::kPartnerUma);
      for (int p : ticked) {
        if (count(t) >= cap) {
          overflowed(msg::kNagashiOverflow);
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
      if (ticked.size() < 3) return refusedWith(waku ? msg::kBoxWaku : msg::kBoxUma);
      for (std::size_t i = 0; i < ticked.size() && !out.overflow; ++i) {
        for (std::size_t j = i + 1; j < ticked.size(); ++j) {
          if (count(t) >= cap) {
            overflowed(msg::kBoxOverflow);
            break;
          }
          append(t, pairCode(t, ticked[i], ticked[j]), *stake);
          ++out.added;
        }
      }
      break;
    }
  }
  keepsMoneyInRange(out, before);
  return out;
}

bool PurchaseBook::keepsMoneyInRange(AddOutcome& out, const RaceRecord& before) {
  const bool raceFits = raceMoneyFits(race_);
  if (raceFits && dayMoneyFits(race_, others_)) return true;
  race_ = before;
  out.added = 0;
  out.refused = true;
  out.overflow = false;
  out.messages.push_back(Refusal{MsgIcon::Error, raceFits ? msg::kDayMoneyTooLarge : msg::kRaceMoneyTooLarge});
  return false;
}

Status PurchaseBook::remove(BetType t, int line) {
  if (line < 0 || line >= count(t)) return Refusal{MsgIcon::Error, msg::kTicketSelect};
  removeSlotLine(ticketSlots(race_, t), line);
  return Done{};
}

}  // namespace tovra
