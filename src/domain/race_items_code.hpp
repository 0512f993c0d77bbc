#pragma once
// The race items code of a race record (RaceRecord::koumoku): seven 1-based choices packed
// as decimal digits,
//   age * 10000000 + class * 100000 + kind * 10000 + sex * 1000 + weight * 100 + track * 10 + going;
// class takes two digits (1..13). 0 everywhere while no items are entered. Entry, the
// race window, the tallies, searches and imports read the digits through this header.
#include <cstdint>

namespace tovra {

enum class ItemField { Age, Class, Kind, Sex, Weight, Track, Going };
inline constexpr int kItemFields = 7;

// The stored digit (class: two digits) of one field.
int koumokuDigit(std::uint32_t code, ItemField f);
// The place value of a field's lowest digit in the code (10000000 for the age ...).
std::uint32_t koumokuPlace(ItemField f);

}  // namespace tovra
