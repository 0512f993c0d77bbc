#pragma once
// The income and expense tally (収支集計): per course and per month or meeting number
// (回次), the purchase, balance, recovery rate and hit rate, over every registered year,
// one year, or one day of the current year. Its result is the work file tmp/shushi.tmp,
// which the result window, saving and printing read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "features/tally/tally_common.hpp"
#include "features/tally/tally_filter.hpp"
#include "features/tally/type_tally.hpp"
#include "storage/records.hpp"

namespace tovra {
class BetStore;
}  // namespace tovra

namespace tovra::tally {

// Tally modes: rows by month or by meeting number, over all years or one year; or one day.
enum ShushiMode : std::int32_t {
  kShushiAllByMonth = 0,
  kShushiAllByKai = 1,
  kShushiYearByMonth = 2,
  kShushiYearByKai = 3,
  kShushiDay = 5,
};
bool shushiModeValid(int mode);

inline constexpr const char* kShushiWorkFile = "tmp/shushi.tmp";

// tmp/shushi.tmp: four 13 x 11 tables stored row by row (rows 0-11 month or meeting
// number, row 12 their sum; columns 0-9 the courses, column 10 their sum), then the
// selection value, the mode and the time stamp.
namespace shushi_off {
inline constexpr std::size_t kounyu = 0, shushi = 572, kaishu = 1144, tekichu = 1716, selection = 2288, mode = 2292,
                             timeStamp = 2296, end = 2360;
}

struct ShushiResult {
  static constexpr std::size_t kFileSize = 2360;
  static constexpr int kRows = 13, kCols = 11, kCells = kRows * kCols;
  static constexpr int kSumRow = 12, kSumCol = 10;
  static int cell(int row, int col) { return row * kCols + col; }

  std::int32_t kounyu[kCells] = {};  // purchase, yen
  std::int32_t shushi[kCells] = {};  // balance, yen; return = purchase + balance
  float kaishu[kCells] = {};         // recovery rate, percent (0 where the purchase is 0)
  float tekichu[kCells] = {};        // hit rate, percent (0 where the purchase is 0)
  std::int32_t selection = 0;        // year position (modes 2, 3), month * 100 + day (mode 5), else 0
  std::int32_t mode = 0;
  char timeStamp[kStampSize] = {};  // CP932

  std::vector<std::uint8_t> encode() const;
  // Exactly kFileSize bytes are read.
  static ShushiResult decode(const std::uint8_t* in);
};

// The dialog's choice as a mode and selection: range 0 "登録済全ﾃﾞｰﾀ", 1 "年次指定" (the
// year at `yearPosition` of the year list), 2 "月日指定" (month 1-12 and day 1-31 of the
// current year, whatever the rows); byKai chooses "回次別" rows over "月別".
struct ShushiChoice {
  int mode = kShushiAllByMonth;
  int selection = 0;
};
ShushiChoice shushiChoice(int range, bool byKai, int yearPosition, int month, int day);
// The month and day the dialog offers first: the meeting day the main window shows, or
// 1/1 when it shows none (nullptr) or one without a valid date.
std::pair<int, int> shushiFirstDay(const KaisaiRecord* shown);

// What one meeting day adds to its cell: the day's totals and its bought and hit races.
struct ShushiDay {
  std::int64_t purchase = 0;  // kounyuGaku[12]
  std::int64_t balance = 0;   // shushi[12]
  int bought = 0;             // races whose state's units digit is 2
  int hits = 0;               // races whose state's tens digit is 1
};
ShushiDay shushiDay(const KaisaiRecord& k);

// The counting of the tally, for the tally itself and for other readers of the same
// figures (the charts): meeting days are added one at a time, in any order, and finish()
// sums rows and columns and computes the rates as the tally does.
class ShushiCounter {
 public:
  // The filter as tally_filter.hpp says: a filter without every record type needs the
  // races of each day (addDay's `races`).
  ShushiCounter(int mode, int selection, const TallyFilter& filter = {});
  // A meeting day of course c (0-9); it lands in the row its mode gives, or nowhere.
  void addDay(int c, const KaisaiRecord& k, const RaceBlock* races = nullptr);
  // The result with its sums and rates; the time stamp is the caller's.
  ShushiResult finish() const;

