#pragma once
// The official result of one race: winning numbers and payouts per bet type, the rules
// of the result dialog shared with the CLI. The book edits a race record in place (the
// dialog's copy of the day) and gives back its refusals; it shows nothing itself. Codes
// are stored plain; the hit markers are the settlement's business.
#include <string>
#include <vector>

#include "domain/bet_types.hpp"
#include "domain/settlement.hpp"
#include "storage/outcome.hpp"

namespace tovra {

class ResultBook {
 public:
  // `others`: what the day's other races hold (otherRacesMoney); zero for a race looked at
  // on its own.
  explicit ResultBook(RaceRecord& race, RaceMoney others = {0, 0}) : race_(race), others_(others) {}

  int count(BetType t) const;
  int capacity(BetType t) const;  // 2, 4, 2, 6, 2
  // One line per stored result, codes without their hit marker (UTF-8).
  std::vector<std::string> lines(BetType t) const;

  // Adds a result: for 単勝 and 複勝 `a` is the horse, for pairs a and b are the two picks.
  // The payout is typed in units of 10 yen. A refusal changes nothing.
  Status add(BetType t, int a, int b, const std::string& amount);
  // Deletes list line `line` (0-based; -1 = nothing selected): later results move forward.
  Status remove(BetType t, int line);

 private:
  RaceRecord& race_;
  RaceMoney others_;
};

}  // namespace tovra
