#pragma once
// JRA-VAN Data Lab files (JV-Data, the layout of today): fixed-length records of CP932
// text, each beginning with its two-letter kind and ending in CR LF. A file may hold many
// days and many kinds; this reads the kinds a meeting day needs (RA the race, SE a horse
// in it, HR its payouts) and WF (WIN5), and steps over the others by their length.
// Positions in the comments of the .cpp are 1-based as the record tables give them.
// Pure functions over the bytes given; nothing is read outside them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tovra {

// Record lengths, CR LF included.
inline constexpr std::size_t kJvRaLength = 1272;
inline constexpr std::size_t kJvSeLength = 555;
inline constexpr std::size_t kJvSeOldLength = 547;  // races before 2003-04-22
inline constexpr std::size_t kJvHrLength = 719;
inline constexpr std::size_t kJvWfLength = 7215;

// Dates (YYYYMMDD) at which the layouts changed.
inline constexpr int kJvSeLongFrom = 20030422;   // SE of 555 bytes
inline constexpr int kJvHrFlagsFrom = 20020615;  // HR 特払 and 返還 flags
inline constexpr int kJvTrifectaFrom = 20040814; // HR 3連単 payouts

// The race a record belongs to. course is the JyoCD 1 (札幌) .. 10 (小倉).
struct JvRaceId {
  int year = 0, monthDay = 0, course = 0, kai = 0, nichi = 0, race = 0;
  int date() const { return year * 10000 + monthDay; }
  bool operator==(const JvRaceId&) const = default;
};

// RA: the race.
struct JvRace {
  char dataKind = '0';
  JvRaceId id;
  std::string name;      // 競走名本題, CP932, trailing blanks removed
  char grade = ' ';      // グレードコード
  int typeCode = 0;      // 競走種別コード (11 2歳 .. 24)
  std::string mark;      // 競走記号コード, 3 characters: mark letter, sex code, third
  char weight = ' ';     // 重量種別コード
  std::array<int, 5> conditions{};  // 競走条件コード: 2歳, 3歳, 4歳, 5歳以上, youngest
  int distance = 0, track = 0, startTime = 0, registered = 0, starters = 0;
  int weather = 0, turfGoing = 0, dirtGoing = 0;
  bool operator==(const JvRace&) const = default;
};

// SE: a horse of the race.
struct JvRunner {
  char dataKind = '0';
  JvRaceId id;
  int frame = 0, horse = 0;
  std::string name;     // 馬名 as in the file (36 bytes, full width)
  int carried = 0;      // 負担重量 in tenths of a kilogram
  std::string jockey;   // 騎手名略称, trailing blanks removed
  int abnormality = 0;  // 1 出走取消 2 発走除外 3 競走除外 4 競走中止 5 失格 6 再騎乗 7 降着
  int position = 0;     // 確定着順
  bool deadHeat = false;
  int time = 0;         // m ss t
  std::string margin;   // 着差コード, 3 bytes
  bool operator==(const JvRunner&) const = default;
};

// The payout types of HR in the order of its blocks and flags.
enum class JvPayType { Win, Place, Bracket, Quinella, Wide, Reserved, Exacta, Trio, Trifecta };
inline constexpr std::size_t kJvPayTypes = 9;
inline constexpr std::size_t jvIndex(JvPayType t) { return static_cast<std::size_t>(t); }

// One payout: the horses (frames for 枠連) in the file's order, yen per 100 yen.
struct JvPay {
  std::array<int, 3> horses{};
  std::int64_t payout = 0;
  int popularity = 0;
  bool operator==(const JvPay&) const = default;
};

// HR: the payouts of a race.
struct JvPayouts {
  char dataKind = '0';  // 1 速報, 2 確定, 9 race cancelled, 0 deletion
  JvRaceId id;
  int starters = 0;
  std::array<bool, kJvPayTypes> failed{}, special{}, refund{};  // 不成立, 特払, 返還
  std::vector<int> refundedHorses;      // 返還馬番, ascending
  std::vector<int> refundedFrames;      // 返還枠番
  std::vector<int> refundedSameFrames;  // 返還同枠
  // The slots holding a combination, in the file's order (empty slots left out).
  std::array<std::vector<JvPay>, kJvPayTypes> pays;
  // The first slot's payout of a type whose 特払 flag is set (0 otherwise).
  std::array<std::int64_t, kJvPayTypes> specialPay{};
  bool operator==(const JvPayouts&) const = default;
};

// WF: the WIN5 of a day.
struct JvWin5Leg {
  int course = 0, kai = 0, nichi = 0, race = 0;
  bool operator==(const JvWin5Leg&) const = default;
};
struct JvWin5Pay {
  std::array<int, 5> horses{};
  std::int64_t payout = 0;
  std::int64_t votes = 0;
  bool operator==(const JvWin5Pay&) const = default;
};
struct JvWin5 {
  char dataKind = '0';
  int year = 0, month = 0, day = 0;
  std::array<JvWin5Leg, 5> legs{};
  std::int64_t sold = 0;                // 重勝式発売票数
  std::array<std::int64_t, 5> valid{};  // 有効票数 per leg
  bool refund = false, failed = false, noWinner = false;
  std::int64_t carryStart = 0, carryBalance = 0;
  std::vector<JvWin5Pay> pays;  // slots with a combination
  bool operator==(const JvWin5&) const = default;
};

// The parsers of one record; each needs at least its record's length of bytes (SE: the
// older length) and returns nothing when given fewer.
std::optional<JvRace> parseJvRace(std::span<const std::uint8_t> rec);
std::optional<JvRunner> parseJvRunner(std::span<const std::uint8_t> rec);
std::optional<JvPayouts> parseJvPayouts(std::span<const std::uint8_t> rec);
std::optional<JvWin5> parseJvWin5(std::span<const std::uint8_t> rec);

// The length of the record starting at `rec` (its kind read from the first two bytes),
// or 0 for a kind whose length is not known. SE takes the length at whose end its CR LF
// stands (the older one for races before 2003-04-22 when neither does).
std::size_t jvRecordLength(std::span<const std::uint8_t> rec);

// Why a scan stopped: a record of a kind of unknown length, a record cut by the end of
// the file, or one without CR LF at its end.
struct JvScanFault {
  enum class Kind { Unknown, Cut, NoLineEnd } kind = Kind::Unknown;
  std::uint64_t offset = 0;  // of the record, 0-based
  std::size_t record = 0;    // 1-based
  std::string recordKind;    // its first two bytes, as they are
};

// Which records a scan keeps: those of one date and course (0 for all).
struct JvDayFilter {
  int date = 0;    // YYYYMMDD
  int course = 0;  // JyoCD 1..10
};

// The records kept, in file order.
struct JvDayRecords {
  std::vector<JvRace> races;
  std::vector<JvRunner> runners;
  std::vector<JvPayouts> payouts;
  std::vector<JvWin5> win5;  // of the filter's date (any course)
  std::size_t records = 0;   // every record of the file
};

struct JvScan {
  JvDayRecords day;
  std::optional<JvScanFault> fault;  // set: the records read before it are not to be used
};
JvScan scanJvData(std::span<const std::uint8_t> data, const JvDayFilter& filter);

}  // namespace tovra
