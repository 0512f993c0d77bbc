#pragma once
// Bought tickets of one race: the rules of the purchase dialog, shared with the CLI.
// The book edits the ticket arrays of a race record in place (the dialog's copy of the
// day); the caller settles and writes the day on 登録 or drops the copy on ｷｬﾝｾﾙ. Each
// change gives back what the user is to be shown; the book shows nothing itself.
#include <optional>
#include <string>
#include <vector>

#include "domain/bet_types.hpp"
#include "domain/settlement.hpp"
#include "storage/outcome.hpp"

namespace tovra {

// How pair tickets are entered.
enum class InputMethod { Tsujo, Nagashi, Box };  // 通常, 流し, ﾎﾞｯｸｽ
const char* inputMethodName(InputMethod m);
std::optional<InputMethod> inputMethodFromText(const std::string& text);  // "通常"/"normal" ...

// What a pair page shows for an input method: group captions and which parts are usable.
// The check boxes are cleared on every change of method.
struct PairLayout {
  std::string group1Caption;
  bool group1Enabled;
  std::string group2Caption;
  bool group2Enabled;
  std::string checkCaption;
  bool checksEnabled;
  bool dashEnabled;  // the "－" label between the groups
};
PairLayout pairLayout(BetType t, InputMethod m);

// The picks of a pair page: group 1 (the axis of a 流し), group 2 and the ticked boxes.
struct PairPick {
  InputMethod method = InputMethod::Tsujo;
  int first = 1;
  int second = 1;
  std::vector<int> ticked;  // numbers 1..8 or 1..18, any order
};

struct AddOutcome {
  int added = 0;
  bool refused = false;   // nothing changed
  bool overflow = false;  // a 流し / ﾎﾞｯｸｽ stopped at the capacity; what was added stays
  // The boxes to show, in this order: the capacity warning of a 流し / ﾎﾞｯｸｽ, then the
  // refusal (a 流し that overflowed may still be refused as a whole by the money limits).
  std::vector<Refusal> messages;
};
// Shows the outcome's boxes in their order.
void showMessages(UserPort& port, const AddOutcome& out);

class PurchaseBook {
 public:
  // `others`: what the day's other races hold (otherRacesMoney), so that the day's totals
  // stay within the meeting record too; zero for a race looked at on its own.
  explicit PurchaseBook(RaceRecord& race, RaceMoney others = {0, 0}) : race_(race), others_(others) {}

  int count(BetType t) const;
  int capacity(BetType t) const;
  // "あと %d点"
  std::string remainingLabel(BetType t) const;
  // One line per stored ticket, in storage order (UTF-8).
  std::vector<std::string> lines(BetType t) const;

  // 単勝 or 複勝 on one horse; amount in units of 100 yen as typed.
  AddOutcome addSingle(BetType t, int horse, const std::string& amount);
  // 枠連, ﾜｲﾄﾞ or 馬連 by the pick's input method.
  AddOutcome addPairs(BetType t, const PairPick& pick, const std::string& amount);
  // Deletes list line `line` (0-based; -1 = nothing selected): later tickets move forward.
  Status remove(BetType t, int line);

 private:
  RaceRecord& race_;
  RaceMoney others_;
  void append(BetType t, int code, std::int32_t stake);
  // After tickets were added: true when the race's purchase and return, and the day's
  // totals with them, still fit the records; otherwise the race is put back as it was
  // `before` and the outcome refused with the reason.
  bool keepsMoneyInRange(AddOutcome& out, const RaceRecord& before);
};

}  // namespace tovra
