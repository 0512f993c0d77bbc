#pragma once
// What the item tally window shows for one course (0-9) or all courses (10): its
// heading, the pages of categories with three panels per row, the page "その他" and the
// course totals. The texts are UTF-8 and come only from the work file's result.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "features/tally/koumoku_result.hpp"
#include "features/tally/tally_common.hpp"
#include "features/tally/tally_figures.hpp"

namespace tovra::tally {

struct KoumokuSectionView {
  std::string caption;              // "年齢条件", ...
  std::string prefix;               // panel names: prefix + "KouPanel" + row number
  std::string unit;                 // "*月", "* x100M", ... or empty
  std::vector<std::string> labels;  // row labels
  std::vector<CellView> rows;
  std::vector<TallyFigures> figures;  // the same rows as numbers
};

struct KoumokuPageView {
  std::string tab;  // "Tab1" ...
  std::string caption;
  std::vector<KoumokuSectionView> sections;
};

struct KoumokuView {
  int course = 10;                     // the window's tag
  std::string heading;                 // MainPanel
  std::string timeStamp;               // TimeLabel
  std::vector<KoumokuPageView> pages;  // Tab1-Tab8
  // Page "その他".
  std::array<std::string, 11> hai;  // HaiPanel1-11
  std::string heitei, tekichu, racesu, umahei, zisshitsu, nicha;
  // Course totals: hidden for all courses.
  bool courseTotalVisible = false;
  std::string jyoLabel;  // "%s総合"
  CellView jyo;
  CellView zen;                         // 全場総合
  TallyFigures jyoFigures, zenFigures;  // the same as numbers
};

// Row labels of the band of payouts on "その他" ("～ 990円", ..., "10000円 ～").
const std::array<std::string, 11>& payoutBandLabels();

// The page "その他" of row n as numbers (none where the window's panel is blank).
struct KoumokuOtherFigures {
  std::array<std::int32_t, 11> bands{};    // hit result entries per payout band
  std::optional<double> averagePayout;     // 平均的中配当, yen
  std::int32_t bought = 0, hits = 0;       // 馬券購入レース数, 的中ﾚｰｽ数
  std::optional<double> umarenTickets;     // 馬連平均購入点数
  std::optional<double> umarenHitRate;     // 馬連実質的中率, percent
  std::optional<double> umarenPlacedRate;  // 馬連 1,3着 2,3着率, percent
};
KoumokuOtherFigures koumokuOtherFigures(const KoumokuResult& r, int n);

// The window's content for course n (0-9, or 10 for all courses).
KoumokuView koumokuView(const KoumokuResult& r, int n);
// The same as lines of text, page after page.
std::vector<std::string> koumokuLines(const KoumokuView& v);

}  // namespace tovra::tally
