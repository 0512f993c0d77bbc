#pragma once
// What the race window shows of 馬単, 3連複 and 3連単 beside the record's tickets: the
// race's lines with their hit and refund marks, the winning combinations and 特払, the
// scratched horses, and the figures of all eight types. Texts in UTF-8, rows cut to the
// width of the window's lists in Shift-JIS bytes; every figure is the one raceBets gave.
#include <string>
#include <vector>

#include "features/bets/race_figures.hpp"

namespace tovra {

// One row of a list: its text and the colour it takes.
struct BetsRowView {
  std::string text;
  bool hit = false;       // the hit colour
  bool refunded = false;  // the refund colour (a row of a line with refunded points, no hit)
  bool operator==(const BetsRowView&) const = default;
};

struct RaceBetsView {
  bool holdsBets = false;            // the store holds a line, result or scratch of the race
  std::vector<BetsRowView> lines;    // the lines, each over one or more rows
  std::vector<BetsRowView> results;  // winning combinations, 特払, scratched horses and frames
  // The 全式別 block: bought, refunded, purchase, return, rate, balance ("" rate: no purchase).
  std::string bought, refunded, purchase, ret, rate, balance;
  bool plus = false;  // the balance in the plus colour
};

// The race's view; rows at most `width` Shift-JIS bytes (a set list is cut after a comma
// or a blank and goes on indented on the next row).
RaceBetsView formatRaceBetsView(const RaceBets& bets, int width);

// Whether a line of the race bought the winning combination (a point not refunded).
bool winnerBought(const RaceBets& bets, const StoredWinner& winner);

// Text cut into rows of at most `width` Shift-JIS bytes, after a ',' or ' ' where it can;
// the rows after the first begin with `indent` blanks.
std::vector<std::string> wrapRows(const std::string& text, int width, int indent);

}  // namespace tovra
