#pragma once
// The files a search leaves in tmp/: the result list (one 96-byte record per hit, in
// scan order), its title and summary (512 bytes), and the two history lists of the
// name searches (10 entries of 64 bytes, most recent first).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::search {

inline constexpr const char* kKekaFile = "tmp/kensakukeka.tmp";
inline constexpr const char* kTextFile = "tmp/kensakutext.tmp";
inline constexpr const char* kRaceHistoryFile = "tmp/kensakurace.tmp";
inline constexpr const char* kBameiHistoryFile = "tmp/kensakubaname.tmp";
// Beside the result list of a payout search: which payout each record stands for.
inline constexpr const char* kHaitouFile = "tmp/kensakuhaitou.tmp";

// One hit: where the race is and what the list shows of it.
struct KekaRecord {
  static constexpr std::size_t kSize = 96;
  std::int32_t course = 0;   // 0-9
  std::int32_t meeting = 0;  // index in the course's meeting file of the year
  std::int32_t race = 0;     // 0-11
  char name[61] = {};        // CP932, NUL-terminated: the finisher's or the race's name
  char yearText[7] = {};     // "2001"
  std::int32_t month = 0, day = 0, kai = 0, nichi = 0;

  void encode(std::uint8_t* out) const;  // kSize bytes
  void decode(const std::uint8_t* in);
};

// The payout a record of a payout search stands for, record for record in the same order
// (8 bytes: the payout slot 0-15 of the race, 複勝 4, 単勝 2, 枠連 2, 馬連 2, ﾜｲﾄﾞ 6, and the
// payout in yen per 100 yen; slots 16, 17, 18 are 馬単, 3連複, 3連単 of the bet store, up to
// 999,999,999 yen). Two payouts of one race give two records that differ only here.
struct HaitouNote {
  static constexpr std::size_t kSize = 8;
  std::int32_t slot = 0;
  std::int32_t payout = 0;

  void encode(std::uint8_t* out) const;
  void decode(const std::uint8_t* in);
  // The bet type of the slot ("単勝", UTF-8); "" for a slot out of range.
  const char* betName() const;
};

// Title and summary of the last search (CP932 texts).
struct KekaText {
  static constexpr std::size_t kSize = 512;
  static constexpr std::size_t kPart = 256;
  std::string title, summary;

  void encode(std::uint8_t* out) const;  // each part cut to 255 bytes, NUL-filled
  void decode(const std::uint8_t* in);
};

// The history of one name search, kept byte for byte as read so that moving the entries
// down leaves them exactly as they were.
struct History {
  static constexpr int kEntries = 10;
  static constexpr std::size_t kEntrySize = 64;
  static constexpr std::size_t kSize = kEntries * kEntrySize;
  std::array<std::uint8_t, kSize> bytes{};

  // From a file's bytes: a missing or short file counts as empty entries.
  static History fromBytes(const std::vector<std::uint8_t>& data);
  // The texts up to the first empty entry (CP932).
  std::vector<std::string> texts() const;
  // Entries 1-9 move down to 2-10 (the 10th is dropped) and the text becomes entry 1.
  void push(const std::string& cp932);
};

const char* historyFile(bool raceName);
History readHistory(DataStore& ds, bool raceName);
// Rewrites the history file whole. False (after a message) when it cannot be written.
bool writeHistory(DataStore& ds, UserPort& port, bool raceName, const History& h);

// The title and summary of the last search; nullopt when the file is missing or short.
std::optional<KekaText> readKekaText(DataStore& ds);
// Record `index` of the result file; nullopt when the file holds no such record.
std::optional<KekaRecord> readKekaRecord(DataStore& ds, std::size_t index);

// What a search could not write: shown as an error naming the file.
void reportWriteFailure(UserPort& port, const std::string& logical);

}  // namespace tovra::search
