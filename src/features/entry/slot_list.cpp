#include "features/entry/slot_list.hpp"

namespace tovra {

void removeSlotLine(Slots s, int line) {
  if (line < 0 || line >= s.capacity) return;
  for (int i = line; i + 1 < s.capacity; ++i) {
    s.codes[i] = s.codes[i + 1];
    s.amounts[i] = s.amounts[i + 1];
  }
  s.codes[s.capacity - 1] = 0;
  s.amounts[s.capacity - 1] = 0;
}

}  // namespace tovra
