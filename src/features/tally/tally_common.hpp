#pragma once
// What every tally shares: the range of years it covers, the one pass over the meeting
// (and race) files of that range, the time stamp, the money and rate texts of the result
// windows, and the work files in tmp/ that hold each result.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "domain/money_text.hpp"
#include "storage/records.hpp"

namespace tovra {
class DataStore;
class UserPort;
}  // namespace tovra

namespace tovra::tally {

// ---------------------------------------------------------------- range

// Every registered year (year-list order: newest first, up to the first empty slot)
// or one year.
struct TallyRange {
  bool allYears = true;
  int year = 0;  // the one year when !allYears
  static TallyRange all() { return {true, 0}; }
  static TallyRange oneYear(int y) { return {false, y}; }
};

// The range of a tally's choice: every registered year, or the year at `position` of the
// year list; nullopt when that position holds no year.
std::optional<TallyRange> yearRange(const NenjiTable& nenji, bool oneYear, int position);
// The years a range covers, in scan order.
std::vector<int> rangeYears(const NenjiTable& nenji, const TallyRange& range);
// Position of a year in the year list (slots 0-19 up to the first 0), or -1.
int yearPosition(const NenjiTable& nenji, int year);
// The year at a position of the year list, or 0 when the position holds none.
int yearAt(const NenjiTable& nenji, int position);

// ---------------------------------------------------------------- scan

// One meeting day as a tally's visitor sees it.
struct ScanDay {
  int year;
  const std::string& yearText;  // "%d" of the year: what the work files store
  int course;                   // 0-9
  std::size_t index;            // meeting index in the course's file
  const KaisaiRecord& kaisai;
  const RaceBlock* races;  // its twelve races, or nullptr when the scan skips race files
};

struct ScanOptions {
  std::string waitText;    // the wait popup's text (UTF-8)
  bool readRaces = false;  // per-race tallies read each course's race file too
};

// Scans the years (in the order given): for each course 0-9 (one progress step per course,
// the bar restarting for every year), every meeting record of the course file up to the
// all-zero record or the end of the file, each file read once. Shows the wait popup and
// the busy pointer meanwhile; reads the ledger by key and never touches what the main
// window shows. Returns the year text of the last year scanned (empty when there is
// none). A file that cannot be opened is the fatal file error: 3 for a meeting file, 5
// for a race file.
std::string scanLedger(DataStore& ds, UserPort& port, const std::vector<int>& years, const ScanOptions& options,
                       const std::function<void(const ScanDay&)>& visit);

// ---------------------------------------------------------------- time stamp

struct StampTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
// Tallies take the local time through a clock so that tests can fix it.
using Clock = std::function<StampTime()>;
StampTime localNow();

inline constexpr std::size_t kStampSize = 64;
// "集計日時    %d年%2d月%2d日%2d時%2d分" in CP932.
std::string timeStampCp932(const StampTime& t);
// A result's time stamp as the work files hold it: the text, NUL-filled.
void putTimeStamp(char (&stamp)[kStampSize], const StampTime& t);

// ---------------------------------------------------------------- rates

// a ÷ b × 100, both taken as unsigned 32-bit values, computed in double precision and
// stored as a 32-bit float; 0 when b is 0.
float unsignedRate(std::uint32_t a, std::uint32_t b);
// (float)ret ÷ (float)purchase × 100 in single precision; 0 when the purchase is 0.
float floatRate(std::int64_t ret, std::int32_t purchase);

// ---------------------------------------------------------------- texts (UTF-8)

// What the other panels of a cell without purchase show.
inline constexpr const char* kBlankPanel = "  ";
// The three panels of a result row as the tally windows show them.
struct CellView {
  std::string kou;    // purchase / recovery rate / return, or kZeroYen
  std::string shu;    // balance, or kBlankPanel
  std::string teki;   // hit rate, or kBlankPanel
  bool plus = false;  // the balance is shown in the positive-balance colour (balance >= 1)
};
// A row with something bought: moneyRateLine, yenText(balance) and the given hit-rate text.
CellView moneyCell(std::int64_t purchase, double rate, std::int64_t balance, const std::string& teki);
// A row with nothing bought: kZeroYen and two blank panels.
CellView emptyCell();
// Course name by index ("札幌" ... "小倉"), UTF-8; empty outside 0-9.
std::string courseName(int course);

// ---------------------------------------------------------------- work files

// Rewrites tmp/<name> whole. When it cannot be written, shows an error and returns false.
bool writeWorkFile(DataStore& ds, UserPort& port, const std::string& logical, const std::vector<std::uint8_t>& bytes);
// Reads the first n bytes of a work file; nullopt when it is missing or shorter.
std::optional<std::vector<std::uint8_t>> readWorkFile(DataStore& ds, const std::string& logical, std::size_t n);

// A result that encodes into R::kSize bytes (encode(out)) and decodes from a work file or
// a saved copy of it (decode(in, size), false when that is too short to hold it).
template <class R>
bool writeResultFile(DataStore& ds, UserPort& port, const std::string& logical, const R& r) {
  std::vector<std::uint8_t> bytes(R::kSize);
  r.encode(bytes.data());
  return writeWorkFile(ds, port, logical, bytes);
}
// Decodes the first n bytes of the work file; nullopt when it is missing or shorter.
template <class R>
std::optional<R> readResultFile(DataStore& ds, const std::string& logical, std::size_t n) {
  auto data = readWorkFile(ds, logical, n);
  if (!data) return std::nullopt;
  R r;
  if (!r.decode(data->data(), data->size())) return std::nullopt;
  return r;
}

}  // namespace tovra::tally
