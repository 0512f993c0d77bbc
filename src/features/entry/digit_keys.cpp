#include "features/entry/digit_keys.hpp"

#include "storage/user_port.hpp"

namespace tovra {

bool digitKeyFilter(UserPort& port, char32_t key) {
  if ((key >= U'0' && key <= U'9') || key == 8) return true;
  port.beep();
  return false;
}

}  // namespace tovra
