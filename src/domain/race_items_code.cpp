#include "domain/race_items_code.hpp"

namespace tovra {

namespace {

// Divisor and modulus of each field inside the code, in the order of ItemField.
struct DigitPlace {
  std::uint32_t div, mod;
};
constexpr DigitPlace kPlaces[kItemFields] = {
    {10000000, 1000}, {100000, 100}, {10000, 10}, {1000, 10}, {100, 10}, {10, 10}, {1, 10},
};

}  // namespace

int koumokuDigit(std::uint32_t code, ItemField f) {
  const DigitPlace& p = kPlaces[static_cast<int>(f)];
  return static_cast<int>((code / p.div) % p.mod);
}

std::uint32_t koumokuPlace(ItemField f) { return kPlaces[static_cast<int>(f)].div; }

}  // namespace tovra
