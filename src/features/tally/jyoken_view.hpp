#pragma once
// What the condition tally window shows: heading, time stamp, the conditions as one text,
// and per row (courses, 合計, 総合合計) the three panels. UTF-8, from the work file only.
#include <array>
#include <string>
#include <vector>

#include "features/tally/jyoken_result.hpp"
#include "features/tally/tally_common.hpp"

namespace tovra::tally {

struct JyokenView {
  std::string heading;                     // MainPanel
  std::string timeStamp;                   // TimeLabel
  std::string conditions;                  // JyokenPanel
  std::array<CellView, kJyokenRows> rows;  // KouPanel/ShuPanel/TekiPanel 1-12
};

// The row captions: the ten courses, "合計", "総合合計".
const std::array<std::string, kJyokenRows>& jyokenRowLabels();
// The conditions in order, then the bet type, each by its result-window text.
std::string jyokenConditionsText(const JyokenResult& r);

JyokenView jyokenView(const JyokenResult& r);
std::vector<std::string> jyokenLines(const JyokenView& v);

}  // namespace tovra::tally
