#include "features/tally/jyoken_view.hpp"

#include "features/tally/tally_common.hpp"
#include "features/tally/tally_figures.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

const std::array<std::string, kJyokenRows>& jyokenRowLabels() {
  static const std::array<std::string, kJyokenRows> labels = [] {
    std::array<std::string, kJyokenRows> l;
    for (int c = 0; c < kCourseCount; ++c) l[static_cast<std::size_t>(c)] = courseName(c);
    l[kJyokenSumRow] = "合計";
    l[kJyokenGrandRow] = "総合合計";
    return l;
  }();
  return labels;
}

std::string jyokenConditionsText(const JyokenResult& r) {
  std::string text;
  for (const JyokenCondition& c : r.conditions) {
    if (c.kind == 0) break;
    text += jyokenResultText(static_cast<JyokenKind>(c.kind), c.value);
  }
  if (r.betType != 0) text += jyokenResultText(JyokenKind::Bet, r.betType);
  return text;
}

JyokenView jyokenView(const JyokenResult& r) {
  JyokenView v;
  v.heading =
      r.rangeFlag == 0 ? " 条件集計      全データ" : " 条件集計      " + cp932ToUtf8(fixedText(r.yearText)) + "年";
  v.timeStamp = cp932ToUtf8(fixedText(r.timeStamp));
  v.conditions = jyokenConditionsText(r);
  for (int i = 0; i < kJyokenRows; ++i) {
    v.rows[static_cast<std::size_t>(i)] = figuresCell(jyokenFigures(r, i), kTallyHitWidth);
  }
  return v;
}

std::vector<std::string> jyokenLines(const JyokenView& v) {
  std::vector<std::string> out{
      v.heading, v.timeStamp, "条件：" + v.conditions,
      "競馬場　　　  　馬券購入額        　　回収率         　　回収金額         　　　収支          　　　的中率　"};
  const auto& labels = jyokenRowLabels();
  for (std::size_t i = 0; i < v.rows.size(); ++i) {
    const auto& c = v.rows[i];
    out.push_back(labels[i] + "\t" + c.kou + "\t" + c.shu + "\t" + c.teki);
  }
  return out;
}

}  // namespace tovra::tally
