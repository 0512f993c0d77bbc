// Kind 5: the item tally as its window shows it: one course (or all) and one page.
#include <algorithm>

#include "features/print/layouts.hpp"
#include "features/print/print_common.hpp"
#include "features/print/tally_print.hpp"
#include "features/tally/koumoku_view.hpp"
#include "storage/text.hpp"

namespace tovra::print {

namespace {

// The printed captions of the sections of pages 1-8, with the unit of their rows, and
// row labels where the print has its own.
struct SectionCaption {
  const char* caption;
  const char* unit;
  std::vector<std::string> labels;  // empty: the window's labels
};

std::vector<std::string> raceLabels() {
  std::vector<std::string> l;
  for (int r = 1; r <= 12; ++r) l.push_back(sjprintfUtf8("%2dR", r));
  return l;
}

const std::vector<std::vector<SectionCaption>>& captions() {
  static const std::vector<std::vector<SectionCaption>> c = {
      {{"レース", "", raceLabels()}},
      {{"年齢条件", "", {}}, {"斤    量", "", {}}},
      {{"ﾚｰｽ種別", "", {}}, {"性別条件", "", {"牡 牝 戦", "牝馬限定"}}},
      {{"レースクラス", "", {}}},
      {{"馬場状態", "", {}}, {"馬券式別", "", {}}},
      {{"月  別", "月～月", {}}, {"距  離", "*100M～ *100M", {}}},
      {{"馬  場", "", {}}, {"購入点数", "点～点", {}}},
      {{"購入金額", "", {}}},
  };
  return c;
}

// Captions and row labels stand left enough that the longest label ("101～ 300", 9 cells;
// "全場総合", 8) ends before a ten-digit figure of the column at x 400 begins.
constexpr int kLabelX = 130, kCaptionX = 130, kUnitX = 500;
constexpr int kFirstLineY = 580, kLastLineY = 1395;
constexpr int kStatX = 1300, kStatValueX = 2000;

// The pitch that fits `lines` lines from the first line's place to the last one's.
int pitchFor(std::size_t lines) {
  if (lines <= 1) return 85;
  return std::min(85, (kLastLineY - kFirstLineY) / static_cast<int>(lines - 1));
}

// "%10dＲ" of the window as the print's "%5dＲ": at most five of its leading blanks go.
std::string narrowCount(const std::string& text) {
  std::size_t blanks = 0;
  while (blanks < 5 && blanks < text.size() && text[blanks] == ' ') ++blanks;
  return text.substr(blanks);
}

void putCategoryPage(Page& p, const tally::KoumokuPageView& page, const std::vector<SectionCaption>& caps) {
  put(p, 500, 495, "馬券購入額     回収率       回収金額       収  支     的中率");
  std::size_t lines = 0;
  for (const auto& s : page.sections) lines += 1 + s.rows.size();
  const int pitch = pitchFor(lines);
  int y = kFirstLineY;
  for (std::size_t si = 0; si < page.sections.size(); ++si) {
    const tally::KoumokuSectionView& s = page.sections[si];
    const SectionCaption& cap = caps[si];
    put(p, kCaptionX, y, cap.caption);
    if (*cap.unit) put(p, kUnitX, y, cap.unit);
    y += pitch;
    for (std::size_t i = 0; i < s.rows.size(); ++i, y += pitch) {
      put(p, kLabelX, y, cap.labels.empty() ? s.labels[i] : cap.labels[i], kRed);
      putTallyCell(p, y, s.rows[i]);
    }
  }
}

void putPayoutPage(Page& p, const tally::KoumokuView& v) {
  const auto& bands = tally::payoutBandLabels();
  const int pitch = pitchFor(1 + bands.size());
  int y = kFirstLineY;
  put(p, kCaptionX, y, "的中配当");
  y += pitch;
  for (std::size_t i = 0; i < bands.size(); ++i, y += pitch) {
    put(p, kLabelX, y, bands[i], kRed);
    put(p, 700, y, v.hai[i]);
  }
  const std::pair<const char*, std::string> stats[] = {
      {"平均的中配当", v.heitei},
      {"的中レース数", narrowCount(v.tekichu)},
      {"馬券購入レース数", narrowCount(v.racesu)},
      {"馬連平均購入点数", v.umahei},
      {"馬連実質的中率", v.zisshitsu},
      {"馬連1,3着2,3着率", v.nicha},
  };
  int sy = 650;
  for (const auto& [label, value] : stats) {
    put(p, kStatX, sy, label);
    put(p, kStatValueX, sy, value);
    sy += 100;
  }
}

}  // namespace

Document koumokuDocument(const tally::KoumokuResult& r, int course, int tab) {
  const tally::KoumokuView v = tally::koumokuView(r, course);
  tab = std::clamp(tab, 0, kKoumokuTabs - 1);
  Page p;
  put(p, kTitleX, kTitleY, "競走収支帖 トヴラ");
  put(p, kHeadingX, kHeadingY,
      r.mode == 0 ? std::string("項目集計    全データ") : "項目集計    " + cp932ToUtf8(fixedText(r.yearText)) + "年");
  put(p, 1000, kHeadingY, v.courseTotalVisible ? tally::courseName(v.course) + "競馬場" : std::string("全 場"));
  if (tab < static_cast<int>(v.pages.size()))
    putCategoryPage(p, v.pages[static_cast<std::size_t>(tab)], captions()[static_cast<std::size_t>(tab)]);
  else
    putPayoutPage(p, v);
  if (v.courseTotalVisible) {
    put(p, kCaptionX, 1465, v.jyoLabel);
    putTallyCell(p, 1465, v.jyo);
  }
  put(p, kCaptionX, 1535, "全場総合");
  putTallyCell(p, 1535, v.zen);
  return Document{{std::move(p)}};
}

}  // namespace tovra::print