 private:
  int mode_, selection_;
  TallyFilter filter_;
  std::int64_t kounyu_[ShushiResult::kCells] = {};
  std::int64_t shushi_[ShushiResult::kCells] = {};
  std::int64_t bought_[ShushiResult::kCells] = {};
  std::int64_t hits_[ShushiResult::kCells] = {};
};

// The years a mode and selection cover (mode 5: the current year); nullopt for an
// unknown mode or a year position that holds no year.
std::optional<TallyRange> shushiRange(const NenjiTable& nenji, int currentYear, int mode, int selection);

// Runs the tally over the ledger (no file is written). selection: the year position in the
// year list for modes 2 and 3, month * 100 + day of `currentYear` (the year the main
// window shows) for mode 5.
ShushiResult computeShushi(DataStore& ds, UserPort& port, int mode, int selection, int currentYear,
                           const Clock& clock = localNow, const TallyFilter& filter = {});
// computeShushi, then tmp/shushi.tmp. False (after a message) when the file cannot be written.
bool runShushiTally(DataStore& ds, UserPort& port, int mode, int selection, int currentYear,
                    const Clock& clock = localNow);
// The tally with its filter and the figures of every type: tmp/shushi.tmp as above (with
// the filter applied to the record types it counts), then tmp/shushisk.tmp with the same
// time stamp, the range's figures per type slot and course (the day of mode 5 alone).
// With every type and course chosen tmp/shushi.tmp is byte for byte what runShushiTally
// writes. A store that cannot be used gives its message and no tmp/shushisk.tmp (the old
// one is removed); false only when tmp/shushi.tmp cannot be written.
bool runShushiTally(DataStore& ds, BetStore& bets, UserPort& port, int mode, int selection, int currentYear,
                    const TallyFilter& filter, const Clock& clock = localNow);
// The years and day the type figures of a mode cover (see runShushiTally).
Result<TypeTallyResult> shushiTypeTally(DataStore& ds, BetStore& bets, int mode, int selection, int currentYear,
                                        const TallyFilter& filter);
// The work file; nullopt when it is missing or shorter than 2360 bytes.
std::optional<ShushiResult> readShushiFile(DataStore& ds);

// What the result window shows at scroll position 0-12 (0 = all rows, a = row a - 1):
// per panel triple the purchase line or "         0円", the balance or "  ", the hit rate or
// "  ", and whether the balance takes the positive-balance colour.
struct ShushiView {
  std::string heading;                         // MainPanel
  std::string timeStamp;                       // TimeLabel
  std::array<CellView, kCourseCount> courses;  // KouPanel1-10, ShuPanel1-10, TekiPanel1-10
  bool goukeiVisible = false;                  // the "合計" row, hidden at position 0
  CellView goukei;                             // panels 11: the row's all-course sum
  CellView zenjou;                             // panels 12: "全場合計", the grand total
  bool scrollEnabled = true;                   // off for a one-day tally
  // The type figures (tmp/shushisk.tmp), when a tally of all types wrote them.
  bool typesShown = false;
  std::string typesCaption;  // "全式別" or "選択式別"
  std::string typesFilter;   // TallyFilter::text(), and the rows covered
  CellView types;            // purchase (bought less refunded), 回収率, return; balance; hit rate
  std::string typesBought;   // "%10ld円" of bought, and of refunded (返還)
  std::string typesRefunded;
  // WIN5's own row below them (its figures are in the types' too), when WIN5 was chosen
  // and bought in the range: the same panels, its bought and refunded apart.
  bool win5Shown = false;
  CellView win5;
  std::string win5Bought, win5Refunded;
};
// The type block of the view from the type work file that goes with the result.
void setTypeBlock(ShushiView& v, const TypeTallyResult& t);
// nenji gives the year of modes 2 and 3; currentYear the year of mode 5.
ShushiView shushiView(const ShushiResult& r, int position, const NenjiTable& nenji, const std::string& currentYear);
// The view as lines of text (heading, time stamp, column headings, one row per course).
std::vector<std::string> shushiLines(const ShushiView& v);

}  // namespace tovra::tally
