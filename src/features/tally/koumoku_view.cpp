#include "features/tally/koumoku_view.hpp"

#include <optional>

#include "features/tally/tally_common.hpp"
#include "features/tally/tally_figures.hpp"
#include "storage/text.hpp"

namespace tovra::tally {

namespace {

// The item tally window's hit rates are narrower than the other windows'.
constexpr int kItemHitWidth = 6;

template <int S>
KoumokuSectionView section(const KoumokuCategory<S>& cat, int n, const char* caption, const char* prefix,
                           const char* unit, std::vector<std::string> labels) {
  KoumokuSectionView s{caption, prefix, unit, std::move(labels), {}, {}};
  for (int i = 0; i < S; ++i) {
    s.figures.push_back(koumokuFigures(cat, n, i, s.labels[static_cast<std::size_t>(i)]));
    s.rows.push_back(figuresCell(s.figures.back(), kItemHitWidth));
  }
  return s;
}

std::vector<KoumokuPageView> pages(const KoumokuResult& r, int n) {
  std::vector<std::string> raceLabels;
  for (int i = 1; i <= 12; ++i) raceLabels.push_back(std::to_string(i) + "R");
  return {
      {"Tab1", "ﾚｰｽNO", {section(r.raceNo, n, "ﾚｰｽNO", "RaceNo", "", raceLabels)}},
      {"Tab2",
       "年齢条件・斤量",
       {section(r.age, n, "年齢条件", "Nen", "", {"2歳", "3歳", "3歳上", "4歳上"}),
        section(r.weight, n, "斤量", "Kin", "", {"馬齢", "別定", "定量", "ﾊﾝﾃﾞ"})}},
      {"Tab3",
       "ﾚｰｽ種別・性別条件",
       {section(r.kind, n, "ﾚｰｽ種別", "Shu", "", {"混合", "ﾏｰｸなし", "抽選馬", "父内産馬", "国際", "抽市馬"}),
        section(r.sex, n, "性別条件", "Sei", "", {"牡牝戦", "牝馬限定"})}},
      {"Tab4",
       "ﾚｰｽｸﾗｽ",
       {section(r.cls, n, "ﾚｰｽｸﾗｽ", "Cl", "",
                {"新馬", "未勝利", "500万下", "1000万下", "1600万下", "ｵｰﾌﾟﾝ", "G 3", "G 2", "G 1"})}},
      {"Tab5",
       "馬場状態・馬券式別",
       {section(r.going, n, "馬場状態", "Ten", "", {"良", "稍重", "重", "不良"}),
        section(r.betType, n, "馬券式別", "Ken", "", {"単勝", "複勝", "枠連", "ﾜｲﾄﾞ", "馬連"})}},
      {"Tab6",
       "月別・距離",
       {section(r.season, n, "月別", "Mon", "*月", {"1～ 3", "4～ 6", "7～ 9", "10～ 12"}),
        section(r.distance, n, "距離", "Kyo", "* x100M", {"10～ 14", "16～ 18", "20～ 24", "25～ 29", "30～"})}},
      {"Tab7",
       "馬場・購入点数",
       {section(r.track, n, "馬場", "Ba", "", {"芝", "ﾀﾞｰﾄ", "障害"}),
        section(r.umaTickets, n, "購入点数", "Kai", "*点", {"1", "2～ 4", "5～ 7", "8～ 10", "11～"})}},
      {"Tab8",
       "購入金額",
       {section(r.amount, n, "購入金額", "Gaku", "* x100円",
                {"～ 10", "11～ 30", "31～ 50", "51～ 80", "81～ 100", "101～ 300", "301～ 500", "501～"})}},
  };
}

// a ÷ b × scale when b is not 0.
std::optional<double> ratio(std::int64_t a, std::int64_t b, double scale) {
  if (b == 0) return std::nullopt;
  return static_cast<double>(a) / static_cast<double>(b) * scale;
}

// A ratio's text, or the blank panel when there is none.
std::string ratioText(const char* format, std::optional<double> v) {
  return v ? sjprintfUtf8(format, *v) : kBlankPanel;
}

}  // namespace

const std::array<std::string, 11>& payoutBandLabels() {
  static const std::array<std::string, 11> labels = [] {
    std::array<std::string, 11> l;
    l[0] = "～ 990円";
    for (int k = 1; k <= 9; ++k) l[static_cast<std::size_t>(k)] = sjprintfUtf8("%d000円 ～ %d990円", k, k);
    l[10] = "10000円 ～";
    return l;
  }();
  return labels;
}

KoumokuOtherFigures koumokuOtherFigures(const KoumokuResult& r, int n) {
  KoumokuOtherFigures o;
  for (std::size_t i = 0; i < o.bands.size(); ++i) o.bands[i] = r.payoutBand[n][i];
  o.averagePayout = ratio(r.hitPayoutTotal[n][0], r.hitEntries[n][0], 1.0);
  o.bought = r.races[n][0];
  o.hits = r.races[n][1];
  if (r.umarenTicketsPerRace[n][0] != 0)
    o.umarenTickets = ratio(r.umarenTicketsPerRace[n][0], r.umarenTicketsPerRace[n][1], 1.0);
  o.umarenHitRate = ratio(r.umarenTicketsAndHits[n][1], r.umarenTicketsAndHits[n][0], 100.0);
  o.umarenPlacedRate = ratio(r.umarenRacesAndNearMisses[n][1], r.umarenRacesAndNearMisses[n][0], 100.0);
  return o;
}

KoumokuView koumokuView(const KoumokuResult& r, int n) {
  if (n < 0 || n > kAllCoursesRow) n = kAllCoursesRow;
  KoumokuView v;
  v.course = n;
  const std::string year = cp932ToUtf8(fixedText(r.yearText));
  const std::string where = n == kAllCoursesRow ? "全競馬場" : courseName(n) + "競馬場";
  v.heading = r.mode == 0 ? " 項目集計  全データ   " + where : " 項目集計    " + year + "年   " + where;
  v.timeStamp = cp932ToUtf8(fixedText(r.timeStamp));
  v.pages = pages(r, n);

  const KoumokuOtherFigures o = koumokuOtherFigures(r, n);
  for (std::size_t i = 0; i < v.hai.size(); ++i)
    v.hai[i] = o.bands[i] != 0 ? sjprintfUtf8("%10d点", o.bands[i]) : kBlankPanel;
  v.heitei = ratioText("%5.0f円", o.averagePayout);
  const bool anyBought = o.bought != 0;
  v.racesu = anyBought ? sjprintfUtf8("%10dＲ", o.bought) : kBlankPanel;
  v.tekichu = anyBought ? sjprintfUtf8("%10dＲ", o.hits) : kBlankPanel;
  v.umahei = ratioText("%5.2f点", o.umarenTickets);
  v.zisshitsu = ratioText("%5.1f％", o.umarenHitRate);
  v.nicha = ratioText("%5.1f％", o.umarenPlacedRate);

  v.courseTotalVisible = n != kAllCoursesRow;
  if (v.courseTotalVisible) {
    v.jyoLabel = courseName(n) + "総合";
    v.jyoFigures = koumokuTotalFigures(r, n, v.jyoLabel);
    v.jyo = figuresCell(v.jyoFigures, kItemHitWidth);
  }
  v.zenFigures = koumokuTotalFigures(r, kAllCoursesRow, "全場総合");
  v.zen = figuresCell(v.zenFigures, kItemHitWidth);
  return v;
}

namespace {
std::string row(const std::string& label, const CellView& c) {
  return label + "\t" + c.kou + "\t" + c.shu + "\t" + c.teki;
}
}  // namespace

std::vector<std::string> koumokuLines(const KoumokuView& v) {
  std::vector<std::string> out{v.heading, v.timeStamp};
  for (const KoumokuPageView& p : v.pages) {
    for (const KoumokuSectionView& s : p.sections) {
      out.push_back("");
      out.push_back("[" + s.caption + "]" + (s.unit.empty() ? "" : " (" + s.unit + ")") +
                    "\t馬券購入額      回収率        回収金額\t収支\t的中率");
      for (std::size_t i = 0; i < s.rows.size(); ++i) out.push_back(row(s.labels[i], s.rows[i]));
    }
  }
  out.push_back("");
  out.push_back("[その他]\t的中配当");
  const auto& bands = payoutBandLabels();
  for (std::size_t i = 0; i < v.hai.size(); ++i) out.push_back(bands[i] + "\t" + v.hai[i]);
  out.push_back("平均的中配当\t" + v.heitei);
  out.push_back("的中ﾚｰｽ数\t" + v.tekichu);
  out.push_back("馬券購入レース数\t" + v.racesu);
  out.push_back("馬連平均購入点数\t" + v.umahei);
  out.push_back("馬連実質的中率\t" + v.zisshitsu);
  out.push_back("馬連 1,3着 2,3着率\t" + v.nicha);
  out.push_back("");
  if (v.courseTotalVisible) out.push_back(row(v.jyoLabel, v.jyo));
  out.push_back(row("全場総合", v.zen));
  return out;
}

}  // namespace tovra::tally
