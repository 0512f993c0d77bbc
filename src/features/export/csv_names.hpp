#pragma once
// The file names the ｢CSV保存｣ buttons propose: what the file holds, word by word, joined
// by "_": the kind, the range ("全年" or "2001年"), then the rows, the course shown, the
// conditions or the searched text ("収支集計_全年_月別.csv", "項目集計_2020年_東京.csv",
// "ﾚｰｽ名検索_全年_ダービー.csv"). UTF-8.
#include <cstdint>
#include <string>
#include <vector>

#include "features/tally/result_files.hpp"
#include "storage/records.hpp"

namespace tovra::exports {

// "<kind>_<word>_<word>.csv": blanks are left out of every word, and the characters that
// cannot stand in a file name on every system (/ \ : * ? " < > | and control characters)
// become "_"; words that end up empty are skipped.
std::string csvFileName(const std::string& kind, const std::vector<std::string>& words);

// A tally's table from its record (the work file's bytes): the tally's title, then its words
// (features/tally/result_words.hpp), then the course the window shows (0-9; any other value: none).
// dayYear: the year a one-day income tally is of (the window's current year).
std::string tallyCsvFileName(tally::TallyKind kind, const std::uint8_t* record, const NenjiTable& nenji,
                             const std::string& dayYear, int course);

// The searched text goes into a name only up to this many CP932 bytes.
inline constexpr std::size_t kCsvNameTextBytes = 20;

// The last search's list from the title and summary the result list shows (UTF-8):
// the kind without "終了", the range, "的中ﾚｰｽのみ" when so, and the searched name, grade
// or payout range when it is short.
std::string searchCsvFileName(const std::string& title, const std::string& summary);

}  // namespace tovra::exports
