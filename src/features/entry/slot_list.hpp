#pragma once
// The fixed lists of a race record (tickets and results of one bet type): a line taken out
// of a list, as the purchase and the result dialogs delete one.
#include "domain/bet_types.hpp"

namespace tovra {

// Takes out entry `line` (0 <= line < capacity): every later entry moves one place
// forward and the last place is cleared.
void removeSlotLine(Slots slots, int line);

}  // namespace tovra
