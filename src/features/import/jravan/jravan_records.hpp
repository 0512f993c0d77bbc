#pragma once
// The JRA-VAN data files: fixed-length records of Shift-JIS text, one race each, in two
// layouts (older, newer "新仕様") and two kinds (出馬表 race card, 成績 results). This
// reads the records of the displayed meeting into the day in memory; it never reads
// outside the whole records it is given.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "features/import/fields.hpp"
#include "features/import/race_codes.hpp"
#include "storage/records.hpp"

namespace tovra {

enum class JravanKind { Card = 0, Result = 1 };  // 出馬表, 成績

struct JravanFormat {
  JravanKind kind = JravanKind::Card;
  bool newer = true;  // the check box "新仕様"
  // 584 / 1323 (older), 1463 / 3048 (newer).
  std::size_t recordLength() const;
};

// At most this many records of a file are examined.
inline constexpr std::size_t kJravanMaxRecords = 36;

// Whether one record belongs to the displayed meeting.
bool jravanRecordMatches(const std::uint8_t* rec, const JravanFormat& f, const MeetingKey& key);
// Whether a file's size fits the format and one of its first 36 records matches.
// The date of the day's records as "2001年11月25日" (UTF-8): the newer layout writes the
// year and date, the older one only the year ("2001年"); "" without a record of the day.
std::string jravanDateText(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key);
bool jravanFileMatches(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key);

// The race items code of one record (what the file says; going 1 for a race card).
std::uint32_t jravanKoumoku(const std::uint8_t* rec, const JravanFormat& f);

// Reads records 0..35 of `data` (whole records only) into the day: for each matching
// record with a race number 1..12, the items, distance and race name, for 成績 the
// results and payouts, in the newer layout the runners and the first five finishers.
// Returns the race numbers taken, in file order.
std::vector<int> readJravanRecords(std::span<const std::uint8_t> data, const JravanFormat& f, const MeetingKey& key,
                                   KaisaiRecord& kaisai, RaceBlock& races);

// " %2dR" per race taken, at most 200 bytes.
std::string jravanRaceText(const std::vector<int>& races);

// The older layout's check: going through 1R.. until the first race without items, the
// first race one of whose seven item digits is 0 (1-based); 0 when there is none.
int jravanItemsFault(const RaceBlock& races);

}  // namespace tovra
