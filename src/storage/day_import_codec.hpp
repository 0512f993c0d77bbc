#pragma once
// An import's rows of the bet store as the text an intent keeps them in until the day's
// records are written: numbers separated by single spaces, receipts as "length:bytes".
// Decoding reads only what it is given and refuses anything it did not write.
#include <optional>
#include <string>
#include <string_view>

#include "storage/bet_store.hpp"

namespace tovra {

std::string encodeDayImport(const DayImport& import);
std::optional<DayImport> decodeDayImport(std::string_view text);

}  // namespace tovra
