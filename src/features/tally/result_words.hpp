#pragma once
// What a tally result covers, in a few words read from the result itself: its range
// ("全年" or "2001年"), its rows ("月別", "回次別" or one day), the rank kind, the
// conditions. The saved results dialog describes each saved copy with them and the CSV
// file names are made of them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/tally/result_files.hpp"
#include "storage/records.hpp"

namespace tovra::tally {

// The bytes of a kind's record that the words come from, [first, end): a reader of an
// archive needs no more of each copy.
struct ByteSpan {
  std::size_t first = 0, end = 0;
};
ByteSpan resultWordsSpan(TallyKind kind);

// The words of a result (UTF-8). `record` holds the kind's record; only resultWordsSpan(kind)
// of it is read. `nenji` gives the year of a one-year income tally (its record keeps the
// year's position in the list); `dayYear` the year of a one-day income tally (its record
// keeps only month and day), empty when not known. Empty when the bytes hold no result of
// the kind (an unknown mode or kind code).
std::vector<std::string> resultWords(TallyKind kind, const std::uint8_t* record, const NenjiTable& nenji,
                                     const std::string& dayYear = {});

// The words joined by `separator`.
std::string joinWords(const std::vector<std::string>& words, const std::string& separator);

}  // namespace tovra::tally
