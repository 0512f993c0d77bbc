#pragma once
// The bar charts of 回収率 and 的中率: per course, per bet type and per month. Each takes
// its bars from a tally's result, row by row as the tally window shows them.
#include <optional>
#include <string>
#include <vector>

#include "features/export/type_rates.hpp"
#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/rank_tally.hpp"
#include "features/tally/result_files.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_figures.hpp"

namespace tovra::exports {

// The kinds of chart, in the order of the chart window's tabs.
enum class ChartKind { Balance = 0, Course = 1, BetType = 2, Month = 3 };
inline constexpr int kChartKinds = 4;
// "累計収支", "競馬場別", "馬券式別", "月別".
const char* chartKindName(ChartKind kind);
// The command-line names: "balance", "course", "bettype", "month".
const char* chartKindKey(ChartKind kind);

struct RateChart {
  std::string title;                      // names the tally and its range
  std::vector<tally::TallyFigures> bars;  // one group of two bars each
  // 馬券式別 over all eight types: what each bar's tickets had refunded (empty otherwise).
  std::vector<std::int64_t> refunded;
};

// 収支集計: the ten courses and 全場 of row `row` (12: all months or 回次).
RateChart courseRates(const tally::ShushiResult& r, const std::string& rangeText,
                      int row = tally::ShushiResult::kSumRow);
// 収支集計: the twelve months (or 回次), all courses; a one-day tally gives its day.
RateChart monthRates(const tally::ShushiResult& r, const std::string& rangeText);
// 項目集計: the five bet types of row n (course 0-9, 10 all courses).
RateChart betTypeRates(const tally::KoumokuResult& r, int n = tally::kAllCoursesRow);
// The eight bet types (those `types` holds) from their figures over a range: purchase =
// bought - refunded, 的中率 = hit races / races bought, both blank for a type not bought.
RateChart allTypeRates(const TypeRates& rates, const ChartTypes& types, const std::string& rangeText,
                       int course = tally::kAllCoursesRow);
// The five types' chart of the item tally (betTypeRates) with only the types `types` holds.
RateChart onlyTypes(RateChart fiveTypes, const ChartTypes& types);
// 条件集計: the ten courses, 合計 and 総合合計, titled with the conditions.
RateChart courseRates(const tally::JyokenResult& r);

// "全データ" or "2001年".
std::string rangeText(const tally::TallyRange& range);

// What the chart window shows: a range of years, and the tally results its bars come from
// where a tally window gave one (the others are counted over the range when needed).
struct ChartRequest {
  tally::TallyRange range = tally::TallyRange::all();
  ChartKind first = ChartKind::Balance;  // the tab shown first
  std::optional<tally::ShushiResult> shushi;
  int shushiRow = tally::ShushiResult::kSumRow;  // the row of `shushi` the course chart shows
  std::optional<tally::KoumokuResult> koumoku;
  int koumokuCourse = tally::kAllCoursesRow;
  std::optional<tally::JyokenResult> jyoken;
  // 馬券式別: the types shown, and the range's figures of all eight types when the store
  // adds to the five (a new type bought or a ticket refunded), counted on first need.
  ChartTypes types = ChartTypes::every();
  bool allTypesCounted = false;
  std::optional<TypeRates> allTypes;
};

// The request of a tally window: the range of the result it shows (all years when that
// year is no longer registered), the result itself for the charts it can fill, and the
// chart that fits it first (収支 and 条件: per course, 項目: per bet type, RANK: the balance).
// For 収支集計 the course chart shows `row` (0-11, 12 all months or 回次), the row the window shows.
ChartRequest requestForShushi(const tally::ShushiResult& r, const NenjiTable& nenji, int currentYear,
                              int row = tally::ShushiResult::kSumRow);
ChartRequest requestForKoumoku(const tally::KoumokuResult& r, const NenjiTable& nenji, int course);
ChartRequest requestForRank(const tally::RankResult& r, const NenjiTable& nenji);
ChartRequest requestForJyoken(const tally::JyokenResult& r, const NenjiTable& nenji);

// The bars of a rate chart of the request (not the balance): from the tally result a tally
// window gave, else counted over the request's range. 競馬場別 and 月別 come from
// `rangeByMonth`, the range's 収支集計 月別 (the balance series counts it on its way);
// 馬券式別 over the eight types when the bet store holds races of the range that add to
// the five types, else from the item tally of the range as ever; either counted on first
// need and kept in the request. A store that cannot be used is shown (its refusal) and
// the five types are drawn.
RateChart rateChart(DataStore& ds, BetStore& store, UserPort& port, ChartRequest& q,
                    const tally::ShushiResult& rangeByMonth, ChartKind kind);

// The request of a kind's window from its work file, for what the window shows: `shown` is
// the item tally's course (0-9, 10 all courses) or the income tally's row (0-11, 12 the
// sum row); -1 the whole result. `currentYear` is the year the main window shows (the year
// of a one-day income tally). Nothing (after the message the window would show) when the
// work file cannot be shown.
std::optional<ChartRequest> chartRequest(DataStore& ds, UserPort& port, tally::TallyKind kind, int currentYear,
                                         int shown = -1);

}  // namespace tovra::exports
