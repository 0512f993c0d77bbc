// Kind 7: the condition tally: its conditions in red, then one row per course, the sum
// of the courses and the whole range without conditions.
#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "features/print/tally_print.hpp"
#include "features/tally/jyoken_view.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

// The conditions as the window writes them, except that the graded classes print with
// Roman numerals.
std::vector<std::string> conditionTexts(const tally::JyokenResult& r) {
  std::vector<std::string> texts;
  for (const tally::JyokenCondition& c : r.conditions) {
    if (c.kind == 0) break;
    std::string t = tally::jyokenResultText(static_cast<tally::JyokenKind>(c.kind), c.value);
    if (t == "    G3") t = "    GⅢ";
    if (t == "    G2") t = "    GⅡ";
    if (t == "    G1") t = "    GⅠ";
    texts.push_back(t);
  }
  if (r.betType != 0) texts.push_back(tally::jyokenResultText(tally::JyokenKind::Bet, r.betType));
  return texts;
}

// The red condition line at (200, 495); what would pass the paper's right edge goes on
// a second line below, between two conditions.
void putConditions(Page& p, const tally::JyokenResult& r) {
  constexpr int kX = 200, kRight = 2400;
  std::string line = "条件    ";
  int y = 495;
  for (const std::string& t : conditionTexts(r)) {
    if (kX + (textCells(line) + textCells(t)) * kCellWidth > kRight) {
      put(p, kX, y, line, kRed);
      line = "        ";
      y += kLinePitch;
    }
    line += t;
  }
  put(p, kX, y, line, kRed);
}

}  // namespace

Document jyokenDocument(const tally::JyokenResult& r) {
  const tally::JyokenView v = tally::jyokenView(r);
  Page p;
  put(p, kTitleX, kTitleY, "競走収支帖 トヴラ");
  put(p, kHeadingX, kHeadingY,
      r.rangeFlag == 0 ? std::string(" 条件集計      全データ                 ")
                       : sjprintfUtf8(" 条件集計      %s年                   ", fixedText(r.yearText).c_str()));
  putConditions(p, r);
  put(p, 200, 630, " 開催     馬券購入額     回収率       回収金額       収  支     的中率");
  auto row = [&](int i, int x, int y, const std::string& label) {
    put(p, x, y, label);
    if (r.purchase[i] != 0) putTallyCell(p, y, v.rows[static_cast<std::size_t>(i)]);
  };
  for (int c = 0; c < kCourseCount; ++c) row(c, 210, 765 + 85 * c, tally::courseName(c));
  row(tally::kJyokenSumRow, 210, 1670, "合 計");
  row(tally::kJyokenGrandRow, 150, 1805, "全場総合");
  return Document{{std::move(p)}};
}

}  // namespace tovra::print
