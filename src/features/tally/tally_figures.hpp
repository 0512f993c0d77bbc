#pragma once
// A row of a tally result as numbers: what the CSV files and the charts take from the
// tallies. Every row comes from a result exactly as its window shows it (the same
// purchase, balance and stored or computed rates), so a table or a bar never holds a
// figure the tally window would not.
#include <cstdint>
#include <optional>
#include <string>

#include "features/tally/jyoken_result.hpp"
#include "features/tally/koumoku_result.hpp"
#include "features/tally/shushi_tally.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra::tally {

struct TallyFigures {
  std::string label;  // UTF-8: "札幌", "6月", "単勝", ...
  std::int64_t purchase = 0;
  std::int64_t balance = 0;
  // Percent; none where the window shows blank panels (nothing bought).
  std::optional<double> recovery;
  std::optional<double> hitRate;
  // Bought and hit races, where the result keeps them (the item tally).
  std::optional<std::int64_t> bought, hits;

  std::int64_t ret() const { return purchase + balance; }
  bool shown() const { return recovery.has_value(); }
};

// 収支集計: row 0-12, column 0-10 (course, or 10 for the sum of the courses).
TallyFigures shushiFigures(const ShushiResult& r, int row, int col);
// The caption of a row by the result's mode: "6月", "3回", "全月", "全回次", or for a
// one-day tally "6月1日" (row 0 and row 12 alike).
std::string shushiRowLabel(const ShushiResult& r, int row);
// The caption of a column: the course name, or "合計" for column 10.
std::string shushiColumnLabel(int col);

// 項目集計: one slot of a category for row n (course 0-9, or 10 for all courses). The
// window leaves a slot without bought races blank; its recovery rate is computed from
// the purchase and balance in double precision, its hit rate from the race counts.
TallyFigures koumokuFigures(const std::string& label, std::int64_t bought, std::int64_t hits, std::int64_t purchase,
                            std::int64_t balance);
template <int S>
TallyFigures koumokuFigures(const KoumokuCategory<S>& cat, int n, int slot, const std::string& label) {
  return koumokuFigures(label, cat.count[n][slot], cat.count[n][S + slot], cat.purchase[n][slot], cat.balance[n][slot]);
}
// The course totals of row n ("%s総合", "全場総合"): the meeting days' purchase and balance
// with the row's bought and hit races.
TallyFigures koumokuTotalFigures(const KoumokuResult& r, int n, const std::string& label);

// The three panels of a row as the windows show them: blank panels for a row not shown,
// else purchase, recovery rate and return, the balance, and the hit rate as
// rateText(rate, hitWidth).
inline constexpr int kTallyHitWidth = 9;
CellView figuresCell(const TallyFigures& f, int hitWidth);

// 条件集計: row 0-11 (courses, 合計, 総合合計).
TallyFigures jyokenFigures(const JyokenResult& r, int row);

}  // namespace tovra::tally
