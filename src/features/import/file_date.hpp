#pragma once
// The date an outside file gives of itself, in its name or in its text, so that an
// automatic search never takes a file of another day (the same 回 and 日目 recur every
// year). Dates are read in the forms the files and their names use:
//  - names: eight digits YYYYMMDD, or YYYY-MM-DD / YYYY_MM_DD / YYYY.MM.DD, anywhere in the
//    name; six digits YYMMDD when the name holds no other digits;
//  - texts (CP932): "YYYY年M月D日" with half- or full-width digits (blanks allowed
//    between), or YYYY/MM/DD and YYYY.MM.DD.
// Only real calendar dates of the years 1950..2099 count.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "features/import/fields.hpp"

namespace tovra {

struct FileDate {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const FileDate&, const FileDate&) = default;
};

std::optional<FileDate> dateInFileName(std::string_view name);
std::optional<FileDate> dateInText(std::span<const std::uint8_t> cp932);

// Whether the date is another day than the meeting day shown (its year text and 月日).
bool isOtherDay(const FileDate& d, const MeetingKey& key);

// "2001年11月25日" (UTF-8).
std::string fileDateText(const FileDate& d);

}  // namespace tovra
