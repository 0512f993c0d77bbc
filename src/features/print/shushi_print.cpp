// Kind 4: the income and expense tally as its window shows it at one scroll position.
#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "features/print/tally_print.hpp"
#include "features/tally/shushi_tally.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

std::string rangeHeading(const tally::ShushiResult& r, const NenjiTable& nenji, const std::string& currentYear) {
  switch (r.mode) {
    case tally::kShushiYearByMonth:
    case tally::kShushiYearByKai: return sjprintfUtf8(" 収支集計      %d年", tally::yearAt(nenji, r.selection));
    case tally::kShushiDay:
      return sjprintfUtf8(" 収支集計      %s年 %d月 %d日        ", sj(currentYear).c_str(), r.selection / 100,
                          r.selection % 100);
    default: return " 収支集計      全データ                 ";
  }
}

// The rows' name at (1000, 360): a month or meeting number, or all of them.
std::string rowHeading(int mode, int position) {
  const bool byKai = mode == tally::kShushiAllByKai || mode == tally::kShushiYearByKai;
  if (position == 0) return byKai ? "全回次" : "全 月";
  return sjprintfUtf8(byKai ? "%2d 回" : "%2d 月", position);
}

}  // namespace

Document shushiDocument(const tally::ShushiResult& r, int position, const NenjiTable& nenji,
                        const std::string& currentYear) {
  using R = tally::ShushiResult;
  const tally::ShushiView v = tally::shushiView(r, position, nenji, currentYear);
  // The view shows position 0 for a one-day tally and for a position out of range.
  if (!v.scrollEnabled || position < 0 || position > 12) position = 0;
  const int row = position == 0 ? R::kSumRow : position - 1;

  Page p;
  put(p, kTitleX, kTitleY, "競走収支帖 トヴラ");
  put(p, kHeadingX, kHeadingY, rangeHeading(r, nenji, currentYear));
  if (r.mode != tally::kShushiDay) put(p, 1000, kHeadingY, rowHeading(r.mode, position));
  put(p, 200, 495, "開催      馬券購入額     回収率       回収金額       収  支     的中率");
  for (int c = 0; c < kCourseCount; ++c) {
    const int y = 630 + 85 * c;
    put(p, 210, y, tally::courseName(c));
    if (r.kounyu[R::cell(row, c)] != 0) putTallyCell(p, y, v.courses[c]);
  }
  put(p, 210, 1535, "合 計");
  if (r.kounyu[R::cell(row, R::kSumCol)] != 0) putTallyCell(p, 1535, v.goukei);
  return Document{{std::move(p)}};
}

}  // namespace tovra::print
